#include "model/plan_check.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "model/room.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek {

namespace {

// Points closer than this to an edge lie on it: far below any measured length, far above the
// rounding of coordinates built up wall by wall.
constexpr double kOnEdge = 1e-7;

struct Edge {
    PlanPoint a;
    PlanPoint b;
    bool straight = true;  // a whole straight wall, not half of an arc
};

// A closed room's outline turning counter-clockwise (inside on the left of every edge).
struct Outline {
    std::vector<PlanPoint> corners;
    std::vector<Edge> edges;
    PlanRect box;
};

double SignedArea2(const std::vector<PlanPoint>& p) {
    double sum = 0.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        sum += Cross(p[i], p[(i + 1) % p.size()]);
    }
    return sum;
}

Outline MakeOutline(std::vector<PlanPoint> corners, std::vector<bool> straight) {
    Outline outline;
    if (corners.size() < 3) {
        return outline;
    }
    if (SignedArea2(corners) < 0.0) {
        std::reverse(corners.begin(), corners.end());
        // Edge i ran from corner i to i + 1; reversed, it runs from n - 2 - i to n - 1 - i.
        std::reverse(straight.begin(), straight.end() - 1);
    }
    for (std::size_t i = 0; i < corners.size(); ++i) {
        outline.box.Include(corners[i]);
        outline.edges.push_back({corners[i], corners[(i + 1) % corners.size()], straight[i]});
    }
    outline.corners = std::move(corners);
    return outline;
}

Outline OutlineOfPolygon(const std::vector<PlanPoint>& corners) {
    return MakeOutline(corners, std::vector<bool>(corners.size(), true));
}

Outline OutlineOfRoom(const Room& room) {
    if (!room.IsClosed()) {
        return {};
    }
    std::vector<PlanPoint> corners;
    std::vector<bool> straight;
    PlanPoint p = room.GetLocation();
    for (int i = 0; i < room.WallCount(); ++i) {
        const Wall* wall = room.GetWall(i);
        corners.push_back(p);
        if (wall->HasArc()) {
            corners.push_back(p + wall->GetArcMidpoint());
            straight.push_back(false);
        }
        straight.push_back(!wall->HasArc());
        p += wall->GetVector();
    }
    return MakeOutline(std::move(corners), std::move(straight));
}

double DistanceToSegment(PlanPoint p, PlanPoint a, PlanPoint b) {
    const PlanPoint d = b - a;
    const double lengthSquared = Dot(d, d);
    const double t =
        lengthSquared > 0.0 ? std::clamp(Dot(p - a, d) / lengthSquared, 0.0, 1.0) : 0.0;
    return Distance(p, a + d * t);
}

bool Inside(const std::vector<PlanPoint>& polygon, PlanPoint p) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const PlanPoint a = polygon[i];
        const PlanPoint b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
            inside = !inside;
        }
    }
    return inside;
}

bool BoxesMeet(const PlanRect& a, const PlanRect& b, double margin) {
    return !a.empty && !b.empty && a.minX <= b.maxX + margin && b.minX <= a.maxX + margin &&
           a.minY <= b.maxY + margin && b.minY <= a.maxY + margin;
}

