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

}  // namespace
}  // namespace plantrek
