#include "render/plan_hit_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "model/room.h"
#include "model/site.h"
#include "model/wall.h"

namespace plantrek {
namespace {

constexpr double kNorth = 0.0;
constexpr double kEast = 90.0;
constexpr double kSouth = 180.0;
constexpr double kWest = 270.0;

// A room of straight walls starting at `at`, given as (length, bearing) pairs.
Room* AddRoom(Site& site, const QString& name, PlanPoint at,
              std::initializer_list<std::pair<double, double>> walls) {
    Room* room = site.AddRoom(name, 0);
    room->Translate(at - room->GetLocation());
    for (const auto& [length, direction] : walls) {
        room->AddWall(length, direction);
    }
    return room;
}

Room* AddSquare(Site& site, const QString& name, PlanPoint at, double side) {
    return AddRoom(site, name, at, {{side, kNorth}, {side, kEast}, {side, kSouth}, {side, kWest}});
}

void ExpectPoint(PlanPoint actual, PlanPoint expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

// ---------------------------------------------------------------------------------------------
// Distance to a wall

Wall MakeWall(double length, double direction, double arcHeight) {
    Wall wall;
    wall.SetPolar(length, direction);
    wall.SetArcHeight(arcHeight);
    return wall;
}

struct NearestCase {
    const char* label;
    double arcHeight;
    PlanPoint point;
    PlanPoint nearest;
};

class NearestPointTest : public ::testing::TestWithParam<NearestCase> {};

// A 4 m wall heading east from the origin, straight or bowed.
TEST_P(NearestPointTest, OnTheWall) {
    const NearestCase& c = GetParam();
    const Wall wall = MakeWall(4.0, kEast, c.arcHeight);
    ExpectPoint(NearestPointOnWall(c.point, {0.0, 0.0}, wall), c.nearest, 1e-9);
    EXPECT_NEAR(DistanceToWall(c.point, {0.0, 0.0}, wall), Distance(c.point, c.nearest), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Walls, NearestPointTest,
    ::testing::Values(
        NearestCase{"straight_beside", 0.0, {1.5, 2.0}, {1.5, 0.0}},
        NearestCase{"straight_before_start", 0.0, {-3.0, 1.0}, {0.0, 0.0}},
        NearestCase{"straight_past_end", 0.0, {7.0, -1.0}, {4.0, 0.0}},
        // A half circle bowing north (to the left of east) about (2, 0), radius 2.
        NearestCase{"half_circle_outside", 2.0, {2.0, 5.0}, {2.0, 2.0}},
        NearestCase{"half_circle_inside", 2.0, {2.0, 1.0}, {2.0, 2.0}},
        // Behind the chord the nearest point of the circle is not on the arc: an end is.
        NearestCase{"half_circle_behind_chord", 2.0, {0.5, -1.0}, {0.0, 0.0}},
        // A shallow arc bowing south by 1: radius 2.5 about (2, 1.5).
        NearestCase{"shallow_outside", -1.0, {2.0, -3.0}, {2.0, -1.0}},
        NearestCase{"shallow_beyond_ends", -1.0, {2.0, 6.0}, {0.0, 0.0}}),
    [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------------------------
// Pick

class PickTest : public ::testing::Test {
protected:
    void SetUp() override {
        site.SetStartPoint({-10.0, -10.0});
        a = AddSquare(site, "A", {0.0, 0.0}, 4.0);
        // Three walls; the close rule adds the fourth, (14, 0) to (10, 0).
        b = AddRoom(site, "B", {10.0, 0.0}, {{4.0, kNorth}, {4.0, kEast}, {4.0, kSouth}});
    }

    PickResult At(double x, double y) { return Pick(site, PlanPoint{x, y}, 1.0); }

    Site site;
    Room* a = nullptr;
    Room* b = nullptr;
};

TEST_F(PickTest, FindsRoomsWallsAndTheStartPointOrNothing) {
    EXPECT_EQ(At(2.0, 2.0), (PickResult{PickKind::Room, a, nullptr}));
    EXPECT_EQ(At(0.5, 2.0), (PickResult{PickKind::UserWall, a, a->GetWall(0)}));
    EXPECT_EQ(At(2.0, 4.9), (PickResult{PickKind::UserWall, a, a->GetWall(1)}));
    EXPECT_EQ(At(-9.5, -10.2), (PickResult{PickKind::StartPoint, nullptr, nullptr}));
    EXPECT_EQ(At(7.0, 2.0), PickResult{});
    EXPECT_EQ(At(2.0, 5.1), PickResult{});
    EXPECT_EQ(Pick(site, PlanPoint{std::nan(""), 0.0}, 1.0), PickResult{});
    // A closing wall is picked as another kind.
    ASSERT_EQ(b->WallCount(), 4);
    EXPECT_EQ(At(12.0, 0.3), (PickResult{PickKind::OtherWall, b, b->GetWall(3)}));
}

TEST_F(PickTest, TheLastDrawnWinsAmongEquals) {
    // Inside A and drawn after it.
    Room* c = AddSquare(site, "C", {0.5, 0.5}, 3.0);
    EXPECT_EQ(At(2.0, 2.0), (PickResult{PickKind::Room, c, nullptr}));
    EXPECT_EQ(At(1.2, 2.0), (PickResult{PickKind::UserWall, c, c->GetWall(0)}));
    // Between two walls of A and C that are both in reach, C's is on top.
    EXPECT_EQ(At(0.3, 2.0), (PickResult{PickKind::UserWall, c, c->GetWall(0)}));
    site.SendToBack(c);
    EXPECT_EQ(At(0.3, 2.0), (PickResult{PickKind::UserWall, a, a->GetWall(0)}));
    EXPECT_EQ(At(2.0, 2.0), (PickResult{PickKind::Room, a, nullptr}));
}

TEST_F(PickTest, AWallIsNeverReplacedByARoom) {
    // An open run of walls drawn below A that crosses it: inside A and near that run, the run's
    // wall is hit although A is drawn on top.
    Room* run = AddRoom(site, "Run", {2.0, -3.0}, {{10.0, kNorth}, {5.0, kSouth}});
    site.SendToBack(run);
    ASSERT_FALSE(run->IsClosed());
    EXPECT_EQ(At(2.3, 2.0), (PickResult{PickKind::UserWall, run, run->GetWall(1)}));
}

TEST_F(PickTest, TheStartPointWinsOverANearerWall) {
    // 20 pixels per meter: the click is 5 pixels from A's west wall and 20 from the start point.
    site.SetStartPoint({-1.25, 2.0});
    const ViewTransform transform{20.0, 0.0, 0.0, 1000, 0, 0};
    EXPECT_DOUBLE_EQ(PickTolerance(transform), 1.2);
    const DevicePoint click = transform.ToDevice({-0.25, 2.0});
    EXPECT_EQ(Pick(site, transform, click).kind, PickKind::StartPoint);
    // 30 pixels away the start point is out of reach and the wall is hit.
    site.SetStartPoint({-1.75, 2.0});
    EXPECT_EQ(Pick(site, transform, click), (PickResult{PickKind::UserWall, a, a->GetWall(0)}));
}

TEST_F(PickTest, ArcWallsArePickedAlongTheirBow) {
    // A's north wall bowed out by 2 m: its top is at (2, 6), far from the chord.
    ASSERT_TRUE(a->GetWall(1) != nullptr);
    a->GetWall(1)->SetArcHeight(2.0);
    a->InvalidateClosing();
    EXPECT_EQ(At(2.0, 6.5), (PickResult{PickKind::UserWall, a, a->GetWall(1)}));
    EXPECT_EQ(At(2.0, 4.5), (PickResult{PickKind::Room, a, nullptr}));
    // Bowed the other way, into the room, down to (2, 2).
    a->GetWall(1)->SetArcHeight(-2.0);
    a->InvalidateClosing();
    EXPECT_EQ(At(2.0, 1.5), (PickResult{PickKind::UserWall, a, a->GetWall(1)}));
}

// ---------------------------------------------------------------------------------------------
// Snap

class SnapTest : public ::testing::Test {
protected:
    void SetUp() override {
        site.SetStartPoint({-5.0, -5.0});
        a = AddSquare(site, "A", {0.0, 0.0}, 4.0);
        moving = AddSquare(site, "Moving", {20.0, 20.0}, 2.0);
    }

    PlanPoint Drag(double x, double y, double tolerance = 1.0) {
        return SnapPoint(site, {x, y}, moving, false, tolerance);
    }

    Site site;
    Room* a = nullptr;
    Room* moving = nullptr;
};

// A corner within reach, else the nearest wall point, else the point itself.
TEST_F(SnapTest, DraggingLandsOnACornerAWallOrStays) {
    const std::tuple<double, double, double, PlanPoint> cases[] = {
        {4.5, 4.3, 1.0, {4.0, 4.0}},     {-0.4, -0.7, 1.0, {0.0, 0.0}},
        {2.0, 4.2, 1.0, {2.0, 4.0}},     {3.3, 1.0, 1.0, {4.0, 1.0}},
        {10.0, 10.0, 1.0, {10.0, 10.0}},
        {20.1, 20.1, 1.0, {20.1, 20.1}},  // the moving room's own corners are no targets
        {2.0, 5.0, 3.0, {0.0, 4.0}}};     // a tie: (0, 4) comes before (4, 4) along A's walls
    for (const auto& [x, y, tolerance, expected] : cases) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        ExpectPoint(Drag(x, y, tolerance), expected);
    }
}

TEST_F(SnapTest, ACornerBeatsANearerWallOfAnotherRoom) {
    // A wall of a third room runs 0.2 m from the point; the corner is 0.8 m away.
    AddRoom(site, "C", {5.0, 3.0}, {{3.0, kNorth}, {3.0, kEast}, {3.0, kSouth}});
    ExpectPoint(Drag(4.8, 4.0), {4.0, 4.0});
}

TEST_F(SnapTest, TheStartPointBeatsANearerCornerWhileARoomMoves) {
    site.SetStartPoint({4.9, 4.9});
    ExpectPoint(Drag(4.3, 4.3), {4.9, 4.9});
    // Dragging the start point itself: it is no target of its own.
    ExpectPoint(SnapPoint(site, {4.3, 4.3}, nullptr, false, 1.0), {4.0, 4.0});
}

TEST_F(SnapTest, TheSnapCommandReachesAnyDistanceAndIgnoresWalls) {
    ExpectPoint(SnapPoint(site, {40.0, 41.0}, moving, true, 1.0), {4.0, 4.0});
    ExpectPoint(SnapPoint(site, {2.1, 4.1}, moving, true, 1.0), {4.0, 4.0});
    // The start point competes when a room moves; without one it is no target.
    ExpectPoint(SnapPoint(site, {-3.0, -3.0}, moving, true, 1.0), {-5.0, -5.0});
    ExpectPoint(SnapPoint(site, {-3.0, -3.0}, nullptr, true, 1.0), {0.0, 0.0});
    // Equally near, the start point came first and stays.
    site.SetStartPoint({8.0, 4.0});
    ExpectPoint(SnapPoint(site, {6.0, 4.0}, moving, true, 1.0), {8.0, 4.0});
}

TEST_F(SnapTest, TheSnapCommandWithoutTargetsLeavesThePoint) {
    Site empty;
    ExpectPoint(SnapPoint(empty, {3.0, 3.0}, nullptr, true, 1.0), {3.0, 3.0});
    // A room moved in a site of its own can only go to the start point.
    Room* only = AddSquare(empty, "Only", {3.0, 3.0}, 2.0);
    empty.SetStartPoint({9.0, 9.0});
    ExpectPoint(SnapPoint(empty, {1.0, 1.0}, only, true, 1.0), {9.0, 9.0});
}

TEST_F(SnapTest, ClosingWallCornersAndArcsAreTargets) {
    // Two walls; the close rule adds two more, meeting at (34, 0).
    Room* open = AddRoom(site, "Two", {30.0, 0.0}, {{4.0, kNorth}, {4.0, kEast}});
    ASSERT_EQ(open->WallCount(), 4);
    ExpectPoint(Drag(34.3, 0.2), {34.0, 0.0});
    // A's east wall (heading south) bowed out to the east by 1 m: the dragged point snaps onto
    // the bow, not onto the chord.
    a->GetWall(2)->SetArcHeight(1.0);
    a->InvalidateClosing();
    const PlanPoint snapped = Drag(5.3, 2.0);
    ExpectPoint(snapped, {5.0, 2.0}, 1e-9);
}

TEST(PlanHitIndexTest, ANegativeToleranceStillFindsRooms) {
    Site site;
    Room* room = AddSquare(site, "A", {0.0, 0.0}, 4.0);
    const PlanHitIndex index(site);
    EXPECT_EQ(index.Pick({2.0, 2.0}, -1.0), (PickResult{PickKind::Room, room, nullptr}));
    ExpectPoint(index.SnapPoint({2.0, 3.9}, nullptr, false, -1.0), {2.0, 3.9});
}

}  // namespace
}  // namespace plantrek
