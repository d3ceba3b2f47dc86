#include "model/editing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "model/closing.h"
#include "model/model_test_support.h"
#include "model/units.h"

namespace plantrek {
namespace {

using test::ExpectNear;
using test::RoomOfWalls;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr ProjectionSide kLeft = ProjectionSide::Left;
constexpr ProjectionSide kRight = ProjectionSide::Right;

struct WallSpec {
    double length;
    double direction;
    double arc = 0.0;
};

// Bearings compared on the circle: 359.9999999 is next to 0.
double BearingGap(double a, double b) {
    const double d = std::fabs(NormalizeDegrees(a) - NormalizeDegrees(b));
    return std::min(d, 360.0 - d);
}

void ExpectUserWalls(const Room& room, const std::vector<WallSpec>& expected) {
    ASSERT_EQ(room.WallCount(true), static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Wall& wall = *room.UserWalls()[i];
        EXPECT_NEAR(wall.GetLength(), expected[i].length, 1e-9) << "wall " << i;
        EXPECT_LT(BearingGap(wall.GetDirection(), expected[i].direction), 1e-5) << "wall " << i;
        EXPECT_NEAR(wall.GetArcHeight(), expected[i].arc, 1e-9) << "wall " << i;
    }
}

// The expanded outline in plan coordinates, compared point by point with `expected`.
std::vector<PlanPoint> AbsoluteOutline(const Room& room) {
    std::vector<PlanPoint> points = room.GetVertices(true);
    for (PlanPoint& p : points) {
        p += room.GetLocation();
    }
    return points;
}

Room WithArcs(Room room, std::initializer_list<std::pair<int, double>> arcs) {
    for (const auto& [index, height] : arcs) {
        room.GetWall(index, true)->SetArcHeight(height);
    }
    room.InvalidateClosing();
    return room;
}

// Closed rooms, arcs bowing either way: two of user walls alone, then four that need their
// close rule.
std::vector<Room> ClosedRooms() {
    Room bowedOut = WithArcs(RoomOfWalls({{3, 0}, {3, 90}, {3, 180}, {3, 270}}), {{2, 1.5}});
    bowedOut.Translate({2.0, -1.0});
    return {bowedOut,
            WithArcs(RoomOfWalls({{3, 0}, {4, 90}, {3, 180}, {4, 270}}), {{0, -0.8}, {3, 0.5}}),
            RoomOfWalls({{3, 0}, {4, 90}, {3, 180}}),
            RoomOfWalls({{3, 0}, {4, 90}}),
            WithArcs(RoomOfWalls({{5, 20}, {3, 110}, {2, 200}, {1.5, 250}}, CloseRule::Angled),
                     {{1, 0.4}}),
            WithArcs(RoomOfWalls({{4, 30}}, CloseRule::Angled), {{0, 1.2}})};
}

// ---------------------------------------------------------------------------------------------
// Projections

TEST(ProjectionTest, InsertReplacesTheWallWithThreeWalls) {
    const struct {
        ProjectionSide side;
        double length;
        double firstBearing;
    } cases[] = {{kLeft, 3.0, 270.0}, {kRight, 3.0, 90.0}, {kLeft, 2.0, 270.0}};
    for (const auto& c : cases) {
        Room room = RoomOfWalls({{2, 90}, {3, 0}, {2, 270}});
        Wall* north = room.GetWall(1, true);
        north->SetArcHeight(0.5);
        ASSERT_TRUE(InsertProjection(room, north, c.length, c.side, 0.1));
        ExpectUserWalls(room, {{2, 90},
                               {0.1, c.firstBearing},
                               {c.length, 0, 0.5},
                               {0.1, ReverseDirection(c.firstBearing)},
                               {2, 270}});
        EXPECT_EQ(room.UserWalls()[2].get(), north);
    }
}

TEST(ProjectionTest, AppendsAfterTheLastWallWhileWallsMayBeAppended) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});  // closed with two system walls
    ASSERT_TRUE(CanAppendWalls(room));
    ASSERT_TRUE(AppendProjection(room, 1.0, kRight, 0.5));
    ExpectUserWalls(room, {{3, 0}, {4, 90}, {0.5, 180}, {1, 90}, {0.5, 0}});

    Room square = RoomOfWalls({{3, 0}, {3, 90}, {3, 180}, {3, 270}});
    EXPECT_FALSE(CanAppendWalls(square));
    EXPECT_FALSE(AppendProjection(square, 1.0, kLeft, 0.5));
    EXPECT_EQ(square.WallCount(true), 4);
    Room empty;
    EXPECT_TRUE(CanAppendWalls(empty));
    EXPECT_FALSE(AppendProjection(empty, 1.0, kLeft, 0.5));
}