// Adds the pieces of `self`'s edges that bound the common part of the two outlines, by the
// boundary integral of the area: a piece inside the other outline bounds it; a piece lying
// on the other's edge bounds it when both run the same way (both insides on the same side),
// and is counted from `self` only when `countShared`, so that it is counted once.
void AddBoundary(const Outline& self, const Outline& other, bool countShared, PlanPoint origin,
                 Overlap& sum) {
    for (const Edge& edge : self.edges) {
        const PlanPoint p = edge.a - origin;
        const PlanPoint r = edge.b - edge.a;
        const double length = Length(r);
        if (length <= 0.0) {
            continue;
        }
        std::vector<double> cuts{0.0, 1.0};
        for (const Edge& cut : other.edges) {
            const PlanPoint s = cut.b - cut.a;
            const PlanPoint ca = cut.a - edge.a;
            const double denominator = Cross(r, s);
            if (std::fabs(denominator) > 1e-12 * length * Length(s)) {
                const double t = Cross(ca, s) / denominator;
                const double u = Cross(ca, r) / denominator;
                if (t > 0.0 && t < 1.0 && u >= -1e-9 && u <= 1.0 + 1e-9) {
                    cuts.push_back(t);
                }
            }
            // Ends of the other's edges on this one: where a shared stretch starts or stops.
            for (const PlanPoint end : {cut.a, cut.b}) {
                if (DistanceToSegment(end, edge.a, edge.b) < kOnEdge) {
                    cuts.push_back(std::clamp(Dot(end - edge.a, r) / (length * length), 0.0, 1.0));
                }
            }
        }
        std::sort(cuts.begin(), cuts.end());
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
            if (cuts[i + 1] - cuts[i] <= 1e-12) {
                continue;
            }
            const PlanPoint middle = edge.a + r * ((cuts[i] + cuts[i + 1]) / 2.0);
            bool bounds = false;
            bool onEdge = false;
            for (const Edge& cut : other.edges) {
                if (DistanceToSegment(middle, cut.a, cut.b) < kOnEdge) {
                    onEdge = true;
                    bounds = countShared && Dot(r, cut.b - cut.a) > 0.0;
                    break;
                }
            }
            if (!onEdge) {
                bounds = Inside(other.corners, middle);
            }
            if (bounds) {
                const PlanPoint from = p + r * cuts[i];
                const PlanPoint to = p + r * cuts[i + 1];
                sum.area += Cross(from, to) / 2.0;
                sum.perimeter += length * (cuts[i + 1] - cuts[i]);
            }
        }
    }
}

Overlap OverlapOfOutlines(const Outline& a, const Outline& b) {
    Overlap sum;
    if (a.edges.empty() || b.edges.empty() || !BoxesMeet(a.box, b.box, kOnEdge)) {
        return sum;
    }
    // Near the outlines, so that the integral adds no large terms that cancel.
    const PlanPoint origin = a.corners.front();
    AddBoundary(a, b, true, origin, sum);
    AddBoundary(b, a, false, origin, sum);
    sum.area = std::max(sum.area, 0.0);
    return sum;
}

Outline Translated(const Outline& outline, PlanPoint by) {
    Outline moved = outline;
    for (PlanPoint& p : moved.corners) {
        p += by;
    }
    for (Edge& e : moved.edges) {
        e.a += by;
        e.b += by;
    }
    moved.box = {outline.box.minX + by.x, outline.box.minY + by.y, outline.box.maxX + by.x,
                 outline.box.maxY + by.y, outline.box.empty};
    return moved;
}

// The narrowest gap between facing parallel walls of the two outlines that run side by side,
// apart by more than touching and less than the slip limit everywhere alongside; nothing
// without such walls.
std::optional<double> NarrowestSlip(const Outline& a, const Outline& b) {
    const double facing = std::cos(plan_check::kParallelDegrees * kPi / 180.0);
    std::optional<double> narrowest;
    for (const Edge& ea : a.edges) {
        const double la = Distance(ea.a, ea.b);
        if (!ea.straight || la <= 0.0) {
            continue;
        }
        const PlanPoint da = (ea.b - ea.a) / la;
        const PlanPoint outward{da.y, -da.x};
        for (const Edge& eb : b.edges) {
            const double lb = Distance(eb.a, eb.b);
            if (!eb.straight || lb <= 0.0 || Dot(da, eb.b - eb.a) / lb > -facing) {
                continue;
            }
            const double s0 = Dot(eb.a - ea.a, da);
            const double s1 = Dot(eb.b - ea.a, da);
            const double g0 = Dot(eb.a - ea.a, outward);
            const double g1 = Dot(eb.b - ea.a, outward);
            const double from = std::max(0.0, std::min(s0, s1));
            const double to = std::min(la, std::max(s0, s1));
            if (to - from <= plan_check::kTouching) {
                continue;
            }
            const auto gapAt = [&](double s) { return g0 + (g1 - g0) * (s - s0) / (s1 - s0); };
            const double near = std::min(gapAt(from), gapAt(to));
            const double far = std::max(gapAt(from), gapAt(to));
            if (near > plan_check::kTouching && far < plan_check::kSlipLimit &&
                (!narrowest || near < *narrowest)) {
                narrowest = near;
            }
        }
    }
    return narrowest;
}

}  // namespace

Overlap OverlapOf(const Room& a, const Room& b) {
    if (a.GetLevel() != b.GetLevel()) {
        return {};
    }
    return OverlapOfOutlines(OutlineOfRoom(a), OutlineOfRoom(b));
}

