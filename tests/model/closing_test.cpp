#include "model/closing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/model_test_support.h"
#include "model/units.h"

namespace plantrek {
namespace {

using test::RoomOfWalls;

struct Leg {
    double length;
    double direction;
    double arc = 0.0;
};

Room RoomOfLegs(const std::vector<Leg>& legs, CloseRule rule) {
    Room room(PlanPoint{0, 0});
    room.SetCloseRule(rule);
    for (const Leg& leg : legs) {
        room.AddWall(leg.length, leg.direction, leg.arc);
    }
    return room;
}

struct CloseCase {
    const char* name;
    std::vector<Leg> walls;
    CloseRule rule;
    CloseState state;
    std::vector<PlanPoint> systemWalls;  // vectors, in order
    double area;
};

class CloseRuleTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseRuleTest, AddsTheSystemWallsOfItsRule) {
    const CloseCase& c = GetParam();
    Room room = RoomOfLegs(c.walls, c.rule);
    EXPECT_EQ(room.StoredCloseState(), CloseState::NotComputed);
    EXPECT_EQ(GetCloseState(room), c.state);
    ASSERT_EQ(room.SystemWalls().size(), c.systemWalls.size());
    for (std::size_t i = 0; i < c.systemWalls.size(); ++i) {
        const Wall& wall = *room.SystemWalls()[i];
        EXPECT_EQ(wall.GetKind(), WallKind::System);
        EXPECT_FALSE(wall.HasArc());
        EXPECT_NEAR(wall.GetVector().x, c.systemWalls[i].x, 1e-9) << i;
        EXPECT_NEAR(wall.GetVector().y, c.systemWalls[i].y, 1e-9) << i;
    }
    EXPECT_NEAR(room.GetArea(), c.area, 1e-6);
}

const double kSide = 5.0 / std::sqrt(2.0);

INSTANTIATE_TEST_SUITE_P(
    Rooms, CloseRuleTest,
    ::testing::Values(
        CloseCase{"ThreeWallsOneSystemWall",
                  {{3, 0}, {4, 90}, {3, 180}},
                  CloseRule::Square,
                  CloseState::Closed,
                  {{-4, 0}},
                  12},
        CloseCase{"TwoWallsSquareCorner",
                  {{3, 0}, {4, 90}},
                  CloseRule::Square,
                  CloseState::Closed,
                  {{0, -3}, {-4, 0}},
                  12},
        CloseCase{"TwoWallsReverseSquareFoldsBack",
                  {{3, 0}, {4, 90}},
                  CloseRule::ReverseSquare,
                  CloseState::NotClosed,
                  {},
                  0},
        CloseCase{"TwoWallsAngled",
                  {{3, 0}, {4, 90}},
                  CloseRule::Angled,
                  CloseState::Closed,
                  {{-4, -3}},
                  6},
        CloseCase{"DiagonalWallSquare",
                  {{5, 45}},
                  CloseRule::Square,
                  CloseState::Closed,
                  {{0, -kSide}, {-kSide, 0}},
                  kSide* kSide / 2},
        CloseCase{"DiagonalWallReverseSquare",
                  {{5, 45}},
                  CloseRule::ReverseSquare,
                  CloseState::Closed,
                  {{-kSide, 0}, {0, -kSide}},
                  kSide* kSide / 2},
        CloseCase{"DiagonalWallAngled", {{5, 45}}, CloseRule::Angled, CloseState::NotClosed, {}, 0},
        CloseCase{
            "StraightWallOnAnAxis", {{5, 0}}, CloseRule::Square, CloseState::NotClosed, {}, 0},
        CloseCase{"ArcClosesWithItsChord",
                  {{4, 90, 2}},
                  CloseRule::Angled,
                  CloseState::Closed,
                  {{-4, 0}},
                  4 * kPi / 2},
        CloseCase{"BackAndForthNeverCloses",
                  {{3, 0}, {3, 180}},
                  CloseRule::Square,
                  CloseState::NotClosed,
                  {},
                  0},
        CloseCase{"BackAndForthAngled",
                  {{3, 0}, {3, 180}},
                  CloseRule::Angled,
                  CloseState::NotClosed,
                  {},
                  0},
        CloseCase{"GapWithinHalfAnInch",
                  {{3, 0}, {4, 90}, {3, 180}, {4 - 0.01, 270}},
                  CloseRule::Square,
                  CloseState::Closed,
                  {},
                  12},
        CloseCase{"CrossingOutline",
                  {{4, 90}, {5, 306.869897645844}, {4, 90}},
                  CloseRule::Angled,
                  CloseState::NotClosed,
                  {},
                  0},
        CloseCase{"RepeatedVertex",
                  {{3, 0}, {3, 90}, {3, 180}, {3, 270}, {2, 90}, {2, 180}},
                  CloseRule::Angled,
                  CloseState::NotClosed,
                  {},
                  0}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

struct CanCloseCase {
    const char* name;
    std::vector<Leg> walls;
    bool square;
    bool angled;
};

class CanCloseTest : public ::testing::TestWithParam<CanCloseCase> {};

TEST_P(CanCloseTest, NeedsATurnOrAnArc) {
    const CanCloseCase& c = GetParam();
    const Room room = RoomOfLegs(c.walls, CloseRule::Square);
    EXPECT_EQ(CanClose(room, true), c.square);
    EXPECT_EQ(CanClose(room, false), c.angled);
}

INSTANTIATE_TEST_SUITE_P(
    Chains, CanCloseTest,
    ::testing::Values(CanCloseCase{"NoWalls", {}, false, false},
                      CanCloseCase{"OneStraightOnAxis", {{3, 0}}, false, false},
                      CanCloseCase{"OneStraightOffAxis", {{3, 30}}, true, false},
                      CanCloseCase{"OneArc", {{3, 0, 1}}, true, true},
                      CanCloseCase{"Turn", {{3, 0}, {4, 90}}, true, true},
                      CanCloseCase{"SameDirection", {{3, 0}, {3, 0}}, false, false},
                      CanCloseCase{"SameDirectionArcs", {{3, 0, 1}, {3, 0, 1}}, false, false},
                      CanCloseCase{"SameDirectionOffAxis", {{3, 30}, {3, 30}}, true, false},
                      CanCloseCase{"BackStraight", {{3, 0}, {3, 180}}, false, false},
                      CanCloseCase{"BackArcsCancel", {{3, 0, 1}, {3, 180, -1}}, false, false},
                      CanCloseCase{"BackArcsBulge", {{3, 0, 1}, {3, 180, 1}}, true, true},
                      CanCloseCase{
                          "BackArcsDifferentLength", {{3, 0, 1}, {2, 180, -1}}, true, true}),
    [](const ::testing::TestParamInfo<CanCloseCase>& info) { return info.param.name; });

TEST(ChooseCornerTest, PicksTheCornerAwayFromTheWalls) {
    EXPECT_EQ(ChooseCorner(RoomOfWalls({{3, 0}, {4, 90}, {3, 180}})), CloseCorner::Diagonal);
    EXPECT_EQ(ChooseCorner(RoomOfWalls({{3, 0}, {4, 90}})), CloseCorner::YThenX);
    EXPECT_EQ(ChooseCorner(RoomOfWalls({{4, 90}, {3, 0}})), CloseCorner::XThenY);
    // Walls on both sides of the gap line.
    EXPECT_EQ(ChooseCorner(RoomOfWalls({{3, 0}, {8, 90}, {1, 180}, {2, 270}})),
              CloseCorner::XThenY);
}

TEST(ClosingTest, ClosingIsLazyAndFollowsEdits) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    EXPECT_EQ(room.StoredCloseState(), CloseState::NotComputed);
    EXPECT_EQ(room.WallCount(false), 4);
    EXPECT_EQ(room.StoredCloseState(), CloseState::Closed);
    EXPECT_EQ(room.SystemWalls().front()->GetValidFlags(), Wall::kCartesianValid);

    room.AddWall(3, 180);
    EXPECT_EQ(room.StoredCloseState(), CloseState::NotComputed);
    EXPECT_TRUE(room.SystemWalls().empty());
    EXPECT_EQ(room.WallCount(false), 4);

    room.SetCloseRule(CloseRule::Angled);
    EXPECT_EQ(room.StoredCloseState(), CloseState::NotComputed);
    EXPECT_NEAR(room.GetArea(), 12.0, 1e-9);
}

TEST(ClosingTest, ConvertAddedWallsKeepsTheOutlineUnderAnyRule) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    const auto before = room.GetVertices(false);
    ConvertAddedWalls(room);
    EXPECT_EQ(room.WallCount(true), 4);
    for (CloseRule rule : {CloseRule::Square, CloseRule::ReverseSquare, CloseRule::Angled}) {
        SetCloseRule(room, rule);
        EXPECT_TRUE(room.IsClosed());
        EXPECT_TRUE(room.SystemWalls().empty());
        const auto after = room.GetVertices(false);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            EXPECT_NEAR(after[i].x, before[i].x, 1e-9);
            EXPECT_NEAR(after[i].y, before[i].y, 1e-9);
        }
        EXPECT_NEAR(room.GetArea(), 12.0, 1e-9);
    }
    for (const auto& wall : room.UserWalls()) {
        EXPECT_EQ(wall->GetKind(), WallKind::User);
    }
}

