#include "model/closing.h"

#include <algorithm>
#include <cmath>

#include "model/units.h"

namespace plantrek {

// The one place that writes a room's closing.
class RoomClosing {
public:
    static CloseState Compute(const Room& room) {
        room.systemWalls_.clear();
        room.closeState_ = CloseState::NotComputed;
        CloseState result = RunRule(room);
        if (result != CloseState::Closed) {
            room.systemWalls_.clear();
        }
        room.closeState_ = result;
        return result;
    }

    static std::vector<PlanPoint> Outline(const Room& room) { return room.OutlineVertices(true); }

private:
    static void AddSystemWall(const Room& room, double dx, double dy) {
        auto wall = std::make_unique<Wall>();
        wall->SetCartesian(dx, dy);
        wall->SetKind(WallKind::System);
        room.systemWalls_.push_back(std::move(wall));
    }

    static CloseState RunRule(const Room& room) {
        const bool square = room.GetCloseRule() != CloseRule::Angled;
        if (!CanClose(room, square)) {
            return CloseState::NotClosed;
        }
        const PlanPoint gap = ClosingGap(room);
        if (Length(gap) > kHalfInch) {
            CloseCorner corner = square ? ChooseCorner(room) : CloseCorner::Diagonal;
            if (room.GetCloseRule() == CloseRule::ReverseSquare) {
                if (corner == CloseCorner::XThenY) {
                    corner = CloseCorner::YThenX;
                } else if (corner == CloseCorner::YThenX) {
                    corner = CloseCorner::XThenY;
                }
            }
            switch (corner) {
                case CloseCorner::Diagonal:
                    AddSystemWall(room, -gap.x, -gap.y);
                    break;
                case CloseCorner::XThenY:
                    AddSystemWall(room, -gap.x, 0.0);
                    AddSystemWall(room, 0.0, -gap.y);
                    break;
                case CloseCorner::YThenX:
                    AddSystemWall(room, 0.0, -gap.y);
                    AddSystemWall(room, -gap.x, 0.0);
                    break;
            }
        }
        return IsSimpleOutline(room) ? CloseState::Closed : CloseState::NotClosed;
    }
};

CloseState GetCloseState(const Room& room) {
    if (room.StoredCloseState() == CloseState::NotComputed) {
        return RoomClosing::Compute(room);
    }
    return room.StoredCloseState();
}

void InvalidateClosing(Room& room) {
    room.InvalidateClosing();
}

void SetCloseRule(Room& room, CloseRule rule) {
    room.SetCloseRule(rule);
}

void ConvertAddedWalls(Room& room) {
    GetCloseState(room);
    // Copy first: appending invalidates the closing, which drops the walls being copied.
    std::vector<Wall> added;
    for (const auto& wall : room.SystemWalls()) {
        added.push_back(*wall);
    }
    for (const Wall& wall : added) {
        room.AppendUserWallCopy(wall);
    }
    room.InvalidateClosing();
}

PlanPoint ClosingGap(const Room& room) {
    PlanPoint sum;
    for (const auto& wall : room.UserWalls()) {
        sum += wall->GetVector();
    }
    return sum;
}

bool CanClose(const Room& room, bool square) {
    const auto& walls = room.UserWalls();
    if (walls.empty()) {
        return false;
    }
    if (walls.size() == 1) {
        const Wall& only = *walls.front();
        const PlanPoint v = only.GetVector();
        if (square && !IsZero(v.x) && !IsZero(v.y)) {
            return true;
        }
        return only.HasArc();
    }
    for (std::size_t i = 0; i + 1 < walls.size(); ++i) {
        const Wall& a = *walls[i];
        const Wall& b = *walls[i + 1];
        const double d = std::fabs(a.GetDirection() - b.GetDirection());
        const double e = std::fabs(d - 180.0);
        if (d > kZeroTolerance && e > kZeroTolerance) {
            return true;
        }
        if (e <= kZeroTolerance && (a.HasArc() || b.HasArc())) {
            // Two arcs folding back onto each other exactly enclose nothing.
            const bool sameLength = std::fabs(a.GetLength() - b.GetLength()) <= kZeroTolerance;
            const bool cancel = std::fabs(a.GetArcHeight() + b.GetArcHeight()) <= kZeroTolerance;
            if (!(sameLength && cancel)) {
                return true;
            }
        }
    }
    if (square) {
        const PlanPoint gap = ClosingGap(room);
        return !IsZero(gap.x) && !IsZero(gap.y);
    }
    return false;
}

CloseCorner ChooseCorner(const Room& room) {
    const PlanPoint p = ClosingGap(room);
    if (std::fabs(p.x) < kInch || std::fabs(p.y) < kInch) {
        return CloseCorner::Diagonal;
    }
    const auto& walls = room.UserWalls();
    if (walls.empty()) {
        return CloseCorner::Diagonal;
    }
    PlanPoint first;
    PlanPoint lastStart;
    if (walls.size() == 1) {
        // A single wall: its arc midpoint stands for both. For a straight wall that is the
        // chord midpoint, which lies on the gap line; either corner then makes the right
        // triangle, and the rule below picks the one on the positive side.
        first = lastStart = walls.front()->GetArcMidpoint();
    } else {
        first = walls.front()->GetVector();
        lastStart = p - walls.back()->GetVector();
    }
    const PlanPoint o{0.0, 0.0};
    // A point within the corner tolerance of the gap line counts as on it (+1): the file keeps
    // six decimals, and a wall end that lies on the line must not change sides, and so change
    // the room's corner, between a save and the next open.
    const double gapLength = Length(p - o);
    const auto side = [&](PlanPoint q) {
        const double cross = (q.y - p.y) * (p.x - o.x) - (p.y - o.y) * (q.x - p.x);
        return cross >= -kPointTolerance * gapLength ? 1 : -1;
    };
    if (side(first) != side(lastStart)) {
        return CloseCorner::XThenY;
    }
    if (side(PlanPoint{0.0, p.y}) == side(first)) {
        return CloseCorner::YThenX;
    }
    return CloseCorner::XThenY;
}

namespace {

double DistanceToSegment(PlanPoint p, PlanPoint a, PlanPoint b) {
    const PlanPoint r = b - a;
    const double squared = Dot(r, r);
    if (squared == 0.0) {
        return Distance(p, a);
    }
    const double t = std::clamp(Dot(p - a, r) / squared, 0.0, 1.0);
    return Distance(p, a + r * t);
}

// Whether segments (a, b) and (c, d) cross somewhere other than at ends they share, or lie on
// one line and overlap. "On one line" is within half an inch, as everything else in the closed
// test: the file's six decimals turn an exact fold-back into a hair of an angle.
bool EdgesConflict(PlanPoint a, PlanPoint b, PlanPoint c, PlanPoint d) {
    const PlanPoint r = b - a;
    const PlanPoint s = d - c;
    const double denom = Cross(r, s);
    const double lr = Length(r);
    const double ls = Length(s);
    if (lr == 0.0 || ls == 0.0) {
        return false;
    }
    const PlanPoint unit = r / lr;
    const bool cOnLine = std::fabs(Cross(unit, c - a)) <= kHalfInch;
    const bool dOnLine = std::fabs(Cross(unit, d - a)) <= kHalfInch;
    if (cOnLine && dOnLine) {
        // Overlapping when their extents along the line share more than half an inch.
        const double c0 = Dot(c - a, unit);
        const double c1 = Dot(d - a, unit);
        const double lo = std::max(0.0, std::min(c0, c1));
        const double hi = std::min(lr, std::max(c0, c1));
        return hi - lo > kHalfInch;
    }
    // Parallel when the sine of the angle between them is negligible.
    if (std::fabs(denom) <= kZeroTolerance * lr * ls) {
        return false;  // parallel, apart
    }
    const double t = Cross(c - a, s) / denom;
    const double u = Cross(c - a, r) / denom;
    if (t < 0.0 || t > 1.0 || u < 0.0 || u > 1.0) {
        return false;
    }
    const PlanPoint x = a + r * t;
    const bool farFromFirst = Distance(x, a) >= kHalfInch && Distance(x, b) >= kHalfInch;
    const bool farFromSecond = Distance(x, c) >= kHalfInch && Distance(x, d) >= kHalfInch;
    return farFromFirst || farFromSecond;
}

}  // namespace

bool IsSimpleOutline(const Room& room) {
    const std::vector<PlanPoint> v = RoomClosing::Outline(room);
    const int n = static_cast<int>(v.size());
    if (n < 1) {
        return false;
    }
    // The last point returns to the location and is not compared.
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n - 1; ++j) {
            if (Distance(v[static_cast<std::size_t>(i)], v[static_cast<std::size_t>(j)]) <
                kHalfInch) {
                return false;
            }
        }
    }
    // No corner may lie on a wall it does not end: a wall that doubles back almost onto the
    // one before it, or a corner pushed against another wall, makes a sliver, not a room.
    // Edge i runs from v[i - 1] to v[i]; the last edge returns to the location, point 0.
    for (int k = 0; k < n - 1; ++k) {
        for (int i = 1; i <= n - 1; ++i) {
            const bool ends = i == k || i == k + 1 || (k == 0 && i == n - 1);
            if (!ends && DistanceToSegment(v[static_cast<std::size_t>(k)],
                                           v[static_cast<std::size_t>(i - 1)],
                                           v[static_cast<std::size_t>(i)]) < kHalfInch) {
                return false;
            }
        }
    }
    for (int i = 1; i <= n - 2; ++i) {
        const PlanPoint a = v[static_cast<std::size_t>(i - 1)];
        const PlanPoint b = v[static_cast<std::size_t>(i)];
        for (int j = i; j <= n - 2; ++j) {
            if (EdgesConflict(a, b, v[static_cast<std::size_t>(j)],
                              v[static_cast<std::size_t>(j + 1)])) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace plantrek
