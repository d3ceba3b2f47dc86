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

constexpr CloseRule kSquare = CloseRule::Square;
constexpr CloseRule kReverse = CloseRule::ReverseSquare;
constexpr CloseRule kAngled = CloseRule::Angled;
constexpr CloseState kClosed = CloseState::Closed;
constexpr CloseState kOpen = CloseState::NotClosed;

TEST(CloseRuleTest, AddsTheSystemWallsOfItsRule) {
    const double side = 5.0 / std::sqrt(2.0);
    const struct {
        std::vector<Leg> walls;
        CloseRule rule;
        CloseState state;
        std::vector<PlanPoint> systemWalls;  // vectors, in order
        double area;
    } cases[] = {
        {{{3, 0}, {4, 90}, {3, 180}}, kSquare, kClosed, {{-4, 0}}, 12},
        {{{3, 0}, {4, 90}}, kSquare, kClosed, {{0, -3}, {-4, 0}}, 12},
        {{{3, 0}, {4, 90}}, kReverse, kOpen, {}, 0},  // folds back over the walls
        {{{3, 0}, {4, 90}}, kAngled, kClosed, {{-4, -3}}, 6},
        {{{5, 45}}, kSquare, kClosed, {{0, -side}, {-side, 0}}, side * side / 2},
        {{{5, 45}}, kReverse, kClosed, {{-side, 0}, {0, -side}}, side * side / 2},
        {{{5, 45}}, kAngled, kOpen, {}, 0},
        {{{5, 0}}, kSquare, kOpen, {}, 0},
        {{{4, 90, 2}}, kAngled, kClosed, {{-4, 0}}, 4 * kPi / 2},  // an arc closes with its chord
        {{{3, 0}, {3, 180}}, kSquare, kOpen, {}, 0},
        {{{3, 0}, {3, 180}}, kAngled, kOpen, {}, 0},
        {{{3, 0}, {4, 90}, {3, 180}, {4 - 0.01, 270}}, kSquare, kClosed, {}, 12},  // gap < ½"
        {{{3, 0}, {4, 90}, {3, 180}, {4 - 0.02, 270}}, kSquare, kClosed, {{-0.02, 0}}, 12},
        // Slivers: walls doubling back (exactly or nearly), a corner 1 cm from a wall.
        {{{3, 30}, {2, 210}}, kSquare, kOpen, {}, 0},
        {{{3, 0}, {2, 180.001}}, kSquare, kOpen, {}, 0},
        {{{4, 90}, {3, 0}, {2, 270}, {2.99, 180}, {std::sqrt(2.0), 315}}, kAngled, kOpen, {}, 0},
        {{{4, 90}, {5, 306.869897645844}, {4, 90}}, kAngled, kOpen, {}, 0},  // crossing
        {{{3, 0}, {3, 90}, {3, 180}, {3, 270}, {2, 90}, {2, 180}}, kAngled, kOpen, {}, 0},
        // Back to the second corner and on by 1 cm: a vertex all but repeated.
        {{{3, 0}, {4, 90}, {4, 270}, {0.01, 0}}, kAngled, kOpen, {}, 0},
    };
    for (std::size_t c = 0; c < std::size(cases); ++c) {
        SCOPED_TRACE(c);
        Room room = RoomOfLegs(cases[c].walls, cases[c].rule);
        EXPECT_EQ(GetCloseState(room), cases[c].state);
        ASSERT_EQ(room.SystemWalls().size(), cases[c].systemWalls.size());
        for (std::size_t i = 0; i < cases[c].systemWalls.size(); ++i) {
            const Wall& wall = *room.SystemWalls()[i];
            EXPECT_EQ(wall.GetKind(), WallKind::System);
            EXPECT_FALSE(wall.HasArc());
            test::ExpectNear(wall.GetVector(), cases[c].systemWalls[i], 1e-9);
        }
        EXPECT_NEAR(room.GetArea(), cases[c].area, 1e-6);
    }
}