TEST(ClosingTest, ConvertingAnOpenRoomAddsNothing) {
    Room room = RoomOfWalls({{3, 0}, {3, 180}});
    ConvertAddedWalls(room);
    EXPECT_EQ(room.WallCount(true), 2);
    EXPECT_FALSE(room.IsClosed());
}

TEST(ClosingTest, SimpleOutlineRejectsPointsTooClose) {
    // The chain comes back to its second corner and goes on 1 cm: a vertex repeated.
    Room room = RoomOfWalls({{3, 0}, {4, 90}, {4, 270}, {0.01, 0}}, CloseRule::Angled);
    EXPECT_FALSE(room.IsClosed());
}

TEST(ClosingTest, LongChainsClose) {
    // A many-sided room: a staircase out and a straight return.
    Room room(PlanPoint{0, 0});
    for (int i = 0; i < 200; ++i) {
        room.AddWall(0.5, 90);
        room.AddWall(0.5, 0);
    }
    EXPECT_TRUE(room.IsClosed());
    EXPECT_EQ(room.SystemWalls().size(), 2u);
    // Half the square above the diagonal, plus the steps' small triangles.
    EXPECT_NEAR(room.GetArea(), 100 * 100 / 2 + 200 * 0.125, 1e-6);
}

}  // namespace
}  // namespace plantrek
