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

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanFitTest,
    ::testing::Values(FitCase{"a 10 m x 5 m site fills a 200 x 100 px box",
                              kTenByFive,
                              {0, 0, 200, 100},
                              PlanFit{},
                              20.0,
                              {0, 0},
                              {200, 100}},
                      // 12 m x 7 m with the margins: the height decides, 100 / 7 pixels per meter.
                      FitCase{"with a meter of white on every side",
                              kTenByFive,
                              {0, 0, 200, 100},
                              PlanFit{.marginX = 1.0, .marginY = 1.0},
                              100.0 / 7.0,
                              {14, 14},
                              {157, 85}},
                      FitCase{"the plan view: centred, a fifth to spare",
                              kTenByFive,
                              {0, 0, 200, 100},
                              PlanFit{.fill = 0.8, .anchor = FitAnchor::kCentre},
                              16.0,
                              {20, 10},
                              {180, 90}},
                      // A page piece keeps its paper scale even where the plan runs off the page.
                      FitCase{"a given scale from a page's corner",
                              kTenByFive,
                              {30, 40, 230, 140},
                              PlanFit{.scale = 50.0},
                              50.0,
                              {30, 40},
                              {530, 290}},
                      FitCase{"a picture: half a meter of white, at the bottom left",
                              PlanRect{2.0, 3.0, 12.0, 8.0, false},
                              {0, 0, 110, 60},
                              PlanFit{.scale = 10.0,
                                      .marginX = 0.5,
                                      .marginY = 0.5,
                                      .anchor = FitAnchor::kBottomLeft,
                                      .wholePixelOffsets = true},
                              10.0,
                              {5, 5},
                              {105, 55}},
                      FitCase{"a site of one point counts as a meter, in the middle",
                              PlanRect{4.0, 4.0, 4.0, 4.0, false},
                              {0, 0, 100, 100},
                              PlanFit{.anchor = FitAnchor::kCentre},
                              100.0,
                              {50, 50},
                              {50, 50}}));

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