// ---------------------------------------------------------------------------------------------
// Circles, arcs and angles

TEST(IntersectCirclesTest, FindsTheCrossingOnTheSidePointsSide) {
    // Circles about the origin and p1; the crossing expected (x NaN: none) on the side of the
    // side point. Long and shallow cases fail when all four ratios exceed 8 (exactly 8 does not
    // count).
    // clang-format off
    const std::tuple<double, PlanPoint, double, PlanPoint, PlanPoint> cases[] = {
        {5, {8, 0}, 5, {0, 10}, {4, 3}}, {5, {8, 0}, 5, {0, -10}, {4, -3}},
        {5, {8, 0}, 5, {100, 0}, {4, 3}},   // side point on the line: left
        {2, {4, 0}, 2, {0, 1}, {kNaN, 0}},  // touching outside
        {5, {1, 0}, 4, {0, 1}, {kNaN, 0}},  // touching inside
        {1, {4, 0}, 9, {0, 1}, {kNaN, 0}},  // one holds the other
        {1, {0, 0}, 1, {0, 1}, {kNaN, 0}},  // one centre
        {-1, {4, 0}, 5, {0, 1}, {kNaN, 0}}, {kNaN, {4, 0}, 3, {0, 1}, {kNaN, 0}},
        {3, {4, 0}, 3, {kNaN, 1}, {kNaN, 0}}, {10, {1, 0}, 10, {0, 1}, {0.5, std::sqrt(99.75)}},
        {10, {1, 0}, 10.9, {0, 1}, {kNaN, 0}},
        {8, {1, 0}, 8.95, {0, 1}, {-7.55125, std::sqrt(64 - 7.55125 * 7.55125)}},
        {8.0001, {1, 0}, 8.95, {0, 1}, {kNaN, 0}},
    };
    // clang-format on
    for (const auto& [r0, p1, r1, side, expected] : cases) {
        const auto q = IntersectCircles({0, 0}, r0, p1, r1, side);
        ASSERT_EQ(q.has_value(), !std::isnan(expected.x)) << r0 << " " << r1;
        if (q) {
            ExpectNear(*q, expected, 1e-12);
        }
    }
}

TEST(ArcWallTest, BowsThroughTheMeasuredPoint) {
    const double r5 = std::sqrt(5.0);
    const struct {
        bool useEnds;
        PlanPoint p1, p2;
        double r1, r2;
        ProjectionSide side;
        int wall;
        double expectedHeight;  // NaN: refused
    } cases[] = {
        {true, {}, {}, r5, r5, kLeft, 0, 1.0},
        {true, {}, {}, r5, r5, kRight, 0, -1.0},
        {true, {}, {}, std::sqrt(0.5), std::sqrt(12.5), kLeft, 0, 1.0},   // off centre
        {true, {}, {}, std::sqrt(20.0), std::sqrt(20.0), kLeft, 0, 2.0},  // past a half circle
        {false, {0, 0}, {4, 3}, std::sqrt(18.5), std::sqrt(0.5), kLeft, 2, 1.0},  // corners
        {true, {}, {}, 1.0, 1.0, kLeft, 0, kNaN},                                 // too short
        {false, {6, 3}, {6, -3}, 5.0, 5.0, kLeft, 0, kNaN},                       // on the chord
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.r1);
        // A 4 × 3 rectangle: east along y = 0, north, west along y = 3, closed by the south wall.
        Room room = RoomOfWalls({{4, 90}, {3, 0}, {4, 270}});
        Wall* wall = room.GetWall(c.wall, true);
        const EditResult result = c.useEnds ? ArcWall(room, wall, c.r1, c.r2, c.side)
                                            : ArcWall(room, wall, c.p1, c.p2, c.r1, c.r2, c.side);
        const bool refused = std::isnan(c.expectedHeight);
        EXPECT_EQ(result.changed, !refused);
        EXPECT_EQ(result.refusal,
                  refused ? EditRefusal::CouldNotCalculatePoint : EditRefusal::None);
        EXPECT_NEAR(wall->GetArcHeight(), refused ? 0.0 : c.expectedHeight, 1e-9);
    }
}

