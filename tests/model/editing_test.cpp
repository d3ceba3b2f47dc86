#include "model/editing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "model/closing.h"
#include "model/editing_presets.h"
#include "model/model_test_support.h"
#include "model/units.h"

namespace plantrek {
namespace {

using test::RoomOfWalls;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

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

void ExpectNear(PlanPoint actual, PlanPoint expected, double tol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
}

std::vector<PlanPoint> AbsoluteOutline(const Room& room) {
    std::vector<PlanPoint> points = room.GetVertices(true);
    for (PlanPoint& p : points) {
        p += room.GetLocation();
    }
    return points;
}

void ExpectSameOutline(const std::vector<PlanPoint>& a, const std::vector<PlanPoint>& b,
                       double tol) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        ExpectNear(a[i], b[i], tol);
    }
}

Room WithArcs(Room room, std::initializer_list<std::pair<int, double>> arcs) {
    for (const auto& [index, height] : arcs) {
        room.GetWall(index, true)->SetArcHeight(height);
    }
    room.InvalidateClosing();
    return room;
}

// Closed rooms made of user walls alone, arcs bowing either way.
std::vector<Room> UserWallRooms() {
    std::vector<Room> rooms;
    Room bowedOut = WithArcs(RoomOfWalls({{3, 0}, {3, 90}, {3, 180}, {3, 270}}), {{2, 1.5}});
    bowedOut.Translate({2.0, -1.0});
    rooms.push_back(bowedOut);
    rooms.push_back(
        WithArcs(RoomOfWalls({{3, 0}, {4, 90}, {3, 180}, {4, 270}}), {{0, -0.8}, {3, 0.5}}));
    return rooms;
}

// Closed rooms that need their close rule, some with arcs.
std::vector<Room> RoomsClosedBySystemWalls() {
    std::vector<Room> rooms;
    rooms.push_back(RoomOfWalls({{3, 0}, {4, 90}, {3, 180}}));
    rooms.push_back(RoomOfWalls({{3, 0}, {4, 90}}));
    rooms.push_back(WithArcs(
        RoomOfWalls({{5, 20}, {3, 110}, {2, 200}, {1.5, 250}}, CloseRule::Angled), {{1, 0.4}}));
    rooms.push_back(WithArcs(RoomOfWalls({{4, 30}}, CloseRule::Angled), {{0, 1.2}}));
    return rooms;
}

std::vector<Room> AllRooms() {
    std::vector<Room> rooms = UserWallRooms();
    for (const Room& room : RoomsClosedBySystemWalls()) {
        rooms.push_back(room);
    }
    return rooms;
}

// ---------------------------------------------------------------------------------------------
// Projections

struct ProjectionCase {
    ProjectionSide side;
    double length;
    double firstBearing;
};

class InsertProjectionTest : public ::testing::TestWithParam<ProjectionCase> {};

TEST_P(InsertProjectionTest, ReplacesTheWallWithThreeWalls) {
    Room room = RoomOfWalls({{2, 90}, {3, 0}, {2, 270}});
    Wall* north = room.GetWall(1, true);
    north->SetArcHeight(0.5);
    const ProjectionCase& c = GetParam();
    ASSERT_TRUE(InsertProjection(room, north, c.length, c.side, 0.1));
    ExpectUserWalls(room, {{2, 90},
                           {0.1, c.firstBearing},
                           {c.length, 0, 0.5},
                           {0.1, ReverseDirection(c.firstBearing)},
                           {2, 270}});
    EXPECT_EQ(room.UserWalls()[2].get(), north);
}

INSTANTIATE_TEST_SUITE_P(Sides, InsertProjectionTest,
                         ::testing::Values(ProjectionCase{ProjectionSide::Left, 3.0, 270.0},
                                           ProjectionCase{ProjectionSide::Right, 3.0, 90.0},
                                           ProjectionCase{ProjectionSide::Left, 2.0, 270.0}));

