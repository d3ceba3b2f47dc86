#include "render/plan_fit.h"

#include <gtest/gtest.h>

namespace plantrek {
namespace {

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
