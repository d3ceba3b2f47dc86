// The surface remembers text it has measured and laid out; what it draws and fits from memory
// must be exactly what QPainter gives afresh.
#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include "render/painter_surface.h"

namespace plantrek {
namespace {

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
