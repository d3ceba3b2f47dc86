#pragma once

#include <QString>

#include <cstdint>
#include <memory>

#include "model/site.h"

// Sites shaped like the ones surveyors bring back from a large building: rooms side by side on
// a grid, each a rectangle with stepped corners (8 to 12 walls), some with a wall bowed into an
// arc, some with a bay pushed out of a wall, about half closed by their close rule, a few left
// open, and several materials.
namespace plantrek::bench {

struct SiteStatistics {
    int rooms = 0;
    int walls = 0;  // user and system
    int arcWalls = 0;
    int openRooms = 0;
    int fewestWalls = 0;
    int mostWalls = 0;
};

// The same count and seed always give the same site.
std::unique_ptr<Site> GenerateSite(int roomCount, std::uint32_t seed = 20240611u);

SiteStatistics Measure(const Site& site);

// A door on each room's first straight user wall of at least 1.2 m and a window on the next
// such wall, centred on them.
void AddTwoOpenings(Site& site);

// One room of `wallCount` walls (even, at least 4): a staircase of user walls that its close
// rule finishes with two system walls.
Room MakeStaircaseRoom(int wallCount);

}  // namespace plantrek::bench
