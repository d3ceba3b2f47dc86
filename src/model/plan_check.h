#pragma once

#include <optional>
#include <vector>

#include "model/geometry.h"

// How rooms measured one by one and put together by hand sit against one another: where two
// overlap, and where a wall stops just short of its neighbour's (a placement slip). Only closed
// rooms take part, and only with rooms on their own level (a room above another never overlaps
// it); their outlines are taken as their areas take them, an arc by its chord halves through
// its midpoint.
namespace plantrek {

class Room;
class Site;

namespace plan_check {
// Walls this close, whether a hair apart or a hair over each other, touch: it is less than
// the smallest move Move Room makes, so whatever is reported can be put right by a move.
inline constexpr double kTouching = 0.001;
// Parallel walls farther apart than this are meant to be (a partition between two rooms).
inline constexpr double kSlipLimit = 0.05;
// How deep Snap Room lets a room reach into another: half an inch, a measuring error rather
// than a room put in the wrong place.
inline constexpr double kSnapAllowance = 0.0127;
// Walls within this angle of facing each other are parallel (degrees).
inline constexpr double kParallelDegrees = 1.0;
}  // namespace plan_check

// The common part of two outlines.
struct Overlap {
    double area = 0.0;       // square meters
    double perimeter = 0.0;  // meters, round the common part
    // How deep the outlines reach into each other: twice the area over the perimeter, the
    // width of a long thin strip (a square overlap counts half its side).
    double Depth() const { return perimeter > 0.0 ? 2.0 * area / perimeter : 0.0; }
};

// The overlap of two closed rooms; nothing when either is not closed or they stand on different
// levels.
Overlap OverlapOf(const Room& a, const Room& b);
// The overlap of two simple polygons given by their corners (either turning sense, without
// the first corner repeated at the end).
Overlap OverlapOf(const std::vector<PlanPoint>& a, const std::vector<PlanPoint>& b);

struct PlanFinding {
    enum class Kind { Overlap, Slip };
    Kind kind = Kind::Overlap;
    // Room indexes in drawing order, first < second.
    int first = -1;
    int second = -1;
    // The overlap's area (square meters), or the narrowest gap between the facing walls (m).
    double amount = 0.0;
};

// Every pair of closed rooms that overlap deeper than plan_check::kTouching, and every pair
// with facing parallel walls, side by side, apart by more than kTouching and less than
// kSlipLimit (one finding per pair and kind: the narrowest gap). Rooms sharing a wall are
// not reported. Ordered by the first room, then the second, overlaps before slips.
std::vector<PlanFinding> CheckPlan(const Site& site);

// Where Snap Room takes the room's start point: of the corners of the other rooms of its level
// and the site's start point, the nearest to which the room can be moved without reaching into
// any other closed room of its level deeper than plan_check::kSnapAllowance (an open room
// reaches into nothing). Nothing when every corner would put it into another room.
std::optional<PlanPoint> SnapRoomTarget(const Site& site, const Room& room);

}  // namespace plantrek
