#include "render/plan_fit.h"
#include "render/view_transform.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "render/recording_surface.h"

namespace plantrek {
namespace {

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

TEST(MarkerUnit, FollowsTheResolution) {
    EXPECT_EQ(ComputeMarkerUnit(96), 2);
    EXPECT_EQ(ComputeMarkerUnit(48), 1);
    EXPECT_EQ(ComputeMarkerUnit(0), 1);  // never below one pixel
    EXPECT_EQ(ComputeMarkerUnit(143), 2);  // 214 / 72, integer arithmetic
    EXPECT_EQ(ComputeMarkerUnit(144), 3);
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
// page; a picture has half a meter of white, at the bottom left; a site of one point counts as a
// meter, in the middle.
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
                10.0, {5, 5}, {105, 55}},
        FitCase{"one point", PlanRect{4.0, 4.0, 4.0, 4.0, false}, {0, 0, 100, 100},
                PlanFit{.anchor = FitAnchor::kCentre}, 100.0, {50, 50}, {50, 50}}));

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
