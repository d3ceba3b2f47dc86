// Doors, windows and passages in the plan: the gap in the wall lines, the symbols, and a wall
// two rooms share broken in both but drawn on once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/room.h"
#include "model/site.h"
#include "model/wall.h"
#include "render/opening_symbols.h"
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

Opening MakeOpening(OpeningKind kind, double offset, double width) {
    Opening opening;
    opening.kind = kind;
    opening.offset = offset;
    opening.width = width;
    opening.height = 2.0;
    return opening;
}

std::vector<DrawCall> Calls(const Site& site, const PlanSelection& selection = {}) {
    ResetMarkerUnit();  // 2 pixels at 96 dpi: jambs and glazing 2 pixels either side
    RecordingSurface surface;
    RenderSite(site, surface, kTransform, selection, {});
    return surface.calls;
}

std::vector<std::vector<DevicePoint>> Strokes(const std::vector<DrawCall>& calls, int width) {
    std::vector<std::vector<DevicePoint>> strokes;
    for (const DrawCall& call : calls) {
        if ((call.shape == Shape::Line || call.shape == Shape::Polyline) &&
            call.state.penWidth == width && call.points.size() >= 2 &&
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
        Opening door = MakeOpening(OpeningKind::Door, 4.0, 2.0);
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
    std::vector<Points> strokes = Strokes(calls, 1);
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

// On a room's west wall (device x 20), 4 m up from 2 m: what each kind draws besides the gap.
TEST(OpeningSymbols, EachKindDrawsItsOwnSymbolInTheGap) {
    for (const OpeningKind kind : {OpeningKind::Door, OpeningKind::Window, OpeningKind::Passage}) {
        Site site;
        Room* room = Square(site, QStringLiteral("R"), {0.0, 0.0}, 10.0);
        room->GetWall(0, true)->SetOpenings({MakeOpening(kind, 2.0, 4.0)});
        const std::vector<DrawCall> calls = Calls(site);
        std::vector<Points> along;  // lines bridging the gap beside the wall
        int arcs = -1;              // the polylines but the room's outline after the gap
        for (const DrawCall& call : calls) {
            if (call.shape == Shape::Line && call.points[0].y == 200 && call.points[1].y == 160) {
                along.push_back(call.points);
            }
            arcs += call.shape == Shape::Polyline;
        }
        switch (kind) {
            case OpeningKind::Door:
                EXPECT_TRUE(along.empty());
                EXPECT_EQ(arcs, 1);
                break;
            case OpeningKind::Window:
                // Two thin lines, 2 pixels either side of the wall's line.
                ASSERT_EQ(along.size(), 2u);
                EXPECT_EQ(along[0][0].x + along[1][0].x, 40);
                EXPECT_EQ(std::abs(along[0][0].x - along[1][0].x), 4);
                EXPECT_EQ(arcs, 0);
                break;
            case OpeningKind::Passage:
                EXPECT_TRUE(along.empty());
                EXPECT_EQ(arcs, 0);
                break;
        }
        // The wall line stops at the gap in every case.
        EXPECT_EQ(Strokes(calls, 1).at(0), (Points{{20, 220}, {20, 200}}));
    }
}

// Hinge and swing as a user states them, seen from inside the room facing the wall.
TEST(DoorSwing, HingeSideAndSwingSideAsSeenFromInside) {
    // A wall running east, the room to its north.
    PlacedOpening placed;
    placed.start = {1.0, 0.0};
    placed.end = {2.0, 0.0};
    placed.intoRoom = {0.0, 1.0};
    Opening door = MakeOpening(OpeningKind::Door, 1.0, 1.0);
    placed.opening = &door;
    struct Case {
        DoorHinge hinge;
        bool inward;
        PlanPoint hingePoint;
        PlanPoint open;
    };
    // Facing south from inside, the left hand points east.
    for (const Case& c : {Case{DoorHinge::Left, true, {2.0, 0.0}, {2.0, 1.0}},
                          Case{DoorHinge::Right, true, {1.0, 0.0}, {1.0, 1.0}},
                          Case{DoorHinge::Right, false, {1.0, 0.0}, {1.0, -1.0}}}) {
        door.hinge = c.hinge;
        door.opensInward = c.inward;
        const DoorSwing swing = DoorSwingOf(placed);
        EXPECT_NEAR(Distance(swing.hinge, c.hingePoint), 0.0, 1e-12);
        EXPECT_NEAR(Distance(swing.open, c.open), 0.0, 1e-12);
        EXPECT_NEAR(std::fabs(std::remainder(swing.openAngle - swing.closedAngle, 2 * M_PI)),
                    M_PI / 2, 1e-12);
    }
}

}  // namespace
}  // namespace plantrek