TEST(AngleWallTest, SwingsTheWallToTheDiagonal) {
    // East 4 m from the start point, then a 3 m wall heading north-east.
    Room room = RoomOfWalls({{4, 90}, {3, 45}});
    Wall* wall = room.GetWall(1, true);
    EXPECT_EQ(AngleWall(room, wall, 8.0).refusal, EditRefusal::CouldNotCalculatePoint);
    EXPECT_EQ(wall->GetDirection(), 45.0);
    ASSERT_TRUE(AngleWall(room, wall, 5.0).changed);
    EXPECT_NEAR(wall->GetLength(), 3.0, 1e-9);
    EXPECT_LT(BearingGap(wall->GetDirection(), 0.0), 1e-6);
    ExpectNear(room.GetWallEnds(1).second, {4, 3}, 1e-9);

    // Refused while the start point is on the wall.
    Room other = RoomOfWalls({{4, 90}, {3, 45}});
    ASSERT_TRUE(SetStartPoint(other, {4, 0}));
    EXPECT_TRUE(StartPointOnWall(other, other.GetWall(0, true)));
    EXPECT_EQ(AngleWall(other, other.GetWall(1, true), 5.0).refusal, EditRefusal::StartPointOnWall);
    EXPECT_EQ(other.GetWall(1, true)->GetDirection(), 45.0);
}

// ---------------------------------------------------------------------------------------------
// Wall edits

TEST(EditWallTest, MoveWallEndAddsTheAdjustmentAndEditWallClampsTheArc) {
    const struct {
        double distance, direction, length, bearing;
    } cases[] = {{1, 0, 4, 0}, {1, 180, 2, 0}, {5, 180, 2, 180}, {4, 90, 5, 53.13010235415598}};
    for (const auto& c : cases) {
        Room room = RoomOfWalls({{3, 0}, {4, 90}});
        Wall* wall = room.GetWall(0, true);
        wall->SetArcHeight(0.5);
        ASSERT_TRUE(MoveWallEnd(room, wall, c.distance, c.direction));
        EXPECT_NEAR(wall->GetLength(), c.length, 1e-12);
        EXPECT_LT(BearingGap(wall->GetDirection(), c.bearing), 1e-5);
        EXPECT_EQ(wall->GetArcHeight(), 0.5);
    }
    // Pulled back onto its start, or out to 200 m, the wall is left as it was.
    for (const auto& [distance, direction] : {std::pair{3.0, 180.0}, std::pair{197.0, 0.0}}) {
        Room room = RoomOfWalls({{3, 0}, {4, 90}});
        EXPECT_FALSE(MoveWallEnd(room, room.GetWall(0, true), distance, direction));
        ExpectUserWalls(room, {{3, 0}, {4, 90}});
    }
    Room room = RoomOfWalls({{3, 0}, {4, 90}, {3, 180}});
    ASSERT_TRUE(EditWall(room, room.GetWall(1, true), 2.0, 45.0, -5.0));
    ExpectUserWalls(room, {{3, 0}, {2, 45, -1.0}, {3, 180}});
}

