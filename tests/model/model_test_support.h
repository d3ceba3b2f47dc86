#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "model/room.h"

namespace plantrek::test {

// A room at the origin with straight user walls given as (length, bearing) pairs.
inline Room RoomOfWalls(std::initializer_list<std::pair<double, double>> walls,
                        CloseRule rule = CloseRule::Square) {
    Room room(PlanPoint{0.0, 0.0});
    room.SetCloseRule(rule);
    for (const auto& [length, direction] : walls) {
        room.AddWall(length, direction);
    }
    return room;
}

inline void ExpectNear(PlanPoint actual, PlanPoint expected, double tol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
}

inline void ExpectNear(const std::vector<PlanPoint>& actual, const std::vector<PlanPoint>& expected,
                       double tol) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        ExpectNear(actual[i], expected[i], tol);
    }
}

}  // namespace plantrek::test