TEST(AppendProjectionTest, AppendsAfterTheLastWallWhileWallsMayBeAppended) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});  // closed with two system walls
    ASSERT_TRUE(CanAppendWalls(room));
    ASSERT_TRUE(AppendProjection(room, 1.0, ProjectionSide::Right, 0.5));
    ExpectUserWalls(room, {{3, 0}, {4, 90}, {0.5, 180}, {1, 90}, {0.5, 0}});

    Room square = RoomOfWalls({{3, 0}, {3, 90}, {3, 180}, {3, 270}});
    EXPECT_FALSE(CanAppendWalls(square));
    EXPECT_FALSE(AppendProjection(square, 1.0, ProjectionSide::Left, 0.5));
    EXPECT_EQ(square.WallCount(true), 4);

    Room empty;
    EXPECT_TRUE(CanAppendWalls(empty));
    EXPECT_FALSE(AppendProjection(empty, 1.0, ProjectionSide::Left, 0.5));
}

// ---------------------------------------------------------------------------------------------
// Circles, arcs and angles

struct CirclesCase {
    PlanPoint p0;
    double r0;
    PlanPoint p1;
    double r1;
    PlanPoint side;
    bool found;
    PlanPoint expected;
};

class IntersectCirclesTest : public ::testing::TestWithParam<CirclesCase> {};