TEST(ReplaceWallTest, ClosedRoomsOnly) {
    Room open = RoomOfWalls({{3, 0}, {3, 180}});
    ASSERT_FALSE(open.IsClosed());
    EXPECT_FALSE(ReplaceWall(open, open.GetWall(0, true)));
    EXPECT_EQ(open.WallCount(true), 2);

    Room room = RoomOfWalls({{3, 0}, {4, 90}, {3, 180}});
    ASSERT_TRUE(ReplaceWall(room, room.GetWall(1, true)));
    ExpectNear(room.GetLocation(), {4, 3}, 1e-12);
    ExpectUserWalls(room, {{3, 180}, {4, 270}, {3, 0}});
    ASSERT_EQ(room.SystemWalls().size(), 1u);
    ExpectNear(room.SystemWalls()[0]->GetVector(), {4, 0}, 1e-12);
    EXPECT_NEAR(room.GetArea(), 12.0, 1e-9);
}

TEST(ReverseWallsTest, TracesThePathBackwards) {
    Room room = WithArcs(RoomOfWalls({{3, 0}, {4, 90}, {3, 180}}), {{1, 0.7}});
    ASSERT_TRUE(ReverseWalls(room));
    ExpectNear(room.GetLocation(), {4, 0}, 1e-12);
    ExpectUserWalls(room, {{3, 0}, {4, 270, -0.7}, {3, 180}});
    ASSERT_EQ(room.SystemWalls().size(), 1u);
    ExpectNear(room.SystemWalls()[0]->GetVector(), {4, 0}, 1e-12);
    ExpectNear(room.GetStartPoint(), {0, 0}, 1e-12);
    Room empty;
    EXPECT_FALSE(ReverseWalls(empty));
}

TEST(SetStartPointTest, CornersOnly) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});  // corners (4, 3) user, (4, 0) system
    EXPECT_FALSE(SetStartPoint(room, {1, 1}));
    ASSERT_TRUE(SetStartPoint(room, {4, 3}));
    EXPECT_EQ(room.WallCount(true), 2);
    ASSERT_TRUE(SetStartPoint(room, {4, 0}));
    EXPECT_EQ(room.WallCount(true), 4);
    ExpectNear(room.GetStartPoint(), {4, 0}, 0.0);
    EXPECT_EQ(FindCornerNear(room, {4.2, 0.1}, 0.3)->x, 4.0);
    EXPECT_EQ(FindCornerNear(room, {2, 2}, 0.3), std::nullopt);
}

// Walls of another room, and numbers that are no numbers, change nothing.
TEST(EditingTest, ForeignWallsAndNonFiniteNumbersAreLeftAlone) {
    Room other = RoomOfWalls({{1, 0}});
    Wall* stranger = other.GetWall(0, true);
    const std::vector<std::function<bool(Room&)>> operations = {
        [&](Room& r) { return EditWall(r, stranger, 1, 0, 0); },
        [&](Room& r) { return EditWall(r, r.GetWall(0, true), kNaN, 0, 0); },
        [&](Room& r) { return InsertProjection(r, stranger, 1, kLeft, 0.1); },
        [&](Room& r) { return ArcWall(r, stranger, 1, 1, kLeft).changed; },
        [&](Room& r) { return ArcWall(r, stranger, 1, 1, kLeft).refusal != EditRefusal::None; },
        [&](Room& r) { return AngleWall(r, stranger, 5).changed; },
        [&](Room& r) { return MoveWallEnd(r, stranger, 1, 0); },
        [&](Room& r) { return ReplaceWall(r, stranger); },
        [&](Room& r) { return ReplaceWall(r, nullptr); },
        [&](Room& r) { return RotateRoom(r, {0, 0}, kInf); },
        [&](Room& r) { return ReflectRoom(r, {kNaN, 0}, ReflectMode::Vertical); },
    };
    for (std::size_t i = 0; i < operations.size(); ++i) {
        Room room = RoomOfWalls({{3, 0}, {4, 90}, {3, 180}});
        const std::vector<PlanPoint> before = AbsoluteOutline(room);
        EXPECT_FALSE(operations[i](room)) << "operation " << i;
        ExpectNear(AbsoluteOutline(room), before, 0.0);
    }
}

// ---------------------------------------------------------------------------------------------
// Rotation and reflection

