#include "model/editing.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "model/closing.h"
#include "model/units.h"

namespace plantrek {

namespace {

bool AllFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool IsUserWallOf(const Room& room, const Wall* wall) {
    return room.IndexOfWall(wall) >= 0;
}

// Absolute start and end of a user wall.
std::pair<PlanPoint, PlanPoint> EndsOf(const Room& room, const Wall* wall) {
    PlanPoint p = room.GetLocation();
    for (const auto& w : room.UserWalls()) {
        const PlanPoint next = p + w->GetVector();
        if (w.get() == wall) {
            return {p, next};
        }
        p = next;
    }
    return {p, p};
}

PlanPoint EndOfUserWalls(const Room& room) {
    PlanPoint p = room.GetLocation();
    for (const auto& w : room.UserWalls()) {
        p += w->GetVector();
    }
    return p;
}

// The bearing of the projection's first wall, at right angles to `direction`.
double ProjectionBearing(double direction, ProjectionSide side) {
    return NormalizeDegrees(side == ProjectionSide::Left ? direction - 90.0 : direction + 90.0);
}

std::unique_ptr<Wall> StraightWall(double length, double direction) {
    auto wall = std::make_unique<Wall>();
    wall->SetPolar(length, direction);
    wall->SetKind(WallKind::User);
    return wall;
}

void FinishWallEdit(Room& room) {
    room.InvalidateClosing();
    room.ValidateStartPoint();
}

// The signed height of the arc from a to b through q (positive when it bows to the left of
// a→b), or nothing when the three points lie on one line.
std::optional<double> ArcHeightThrough(PlanPoint a, PlanPoint b, PlanPoint q) {
    const PlanPoint chord = b - a;
    const double length = Length(chord);
    if (IsZero(length)) {
        return std::nullopt;
    }
    const PlanPoint along = chord / length;
    const PlanPoint left{-along.y, along.x};
    const PlanPoint m = (a + b) / 2.0;
    const double qu = Dot(q - m, along);
    const double qn = Dot(q - m, left);
    if (IsZero(qn)) {
        return std::nullopt;
    }
    // The centre lies on the chord's perpendicular bisector, t along `left` from the midpoint;
    // the arc through q meets the bisector on q's side of the chord.
    const double half = length / 2.0;
    const double t = (qu * qu + qn * qn - half * half) / (2.0 * qn);
    const double radius = std::sqrt(half * half + t * t);
    const double height = qn > 0.0 ? t + radius : t - radius;
    if (std::fabs(height) > half) {
        return height >= 0.0 ? half : -half;
    }
    return height;
}

}  // namespace

double SignedArcHeight(double distance, ProjectionSide side) {
    return side == ProjectionSide::Left ? distance : -distance;
}

PlanPoint PivotPoint(const Room& room, RoomPivot pivot) {
    if (pivot == RoomPivot::CentreOfRoom) {
        return room.GetBounds().Centre();
    }
    return room.GetStartPoint();
}

bool EditWall(Room& room, Wall* wall, double length, double direction, double arcHeight) {
    if (!IsUserWallOf(room, wall) || !AllFinite({length, direction, arcHeight})) {
        return false;
    }
    wall->SetPolar(length, direction);
    wall->SetArcHeight(arcHeight);
    FinishWallEdit(room);
    return true;
}

bool CanAppendWalls(const Room& room) {
    if (!room.IsClosed()) {
        return true;
    }
    return !room.SystemWalls().empty();
}

bool AppendProjection(Room& room, double length, ProjectionSide side, double depth) {
    if (room.UserWalls().empty() || !CanAppendWalls(room) || !AllFinite({length, depth})) {
        return false;
    }
    const double d = room.UserWalls().back()->GetDirection();
    const double p = ProjectionBearing(d, side);
    room.AddWall(depth, p);
    room.AddWall(length, d);
    room.AddWall(depth, ReverseDirection(p));
    // Appending drops the closing; a start point on one of its corners may have gone with it.
    room.ValidateStartPoint();
    return true;
}

bool InsertProjection(Room& room, Wall* wall, double length, ProjectionSide side, double depth) {
    const int at = room.IndexOfWall(wall);
    if (at < 0 || !AllFinite({length, depth})) {
        return false;
    }
    const double d = wall->GetDirection();
    const double p = ProjectionBearing(d, side);
    Room::WallList walls = room.TakeUserWalls();
    const auto position = walls.begin() + at;
    const auto after = walls.insert(position, StraightWall(depth, p)) + 2;
    walls.insert(after, StraightWall(depth, ReverseDirection(p)));
    wall->SetPolar(length, d);
    room.SetUserWalls(std::move(walls));
    FinishWallEdit(room);
    return true;
}

std::optional<PlanPoint> IntersectCircles(PlanPoint p0, double r0, PlanPoint p1, double r1,
                                          PlanPoint sidePoint) {
    if (!AllFinite({p0.x, p0.y, r0, p1.x, p1.y, r1, sidePoint.x, sidePoint.y})) {
        return std::nullopt;
    }
    const PlanPoint base = p1 - p0;
    const double d = Length(base);
    if (d >= r0 + r1 || r0 >= d + r1 || r1 >= d + r0) {
        return std::nullopt;
    }
    // Four times the area of the triangle p0, p1 and the crossing (Heron).
    const double area4 = std::sqrt((r0 - r1 + d) * (d - r0 + r1) * (d + r0 + r1) * (r0 + r1 - d));
    if (!(area4 > 0.0)) {
        return std::nullopt;  // rounding at the edge of the tests above: the circles only touch
    }
    const double ratio0 = r0 * std::fabs(r0 * r0 - r1 * r1 - d * d) / (area4 * d);
    const double ratio1 = r1 * std::fabs(r1 * r1 - r0 * r0 - d * d) / (area4 * d);
    if (r0 / d > 8.0 && r1 / d > 8.0 && ratio0 > 8.0 && ratio1 > 8.0) {
        return std::nullopt;
    }
    const double a = (r0 * r0 - r1 * r1 + d * d) / (2.0 * d);
    const double h = std::sqrt(std::max(0.0, r0 * r0 - a * a));
    const PlanPoint along = base / d;
    const PlanPoint left{-along.y, along.x};
    const PlanPoint foot = p0 + along * a;
    if (Cross(base, sidePoint - p0) >= 0.0) {
        return foot + left * h;
    }
    return foot - left * h;
}

namespace {

// The arc height that bows the wall through the point r1 from p1 and r2 from p2 on the side
// given; nothing when there is no such point or no arc through it.
std::optional<double> ArcHeightFor(const Room& room, const Wall* wall, PlanPoint p1, PlanPoint p2,
                                   double r1, double r2, ProjectionSide side) {
    const auto [a, b] = EndsOf(room, wall);
    const PlanPoint m = (a + b) / 2.0;
    const PlanPoint v = b - a;
    const PlanPoint guide =
        side == ProjectionSide::Left ? m + PlanPoint{-v.y, v.x} : m + PlanPoint{v.y, -v.x};
    const std::optional<PlanPoint> q = IntersectCircles(p1, r1, p2, r2, guide);
    if (!q) {
        return std::nullopt;
    }
    return ArcHeightThrough(a, b, *q);
}

// Where the wall's end goes when it swings about its start until it lies `distance` from the
// room's start point.
std::optional<PlanPoint> AngledWallEnd(const Room& room, const Wall* wall, double distance) {
    const auto [a, e] = EndsOf(room, wall);
    return IntersectCircles(a, wall->GetLength(), room.GetStartPoint(), distance, e);
}

}  // namespace

EditResult ArcWall(Room& room, Wall* wall, PlanPoint p1, PlanPoint p2, double r1, double r2,
                   ProjectionSide side) {
    if (!IsUserWallOf(room, wall)) {
        return EditResult::NotApplicable();
    }
    const std::optional<double> height = ArcHeightFor(room, wall, p1, p2, r1, r2, side);
    if (!height) {
        return EditResult::Refused(EditRefusal::CouldNotCalculatePoint);
    }
    wall->SetArcHeight(*height);
    FinishWallEdit(room);
    return EditResult::Done();
}

EditResult ArcWall(Room& room, Wall* wall, double r1, double r2, ProjectionSide side) {
    if (!IsUserWallOf(room, wall)) {
        return EditResult::NotApplicable();
    }
    const auto [a, b] = EndsOf(room, wall);
    return ArcWall(room, wall, a, b, r1, r2, side);
}

bool CanArcWall(const Room& room, const Wall* wall, PlanPoint p1, PlanPoint p2, double r1,
                double r2, ProjectionSide side) {
    return IsUserWallOf(room, wall) && ArcHeightFor(room, wall, p1, p2, r1, r2, side).has_value();
}

bool CanArcWall(const Room& room, const Wall* wall, double r1, double r2, ProjectionSide side) {
    if (!IsUserWallOf(room, wall)) {
        return false;
    }
    const auto [a, b] = EndsOf(room, wall);
    return CanArcWall(room, wall, a, b, r1, r2, side);
}

EditResult AngleWall(Room& room, Wall* wall, double distance) {
    if (!IsUserWallOf(room, wall)) {
        return EditResult::NotApplicable();
    }
    if (StartPointOnWall(room, wall)) {
        return EditResult::Refused(EditRefusal::StartPointOnWall);
    }
    const PlanPoint a = EndsOf(room, wall).first;
    const std::optional<PlanPoint> q = AngledWallEnd(room, wall, distance);
    if (!q) {
        return EditResult::Refused(EditRefusal::CouldNotCalculatePoint);
    }
    double length = 0.0;
    double direction = 0.0;
    CartesianToPolar(q->x - a.x, q->y - a.y, &length, &direction);
    wall->SetPolar(length, direction);
    FinishWallEdit(room);
    return EditResult::Done();
}

bool CanAngleWall(const Room& room, const Wall* wall, double distance) {
    return IsUserWallOf(room, wall) && AngledWallEnd(room, wall, distance).has_value();
}

WallPolar MovedWallEnd(const Wall& wall, double distance, double direction) {
    const double oldLength = wall.GetLength();
    const double oldDirection = wall.GetDirection();
    const double turn = NormalizeDegrees(direction - oldDirection);
    double length = 0.0;
    double bearing = oldDirection;
    if (IsZero(turn) || IsZero(turn - 360.0)) {
        length = oldLength + distance;
    } else if (IsZero(turn - 180.0)) {
        length = oldLength - distance;
    } else {
        const PlanPoint v =
            PolarToCartesian(oldLength, oldDirection) + PolarToCartesian(distance, direction);
        CartesianToPolar(v.x, v.y, &length, &bearing);
    }
    if (length < 0.0) {
        // Pulled back past its start: the wall now runs the other way.
        length = -length;
        bearing = ReverseDirection(bearing);
    }
    return {length, bearing};
}

bool MoveWallEnd(Room& room, Wall* wall, double distance, double direction) {
    if (!IsUserWallOf(room, wall) || !AllFinite({distance, direction})) {
        return false;
    }
    const WallPolar moved = MovedWallEnd(*wall, distance, direction);
    if (!IsWallLengthInRange(moved.length)) {
        return false;
    }
    wall->SetPolar(moved.length, moved.direction);
    FinishWallEdit(room);
    return true;
}

bool ReplaceWall(Room& room, Wall* wall) {
    if (!IsUserWallOf(room, wall) || !room.IsClosed()) {
        return false;
    }
    ConvertAddedWalls(room);
    const int at = room.IndexOfWall(wall);
    const PlanPoint newLocation = EndsOf(room, wall).second;
    Room::WallList walls = room.TakeUserWalls();
    Room::WallList turned;
    turned.reserve(walls.size() - 1);
    for (std::size_t i = static_cast<std::size_t>(at) + 1; i < walls.size(); ++i) {
        turned.push_back(std::move(walls[i]));
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(at); ++i) {
        turned.push_back(std::move(walls[i]));
    }
    room.SetLocation(newLocation);
    room.SetUserWalls(std::move(turned));
    room.ValidateStartPoint();
    return true;
}

bool ReverseWalls(Room& room) {
    if (room.UserWalls().empty()) {
        return false;
    }
    const PlanPoint newLocation = EndOfUserWalls(room);
    Room::WallList walls = room.TakeUserWalls();
    std::reverse(walls.begin(), walls.end());
    for (auto& wall : walls) {
        const double length = wall->GetLength();
        const double direction = wall->GetDirection();
        const double height = wall->GetArcHeight();
        wall->SetPolar(length, ReverseDirection(direction));
        wall->SetArcHeight(-height);
        // Offsets run from the wall's start, which is now its other end: each opening stays
        // where it stands. Inside is still inside, so hinge sides stay as they are.
        OpeningList openings = wall->GetOpenings();
        std::reverse(openings.begin(), openings.end());
        for (Opening& opening : openings) {
            opening.offset = std::max(0.0, length - opening.offset - opening.width);
        }
        wall->SetOpenings(std::move(openings));
    }
    room.SetLocation(newLocation);
    room.SetUserWalls(std::move(walls));
    room.ValidateStartPoint();
    return true;
}

bool RotateRoom(Room& room, PlanPoint pivot, double degrees) {
    if (!AllFinite({pivot.x, pivot.y, degrees})) {
        return false;
    }
    // Reduced once, exactly: added to each bearing unreduced, a huge angle swamps the bearing
    // and every wall loses a different part of its direction.
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0.0) {
        degrees += 360.0;  // a tiny negative angle rounds up to 360, which is no turn
        if (degrees >= 360.0) {
            degrees = 0.0;
        }
    }
    // Whole turns move nothing, and must not turn the closing walls into measured ones either.
    if (degrees == 0.0) {
        return false;
    }
    ConvertAddedWalls(room);
    const int startCorner = room.IndexOfVertex(room.GetStartPoint());
    const double phi = BearingToMathRadians(degrees);
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    const auto turn = [&](PlanPoint p) {
        const PlanPoint q = p - pivot;
        return pivot + PlanPoint{q.x * c - q.y * s, q.x * s + q.y * c};
    };
    room.SetLocation(turn(room.GetLocation()));
    room.SetStartPoint(turn(room.GetStartPoint()));
    Room::WallList walls = room.TakeUserWalls();
    for (auto& wall : walls) {
        wall->SetPolar(wall->GetLength(), NormalizeDegrees(wall->GetDirection() + degrees));
    }
    room.SetUserWalls(std::move(walls));
    // The points turn by the program's truncated π and the walls by their bearings; far from the
    // pivot the two can part by more than the corner tolerance, so the start point is put back
    // on the corner it was on.
    if (startCorner >= 0 && room.IndexOfVertex(room.GetStartPoint()) != startCorner) {
        PlanPoint corner = room.GetLocation();
        for (int i = 0; i < startCorner; ++i) {
            corner += room.GetWall(i)->GetVector();
        }
        room.SetStartPoint(corner);
    }
    return true;
}

