#include "render/plan_hit_test.h"

#include <algorithm>
#include <cmath>

#include "model/room.h"
#include "model/site.h"
#include "model/site_visitor.h"
#include "model/wall.h"

namespace plantrek {

namespace {

PlanPoint NearestPointOnSegment(PlanPoint point, PlanPoint a, PlanPoint b) {
    const PlanPoint ab = b - a;
    const double lengthSquared = Dot(ab, ab);
    if (lengthSquared == 0.0) {
        return a;
    }
    const double t = Dot(point - a, ab) / lengthSquared;
    if (!(t > 0.0)) {
        return a;
    }
    if (t >= 1.0) {
        return b;
    }
    return a + ab * t;
}

// The box of the wall as the room's bounds take it: its ends and, for an arc, the chord moved
// out to the arc's midpoint. It holds the whole wall.
PlanRect WallBox(PlanPoint start, PlanPoint end, const Wall& wall) {
    PlanRect box = PlanRect::Around(start);
    box.Include(end);
    if (wall.HasArc()) {
        const PlanPoint bow = wall.GetArcMidpoint() - wall.GetVector() / 2.0;
        box.Include(start + bow);
        box.Include(end + bow);
    }
    return box;
}

// Whether the point lies farther than `margin` outside the box: then nothing in the box can
// be within `margin` of it, and the exact distance need not be computed.
bool FarOutside(const PlanRect& box, PlanPoint point, double margin) {
    return point.x < box.minX - margin || point.x > box.maxX + margin ||
           point.y < box.minY - margin || point.y > box.maxY + margin;
}

// A best candidate of one kind of snap target.
struct Candidate {
    bool found = false;
    PlanPoint point;
    double distanceSquared = 0.0;

    // Strictly nearer only, so that on a tie the first one found stays.
    void Offer(PlanPoint target, double dSquared) {
        if (!found || dSquared < distanceSquared) {
            found = true;
            point = target;
            distanceSquared = dSquared;
        }
    }
};

double DistanceSquared(PlanPoint a, PlanPoint b) {
    const PlanPoint d = b - a;
    return Dot(d, d);
}

// The square of the distance from the point to the nearest point of the box; no corner in the
// box can be nearer.
double BoxDistanceSquared(const PlanRect& box, PlanPoint point) {
    const double dx = std::max({box.minX - point.x, 0.0, point.x - box.maxX});
    const double dy = std::max({box.minY - point.y, 0.0, point.y - box.maxY});
    return dx * dx + dy * dy;
}

}  // namespace

double PickTolerance(const ViewTransform& transform) {
    return transform.ToPlanLength(kPickTolerancePixels);
}

PlanPoint NearestPointOnWall(PlanPoint point, PlanPoint start, const Wall& wall) {
    const PlanPoint end = start + wall.GetVector();
    if (!wall.HasArc()) {
        return NearestPointOnSegment(point, start, end);
    }
    const WallArc arc = wall.GetArc(start);
    const PlanPoint fromCentre = point - arc.centre;
    const double d = Length(fromCentre);
    // From the centre every point of the arc is equally near; its midpoint stands for them.
    const PlanPoint onCircle =
        d > 0.0 ? arc.centre + fromCentre * (arc.radius / d) : start + wall.GetArcMidpoint();
    // An arc of at most a half circle is the part of its circle on its bowing side of the
    // chord; a point of the circle on the other side is nearest to one of the arc's ends.
    const double side = Cross(end - start, onCircle - start);
    const bool bowsLeft = wall.GetArcHeight() > 0.0;
    if ((bowsLeft && side >= 0.0) || (!bowsLeft && side <= 0.0)) {
        return onCircle;
    }
    return Distance(point, start) <= Distance(point, end) ? start : end;
}

double DistanceToWall(PlanPoint point, PlanPoint start, const Wall& wall) {
    return Distance(point, NearestPointOnWall(point, start, wall));
}

// ---------------------------------------------------------------------------------------------
// PlanHitIndex

class PlanHitIndex::Builder : public CSiteVisitor {
public:
    Builder(PlanHitIndex& index, int level) : index_(index), level_(level) {}

    void VisitSiteBegin(const Site& site) override {
        index_.startPoint_ = site.GetStartPoint();
        // Only the rooms walked are counted: one level of a large building is indexed without
        // reading the others.
        const std::vector<const Room*> rooms = site.RoomsOf(level_);
        index_.rooms_.reserve(rooms.size());
        std::size_t walls = 0;
        for (const Room* room : rooms) {
            walls += static_cast<std::size_t>(room->WallCount());
        }
        index_.walls_.reserve(walls);
    }

    void VisitRoomBegin(const Room& room) override {
        position_ = room.GetLocation();
        const std::size_t first = index_.walls_.size();
        index_.rooms_.push_back(
            RoomEntry{&room, PlanRect::Around(position_), position_, first, first});
    }

