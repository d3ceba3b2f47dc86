#pragma once

#include <QString>

#include <optional>

#include "model/geometry.h"
#include "model/room.h"

// The operations behind the Room and Wall menus.
//
// Every operation acts only on a wall that is a user wall of the given room; given anything else,
// or a length, distance or angle that is not a finite number, it changes nothing and says so.
// Refusals that the user should see carry their reason. Each operation leaves the room's
// closing to be recomputed when next read and keeps the room's start point on one of its corners.
//
// Selection: after EditWall, AppendProjection, InsertProjection, ArcWall, AngleWall, MoveWallEnd
// and ReplaceWall the document deselects the wall (ReplaceWall deletes it). ReverseWalls,
// RotateRoom, ReflectRoom and SetStartPoint keep every wall object, so a selected wall stays
// valid.
namespace plantrek {

enum class ProjectionSide { Left, Right };
enum class RoomPivot { CentreOfRoom, RoomStartPoint };
enum class ReflectMode {
    Vertical,    // flipped top to bottom
    Horizontal,  // flipped left to right
};

// Why an operation was refused in a way the user should hear about; the document words it.
enum class EditRefusal {
    None,
    CouldNotCalculatePoint,  // no point lies at the given distances
    StartPointOnWall,        // the room's start point is on one of the wall's ends
};

// The outcome of an operation that can be refused.
struct EditResult {
    bool changed = false;
    EditRefusal refusal = EditRefusal::None;

    static EditResult Done() { return {true, EditRefusal::None}; }
    static EditResult Refused(EditRefusal why) { return {false, why}; }
    static EditResult NotApplicable() { return {}; }
    explicit operator bool() const { return changed; }
};

// A projection distance typed with its side: positive bows the wall to the left of its
// direction, negative to the right.
double SignedArcHeight(double distance, ProjectionSide side);

// "Center of room" is the centre of the room's bounds, not its centroid.
PlanPoint PivotPoint(const Room& room, RoomPivot pivot);

// The wall takes the new length and direction and the arc height, limited to a half circle.
bool EditWall(Room& room, Wall* wall, double length, double direction, double arcHeight);

// Whether walls may still be appended: the room is not closed, or it is closed only with the
// help of system walls.
bool CanAppendWalls(const Room& room);

// Appends a projection after the last user wall: out by the depth, along for the length in the
// last wall's direction, and back. Needs a user wall and CanAppendWalls.
bool AppendProjection(Room& room, double length, ProjectionSide side, double depth);

// Pushes the wall out by the depth: a wall out before it, the wall itself given the new length,
// a wall back after it. The walls that follow keep their lengths and directions.
bool InsertProjection(Room& room, Wall* wall, double length, ProjectionSide side, double depth);

// The crossing of the circle about p0 of radius r0 with the circle about p1 of radius r1 that
// lies on the side of the line p0→p1 where sidePoint is (the left one when sidePoint is on the
// line). Nothing when the circles do not cross in two points, or when both distances are long
// and shallow compared with the base between the centres, which makes the crossing unreliable.
std::optional<PlanPoint> IntersectCircles(PlanPoint p0, double r0, PlanPoint p1, double r1,
                                          PlanPoint sidePoint);

// Bows the wall so that its arc runs through the point r1 from p1 and r2 from p2, on the given
// side of the wall. Refused with EditRefusal::CouldNotCalculatePoint when there is no such point or
// no arc through it.
EditResult ArcWall(Room& room, Wall* wall, PlanPoint p1, PlanPoint p2, double r1, double r2,
                   ProjectionSide side);
// The same with the wall's own ends as the reference points.
EditResult ArcWall(Room& room, Wall* wall, double r1, double r2, ProjectionSide side);
// Whether ArcWall would find its point and arc, asked before anything changes so that a dialog
// can stay open on an impossible input.
bool CanArcWall(const Room& room, const Wall* wall, PlanPoint p1, PlanPoint p2, double r1,
                double r2, ProjectionSide side);
bool CanArcWall(const Room& room, const Wall* wall, double r1, double r2, ProjectionSide side);

// Swings the wall about its start, keeping its length, until its end lies `distance` from the
// room's start point, on the side where its end was. Refused with EditRefusal::StartPointOnWall
// when the start point is on one of the wall's ends, and with EditRefusal::CouldNotCalculatePoint
// when no such end exists.
EditResult AngleWall(Room& room, Wall* wall, double distance);
// Whether AngleWall would find the wall's new end (the start point's place aside).
bool CanAngleWall(const Room& room, const Wall* wall, double distance);

// A wall's length and direction.
struct WallPolar {
    double length = 0.0;
    double direction = 0.0;
};

// What the wall becomes when its end moves by (distance, direction). Along the wall or against
// it, lengths add or subtract exactly; pulled back past its start, the wall turns around.
WallPolar MovedWallEnd(const Wall& wall, double distance, double direction);

// Moves the wall's end by (distance, direction), as MovedWallEnd computes. Refused (false) when
// the wall would leave the wall-length limits, e.g. 0 m long.
bool MoveWallEnd(Room& room, Wall* wall, double distance, double direction);

// On a closed room only: the closing walls become user walls, the chain is turned so that it
// starts just after the wall, and the wall is deleted, leaving its gap to the close rule.
bool ReplaceWall(Room& room, Wall* wall);

// The user walls traced backwards from the end of the chain, each bowing to the same side as
// before; new walls are then appended at the former beginning.
bool ReverseWalls(Room& room);

// Rotates the room clockwise about the pivot. The closing walls become user walls first. A
// whole number of turns (0 included) changes nothing and gives false, like a refusal.
bool RotateRoom(Room& room, PlanPoint pivot, double degrees);

bool ReflectRoom(Room& room, PlanPoint pivot, ReflectMode mode);

// Makes a corner of the room its start point; nothing when the point is no corner. A corner
// that exists only through system walls turns them into user walls.
bool SetStartPoint(Room& room, PlanPoint corner);

// The first corner, walking from the location along the walls, within `radius` of the point.
std::optional<PlanPoint> FindCornerNear(const Room& room, PlanPoint point, double radius);

// Whether the room's start point lies on the start or the end of the user wall (within the
// corner tolerance): "Angle Wall" has nothing to swing about then.
bool StartPointOnWall(const Room& room, const Wall* wall);

}  // namespace plantrek
