#include "model/room.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "model/closing.h"
#include "model/model_test_support.h"
#include "model/units.h"

namespace plantrek {
namespace {

using test::ExpectNear;
using test::RoomOfWalls;

// The 3 m square walked clockwise from the origin: north, east, south, west.
Room ClockwiseSquare(double eastWallArc = 0.0) {
    Room room = RoomOfWalls({{3, 0}, {3, 90}, {3, 180}, {3, 270}});
    room.GetWall(1, true)->SetArcHeight(eastWallArc);
    room.InvalidateClosing();
    return room;
}

TEST(WallTest, ArcIsAtMostAHalfCircle) {
    const struct {
        double length, requested, stored;
    } cases[] = {{4, 3, 2}, {4, -3, -2}, {4, 2, 2}, {4, -1.5, -1.5}, {0, 1, 0}};
    for (const auto& c : cases) {
        Wall wall;
        wall.SetPolar(c.length, 90.0);
        wall.SetArcHeight(c.requested);
        EXPECT_DOUBLE_EQ(wall.GetArcHeight(), c.stored) << c.requested;
    }
    Wall shortened;
    shortened.SetPolar(4.0, 0.0);
    shortened.SetArcHeight(2.0);
    shortened.SetPolar(2.0, 0.0);
    EXPECT_DOUBLE_EQ(shortened.GetArcHeight(), 1.0);
}

TEST(WallTest, ArcGeometry) {
    // 4 m east bowed 1 m to the left (north): radius 2.5, centre 1.5 m south of the chord.
    Wall wall;
    wall.SetPolar(4.0, 90.0);
    wall.SetArcHeight(1.0);
    EXPECT_NEAR(wall.GetArcRadius(), 2.5, 1e-12);
    ExpectNear(wall.GetArcCentre(), {2.0, -1.5}, 1e-12);
    ExpectNear(wall.GetArcMidpoint(), {2.0, 1.0}, 1e-12);
    const double sweep = 2.0 * std::atan2(2.0, 1.5);
    EXPECT_NEAR(wall.GetArcSweep(), sweep, 1e-9);
    EXPECT_NEAR(wall.GetPathLength(), 2.5 * sweep, 1e-9);
    const WallArc arc = wall.GetArc(PlanPoint{10, 20});
    EXPECT_TRUE(arc.bulgesLeft);
    ExpectNear(arc.centre, {12.0, 18.5}, 1e-12);
    wall.SetArcHeight(-1.0);
    ExpectNear(wall.GetArcCentre(), {2.0, 1.5}, 1e-12);
    ExpectNear(wall.GetArcMidpoint(), {2.0, -1.0}, 1e-12);
    EXPECT_FALSE(wall.GetArc(PlanPoint{}).bulgesLeft);

    // A half circle: rounding must not take the root of a negative number.
    wall.SetPolar(4.0, 0.0);
    wall.SetArcHeight(2.0);  // bows west
    EXPECT_NEAR(wall.GetArcRadius(), 2.0, 1e-12);
    ExpectNear(wall.GetArcMidpoint(), {-2.0, 2.0}, 1e-12);
    EXPECT_NEAR(wall.GetArcSweep(), kPi, 1e-7);
    wall.SetArcHeight(-2.0);
    EXPECT_NEAR(wall.GetArcMidpoint().x, 2.0, 1e-12);
}

// ---------------------------------------------------------------------------------------------

TEST(RoomTest, SquareHasAreaPerimeterAndClosedOutline) {
    Room room = ClockwiseSquare();
    EXPECT_EQ(room.GetCloseState(), CloseState::Closed);
    EXPECT_NEAR(room.GetArea(), 9.0, 1e-9);
    EXPECT_NEAR(room.GetPerimeter(), 12.0, 1e-9);
    const auto v = room.GetVertices(false);
    ASSERT_EQ(v.size(), 5u);
    ExpectNear(v.back(), v.front(), 1e-12);
    EXPECT_EQ(room.GetOrientation(), -1);
    EXPECT_EQ(RoomOfWalls({{3, 90}, {3, 0}, {3, 270}, {3, 180}}).GetOrientation(), 1);
}

TEST(RoomTest, HalfCircleWallChangesAreaAndPerimeterEitherWayWalked) {
    for (const double height : {1.5, -1.5}) {
        Room room = ClockwiseSquare(height);
        EXPECT_EQ(room.GetCloseState(), CloseState::Closed);
        EXPECT_NEAR(room.GetArea(), 9.0 + std::copysign(3.534, height), 5e-4);
        EXPECT_NEAR(room.GetPerimeter(), 13.712, 5e-4);
        EXPECT_EQ(room.GetVertices(true).size(), 6u);
        EXPECT_EQ(room.GetVertices(false).size(), 5u);
    }
    // The same outward bow, walked counter-clockwise: the wall now heads west and bows right.
    Room ccw = RoomOfWalls({{3, 90}, {3, 0}, {3, 270}, {3, 180}});
    ccw.GetWall(2, true)->SetArcHeight(-1.5);
    ccw.InvalidateClosing();
    EXPECT_NEAR(ccw.GetArea(), ClockwiseSquare(1.5).GetArea(), 1e-9);

    const PlanRect box = ClockwiseSquare(1.5).GetBounds();
    ExpectNear({box.minX, box.minY}, {0.0, 0.0}, 1e-12);
    ExpectNear({box.maxX, box.maxY}, {3.0, 4.5}, 1e-12);
}

TEST(RoomTest, ContainsPointFollowsArcs) {
    // The east wall's arc, a point, and whether the room holds it; (0.2, 2.8) lies in the dip
    // of the inward arc.
    const std::tuple<double, PlanPoint, bool> cases[] = {
        {0, {1, 1.2}, true},       {0, {4, 1.2}, false},     {0, {-1, 1.2}, false},
        {1.5, {1.5, 4}, true},     {1.5, {0.2, 4.2}, false}, {-1.5, {1.5, 2}, false},
        {-1.5, {0.2, 2.8}, false}, {-1.5, {0.2, 2}, true}};
    for (const auto& [arc, point, inside] : cases) {
        EXPECT_EQ(ClockwiseSquare(arc).ContainsPoint(point), inside)
            << arc << ": " << point.x << ", " << point.y;
    }
    Room open = RoomOfWalls({{3, 0}});
    EXPECT_FALSE(open.ContainsPoint({0.0, 1.0}));
    EXPECT_EQ(open.GetArea(), 0.0);
}

TEST(RoomTest, CentroidIsAnOffsetFromTheStartPointAndMovesWithIt) {
    Room room = ClockwiseSquare();
    room.Translate({10, 20});
    ExpectNear(room.GetCentroid(), {1.5, 1.5}, 1e-12);
    room.SetStartPoint({13, 23});
    ExpectNear(room.GetCentroid(), {-1.5, -1.5}, 1e-12);
    room.MoveBy(2.0, 90.0);
    ExpectNear(room.GetLocation(), {12, 20}, 0.0);
    ExpectNear(room.GetStartPoint(), {15, 23}, 0.0);
    ExpectNear(Room(PlanPoint{2, 3}).GetCentroid(), {2, 3}, 0.0);
}

TEST(RoomTest, WallsAreIndexedUserFirstThenSystem) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    EXPECT_EQ(room.WallCount(true), 2);
    EXPECT_EQ(room.WallCount(false), 4);
    EXPECT_EQ(room.GetWall(2)->GetKind(), WallKind::System);
    EXPECT_TRUE(!room.GetWall(2, true) && !room.GetWall(-1) && !room.GetWall(4));
    const auto [start, end] = room.GetWallEnds(2);
    ExpectNear(start, {4.0, 3.0}, 1e-12);
    ExpectNear(end, {4.0, 0.0}, 1e-12);
    EXPECT_EQ(room.IndexOfWall(room.GetWall(2)), -1);
    EXPECT_EQ(room.IndexOfVertex({4.0 + 5e-6, -5e-6}), 3);
    EXPECT_EQ(room.IndexOfVertex({4.0, 0.1}), -1);