Overlap OverlapOf(const std::vector<PlanPoint>& a, const std::vector<PlanPoint>& b) {
    return OverlapOfOutlines(OutlineOfPolygon(a), OutlineOfPolygon(b));
}

std::vector<PlanFinding> CheckPlan(const Site& site) {
    std::vector<Outline> outlines;
    std::vector<int> order;
    for (int i = 0; i < site.RoomCount(); ++i) {
        outlines.push_back(OutlineOfRoom(*site.GetRoom(i)));
        if (!outlines.back().edges.empty()) {
            order.push_back(i);
        }
    }
    // Sweeps the rooms from west to east; a room meets only those that start before it ends.
    std::sort(order.begin(), order.end(), [&](int x, int y) {
        return outlines[static_cast<std::size_t>(x)].box.minX <
               outlines[static_cast<std::size_t>(y)].box.minX;
    });
    std::vector<PlanFinding> findings;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Outline& a = outlines[static_cast<std::size_t>(order[i])];
        for (std::size_t j = i + 1; j < order.size(); ++j) {
            const Outline& b = outlines[static_cast<std::size_t>(order[j])];
            if (b.box.minX > a.box.maxX + plan_check::kSlipLimit) {
                break;
            }
            if (!BoxesMeet(a.box, b.box, plan_check::kSlipLimit) ||
                site.GetRoom(order[i])->GetLevel() != site.GetRoom(order[j])->GetLevel()) {
                continue;
            }
            const int first = std::min(order[i], order[j]);
            const int second = std::max(order[i], order[j]);
            const Overlap overlap = OverlapOfOutlines(a, b);
            if (overlap.Depth() > plan_check::kTouching) {
                findings.push_back({PlanFinding::Kind::Overlap, first, second, overlap.area});
            }
            if (const std::optional<double> gap = NarrowestSlip(a, b)) {
                findings.push_back({PlanFinding::Kind::Slip, first, second, *gap});
            }
        }
    }
    std::sort(findings.begin(), findings.end(), [](const PlanFinding& x, const PlanFinding& y) {
        return std::tie(x.first, x.second, x.kind) < std::tie(y.first, y.second, y.kind);
    });
    return findings;
}

std::optional<PlanPoint> SnapRoomTarget(const Site& site, const Room& room) {
    // The corners nearest first, ties in the order offered (the site's start point first).
    struct Corner {
        double distance;
        std::size_t order;
        PlanPoint point;
    };
    const auto farther = [](const Corner& x, const Corner& y) {
        return std::tie(x.distance, x.order) > std::tie(y.distance, y.order);
    };
    const PlanPoint from = room.GetStartPoint();
    std::vector<Corner> corners;
    corners.reserve(static_cast<std::size_t>(site.RoomCount()) * 12 + 1);
    const auto offer = [&](PlanPoint p) {
        corners.push_back({Distance(from, p), corners.size(), p});
    };
    offer(site.GetStartPoint());
    // Outlines are made only for rooms whose box a placement reaches.
    std::vector<const Room*> others;
    std::vector<PlanRect> boxes;
    for (const auto& other : site.Rooms()) {
        if (other.get() == &room || other->GetLevel() != room.GetLevel()) {
            continue;
        }
        PlanPoint p = other->GetLocation();
        offer(p);
        if (other->IsClosed()) {
            others.push_back(other.get());
            boxes.push_back(other->GetBounds());
        }
        for (int i = 0; i < other->WallCount(); ++i) {
            p += other->GetWall(i)->GetVector();
            offer(p);
        }
    }
    std::vector<std::optional<Outline>> outlines(others.size());
    std::make_heap(corners.begin(), corners.end(), farther);
    const Outline outline = OutlineOfRoom(room);
    while (!corners.empty()) {
        std::pop_heap(corners.begin(), corners.end(), farther);
        const PlanPoint corner = corners.back().point;
        corners.pop_back();
        const Outline moved = Translated(outline, corner - from);
        bool fits = true;
        for (std::size_t i = 0; fits && i < others.size(); ++i) {
            if (!BoxesMeet(moved.box, boxes[i], 0.0)) {
                continue;
            }
            if (!outlines[i]) {
                outlines[i] = OutlineOfRoom(*others[i]);
            }
            fits = OverlapOfOutlines(moved, *outlines[i]).Depth() <= plan_check::kSnapAllowance;
        }
        if (fits) {
            return corner;
        }
    }
    return std::nullopt;
}

}  // namespace plantrek
