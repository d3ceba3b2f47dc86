// Doors in the plan: the gap in the wall lines of both rooms that share a wall, the leaf and its
// swing drawn once over both fills, and the selection. Windows and passages are the picture
// export's test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/room.h"
#include "model/site.h"
#include "model/wall.h"
#include "render/plan_renderer.h"
#include "render/recording_surface.h"

namespace plantrek {
namespace {

using test::DrawCall;
using test::RecordingSurface;
using test::Shape;

constexpr Colour kTile = MakeColour(255, 192, 0);
constexpr Colour kSelected = 0xFF0000;

// 10 pixels per meter; the plan origin lands on device (20, 220).
const ViewTransform kTransform{10.0, 20.0, 20.0, 240, 0, 0};

// A square walked north, east and south from `at` and closed to the west: clockwise.
Room* Square(Site& site, const QString& name, PlanPoint at, double side) {
    site.SetStartPoint(at);
    Room* room = site.AddRoom(name, 1);
    room->AddWall(side, 0.0);
    room->AddWall(side, 90.0);
    room->AddWall(side, 180.0);
    site.SetStartPoint({30.0, 30.0});
    return room;
}

std::vector<DrawCall> Calls(const Site& site, const PlanSelection& selection = {}) {
    ResetMarkerUnit();
    RecordingSurface surface;
    RenderSite(site, surface, kTransform, selection, {});
    return surface.calls;
}

// The thin lines and polylines longer than a jamb.
std::vector<std::vector<DevicePoint>> Strokes(const std::vector<DrawCall>& calls) {
    std::vector<std::vector<DevicePoint>> strokes;
    for (const DrawCall& call : calls) {
        if ((call.shape == Shape::Line || call.shape == Shape::Polyline) &&
            call.state.penWidth == 1 && call.points.size() >= 2 &&
            std::abs(call.points.front().x - call.points.back().x) +
                    std::abs(call.points.front().y - call.points.back().y) >
                10) {
            strokes.push_back(call.points);
        }
    }
    return strokes;
}

using Points = std::vector<DevicePoint>;

// Room A's east wall is room B's west wall. A's door on it, 2 m wide from 4 m to 6 m above the
// south wall, is hinged on the left seen from inside A (the north end) and opens out, into B.
class SharedDoor : public ::testing::Test {
protected:
    void SetUp() override {
        site_.AddMaterial(QStringLiteral("Tile"), 1, kTile);
        a_ = Square(site_, QStringLiteral("A"), {0.0, 0.0}, 10.0);
        b_ = Square(site_, QStringLiteral("B"), {10.0, 0.0}, 10.0);
        Opening door;
        door.offset = 4.0;
        door.width = 2.0;
        door.height = 2.0;
        door.opensInward = false;
        a_->GetWall(2, true)->SetOpenings({door});
    }
    Site site_;
    Room* a_ = nullptr;
    Room* b_ = nullptr;
};

TEST_F(SharedDoor, BothRoomsBreakTheWallAndTheDoorIsDrawnOnceOverTheirFills) {
    const std::vector<DrawCall> calls = Calls(site_);
    // Each fill outlined in its own colour, its walls drawn after it, broken at (120, 160) to
    // (120, 180): A's from its start round to the door and on from it, B's likewise.
    std::vector<Points> strokes = Strokes(calls);
    ASSERT_EQ(strokes.size(), 5u);
    const Points swing = strokes.back();
    strokes.pop_back();
    EXPECT_EQ(strokes,
              (std::vector<Points>{{{20, 220}, {20, 120}, {120, 120}, {120, 160}},
                                   {{120, 180}, {120, 220}, {20, 220}},
                                   {{120, 220}, {120, 180}},
                                   {{120, 160}, {120, 120}, {220, 120}, {220, 220}, {120, 220}}}));
    // The swing, from the open leaf round to the far jamb, on B's side.
    EXPECT_EQ(swing.front(), (DevicePoint{140, 160}));
    EXPECT_EQ(swing.back(), (DevicePoint{120, 180}));
    for (const DevicePoint p : swing) {
        EXPECT_NEAR(std::hypot(p.x - 120, p.y - 160), 20.0, 1.5);
        EXPECT_GE(p.x, 120);
    }
    std::size_t lastFill = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].shape == Shape::Polygon) {
            EXPECT_EQ(calls[i].state.penColour, kTile);
            lastFill = i;
        }
    }
    const auto leaf = std::find_if(calls.begin(), calls.end(),
                                   [](const DrawCall& c) { return c.state.penWidth == 2; });
    ASSERT_NE(leaf, calls.end());
    EXPECT_GT(leaf - calls.begin(), static_cast<long>(lastFill));
    EXPECT_EQ(leaf->points, (Points{{120, 160}, {140, 160}}));
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const DrawCall& c) { return c.state.penWidth == 2; }),
              1);
}

// Selected, A is drawn as wall lines on top: broken at the door, which stays visible.
TEST_F(SharedDoor, TheSelectedRoomsWallsBreakAndItsSelectedOpeningIsInTheSelectionColour) {
    PlanSelection selection;
    selection.room = a_;
    selection.opening = &a_->GetWall(2, true)->GetOpenings()[0];
    const std::vector<DrawCall> calls = Calls(site_, selection);
    const auto isEastWall = [](const DrawCall& c) {
        return c.shape == Shape::Line && c.points[0].x == 120 && c.points[1].x == 120 &&
               c.state.penColour == 0;
    };
    std::vector<Points> east;
    for (const DrawCall& call : calls) {
        if (isEastWall(call) && call.state.penWidth == 2) {
            east.push_back(call.points);
        }
    }
    // Two walks: the one in drawing order and the one on top.
    EXPECT_EQ(east, (std::vector<Points>{{{120, 120}, {120, 160}},
                                         {{120, 180}, {120, 220}},
                                         {{120, 120}, {120, 160}},
                                         {{120, 180}, {120, 220}}}));
    const auto leaf = std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) {
        return c.points == Points{{120, 160}, {140, 160}};
    });
    ASSERT_NE(leaf, calls.end());
    EXPECT_EQ(leaf->state.penColour, kSelected);
}

// The leaf swings 2 m out of A: a picture of B's part of the plan walks A too.
TEST_F(SharedDoor, ARoomReachesAsFarAsItsWidestDoorSwings) {
    const std::vector<RoomReach> reach = MeasureRoomReach(site_, {}, false);
    ASSERT_EQ(reach.size(), 2u);
    EXPECT_DOUBLE_EQ(reach[0].box.maxX, 12.0);
    EXPECT_DOUBLE_EQ(reach[0].box.minY, -2.0);
    EXPECT_DOUBLE_EQ(reach[1].box.minX, 10.0);
}

}  // namespace
}  // namespace plantrek