    auto wall = std::make_unique<Wall>();
    wall->SetPolar(1, 45);
    EXPECT_EQ(room.IndexOfWall(room.InsertWallAfter(std::move(wall), room.GetWall(0, true))), 1);
    Wall unrelated;
    EXPECT_EQ(room.IndexOfWall(room.InsertWallAfter(std::make_unique<Wall>(), &unrelated)), 3);
}

TEST(RoomTest, RemovingTheFirstWallKeepsTheOthersInPlace) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}, {3, 180}});
    Wall stranger;
    room.RemoveWall(&stranger);  // a wall of another room: nothing happens
    EXPECT_EQ(room.WallCount(true), 3);
    const auto before = room.GetWallEnds(1);
    room.RemoveWall(room.GetWall(0, true));
    EXPECT_EQ(room.WallCount(true), 2);
    EXPECT_NEAR(room.GetLocation().y, 3.0, 1e-12);
    ExpectNear(room.GetWallEnds(0).first, before.first, 1e-12);
    ExpectNear(room.GetWallEnds(0).second, before.second, 1e-12);
}

TEST(RoomTest, StartPointSnapsBackWhenNoLongerAVertex) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}, {3, 180}}, CloseRule::Angled);
    room.SetStartPoint({4.0, 0.0});
    room.ValidateStartPoint();
    EXPECT_EQ(room.GetStartPoint().x, 4.0);
    room.RemoveWall(room.GetWall(2, true));
    ExpectNear(room.GetStartPoint(), {0.0, 0.0}, 0.0);
}

TEST(RoomTest, CopyIsDeepAndRecomputesItsClosing) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    room.SetName("Kitchen");
    room.SetMaterial(2);
    room.SetCloseRule(CloseRule::Angled);
    ASSERT_EQ(room.WallCount(false), 3);
    Room copy(room);
    EXPECT_EQ(copy.GetName(), "Kitchen");
    EXPECT_EQ(copy.GetMaterial(), 2);
    EXPECT_EQ(copy.GetCloseRule(), CloseRule::Angled);
    copy.GetWall(0, true)->SetPolar(10, 0);
    copy.InvalidateClosing();
    EXPECT_DOUBLE_EQ(room.GetWall(0, true)->GetLength(), 3.0);
    EXPECT_NEAR(copy.GetArea(), 20.0, 1e-9);
    Room assigned;
    assigned = room;
    EXPECT_NEAR(assigned.GetArea(), 6.0, 1e-9);
}

}  // namespace
}  // namespace plantrek
