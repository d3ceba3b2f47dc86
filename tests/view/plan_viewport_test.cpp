#include <gtest/gtest.h>

#include "model/site.h"
#include "view/plan_viewport.h"

namespace plantrek {
namespace {

struct LayoutCase {
    const char* name;
    bool withRoom;  // a 10 × 5 room at the origin, or the start point (2, 3) alone
    int zoom;
    double scale;
    double xOffset;
    double yOffset;
    int height;
};

class PlanViewportLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PlanViewportLayout, FitsTheSiteAtTheZoom) {
    const LayoutCase& c = GetParam();
    Site site;
    if (c.withRoom) {
        Room* room = site.AddRoom(QStringLiteral("Hall"), 0);
        for (const auto& [length, direction] : {std::pair{10.0, 90.0}, {5.0, 0.0}, {10.0, 270.0}}) {
            room->AddWall(length, direction);
        }
    } else {
        site.SetStartPoint({2.0, 3.0});
    }
    PlanViewport viewport;
    viewport.SetClientSize({400, 300});
    while (viewport.Zoom() < c.zoom) {
        viewport.ZoomIn();
    }
    viewport.Layout(&site);
    const ViewTransform& t = viewport.Transform();
    EXPECT_DOUBLE_EQ(t.scale, c.scale);
    EXPECT_DOUBLE_EQ(t.xOffset, c.xOffset);
    EXPECT_DOUBLE_EQ(t.yOffset, c.yOffset);
    EXPECT_EQ(t.height, c.height);
    EXPECT_EQ(viewport.TotalSize(), QSize(400, 300) * c.zoom);
}

// 0.8 × the smaller fit; the centre of the bounds at the centre of the scroll area.
INSTANTIATE_TEST_SUITE_P(
    Sites, PlanViewportLayout,
    ::testing::Values(LayoutCase{"Room", true, 1, 32.0, 200 - 5 * 32.0, 150 - 2.5 * 32.0, 300},
                      LayoutCase{"RoomZoom2", true, 2, 64.0, 400 - 5 * 64.0, 300 - 2.5 * 64.0, 600},
                      // A single point counts as 1 × 1 m.
                      LayoutCase{"SinglePoint", false, 1, 240.0, 200 - 2 * 240.0,
                                 150 - 3 * 240.0, 300}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlanViewportZoom, StepsKeepTheCentreAndStopAtTheLimits) {
    Site site;
    site.AddRoom(QStringLiteral("Hall"), 0)->AddWall(8.0, 90.0);
    PlanViewport viewport;
    viewport.SetClientSize({400, 300});
    viewport.Layout(&site);

    EXPECT_FALSE(viewport.ZoomOut());
    EXPECT_FALSE(viewport.ZoomToFit());

    struct Step {
        bool (PlanViewport::*zoom)();
        int zoom_after;
        QPoint scroll;
    };
    const Step steps[] = {
        {&PlanViewport::ZoomIn, 2, {200, 150}},  // (0 + 200) × 2 − 200
        {&PlanViewport::ZoomIn, 4, {600, 450}},
        {&PlanViewport::ZoomOut, 2, {200, 150}},  // (600 + 200) / 2 − 200
        {&PlanViewport::ZoomIn, 4, {600, 450}},
        {&PlanViewport::ZoomIn, 8, {1400, 1050}},
        {&PlanViewport::ZoomIn, 16, {3000, 2250}},
        {&PlanViewport::ZoomToFit, 1, {0, 0}},
    };
    for (const Step& step : steps) {
        const PlanPoint centre = viewport.WindowToPlan({200, 150});
        ASSERT_TRUE((viewport.*step.zoom)());
        viewport.Layout(&site);
        EXPECT_EQ(viewport.Zoom(), step.zoom_after);
        EXPECT_EQ(viewport.ScrollPosition(), step.scroll);
        if (step.zoom_after != 1) {
            // The window's centre shows the same plan point, to the pixel.
            const PlanPoint after = viewport.WindowToPlan({200, 150});
            EXPECT_NEAR(after.x, centre.x, 2.0 / viewport.Transform().scale);
            EXPECT_NEAR(after.y, centre.y, 2.0 / viewport.Transform().scale);
        }
        if (step.zoom_after == 16) {
            EXPECT_FALSE(viewport.ZoomIn());
        }
    }
}

}  // namespace
}  // namespace plantrek
