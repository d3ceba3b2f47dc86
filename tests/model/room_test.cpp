#include "model/room.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/closing.h"
#include "model/model_test_support.h"
#include "model/units.h"

namespace plantrek {
namespace {

using test::RoomOfWalls;

// The 3 m square walked clockwise from the origin: north, east, south, west.
Room ClockwiseSquare(double eastWallArc = 0.0) {
    Room room = RoomOfWalls({{3, 0}, {3, 90}, {3, 180}, {3, 270}});
    room.GetWall(1, true)->SetArcHeight(eastWallArc);
    room.InvalidateClosing();
    return room;
}

TEST(WallTest, ChordFormsDeriveEachOther) {
    Wall wall;
    EXPECT_EQ(wall.GetLength(), 0.0);
    EXPECT_EQ(wall.GetDirection(), 0.0);
    EXPECT_EQ(wall.GetVector().x, 0.0);
    EXPECT_EQ(wall.GetVector().y, 0.0);

    wall.SetPolar(4.0, 90.0);
    EXPECT_EQ(wall.GetValidFlags(), Wall::kPolarValid);
    EXPECT_EQ(wall.GetVector().x, 4.0);
    EXPECT_EQ(wall.GetVector().y, 0.0);
    EXPECT_EQ(wall.GetValidFlags(), Wall::kPolarValid | Wall::kCartesianValid);

    wall.SetCartesian(-3.0, -4.0);
    EXPECT_EQ(wall.GetValidFlags(), Wall::kCartesianValid);
    EXPECT_NEAR(wall.GetLength(), 5.0, 1e-12);
    EXPECT_NEAR(wall.GetDirection(), 180.0 + std::atan2(3.0, 4.0) * 57.29577951, 1e-5);
}

struct ClampCase {
    double length;
    double requested;
    double stored;
};

class ArcClampTest : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ArcClampTest, ArcIsAtMostAHalfCircle) {
    const ClampCase c = GetParam();
    Wall wall;
    wall.SetPolar(c.length, 90.0);
    wall.SetArcHeight(c.requested);
    EXPECT_DOUBLE_EQ(wall.GetArcHeight(), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Heights, ArcClampTest,
                         ::testing::Values(ClampCase{4, 3, 2}, ClampCase{4, -3, -2},
                                           ClampCase{4, 2, 2}, ClampCase{4, -1.5, -1.5},
                                           ClampCase{4, 0, 0}, ClampCase{0, 1, 0}));

TEST(WallTest, ShorteningAWallKeepsItsArcWithinHalfTheLength) {
    Wall wall;
    wall.SetPolar(4.0, 0.0);
    wall.SetArcHeight(2.0);
    wall.SetPolar(2.0, 0.0);
    EXPECT_DOUBLE_EQ(wall.GetArcHeight(), 1.0);
}

TEST(WallTest, ArcGeometryOfAShallowArc) {
    // 4 m east bowed 1 m to the left (north): radius 2.5, centre 1.5 m south of the chord.
    Wall wall;
    wall.SetPolar(4.0, 90.0);
    wall.SetArcHeight(1.0);
    EXPECT_NEAR(wall.GetArcRadius(), 2.5, 1e-12);
    EXPECT_NEAR(wall.GetArcCentre().x, 2.0, 1e-12);
    EXPECT_NEAR(wall.GetArcCentre().y, -1.5, 1e-12);
    EXPECT_NEAR(wall.GetArcMidpoint().x, 2.0, 1e-12);
    EXPECT_NEAR(wall.GetArcMidpoint().y, 1.0, 1e-12);
    const double sweep = 2.0 * std::atan2(2.0, 1.5);
    EXPECT_NEAR(wall.GetArcSweep(), sweep, 1e-9);
    EXPECT_NEAR(wall.GetPathLength(), 2.5 * sweep, 1e-9);
    const WallArc arc = wall.GetArc(PlanPoint{10, 20});
    EXPECT_TRUE(arc.bulgesLeft);
    EXPECT_NEAR(arc.centre.x, 12.0, 1e-12);
    EXPECT_NEAR(arc.centre.y, 18.5, 1e-12);

    wall.SetArcHeight(-1.0);
    EXPECT_NEAR(wall.GetArcCentre().y, 1.5, 1e-12);
    EXPECT_NEAR(wall.GetArcMidpoint().y, -1.0, 1e-12);
    EXPECT_FALSE(wall.GetArc(PlanPoint{}).bulgesLeft);
}

TEST(WallTest, HalfCircleMidpointLiesOnTheBowingSide) {
    Wall wall;
    wall.SetPolar(4.0, 0.0);  // north
    wall.SetArcHeight(2.0);   // bows west
    EXPECT_NEAR(wall.GetArcRadius(), 2.0, 1e-12);
    EXPECT_NEAR(wall.GetArcMidpoint().x, -2.0, 1e-12);
    EXPECT_NEAR(wall.GetArcMidpoint().y, 2.0, 1e-12);
    EXPECT_NEAR(wall.GetArcSweep(), kPi, 1e-7);
    wall.SetArcHeight(-2.0);
    EXPECT_NEAR(wall.GetArcMidpoint().x, 2.0, 1e-12);
}

TEST(WallTest, SettingAnArcDropsTheDerivedVector) {
    Wall wall;
    wall.SetPolar(3.0, 0.0);
    wall.GetVector();
    wall.SetArcHeight(1.0);
    EXPECT_EQ(wall.GetValidFlags() & Wall::kCartesianValid, 0u);
    EXPECT_GT(wall.GetArcRadius(), 0.0);
}

// ---------------------------------------------------------------------------------------------

TEST(RoomTest, SquareHasAreaPerimeterAndClosedOutline) {
    Room room = ClockwiseSquare();
    EXPECT_EQ(room.GetCloseState(), CloseState::Closed);
    EXPECT_NEAR(room.GetArea(), 9.0, 1e-9);
    EXPECT_NEAR(room.GetPerimeter(), 12.0, 1e-9);
    const auto v = room.GetVertices(false);
    ASSERT_EQ(v.size(), 5u);
    EXPECT_NEAR(v.back().x, v.front().x, 1e-12);
    EXPECT_NEAR(v.back().y, v.front().y, 1e-12);
    EXPECT_EQ(room.GetOrientation(), -1);
    EXPECT_EQ(RoomOfWalls({{3, 90}, {3, 0}, {3, 270}, {3, 180}}).GetOrientation(), 1);
}

struct BowCase {
    double height;
    double areaChange;
};

class BowedWallTest : public ::testing::TestWithParam<BowCase> {};

TEST_P(BowedWallTest, HalfCircleChangesAreaAndPerimeter) {
    const BowCase c = GetParam();
    Room room = ClockwiseSquare(c.height);
    EXPECT_EQ(room.GetCloseState(), CloseState::Closed);
    EXPECT_NEAR(room.GetArea(), 9.0 + c.areaChange, 5e-4);
    EXPECT_NEAR(room.GetPerimeter(), 13.712, 5e-4);
    EXPECT_EQ(room.GetVertices(true).size(), 6u);
    EXPECT_EQ(room.GetVertices(false).size(), 5u);
}

INSTANTIATE_TEST_SUITE_P(Sides, BowedWallTest,
                         ::testing::Values(BowCase{1.5, 3.534}, BowCase{-1.5, -3.534}));

TEST(RoomTest, AreaIsTheSameWalkedEitherWay) {
    // The same outward bow, walked counter-clockwise: the wall now heads west and bows right.
    Room ccw = RoomOfWalls({{3, 90}, {3, 0}, {3, 270}, {3, 180}});
    ccw.GetWall(2, true)->SetArcHeight(-1.5);
    ccw.InvalidateClosing();
    EXPECT_NEAR(ccw.GetArea(), ClockwiseSquare(1.5).GetArea(), 1e-9);
}

TEST(RoomTest, BoundsHoldTheArc) {
    const PlanRect box = ClockwiseSquare(1.5).GetBounds();
    EXPECT_NEAR(box.minX, 0.0, 1e-12);
    EXPECT_NEAR(box.minY, 0.0, 1e-12);
    EXPECT_NEAR(box.maxX, 3.0, 1e-12);
    EXPECT_NEAR(box.maxY, 4.5, 1e-12);
}

TEST(RoomTest, ContainsPointFollowsArcs) {
    const Room plain = ClockwiseSquare();
    EXPECT_TRUE(plain.ContainsPoint({1.0, 1.2}));
    EXPECT_FALSE(plain.ContainsPoint({4.0, 1.2}));
    EXPECT_FALSE(plain.ContainsPoint({-1.0, 1.2}));

    const Room outward = ClockwiseSquare(1.5);
    EXPECT_TRUE(outward.ContainsPoint({1.5, 4.0}));
    EXPECT_FALSE(outward.ContainsPoint({0.2, 4.2}));

    const Room inward = ClockwiseSquare(-1.5);
    EXPECT_FALSE(inward.ContainsPoint({1.5, 2.0}));
    EXPECT_TRUE(inward.ContainsPoint({1.5, 1.2}));
    EXPECT_FALSE(inward.ContainsPoint({0.2, 2.8}));  // in the dip of the arc
    EXPECT_TRUE(inward.ContainsPoint({0.2, 2.0}));

    Room open = RoomOfWalls({{3, 0}});
    EXPECT_FALSE(open.ContainsPoint({0.0, 1.0}));
    EXPECT_EQ(open.GetArea(), 0.0);
}

TEST(RoomTest, CentroidIsAnOffsetFromTheStartPoint) {
    Room room = ClockwiseSquare();
    room.Translate({10, 20});
    EXPECT_NEAR(room.GetCentroid().x, 1.5, 1e-12);
    EXPECT_NEAR(room.GetCentroid().y, 1.5, 1e-12);
    room.SetStartPoint({13, 23});
    EXPECT_NEAR(room.GetCentroid().x, -1.5, 1e-12);
    EXPECT_NEAR(room.GetCentroid().y, -1.5, 1e-12);

    Room empty(PlanPoint{2, 3});
    EXPECT_EQ(empty.GetCentroid().x, 2.0);
    EXPECT_EQ(empty.GetCentroid().y, 3.0);
}

TEST(RoomTest, WallsAreIndexedUserFirstThenSystem) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    EXPECT_EQ(room.WallCount(true), 2);
    EXPECT_EQ(room.WallCount(false), 4);
    EXPECT_EQ(room.GetWall(2)->GetKind(), WallKind::System);
    EXPECT_EQ(room.GetWall(2, true), nullptr);
    EXPECT_EQ(room.GetWall(-1), nullptr);
    EXPECT_EQ(room.GetWall(4), nullptr);
    const auto [start, end] = room.GetWallEnds(2);
    EXPECT_NEAR(start.x, 4.0, 1e-12);
    EXPECT_NEAR(start.y, 3.0, 1e-12);
    EXPECT_NEAR(end.x, 4.0, 1e-12);
    EXPECT_NEAR(end.y, 0.0, 1e-12);
    EXPECT_EQ(room.IndexOfWall(room.GetWall(1)), 1);
    EXPECT_EQ(room.IndexOfWall(room.GetWall(2)), -1);
    EXPECT_EQ(room.IndexOfVertex({4.0, 0.0}), 3);
    EXPECT_EQ(room.IndexOfVertex({4.0 + 5e-6, -5e-6}), 3);
    EXPECT_EQ(room.IndexOfVertex({4.0, 0.1}), -1);
}

TEST(RoomTest, InsertWallAfterPlacesTheWall) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    const Wall* first = room.GetWall(0, true);
    auto wall = std::make_unique<Wall>();
    wall->SetPolar(1, 45);
    Wall* inserted = room.InsertWallAfter(std::move(wall), first);
    EXPECT_EQ(room.IndexOfWall(inserted), 1);

