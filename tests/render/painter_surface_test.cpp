#include "render/painter_surface.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

namespace plantrek {
namespace {

class PainterSurfaceTest : public ::testing::Test {
protected:
    PainterSurfaceTest() : image_(60, 40, QImage::Format_RGB32) { image_.fill(qRgb(30, 160, 90)); }

    QImage image_;
};

TEST_F(PainterSurfaceTest, NotXorDrawingTwiceRestoresThePicture) {
    const QImage before = image_.copy();
    const auto draw = [this] {
        QPainter painter(&image_);
        PainterSurface surface(painter);
        surface.SetRasterMode(RasterMode::NotXor);
        surface.SetPen(0x808080, 1);
        surface.SetNoBrush();
        surface.DrawPolyline({{2, 2}, {50, 30}, {10, 35}});
        surface.DrawEllipse({20, 5, 40, 25});
    };
    draw();
    EXPECT_NE(image_, before);
    draw();
    EXPECT_EQ(image_, before);
}

TEST_F(PainterSurfaceTest, BoxesEndOnePixelBeforeRightAndBottom) {
    image_.fill(Qt::white);
    QPainter painter(&image_);
    PainterSurface surface(painter);
    surface.SetPen(0x0000FF, 1);
    surface.SetBrush(0x00FF00);
    surface.DrawRectangle({10, 10, 20, 16});
    painter.end();
    EXPECT_EQ(image_.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image_.pixel(19, 15), qRgb(255, 0, 0));
    EXPECT_EQ(image_.pixel(15, 12), qRgb(0, 255, 0));
    EXPECT_EQ(image_.pixel(20, 12), qRgb(255, 255, 255));
    EXPECT_EQ(image_.pixel(15, 16), qRgb(255, 255, 255));
}

TEST_F(PainterSurfaceTest, TextHangsFromItsTopLeftInItsOwnColour) {
    image_.fill(Qt::white);
    QPainter painter(&image_);
    PainterSurface surface(painter);
    surface.SetPen(0x00FF00, 1);
    surface.SaveState();
    surface.SetTextColour(0x0000FF);
    surface.SetFont(QStringLiteral("Arial"), 20);
    const TextExtent one = surface.MeasureText(QStringLiteral("H"));
    EXPECT_GT(one.height, 18);
    EXPECT_GT(surface.MeasureText(QStringLiteral("HH")).width, one.width);
    surface.DrawText(QStringLiteral("HH"), {5, 10});
    surface.RestoreState();
    // The font text is measured and drawn in is 14 again.
    EXPECT_LT(surface.MeasureText(QStringLiteral("H")).height, one.height);
    EXPECT_EQ(painter.font().pixelSize(), PainterSurface::kDefaultFontHeight);
    painter.end();

    int red = 0;
    int top = image_.height();
    int bottom = -1;
    for (int y = 0; y < image_.height(); ++y) {
        for (int x = 0; x < image_.width(); ++x) {
            const QRgb p = image_.pixel(x, y);
            if (p != qRgb(255, 255, 255)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                EXPECT_NE(p, qRgb(0, 255, 0));  // never the pen
                red += p == qRgb(255, 0, 0) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(red, 20);
    EXPECT_GE(top, 10);
    EXPECT_LT(bottom, 10 + one.height);
}

// The surface remembers text it has measured and laid out; what it draws and fits from memory
// must be exactly what QPainter gives afresh.
constexpr int kFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip;

QImage Blank() {
    QImage image(160, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

const QString kNames[] = {
    QStringLiteral("Room 12"),
    QStringLiteral("Kitchen & Dining"),
    QString::fromUtf16(u"\u00c4rzte \u00fcber \u00df"),
    QString::fromUtf16(u"\u5ba2\u5385 Lounge"),
    QString::fromUtf16(u"\u063a\u0631\u0641\u0629 1"),  // right to left
    QString::fromUtf16(u"Den \U0001F600"),
    QStringLiteral("Line\nbreak"),  // drawn the ordinary way
};

TEST(PainterSurfaceTextTest, CentredTextMatchesThePainterPixelForPixel) {
    const QRect boxes[] = {{10, 10, 140, 40}, {20, 5, 31, 17}, {70, 30, 0, 0}, {40, 20, -10, 7}};
    for (const QString& name : kNames) {
        for (const int height : {5, 9, 14, 20}) {
            for (const QRect& box : boxes) {
                for (int round = 0; round < 2; ++round) {  // laid out, then from memory
                    QImage ours = Blank();
                    {
                        QPainter painter(&ours);
                        PainterSurface surface(painter);
                        surface.SetFont(QStringLiteral("Arial"), height);
                        surface.SetTextColour(0x0000FF);
                        surface.DrawTextCentred(name,
                                                {box.left(), box.top(), box.left() + box.width(),
                                                 box.top() + box.height()});
                    }
                    QImage theirs = Blank();
                    {
                        QPainter painter(&theirs);
                        PainterSurface surface(painter);
                        surface.SetFont(QStringLiteral("Arial"), height);
                        painter.setPen(QColor(255, 0, 0));
                        painter.drawText(box, kFlags, name);
                    }
                    ASSERT_EQ(ours, theirs) << name.toStdString() << " at " << height << " in "
                                            << box.x() << "," << box.y() << " " << box.width()
                                            << "x" << box.height() << " round " << round;
                }
            }
        }
    }
}

TEST(PainterSurfaceTextTest, FittingFromMemoryChoosesAsMeasuringDoes) {
    QImage image = Blank();
    QPainter painter(&image);
    PainterSurface surface(painter);
    for (const QString& name : kNames) {
        for (const int width : {0, 12, 25, 40, 60, 90, 200}) {
            for (const int height : {4, 8, 12, 30}) {
                // Measured the plain way: the first height from 20 down that fits.
                int expected = 5;
                for (int h = 20; h > 5; --h) {
                    surface.SetFont(QStringLiteral("Arial"), h);
                    const TextExtent e = surface.MeasureText(name);
                    if (e.width <= width && e.height <= height) {
                        expected = h;
                        break;
                    }
                }
                for (int round = 0; round < 2; ++round) {
                    EXPECT_EQ(
                        surface.SetFittingFont(QStringLiteral("Arial"), name, 20, 5, width, height),
                        expected)
                        << name.toStdString() << " " << width << "x" << height;
                    EXPECT_EQ(painter.font().pixelSize(), expected);
                }
            }
        }
    }
}

}  // namespace
}  // namespace plantrek
