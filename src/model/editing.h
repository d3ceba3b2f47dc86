#pragma once

#include <QString>

#include <optional>

#include "model/geometry.h"
#include "model/room.h"

// The operations behind the Room and Wall menus, and the checks of the fields of their dialogs.
//
// Every operation acts only on a wall that is a user wall of the given room; given anything else,
// or a length, distance or angle that is not a finite number, it changes nothing and says so.
// Refusals that the user should see carry their message text. Each operation leaves the room's
// closing to be recomputed when next read and keeps the room's start point on one of its corners.
//
// Selection: after EditWall, AppendProjection, InsertProjection, ArcWall, AngleWall, MoveWallEnd
// and ReplaceWall the document deselects the wall (ReplaceWall deletes it). ReverseWalls,
// RotateRoom, ReflectRoom and SetStartPoint keep every wall object, so a selected wall stays
// valid.
namespace plantrek {

class LengthUnits;

enum class ProjectionSide { Left, Right };
enum class RoomPivot { CentreOfRoom, RoomStartPoint };
enum class ReflectMode {
    Vertical,    // flipped top to bottom
    Horizontal,  // flipped left to right
};

inline const QString kCouldNotCalculatePointMessage = QStringLiteral(
    "Could not calculate a point based on the given distances. You might try basing the "
    "measurement off of a different point.");
inline const QString kStartPointOnWallMessage =
    QStringLiteral("Please move the room's start point so that it isn't on the selected wall.");
inline const QString kWallLengthRangeMessage =
    QStringLiteral("The wall length must be between %1 and %2.");
inline const QString kDistanceRangeMessage =
    QStringLiteral("The distance must be between %1 and %2.");
inline const QString kProjectionTooLargeMessage =
    QStringLiteral("The projection must be less than %1.");
inline const QString kSelectCornersMessage =
    QStringLiteral("You need to select the corners before continuing.");
inline const QString kInvalidAngleMessage = QStringLiteral("Please enter a valid angle.");

// The outcome of an operation that can be refused with a message.
struct EditResult {
    bool changed = false;
    QString message;  // set when the operation was refused for a reason the user should see

    static EditResult Done() { return {true, {}}; }
    static EditResult Refused(const QString& text) { return {false, text}; }
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
// side of the wall. Refused with kCouldNotCalculatePointMessage when there is no such point or
// no arc through it.
EditResult ArcWall(Room& room, Wall* wall, PlanPoint p1, PlanPoint p2, double r1, double r2,
                   ProjectionSide side);
// The same with the wall's own ends as the reference points.
EditResult ArcWall(Room& room, Wall* wall, double r1, double r2, ProjectionSide side);

// Swings the wall about its start, keeping its length, until its end lies `distance` from the
// room's start point, on the side where its end was. Refused with kStartPointOnWallMessage when
// the start point is on one of the wall's ends, and with kCouldNotCalculatePointMessage when no
// such end exists.
EditResult AngleWall(Room& room, Wall* wall, double distance);

// Moves the wall's end by (distance, direction). Along the wall or against it, lengths add or
// subtract exactly.
bool MoveWallEnd(Room& room, Wall* wall, double distance, double direction);

// On a closed room only: the closing walls become user walls, the chain is turned so that it
// starts just after the wall, and the wall is deleted, leaving its gap to the close rule.
bool ReplaceWall(Room& room, Wall* wall);

// The user walls traced backwards from the end of the chain, each bowing to the same side as
// before; new walls are then appended at the former beginning.
bool ReverseWalls(Room& room);

// Rotates the room clockwise about the pivot. The closing walls become user walls first.
bool RotateRoom(Room& room, PlanPoint pivot, double degrees);

bool ReflectRoom(Room& room, PlanPoint pivot, ReflectMode mode);

// Makes a corner of the room its start point; nothing when the point is no corner. A corner
// that exists only through system walls turns them into user walls.
bool SetStartPoint(Room& room, PlanPoint corner);

// The first corner, walking from the location along the walls, within `radius` of the point.
std::optional<PlanPoint> FindCornerNear(const Room& room, PlanPoint point, double radius);

// Dialog field checks: the message to show, or nothing when the value is acceptable. Every range
// refuses NaN and infinities. Lengths and limits are written with the given units.

// Lengths of walls, and the distances of "Angle Wall" and "Move End Point".
std::optional<QString> CheckWallLength(double length, const LengthUnits& units);
// "Add Wall" and "Edit Wall": the length, then the projection distance as typed (before the
// side gives it a sign), which must be below half the length.
std::optional<QString> CheckWallFields(double length, double projection, const LengthUnits& units);
// "Add Projection": the length and the depth, both wall lengths.
std::optional<QString> CheckProjectionFields(double length, double depth, const LengthUnits& units);
// "Arc Wall": the corners when two room points are used, then each distance.
std::optional<QString> CheckArcWallFields(bool useRoomPoints, bool cornersChosen, double r1,
                                          double r2, const LengthUnits& units);
// "Angle Wall", before its dialog opens.
std::optional<QString> CheckAngleWallStartPoint(const Room& room, const Wall* wall);
// The distance of the "Move" dialogs.
std::optional<QString> CheckMoveDistance(double distance, const LengthUnits& units);
// "Rotate Room": any text but an empty one; it is read as a number.
std::optional<QString> CheckRotationText(const QString& text);

}  // namespace plantrek