TEST(CloseRuleTest, CanCloseNeedsATurnOrAnArc) {
    // clang-format off
    const struct {
        std::vector<Leg> walls;
        bool square;
        bool angled;
    } cases[] = {
        {{}, false, false}, {{{3, 0}}, false, false}, {{{3, 30}}, true, false},
        {{{3, 0, 1}}, true, true}, {{{3, 0}, {4, 90}}, true, true},
        {{{3, 0}, {3, 0}}, false, false}, {{{3, 0, 1}, {3, 0, 1}}, false, false},
        {{{3, 30}, {3, 30}}, true, false}, {{{3, 0}, {3, 180}}, false, false},
        {{{3, 0, 1}, {3, 180, -1}}, false, false},  // arcs folding back exactly
        {{{3, 0, 1}, {3, 180, 1}}, true, true}, {{{3, 0, 1}, {2, 180, -1}}, true, true},
    };
    // clang-format on
    for (std::size_t c = 0; c < std::size(cases); ++c) {
        const Room room = RoomOfLegs(cases[c].walls, kSquare);
        EXPECT_EQ(CanClose(room, true), cases[c].square) << c;
        EXPECT_EQ(CanClose(room, false), cases[c].angled) << c;
    }
}

TEST(ChooseCornerTest, PicksTheCornerAwayFromTheWalls) {
    EXPECT_EQ(ChooseCorner(RoomOfWalls({{3, 0}, {4, 90}, {3, 180}})), CloseCorner::Diagonal);
    EXPECT_EQ(ChooseCorner(RoomOfWalls({{3, 0}, {4, 90}})), CloseCorner::YThenX);
    EXPECT_EQ(ChooseCorner(RoomOfWalls({{4, 90}, {3, 0}})), CloseCorner::XThenY);
    // Walls on both sides of the gap line.
    EXPECT_EQ(ChooseCorner(RoomOfWalls({{3, 0}, {8, 90}, {1, 180}, {2, 270}})),
              CloseCorner::XThenY);
    // A wall end within a hair of the gap line (as the file's rounding leaves it) counts as on
    // it, whichever side; one clearly off the line keeps the corner of its side.
    const std::pair<double, CloseCorner> turns[] = {{1e-6, CloseCorner::YThenX},
                                                    {-1e-6, CloseCorner::YThenX},
                                                    {1, CloseCorner::XThenY},
                                                    {-1, CloseCorner::YThenX}};
    for (const auto& [turn, corner] : turns) {
        EXPECT_EQ(ChooseCorner(RoomOfWalls({{3, 10 + turn}, {3, 10 - turn}})), corner) << turn;
    }
}

TEST(ClosingTest, ClosingFollowsEdits) {
    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    EXPECT_EQ(room.WallCount(false), 4);
    room.AddWall(3, 180);
    EXPECT_EQ(room.WallCount(false), 4);
    room.SetCloseRule(kAngled);
    EXPECT_NEAR(room.GetArea(), 12.0, 1e-9);
}

TEST(ClosingTest, ConvertAddedWallsKeepsTheOutlineUnderAnyRule) {
    Room open = RoomOfWalls({{3, 0}, {3, 180}});
    ConvertAddedWalls(open);
    EXPECT_EQ(open.WallCount(true), 2);

    Room room = RoomOfWalls({{3, 0}, {4, 90}});
    const auto before = room.GetVertices(false);
    ConvertAddedWalls(room);
    EXPECT_EQ(room.WallCount(true), 4);
    for (CloseRule rule : {kSquare, kReverse, kAngled}) {
        SetCloseRule(room, rule);
        EXPECT_TRUE(room.IsClosed());
        EXPECT_TRUE(room.SystemWalls().empty());
        test::ExpectNear(room.GetVertices(false), before, 1e-9);
    }
    for (const auto& wall : room.UserWalls()) {
        EXPECT_EQ(wall->GetKind(), WallKind::User);
    }
}

}  // namespace
}  // namespace plantrek