    auto stranger = std::make_unique<Wall>();
    Wall unrelated;
    Wall* appended = room.InsertWallAfter(std::move(stranger), &unrelated);
    EXPECT_EQ(room.IndexOfWall(appended), 3);
}

TEST(RoomTest, RemovingTheFirstWallKeepsTheOthersInPlace) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}, {3, 180}});
    const auto before = room.GetWallEnds(1);
    room.RemoveWall(room.GetWall(0, true));
    EXPECT_EQ(room.WallCount(true), 2);
    EXPECT_NEAR(room.GetLocation().y, 3.0, 1e-12);
    const auto after = room.GetWallEnds(0);
    EXPECT_NEAR(after.first.x, before.first.x, 1e-12);
    EXPECT_NEAR(after.first.y, before.first.y, 1e-12);
    EXPECT_NEAR(after.second.x, before.second.x, 1e-12);
    EXPECT_NEAR(after.second.y, before.second.y, 1e-12);
}

TEST(RoomTest, StartPointSnapsBackWhenNoLongerAVertex) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}, {3, 180}}, CloseRule::Angled);
    room.SetStartPoint({4.0, 0.0});
    room.ValidateStartPoint();
    EXPECT_EQ(room.GetStartPoint().x, 4.0);
    room.RemoveWall(room.GetWall(2, true));
    EXPECT_EQ(room.GetStartPoint().x, 0.0);
    EXPECT_EQ(room.GetStartPoint().y, 0.0);
}

