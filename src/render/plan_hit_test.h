#pragma once

#include <vector>

#include "model/geometry.h"
#include "render/drawing_surface.h"
#include "render/view_transform.h"

// What lies under the mouse in the plan, and where a dragged item comes to rest: the geometry
// of clicking and snapping, kept apart from the window so that it is tested without one. The
// plan view converts mouse positions and turns a pick into a selection.
namespace plantrek {

class Room;
class Site;
class Wall;

// A click hits what lies within this many pixels of it; a dragged item snaps from as far.
inline constexpr double kPickTolerancePixels = 24.0;

enum class PickKind {
    Nothing = 0,
    StartPoint = 1,  // the site's start point
    Room = 2,
    UserWall = 3,
    OtherWall = 4,  // a system or removed wall
};

struct PickResult {
    PickKind kind = PickKind::Nothing;
    const Room* room = nullptr;
    const Wall* wall = nullptr;

    friend bool operator==(const PickResult&, const PickResult&) = default;
};

// The tolerance of picking and snapping in plan meters at the transform's scale.
double PickTolerance(const ViewTransform& transform);

// The point of the wall that starts at `start` nearest to `point`: on the segment of a straight
// wall, on the arc of an arc wall.
PlanPoint NearestPointOnWall(PlanPoint point, PlanPoint start, const Wall& wall);
double DistanceToWall(PlanPoint point, PlanPoint start, const Wall& wall);

// The site's rooms and walls laid out with their boxes, in drawing order, so that a click or a
// drag looks only at the few rooms near the mouse. It refers to the site's rooms and walls:
// build it again after every change of the site (the view does so on every document update)
// and do not use it once the site has changed.
class PlanHitIndex {
public:
    // Only the rooms of that level are hit (every level's by default).
    explicit PlanHitIndex(const Site& site, int level = -1);

    // What a click at the plan point hits, with the given tolerance in meters. The site's start
    // point wins over walls and walls over rooms; among equals the one drawn last (on top)
    // wins. A room is hit only when it is closed and the point lies inside it.
    PickResult Pick(PlanPoint point, double tolerance) const;

    // Where a point snaps to, looking at the rooms other than `excluded`. The site's start
    // point is a target only while a room is moved (`excluded` given); then come the corners of
    // the rooms, then the nearest points of their walls.
    //
    // Dragging (`unlimited` false): only targets within the tolerance count; a stronger kind,
    // once found, shuts out the weaker ones, and within a kind the nearest wins (the first on a
    // tie). The snap command (`unlimited` true): the start point and the corners compete by
    // distance alone, however far; walls are not considered. Without a target the point is
    // returned as it is.
    PlanPoint SnapPoint(PlanPoint point, const Room* excluded, bool unlimited,
                        double tolerance) const;

private:
    struct WallEntry {
        PlanRect box;  // holds the whole wall, its arc included
        PlanPoint start;
        PlanPoint end;
        const Wall* wall;
    };
    struct RoomEntry {
        const Room* room;
        PlanRect bounds;  // the room's bounds: its location and every wall's box
        PlanPoint location;
        std::size_t firstWall;
        std::size_t endWall;
    };
    class Builder;

    PlanPoint startPoint_;
    std::vector<RoomEntry> rooms_;
    std::vector<WallEntry> walls_;
};

// One query on a site without keeping an index.
PickResult Pick(const Site& site, PlanPoint point, double tolerance);
// The same at a point in the view's logical (scrolled) pixels.
PickResult Pick(const Site& site, const ViewTransform& transform, DevicePoint logicalPoint);
PlanPoint SnapPoint(const Site& site, PlanPoint point, const Room* excluded, bool unlimited,
                    double tolerance);

}  // namespace plantrek