    void VisitWall(const Wall& wall) override {
        const PlanPoint start = position_;
        const PlanPoint end = start + wall.GetVector();
        position_ = end;
        const PlanRect box = WallBox(start, end, wall);
        index_.walls_.push_back(WallEntry{box, start, end, &wall});
        index_.rooms_.back().bounds.Include(box);
    }

    void VisitRoomEnd(const Room&) override { index_.rooms_.back().endWall = index_.walls_.size(); }

private:
    PlanHitIndex& index_;
    int level_;
    PlanPoint position_;
};

PlanHitIndex::PlanHitIndex(const Site& site, int level) {
    Builder builder(*this, level);
    site.Traverse(builder, level);
}

PickResult PlanHitIndex::Pick(PlanPoint point, double tolerance) const {
    PickResult result;
    for (const RoomEntry& room : rooms_) {
        // Every wall lies in the room's box: far outside it nothing of the room is in reach.
        if (FarOutside(room.bounds, point, std::max(tolerance, 0.0))) {
            continue;
        }
        for (std::size_t i = room.firstWall; i < room.endWall; ++i) {
            const WallEntry& entry = walls_[i];
            if (FarOutside(entry.box, point, tolerance) ||
                !(DistanceToWall(point, entry.start, *entry.wall) <= tolerance)) {
                continue;
            }
            // A later wall replaces an earlier one.
            result.kind =
                entry.wall->GetKind() == WallKind::User ? PickKind::UserWall : PickKind::OtherWall;
            result.room = room.room;
            result.wall = entry.wall;
        }
        // A wall, once hit, is never replaced by a room.
        if ((result.kind == PickKind::Nothing || result.kind == PickKind::Room) &&
            !FarOutside(room.bounds, point, 0.0) && room.room->ContainsPoint(point)) {
            result = PickResult{PickKind::Room, room.room, nullptr};
        }
    }
    if (Distance(point, startPoint_) <= tolerance) {
        result = PickResult{PickKind::StartPoint, nullptr, nullptr};
    }
    return result;
}

PlanPoint PlanHitIndex::SnapPoint(PlanPoint point, const Room* excluded, bool unlimited,
                                  double tolerance) const {
    if (unlimited) {
        // The start point and the corners are one kind here; the start point is simply the
        // first.
        Candidate best;
        if (excluded != nullptr) {
            best.Offer(startPoint_, DistanceSquared(point, startPoint_));
        }
        for (const RoomEntry& room : rooms_) {
            if (room.room == excluded ||
                (best.found && BoxDistanceSquared(room.bounds, point) >= best.distanceSquared)) {
                continue;
            }
            best.Offer(room.location, DistanceSquared(point, room.location));
            for (std::size_t i = room.firstWall; i < room.endWall; ++i) {
                best.Offer(walls_[i].end, DistanceSquared(point, walls_[i].end));
            }
        }
        return best.found ? best.point : point;
    }

    if (excluded != nullptr && Distance(point, startPoint_) <= tolerance) {
        return startPoint_;
    }
    Candidate corner;
    Candidate onWall;
    const auto offerCorner = [&](PlanPoint p) {
        if (std::fabs(p.x - point.x) > tolerance || std::fabs(p.y - point.y) > tolerance) {
            return;
        }
        const double d = Distance(point, p);
        if (d <= tolerance) {
            corner.Offer(p, d * d);
        }
    };
    for (const RoomEntry& room : rooms_) {
        if (room.room == excluded || FarOutside(room.bounds, point, tolerance)) {
            continue;
        }
        offerCorner(room.location);
        for (std::size_t i = room.firstWall; i < room.endWall; ++i) {
            const WallEntry& entry = walls_[i];
            offerCorner(entry.end);
            // A corner in reach shuts out every wall point; they are no longer looked for.
            if (corner.found || FarOutside(entry.box, point, tolerance)) {
                continue;
            }
            const PlanPoint nearest = NearestPointOnWall(point, entry.start, *entry.wall);
            const double d = Distance(point, nearest);
            if (d <= tolerance) {
                onWall.Offer(nearest, d * d);
            }
        }
    }
    if (corner.found) {
        return corner.point;
    }
    return onWall.found ? onWall.point : point;
}

// ---------------------------------------------------------------------------------------------
// One-off queries

PickResult Pick(const Site& site, PlanPoint point, double tolerance) {
    return PlanHitIndex(site).Pick(point, tolerance);
}

PickResult Pick(const Site& site, const ViewTransform& transform, DevicePoint logicalPoint) {
    return Pick(site, transform.ToPlan(logicalPoint), PickTolerance(transform));
}

PlanPoint SnapPoint(const Site& site, PlanPoint point, const Room* excluded, bool unlimited,
                    double tolerance) {
    return PlanHitIndex(site).SnapPoint(point, excluded, unlimited, tolerance);
}

}  // namespace plantrek