TEST(RoomTest, RemovingAWallOfAnotherRoomOnlyInvalidates) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    Wall stranger;
    room.RemoveWall(&stranger);
    EXPECT_EQ(room.WallCount(true), 2);
    EXPECT_TRUE(room.IsClosed());
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
    EXPECT_EQ(copy.StoredCloseState(), CloseState::NotComputed);
    EXPECT_TRUE(copy.SystemWalls().empty());
    EXPECT_NE(copy.GetWall(0, true), room.GetWall(0, true));
    copy.GetWall(0, true)->SetPolar(10, 0);
    copy.InvalidateClosing();
    EXPECT_DOUBLE_EQ(room.GetWall(0, true)->GetLength(), 3.0);
    EXPECT_NEAR(copy.GetArea(), 20.0, 1e-9);

    Room assigned;
    assigned = room;
    EXPECT_NEAR(assigned.GetArea(), 6.0, 1e-9);
}

TEST(RoomTest, ClearEmptiesEverythingButTheRule) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}}, CloseRule::Angled);
    room.SetName("Hall");
    room.SetMaterial(3);
    room.Translate({5, 5});
    room.Clear();
    EXPECT_TRUE(room.GetName().isEmpty());
    EXPECT_EQ(room.GetMaterial(), 0);
    EXPECT_EQ(room.GetLocation().x, 0.0);
    EXPECT_EQ(room.GetStartPoint().y, 0.0);
    EXPECT_EQ(room.WallCount(false), 0);
    EXPECT_EQ(room.GetCloseRule(), CloseRule::Angled);
}

