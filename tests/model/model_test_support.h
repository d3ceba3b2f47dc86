#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

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

}  // namespace plantrek::test
