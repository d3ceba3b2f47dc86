#pragma once

// Rooms for the plan's mouse tests, in the view and without it.
#include <QString>

#include "model/room.h"
#include "model/site.h"

namespace plantrek::test {

// A move goes through a length and a bearing with the program's degree constants, which lose
// about 1e-7 m; points within this count as the same point everywhere in the program.
inline constexpr double kSamePoint = 1e-5;

// A room of up to four walls (east, north, west, south) from its start point; with three the
// close rule adds the fourth as a system wall.
inline Room* AddRect(Site& site, const char* name, PlanPoint at, double w, double h, int walls = 4) {
    Room* room = site.AddRoom(QString::fromUtf8(name), 0);
    room->SetLocation(at);
    room->SetStartPoint(at);
    const std::pair<double, double> sides[] = {{w, 90.0}, {h, 0.0}, {w, 270.0}, {h, 180.0}};
    for (int i = 0; i < walls; ++i) {
        room->AddWall(sides[i].first, sides[i].second);
    }
    return room;
}

// A at the origin, T whose west wall passes 0.15 m from A's north-east corner, and D, far from
// both, whose inside (-2, 6) is where the drags start.
inline void AddDragRooms(Site& site) {
    AddRect(site, "A", {0, 0}, 4, 4);
    AddRect(site, "T", {4.3, 3}, 3.7, 3);
    AddRect(site, "D", {-3, 5}, 2, 2);
}

}  // namespace plantrek::test