TEST(RoomTest, MoveByTranslatesBothPoints) {
    Room room = ClockwiseSquare();
    room.MoveBy(2.0, 90.0);
    EXPECT_EQ(room.GetLocation().x, 2.0);
    EXPECT_EQ(room.GetStartPoint().x, 2.0);
    EXPECT_EQ(room.GetLocation().y, 0.0);
}

// The area of a closed room does not depend on where it stands.
TEST(RoomPropertyTest, AreaIsUnchangedByTranslation) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> offset(-500.0, 500.0);
    std::uniform_real_distribution<double> side(0.5, 20.0);
    std::uniform_real_distribution<double> bow(-0.4, 0.4);
    for (int i = 0; i < 200; ++i) {
        const double a = side(random);
        const double b = side(random);
        Room room = RoomOfWalls({{a, 0}, {b, 90}, {a, 180}}, static_cast<CloseRule>(i % 3));
        room.GetWall(1, true)->SetArcHeight(bow(random) * std::min(a, b));
        room.InvalidateClosing();
        ASSERT_TRUE(room.IsClosed());
        const double area = room.GetArea();
        const double perimeter = room.GetPerimeter();
        room.Translate({offset(random), offset(random)});
        EXPECT_NEAR(room.GetArea(), area, 1e-9 * std::max(1.0, area));
        EXPECT_NEAR(room.GetPerimeter(), perimeter, 1e-9 * perimeter);
    }
}

}  // namespace
}  // namespace plantrek
