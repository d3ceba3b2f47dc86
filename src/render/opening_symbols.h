#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "model/geometry.h"
#include "model/opening.h"

// The geometry of doors, windows and passages as plans draw them: where a wall line is broken
// for them, and how a door's leaf swings. The plan renderer and the DXF drawing share it.
namespace plantrek {

class Room;
class Site;

// Openings lie along a wall of another room when both their edges are this close to its line:
// half an inch, as for walls two rooms share.
inline constexpr double kOpeningOnWallTolerance = 0.0127;

// A door's leaf, opened square to its wall on the side it opens to. It turns about `hinge`
// from `closed` (the jamb across the gap) to `open`.
struct DoorSwing {
    PlanPoint hinge;
    PlanPoint closed;
    PlanPoint open;
    double radius = 0.0;       // the door's width
    double closedAngle = 0.0;  // of closed - hinge, radians, anticlockwise from east
    double openAngle = 0.0;    // of open - hinge; a quarter turn from closedAngle
};
DoorSwing DoorSwingOf(const PlacedOpening& placed);

// The parts of the straight wall from `start` to `end` that the openings lying along it take
// up, as fractions of the wall from its start: in order, overlapping parts merged, cut to the
// wall. Openings off the wall's line are left out.
std::vector<std::pair<double, double>> OpeningCuts(PlanPoint start, PlanPoint end,
                                                   const std::vector<PlacedOpening>& openings);

// The rooms of a site that hold openings, with their boxes, so that a room finds the openings
// on its own walls and on its neighbours' walls without looking through every room.
class SiteOpenings {
public:
    // Those of every room, or of the rooms on one level; a room's openings are shared only
    // with rooms of its own level.
    explicit SiteOpenings(const Site& site, int level = -1);

    bool Empty() const { return holders_.empty(); }
    // The openings of `room`'s walls and of every room whose box touches its box: those that
    // break its wall lines are among them.
    std::vector<PlacedOpening> Near(const Room& room) const;

private:
    struct Holder {
        const Room* room;
        PlanRect box;
        // Placed when a room first asks: a room's neighbours ask for the same ones again.
        mutable std::optional<std::vector<PlacedOpening>> placed;
    };
    std::vector<Holder> holders_;  // by the box's left edge
    double widest_ = 0.0;
};

// Whether any user wall of the room holds an opening.
bool HasOpenings(const Room& room);

// The widest door on the room's walls; 0 without doors. Its leaf may swing that far out.
double WidestDoor(const Room& room);

}  // namespace plantrek
