#include "render/painter_surface.h"
#include "render/plan_fit.h"
#include "render/view_transform.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include <climits>
#include <cmath>
#include <limits>

#include "render/recording_surface.h"

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

// Plan to device and back, the marker unit, and fitting a plan into a box.

struct TransformCase {
    PlanPoint plan;
    ViewTransform transform;
    DevicePoint device;
};

class ViewTransformTest : public ::testing::TestWithParam<TransformCase> {};

TEST_P(ViewTransformTest, TruncatesTowardZeroAndFlips) {
    const TransformCase& c = GetParam();
    EXPECT_EQ(c.transform.ToDevice(c.plan), c.device);
}

// scale, xOffset, yOffset, height, xBase, yBase
INSTANTIATE_TEST_SUITE_P(
    Cases, ViewTransformTest,
    ::testing::Values(
        TransformCase{{1.0, 2.0}, {10.0, 0.0, 0.0, 100, 0, 0}, {10, 80}},
        // 2.79 and -2.79 both lose their fraction toward zero, not toward minus infinity.
        TransformCase{{0.279, 0.279}, {10.0, 0.0, 0.0, 100, 0, 0}, {2, 98}},
        TransformCase{{-0.279, -0.279}, {10.0, 0.0, 0.0, 100, 0, 0}, {-2, 102}},
        // The offsets join before truncation, the bases after it.
        TransformCase{{0.05, 0.05}, {10.0, 0.6, 0.6, 50, 7, 3}, {8, 52}},
        // Far outside any device the result saturates rather than wrapping around.
        TransformCase{{1e300, -1e300}, {10.0, 0.0, 0.0, 100, 5, 0}, {INT_MAX, INT_MAX}},
        TransformCase{{-1e300, 1e300}, {10.0, 0.0, 0.0, 100, -5, 0}, {INT_MIN, -INT_MAX + 100}}));

TEST(ViewTransform, InverseReturnsThePlanPointOfAWholePixel) {
    const ViewTransform t{16.0, 31.0, -7.0, 400, 3, 9};
    for (const DevicePoint d : {DevicePoint{0, 0}, DevicePoint{131, 217}, DevicePoint{-40, 900}}) {
        const PlanPoint p = t.ToPlan(d);
        EXPECT_EQ(t.ToDevice(p), d) << d.x << "," << d.y;
    }
    EXPECT_DOUBLE_EQ(t.ToPlanLength(40.0), 2.5);
}

TEST(ViewTransform, TruncationOfOddValues) {
    EXPECT_EQ(TruncateToPixel(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncateToPixel(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(TruncateToPixel(-0.999), 0);
}

TEST(MarkerUnit, IsKeptFromTheFirstSurfaceUntilReset) {
    ResetMarkerUnit();
    const test::RecordingSurface coarse(48);
    const test::RecordingSurface fine(96);
    EXPECT_EQ(MarkerUnit(coarse), 1);
    EXPECT_EQ(MarkerUnit(fine), 1);
    ResetMarkerUnit();
    EXPECT_EQ(MarkerUnit(fine), 2);
    EXPECT_EQ(MarkerUnit(coarse), 2);
    ResetMarkerUnit();
}

struct FitCase {
    const char* what;
    PlanRect plan;
    DeviceRect box;
    PlanFit fit;
    double scale;           // pixels per meter
    DevicePoint northWest;  // where the plan's top left corner lands
    DevicePoint southEast;  // and its bottom right one
};

class PlanFitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(PlanFitTest, PlacesThePlanCornersInTheBox) {
    const FitCase& c = GetParam();
    SCOPED_TRACE(c.what);
    const ViewTransform t = FitPlan(c.plan, c.box, c.fit);
    EXPECT_DOUBLE_EQ(t.scale, c.scale);
    EXPECT_EQ(t.ToDevice({c.plan.minX, c.plan.maxY}), c.northWest);
    EXPECT_EQ(t.ToDevice({c.plan.maxX, c.plan.minY}), c.southEast);
}

const PlanRect kTenByFive{0.0, 0.0, 10.0, 5.0, false};

// A 10 m x 5 m site fills a 200 x 100 px box; with a meter of white on every side (12 m x 7 m)
// the height decides, 100 / 7 pixels per meter; the plan view is centred with a fifth to spare; a
// page piece keeps its paper scale from the page's corner even where the plan runs off the
// page; a picture has half a meter of white, at the bottom left (a site of one point is the plan
// viewport's test).
INSTANTIATE_TEST_SUITE_P(
    Cases, PlanFitTest,
    ::testing::Values(
        FitCase{"fills", kTenByFive, {0, 0, 200, 100}, PlanFit{}, 20.0, {0, 0}, {200, 100}},
        FitCase{"margins", kTenByFive, {0, 0, 200, 100}, PlanFit{.marginX = 1.0, .marginY = 1.0},
                100.0 / 7.0, {14, 14}, {157, 85}},
        FitCase{"plan view", kTenByFive, {0, 0, 200, 100},
                PlanFit{.fill = 0.8, .anchor = FitAnchor::kCentre}, 16.0, {20, 10}, {180, 90}},
        FitCase{"page piece", kTenByFive, {30, 40, 230, 140}, PlanFit{.scale = 50.0}, 50.0,
                {30, 40}, {530, 290}},
        FitCase{"picture", PlanRect{2.0, 3.0, 12.0, 8.0, false}, {0, 0, 110, 60},
                PlanFit{.scale = 10.0, .marginX = 0.5, .marginY = 0.5,
                        .anchor = FitAnchor::kBottomLeft, .wholePixelOffsets = true},
                10.0, {5, 5}, {105, 55}}));

// The picture export has always moved the plan by whole pixels: 10 px/m with half a meter of
// white puts a wall at 0.33 m at 4 px, not 5: the 1.7 px of white before it become 1.
TEST(PlanFitTest, WholePixelOffsetsTruncateTowardZero) {
    const PlanFit fit{.scale = 10.0,
                      .marginX = 0.5,
                      .marginY = 0.5,
                      .anchor = FitAnchor::kBottomLeft,
                      .wholePixelOffsets = true};
    const ViewTransform t = FitPlan(PlanRect{0.33, 0.33, 5.0, 5.0, false}, {0, 0, 60, 60}, fit);
    EXPECT_EQ(t.ToDevice({0.33, 0.33}), (DevicePoint{4, 56}));
}

}  // namespace
}  // namespace plantrek
