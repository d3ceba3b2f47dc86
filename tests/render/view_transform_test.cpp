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

}  // namespace
}  // namespace plantrek