TEST(RotateRoomTest, TurnsAboutTheStartPoint) {
    Room room = RoomOfWalls({{3, 0}, {3, 90}, {3, 180}});  // closed by a system wall west
    ASSERT_TRUE(SetStartPoint(room, {3, 3}));
    ASSERT_TRUE(RotateRoom(room, PivotPoint(room, RoomPivot::RoomStartPoint), 90.0));
    ExpectNear(room.GetStartPoint(), {3, 3}, 0.0);
    ExpectUserWalls(room, {{3, 90}, {3, 180}, {3, 270}, {3, 0}});
    EXPECT_EQ(room.WallCount(false), 4);
    ExpectNear(room.GetLocation(), {0, 6}, 1e-6);
    EXPECT_EQ(room.IndexOfVertex(room.GetStartPoint()), 2);

    // The centre of a room is the centre of its bounds, not its centroid.
    ExpectNear(
        PivotPoint(RoomOfWalls({{3, 0}, {4, 90}}, CloseRule::Angled), RoomPivot::CentreOfRoom),
        {2, 1.5}, 1e-12);
    // Far from the pivot the start point stays on its corner.
    Room big = RoomOfWalls({{190, 90}, {190, 0}, {190, 270}, {190, 180}});
    ASSERT_TRUE(SetStartPoint(big, {190, 190}));
    ASSERT_TRUE(RotateRoom(big, {-150, -150}, 90.0));
    EXPECT_EQ(big.IndexOfVertex(big.GetStartPoint()), 2);
}

TEST(ReflectRoomTest, MirrorsPointsBearingsAndArcs) {
    const struct {
        ReflectMode mode;
        double bearing;
        PlanPoint location;
    } cases[] = {{ReflectMode::Vertical, 150, {0, 4}}, {ReflectMode::Horizontal, 330, {2, 0}}};
    for (const auto& c : cases) {
        Room room = WithArcs(RoomOfWalls({{2, 30}, {2, 120}}), {{0, 0.5}});
        ASSERT_TRUE(ReflectRoom(room, {1, 2}, c.mode));
        EXPECT_NEAR(room.GetWall(0, true)->GetDirection(), c.bearing, 1e-12);
        EXPECT_EQ(room.GetWall(0, true)->GetArcHeight(), -0.5);
        ExpectNear(room.GetLocation(), c.location, 0.0);
        ExpectNear(room.GetStartPoint(), c.location, 0.0);
    }
}

// ---------------------------------------------------------------------------------------------
// Properties over closed rooms, with and without arcs and system walls

TEST(EditingPropertyTest, AreaSurvivesRotationReflectionAndReversal) {
    const std::vector<std::function<void(Room&)>> edits = {
        [](Room& r) { RotateRoom(r, PivotPoint(r, RoomPivot::CentreOfRoom), 37.0); },
        [](Room& r) { RotateRoom(r, PivotPoint(r, RoomPivot::RoomStartPoint), 270.0); },
        // Absurd angles turn the whole room as one: 1e17 is 280 degrees.
        [](Room& r) { RotateRoom(r, PivotPoint(r, RoomPivot::RoomStartPoint), 1e17); },
        [](Room& r) { RotateRoom(r, PivotPoint(r, RoomPivot::CentreOfRoom), -1e-20); },
        [](Room& r) {
            ReflectRoom(r, PivotPoint(r, RoomPivot::CentreOfRoom), ReflectMode::Vertical);
        },
        [](Room& r) { ReflectRoom(r, {5, -3}, ReflectMode::Horizontal); },
        [](Room& r) { ReverseWalls(r); },
    };
    for (std::size_t e = 0; e < edits.size(); ++e) {
        for (Room room : ClosedRooms()) {
            const double area = room.GetArea();
            ASSERT_GT(area, 0.0);
            edits[e](room);
            EXPECT_TRUE(room.IsClosed()) << "edit " << e;
            // Closing walls turned into user walls take their bearing through the program's
            // truncated π, which moves them by a fraction of a micrometre.
            EXPECT_NEAR(room.GetArea(), area, 1e-5) << "edit " << e;
        }
    }
}

}  // namespace
}  // namespace plantrek