bool ReflectRoom(Room& room, PlanPoint pivot, ReflectMode mode) {
    if (!AllFinite({pivot.x, pivot.y})) {
        return false;
    }
    const auto mirror = [&](PlanPoint p) {
        if (mode == ReflectMode::Vertical) {
            return PlanPoint{p.x, 2.0 * pivot.y - p.y};
        }
        return PlanPoint{2.0 * pivot.x - p.x, p.y};
    };
    room.SetLocation(mirror(room.GetLocation()));
    room.SetStartPoint(mirror(room.GetStartPoint()));
    // The system walls are not mirrored in place: they are recomputed from the mirrored user
    // walls, which gives their mirror image.
    Room::WallList walls = room.TakeUserWalls();
    for (auto& wall : walls) {
        const double d = wall->GetDirection();
        const double bearing = mode == ReflectMode::Vertical ? 180.0 - d : 360.0 - d;
        const double height = wall->GetArcHeight();
        wall->SetPolar(wall->GetLength(), NormalizeDegrees(bearing));
        wall->SetArcHeight(-height);
        // The mirror image of a door hinged on the left, seen from inside, is hinged on the right.
        OpeningList openings = wall->GetOpenings();
        for (Opening& opening : openings) {
            if (opening.kind == OpeningKind::Door) {
                opening.hinge =
                    opening.hinge == DoorHinge::Left ? DoorHinge::Right : DoorHinge::Left;
            }
        }
        wall->SetOpenings(std::move(openings));
    }
    room.SetUserWalls(std::move(walls));
    room.ValidateStartPoint();
    return true;
}

bool SetStartPoint(Room& room, PlanPoint corner) {
    const int k = room.IndexOfVertex(corner);
    if (k < 0) {
        return false;
    }
    room.SetStartPoint(corner);
    if (k > room.WallCount(true)) {
        ConvertAddedWalls(room);
    }
    return true;
}

std::optional<PlanPoint> FindCornerNear(const Room& room, PlanPoint point, double radius) {
    const PlanPoint location = room.GetLocation();
    for (const PlanPoint& vertex : room.GetVertices(false)) {
        const PlanPoint corner = location + vertex;
        if (Distance(corner, point) <= radius) {
            return corner;
        }
    }
    return std::nullopt;
}

bool StartPointOnWall(const Room& room, const Wall* wall) {
    if (!IsUserWallOf(room, wall)) {
        return false;
    }
    const auto [a, b] = EndsOf(room, wall);
    const PlanPoint start = room.GetStartPoint();
    return SamePoint(start, a, kPointTolerance) || SamePoint(start, b, kPointTolerance);
}

}  // namespace plantrek