TEST_P(IntersectCirclesTest, FindsTheCrossingOnTheSidePointsSide) {
    const CirclesCase& c = GetParam();
    const auto q = IntersectCircles(c.p0, c.r0, c.p1, c.r1, c.side);
    ASSERT_EQ(q.has_value(), c.found);
    if (c.found) {
        ExpectNear(*q, c.expected, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntersectCirclesTest,
    ::testing::Values(
        CirclesCase{{0, 0}, 5, {8, 0}, 5, {0, 10}, true, {4, 3}},
        CirclesCase{{0, 0}, 5, {8, 0}, 5, {0, -10}, true, {4, -3}},
        CirclesCase{{0, 0}, 5, {8, 0}, 5, {100, 0}, true, {4, 3}},  // on the line: left
        CirclesCase{{0, 0}, 2, {4, 0}, 2, {0, 1}, false, {}},       // touching outside
        CirclesCase{{0, 0}, 5, {1, 0}, 4, {0, 1}, false, {}},       // touching inside
        CirclesCase{{0, 0}, 1, {4, 0}, 9, {0, 1}, false, {}},       // one holds the other
        CirclesCase{{0, 0}, 1, {0, 0}, 1, {0, 1}, false, {}},       // one centre
        CirclesCase{{0, 0}, -1, {4, 0}, 5, {0, 1}, false, {}},
        CirclesCase{{0, 0}, kNaN, {4, 0}, 3, {0, 1}, false, {}},
        CirclesCase{{0, 0}, 3, {4, 0}, 3, {kNaN, 1}, false, {}},
        // Long and shallow: all four ratios must exceed 8, and exactly 8 does not count.
        CirclesCase{{0, 0}, 10, {1, 0}, 10, {0, 1}, true, {0.5, std::sqrt(99.75)}},
        CirclesCase{{0, 0}, 10, {1, 0}, 10.9, {0, 1}, false, {}},
        CirclesCase{
            {0, 0}, 8, {1, 0}, 8.95, {0, 1}, true, {-7.55125, std::sqrt(64 - 7.55125 * 7.55125)}},
        CirclesCase{{0, 0}, 8.0001, {1, 0}, 8.95, {0, 1}, false, {}}));

struct ArcCase {
    const char* name;
    bool useEnds;
    PlanPoint p1, p2;
    double r1, r2;
    ProjectionSide side;
    int wall;
    double expectedHeight;  // NaN: refused
};

class ArcWallTest : public ::testing::TestWithParam<ArcCase> {};

TEST_P(ArcWallTest, BowsThroughTheMeasuredPoint) {
    // A 4 × 3 rectangle: east along y = 0, north, west along y = 3, closed by the south wall.
    Room room = RoomOfWalls({{4, 90}, {3, 0}, {4, 270}});
    const ArcCase& c = GetParam();
    Wall* wall = room.GetWall(c.wall, true);
    const EditResult result = c.useEnds ? ArcWall(room, wall, c.r1, c.r2, c.side)
                                        : ArcWall(room, wall, c.p1, c.p2, c.r1, c.r2, c.side);
    if (std::isnan(c.expectedHeight)) {
        EXPECT_FALSE(result.changed);
        EXPECT_EQ(result.message, kCouldNotCalculatePointMessage);
        EXPECT_EQ(wall->GetArcHeight(), 0.0);
    } else {
        EXPECT_TRUE(result.changed);
        EXPECT_TRUE(result.message.isEmpty());
        EXPECT_NEAR(wall->GetArcHeight(), c.expectedHeight, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArcWallTest,
    ::testing::Values(
        ArcCase{"symmetric",
                true,
                {},
                {},
                std::sqrt(5.0),
                std::sqrt(5.0),
                ProjectionSide::Left,
                0,
                1.0},
        ArcCase{
            "right", true, {}, {}, std::sqrt(5.0), std::sqrt(5.0), ProjectionSide::Right, 0, -1.0},
        ArcCase{"offCentre",
                true,
                {},
                {},
                std::sqrt(0.5),
                std::sqrt(12.5),
                ProjectionSide::Left,
                0,
                1.0},
        ArcCase{"pastAHalfCircle",
                true,
                {},
                {},
                std::sqrt(20.0),
                std::sqrt(20.0),
                ProjectionSide::Left,
                0,
                2.0},
        ArcCase{"corners",
                false,
                {0, 0},
                {4, 3},
                std::sqrt(18.5),
                std::sqrt(0.5),
                ProjectionSide::Left,
                2,
                1.0},
        ArcCase{"tooShort", true, {}, {}, 1.0, 1.0, ProjectionSide::Left, 0, kNaN},
        ArcCase{"onTheChord", false, {6, 3}, {6, -3}, 5.0, 5.0, ProjectionSide::Left, 0, kNaN}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AngleWallTest, SwingsTheWallToTheDiagonal) {
    // East 4 m from the start point, then a 3 m wall heading north-east.
    Room room = RoomOfWalls({{4, 90}, {3, 45}});
    Wall* wall = room.GetWall(1, true);

    const EditResult tooLong = AngleWall(room, wall, 8.0);
    EXPECT_EQ(tooLong.message, kCouldNotCalculatePointMessage);
    EXPECT_EQ(wall->GetDirection(), 45.0);

    ASSERT_TRUE(AngleWall(room, wall, 5.0).changed);
    EXPECT_NEAR(wall->GetLength(), 3.0, 1e-9);
    EXPECT_LT(BearingGap(wall->GetDirection(), 0.0), 1e-6);
    ExpectNear(room.GetWallEnds(1).second, {4, 3}, 1e-9);
}

TEST(AngleWallTest, RefusesWhileTheStartPointIsOnTheWall) {
    Room room = RoomOfWalls({{4, 90}, {3, 45}});
    Wall* wall = room.GetWall(1, true);
    ASSERT_TRUE(SetStartPoint(room, {4, 0}));
    EXPECT_EQ(CheckAngleWallStartPoint(room, room.GetWall(0, true)), kStartPointOnWallMessage);
    EXPECT_EQ(AngleWall(room, wall, 5.0).message, kStartPointOnWallMessage);
    EXPECT_EQ(wall->GetDirection(), 45.0);
}

// ---------------------------------------------------------------------------------------------
// Wall edits

struct MoveEndCase {
    double distance;
    double direction;
    double length;
    double bearing;
};

class MoveWallEndTest : public ::testing::TestWithParam<MoveEndCase> {};

TEST_P(MoveWallEndTest, AddsTheAdjustment) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    Wall* wall = room.GetWall(0, true);
    wall->SetArcHeight(0.5);
    ASSERT_TRUE(MoveWallEnd(room, wall, GetParam().distance, GetParam().direction));
    EXPECT_NEAR(wall->GetLength(), GetParam().length, 1e-12);
    EXPECT_LT(BearingGap(wall->GetDirection(), GetParam().bearing), 1e-5);
    EXPECT_EQ(wall->GetArcHeight(), 0.5);
}

INSTANTIATE_TEST_SUITE_P(Adjustments, MoveWallEndTest,
                         ::testing::Values(MoveEndCase{1, 0, 4, 0}, MoveEndCase{1, 180, 2, 0},
                                           MoveEndCase{5, 180, 2, 180},
                                           MoveEndCase{4, 90, 5, 53.13010235415598}));

TEST(EditWallTest, LimitsTheArcToAHalfCircle) {
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
    Room room = RoomOfWalls({{3, 0}, {4, 90}, {3, 180}});
    room.GetWall(1, true)->SetArcHeight(0.7);
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

TEST(EditingTest, WallsOfAnotherRoomAreLeftAlone) {
    Room other = RoomOfWalls({{1, 0}});
    Wall* stranger = other.GetWall(0, true);
    const std::vector<std::function<bool(Room&)>> operations = {
        [&](Room& r) { return EditWall(r, stranger, 1, 0, 0); },
        [&](Room& r) { return EditWall(r, r.GetWall(0, true), kNaN, 0, 0); },
        [&](Room& r) { return InsertProjection(r, stranger, 1, ProjectionSide::Left, 0.1); },
        [&](Room& r) { return ArcWall(r, stranger, 1, 1, ProjectionSide::Left).changed; },
        [&](Room& r) {
            return !ArcWall(r, stranger, 1, 1, ProjectionSide::Left).message.isEmpty();
        },
        [&](Room& r) { return AngleWall(r, stranger, 5).changed; },
        [&](Room& r) { return MoveWallEnd(r, stranger, 1, 0); },
        [&](Room& r) { return ReplaceWall(r, stranger); },
        [&](Room& r) { return ReplaceWall(r, nullptr); },
        [&](Room& r) {
            return RotateRoom(r, {0, 0}, kInf);
        },
        [&](Room& r) {
            return ReflectRoom(r, {kNaN, 0}, ReflectMode::Vertical);
        },
    };
    for (std::size_t i = 0; i < operations.size(); ++i) {
        Room room = RoomOfWalls({{3, 0}, {4, 90}, {3, 180}});
        const std::vector<PlanPoint> before = AbsoluteOutline(room);
        EXPECT_FALSE(operations[i](room)) << "operation " << i;
        ExpectSameOutline(AbsoluteOutline(room), before, 0.0);
    }
}

// ---------------------------------------------------------------------------------------------
// Rotation and reflection

TEST(RotateRoomTest, TurnsAboutTheStartPoint) {
    Room room = RoomOfWalls({{3, 0}, {3, 90}, {3, 180}});  // closed by a system wall west
    ASSERT_TRUE(SetStartPoint(room, {3, 3}));
    ASSERT_TRUE(RotateRoom(room, PivotPoint(room, RoomPivot::RoomStartPoint), 90.0));
    EXPECT_EQ(room.GetStartPoint().x, 3.0);
    EXPECT_EQ(room.GetStartPoint().y, 3.0);
    ExpectUserWalls(room, {{3, 90}, {3, 180}, {3, 270}, {3, 0}});
    EXPECT_EQ(room.WallCount(false), 4);
    ExpectNear(room.GetLocation(), {0, 6}, 1e-6);
    EXPECT_EQ(room.IndexOfVertex(room.GetStartPoint()), 2);
}

TEST(RotateRoomTest, KeepsTheStartPointOnItsCornerFarFromThePivot) {
    Room room = RoomOfWalls({{190, 90}, {190, 0}, {190, 270}, {190, 180}});
    ASSERT_TRUE(SetStartPoint(room, {190, 190}));
    ASSERT_TRUE(RotateRoom(room, {-150, -150}, 90.0));
    EXPECT_EQ(room.IndexOfVertex(room.GetStartPoint()), 2);
}

struct ReflectCase {
    ReflectMode mode;
    double bearing;
    PlanPoint location;
};

class ReflectRoomTest : public ::testing::TestWithParam<ReflectCase> {};

TEST_P(ReflectRoomTest, MirrorsPointsBearingsAndArcs) {
    Room room = WithArcs(RoomOfWalls({{2, 30}, {2, 120}}), {{0, 0.5}});
    ASSERT_TRUE(ReflectRoom(room, {1, 2}, GetParam().mode));
    EXPECT_NEAR(room.GetWall(0, true)->GetDirection(), GetParam().bearing, 1e-12);
    EXPECT_EQ(room.GetWall(0, true)->GetArcHeight(), -0.5);
    ExpectNear(room.GetLocation(), GetParam().location, 0.0);
    ExpectNear(room.GetStartPoint(), GetParam().location, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Modes, ReflectRoomTest,
                         ::testing::Values(ReflectCase{ReflectMode::Vertical, 150, {0, 4}},
                                           ReflectCase{ReflectMode::Horizontal, 330, {2, 0}}));

// ---------------------------------------------------------------------------------------------
// Properties over closed rooms, with and without arcs and system walls

TEST(EditingPropertyTest, ReversingTwiceGivesTheSameOutline) {
    for (Room room : AllRooms()) {
        ASSERT_TRUE(room.IsClosed());
        const std::vector<PlanPoint> before = AbsoluteOutline(room);
        ReverseWalls(room);
        ReverseWalls(room);
        ExpectSameOutline(AbsoluteOutline(room), before, 1e-9);
    }
}

TEST(EditingPropertyTest, FourQuarterTurnsGiveBackTheVertices) {
    for (Room room : UserWallRooms()) {
        const std::vector<PlanPoint> relative = room.GetVertices(true);
        const std::vector<PlanPoint> absolute = AbsoluteOutline(room);
        for (int i = 0; i < 4; ++i) {
            RotateRoom(room, PivotPoint(room, RoomPivot::CentreOfRoom), 90.0);
        }
        ExpectSameOutline(room.GetVertices(true), relative, 1e-9);
        // Points turn by the program's truncated π, a few tenths of a micrometre per turn.
        ExpectSameOutline(AbsoluteOutline(room), absolute, 1e-6);
    }
    for (Room room : RoomsClosedBySystemWalls()) {
        const std::vector<PlanPoint> absolute = AbsoluteOutline(room);
        for (int i = 0; i < 4; ++i) {
            RotateRoom(room, PivotPoint(room, RoomPivot::RoomStartPoint), 90.0);
        }
        EXPECT_EQ(room.SystemWalls().size(), 0u);
        ExpectSameOutline(AbsoluteOutline(room), absolute, 1e-6);
    }
}

TEST(EditingPropertyTest, ReflectingTwiceIsTheIdentity) {
    for (ReflectMode mode : {ReflectMode::Vertical, ReflectMode::Horizontal}) {
        for (Room room : AllRooms()) {
            const std::vector<PlanPoint> before = AbsoluteOutline(room);
            const PlanPoint pivot = PivotPoint(room, RoomPivot::CentreOfRoom);
            ReflectRoom(room, pivot, mode);
            ReflectRoom(room, pivot, mode);
            ExpectSameOutline(AbsoluteOutline(room), before, 1e-9);
        }
    }
}

TEST(EditingPropertyTest, AreaSurvivesRotationReflectionAndReversal) {
    const std::vector<std::function<void(Room&)>> edits = {
        [](Room& r) { RotateRoom(r, PivotPoint(r, RoomPivot::CentreOfRoom), 37.0); },
        [](Room& r) { RotateRoom(r, PivotPoint(r, RoomPivot::RoomStartPoint), 270.0); },
        [](Room& r) {
            ReflectRoom(r, PivotPoint(r, RoomPivot::CentreOfRoom), ReflectMode::Vertical);
        },
        [](Room& r) {
            ReflectRoom(r, {5, -3}, ReflectMode::Horizontal);
        },
        [](Room& r) { ReverseWalls(r); },
    };
    for (std::size_t e = 0; e < edits.size(); ++e) {
        for (Room room : AllRooms()) {
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

// ---------------------------------------------------------------------------------------------
// Dialog fields and presets

const MetricUnits kMeters(1000);
const ImperialUnits kFeet(ImperialUnits::DeviceEncoding::FeetInchesAnd32nds);
const QString kMetricRange = QStringLiteral("The wall length must be between 0.03 m and 200.00 m.");

TEST(DialogCheckTest, RangesRefuseEverythingOutsideOneInchTo200Meters) {
    for (double accepted : {MinWallLength, MinWallLength - 0.5e-8, 199.99999}) {
        EXPECT_EQ(CheckWallLength(accepted, kMeters), std::nullopt) << accepted;
    }
    for (double refused : {MinWallLength - 2e-8, 0.0, -1.0, 200.0, 200.00001, kNaN, kInf, -kInf}) {
        EXPECT_EQ(CheckWallLength(refused, kMeters), kMetricRange) << refused;
        EXPECT_EQ(CheckMoveDistance(refused, kMeters),
                  QStringLiteral("The distance must be between 0.03 m and 200.00 m."));
        EXPECT_EQ(CheckProjectionFields(0.762, refused, kMeters), kMetricRange);
    }
    EXPECT_EQ(CheckWallLength(0.0, kFeet),
              QStringLiteral("The wall length must be between 1\" and 656' 2\"."));
}

TEST(DialogCheckTest, ProjectionMustBeBelowHalfTheLength) {
    const QString tooLarge = QStringLiteral("The projection must be less than 1.50 m.");
    for (double refused : {1.5, 2.0, kNaN, -kInf}) {
        EXPECT_EQ(CheckWallFields(3.0, refused, kMeters), tooLarge) << refused;
    }
    EXPECT_EQ(CheckWallFields(3.0, 1.49, kMeters), std::nullopt);
    EXPECT_EQ(CheckWallFields(kFoot * 10, kFoot * 5, kFeet),
              QStringLiteral("The projection must be less than 5'."));
    EXPECT_EQ(CheckWallFields(0.0, 0.0, kMeters), kMetricRange);
}

TEST(DialogCheckTest, ArcCornersAndRotation) {
    EXPECT_EQ(CheckArcWallFields(true, false, kNaN, 1.0, kMeters), kSelectCornersMessage);
    EXPECT_EQ(CheckArcWallFields(true, true, 2.0, 3.0, kMeters), std::nullopt);
    EXPECT_EQ(CheckArcWallFields(false, false, 2.0, 300.0, kMeters),
              QStringLiteral("The distance must be between 0.03 m and 200.00 m."));
    EXPECT_EQ(CheckRotationText(QString()), kInvalidAngleMessage);
    EXPECT_EQ(CheckRotationText(QStringLiteral("1e999")), kInvalidAngleMessage);
    EXPECT_EQ(CheckRotationText(QStringLiteral("abc")), std::nullopt);
}

TEST(ProjectionPresetTest, ListsParseAsWallLengths) {
    const QStringList feet = ProjectionLengthPresets(kFeet);
    ASSERT_EQ(feet.size(), 13);
    EXPECT_EQ(feet.mid(0, 2), QStringList({"2'", "2' 2\""}));
    EXPECT_EQ(feet.mid(11), QStringList({"3' 10\"", "4'"}));
    const QStringList inches = ProjectionDepthPresets(kFeet);
    ASSERT_EQ(inches.size(), 10);
    EXPECT_EQ(inches.front() + inches.back(), QStringLiteral("1\"10\""));
    for (const QString& text : feet + inches) {
        EXPECT_TRUE(IsWallLengthInRange(kFeet.ParseLength(text))) << text.toStdString();
    }
    EXPECT_EQ(ProjectionLengthPresets(kMeters).size(), 14);
    EXPECT_EQ(ProjectionLengthPresets(kMeters)[5], QStringLiteral(".762 m"));
    EXPECT_EQ(kMeters.ParseLength(ProjectionDepthPresets(kMeters).back()), 0.2);

    ProjectionMemory memory;
    EXPECT_NEAR(memory.Length() + memory.Depth(), 0.762 + 0.127, 1e-12);
}

}  // namespace
}  // namespace plantrek
