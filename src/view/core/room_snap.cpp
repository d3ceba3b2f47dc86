#include "view/core/room_snap.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/room.h"
#include "model/site.h"
#include "model/wall.h"
#include "render/plan_hit_test.h"

namespace plantrek {

namespace {

// Another target must be nearer than the room's start point by more than this to win: a move
// goes through a length and a bearing and comes out about 1e-7 m off.
constexpr double kTie = 1e-6;
// Walls whose directions differ by less than this (radians, as a sine) count as parallel.
constexpr double kParallel = 0.01;
// Along their length, walls must share more than this to meet.
constexpr double kShared = 1e-6;
// The grid's cells are never smaller than this, in meters.
constexpr double kMinCell = 0.5;
// A room spanning more cells than this is kept out of the grid.
constexpr double kMaxCells = 1024.0;

// Whether cell numbers stay well inside what the grid's keys hold.
bool InGrid(double x0, double x1, double y0, double y1) {
    constexpr double kLimit = 1e9;
    return std::fabs(x0) < kLimit && std::fabs(x1) < kLimit && std::fabs(y0) < kLimit &&
           std::fabs(y1) < kLimit;
}

bool FarOutside(const PlanRect& box, PlanPoint point, double margin) {
    return point.x < box.minX - margin || point.x > box.maxX + margin ||
           point.y < box.minY - margin || point.y > box.maxY + margin;
}

bool BoxesMeet(const PlanRect& a, const PlanRect& b) {
    return !a.empty && !b.empty && a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY &&
           b.minY <= a.maxY;
}

PlanRect Grown(PlanRect box, double margin) {
    box.minX -= margin;
    box.minY -= margin;
    box.maxX += margin;
    box.maxY += margin;
    return box;
}

std::uint64_t CellKey(long long ix, long long iy) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(ix)) << 32) |
           static_cast<std::uint32_t>(iy);
}

// The side of the wall c→d the room lies on: +1 left, -1 right, 0 when neither is inside.
int InsideSide(const Room& room, PlanPoint c, PlanPoint d) {
    if (!room.IsClosed()) {
        return 0;
    }
    const PlanPoint along = d - c;
    const double length = Length(along);
    if (length <= 0.0) {
        return 0;
    }
    const PlanPoint left{-along.y / length * 1e-4, along.x / length * 1e-4};
    const PlanPoint mid = c + along * 0.5;
    if (room.ContainsPoint(mid + left)) {
        return 1;
    }
    return room.ContainsPoint(mid - left) ? -1 : 0;
}

}  // namespace

std::vector<PlanPoint> RoomCorners(const Room& room) {
    std::vector<PlanPoint> corners{room.GetStartPoint(), room.GetLocation()};
    for (int i = 0; i < room.WallCount(); ++i) {
        corners.push_back(room.GetWallEnds(i).second);
    }
    return corners;
}

RoomSnapIndex::RoomSnapIndex(const Site& site, int level) : startPoint_(site.GetStartPoint()) {
    double extent = 0.0;
    for (const Room* walked : site.RoomsOf(level)) {
        const Room& room = *walked;
        Entry entry{&room, PlanRect::Around(room.GetLocation()), corners_.size(), 0,
                    walls_.size(), 0, anyWalls_.size(), 0};
        const int index = static_cast<int>(entries_.size());
        corners_.push_back(room.GetLocation());
        for (int i = 0; i < room.WallCount(); ++i) {
            const auto [start, end] = room.GetWallEnds(i);
            const Wall* wall = room.GetWall(i);
            corners_.push_back(end);
            anyWalls_.push_back({start, wall});
            entry.bounds.Include(start);
            entry.bounds.Include(end);
            if (wall->GetArcHeight() == 0.0) {
                if (Distance(start, end) > kShared) {
                    walls_.push_back({start, end, index});
                }
            } else {
                // The arc bulges out of its chord by up to its height.
                const double h = std::fabs(wall->GetArcHeight());
                entry.bounds.Include(PlanRect{std::min(start.x, end.x) - h,
                                              std::min(start.y, end.y) - h,
                                              std::max(start.x, end.x) + h,
                                              std::max(start.y, end.y) + h, false});
            }
        }
        entry.endCorner = corners_.size();
        entry.endWall = walls_.size();
        entry.endAnyWall = anyWalls_.size();
        extent += std::max(entry.bounds.Width(), entry.bounds.Height());
        entries_.push_back(entry);
    }
    if (!entries_.empty()) {
        cell_ = std::max(kMinCell, extent / static_cast<double>(entries_.size()));
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const PlanRect& b = entries_[i].bounds;
        const double fx0 = std::floor(b.minX / cell_);
        const double fx1 = std::floor(b.maxX / cell_);
        const double fy0 = std::floor(b.minY / cell_);
        const double fy1 = std::floor(b.maxY / cell_);
        // A room far larger than the others, or far out, is looked at by every query instead.
        if (!InGrid(fx0, fx1, fy0, fy1) || (fx1 - fx0 + 1.0) * (fy1 - fy0 + 1.0) > kMaxCells) {
            large_.push_back(static_cast<int>(i));
            continue;
        }
        const auto x0 = static_cast<long long>(fx0);
        const auto x1 = static_cast<long long>(fx1);
        const auto y0 = static_cast<long long>(fy0);
        const auto y1 = static_cast<long long>(fy1);
        for (long long x = x0; x <= x1; ++x) {
            for (long long y = y0; y <= y1; ++y) {
                grid_[CellKey(x, y)].push_back(static_cast<int>(i));
            }
        }
    }
    seen_.assign(entries_.size(), 0);
}

void RoomSnapIndex::Near(const PlanRect& box, std::vector<int>& out) const {
    out.clear();
    const double x0 = std::floor(box.minX / cell_);
    const double x1 = std::floor(box.maxX / cell_);
    const double y0 = std::floor(box.minY / cell_);
    const double y1 = std::floor(box.maxY / cell_);
    // A box wider than the grid is worth (far out, or a huge tolerance): every room is looked at.
    if (!InGrid(x0, x1, y0, y1) ||
        (x1 - x0 + 1.0) * (y1 - y0 + 1.0) > static_cast<double>(entries_.size())) {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (BoxesMeet(entries_[i].bounds, box)) {
                out.push_back(static_cast<int>(i));
            }
        }
        return;
    }
    if (++stamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        stamp_ = 1;
    }
    for (const int i : large_) {
        if (BoxesMeet(entries_[static_cast<std::size_t>(i)].bounds, box)) {
            seen_[static_cast<std::size_t>(i)] = stamp_;
            out.push_back(i);
        }
    }
    for (auto x = static_cast<long long>(x0); x <= static_cast<long long>(x1); ++x) {
        for (auto y = static_cast<long long>(y0); y <= static_cast<long long>(y1); ++y) {
            const auto cell = grid_.find(CellKey(x, y));
            if (cell == grid_.end()) {
                continue;
            }
            for (const int i : cell->second) {
                if (seen_[static_cast<std::size_t>(i)] != stamp_ &&
                    BoxesMeet(entries_[static_cast<std::size_t>(i)].bounds, box)) {
                    seen_[static_cast<std::size_t>(i)] = stamp_;
                    out.push_back(i);
                }
            }
        }
    }
    // The same order however the grid found them: drawing order, so ties go the same way.
    std::sort(out.begin(), out.end());
}

RoomSnap RoomSnapIndex::Snap(const Room& room, PlanPoint shift, double tolerance) const {
    RoomSnap snap;
    const PlanPoint start = room.GetStartPoint() + shift;
    if (!(tolerance >= 0.0)) {
        return snap;
    }
    if (Distance(start, startPoint_) <= tolerance) {
        snap.kind = SnapKind::StartPoint;
        snap.correction = startPoint_ - start;
        snap.target = snap.targetEnd = startPoint_;
        snap.gap = Distance(start, startPoint_);
        return snap;
    }

    std::vector<PlanPoint> corners = RoomCorners(room);
    PlanRect box;
    for (PlanPoint& p : corners) {
        p = p + shift;
        box.Include(p);
    }
    std::vector<int> near;
    Near(Grown(box, tolerance), near);
    const auto others = [&](auto&& visit) {
        for (const int i : near) {
            const Entry& entry = entries_[static_cast<std::size_t>(i)];
            if (entry.room != &room) {
                visit(entry);
            }
        }
    };

    // Corners: the start point is offered first, so that it keeps a tie.
    double best = std::numeric_limits<double>::infinity();
    const auto offer = [&](double d) { return d <= tolerance && d < best - kTie; };
    for (const PlanPoint& p : corners) {
        others([&](const Entry& entry) {
            if (FarOutside(entry.bounds, p, tolerance)) {
                return;
            }
            for (std::size_t c = entry.firstCorner; c < entry.endCorner; ++c) {
                const double d = Distance(p, corners_[c]);
                if (offer(d)) {
                    best = d;
                    snap = {SnapKind::Corner, corners_[c] - p, corners_[c], corners_[c],
                            entry.room, d, false};
                }
            }
        });
    }
    if (snap.kind != SnapKind::None) {
        return snap;
    }

    // Walls: the start point onto the nearest point of a wall, as a drag always did; then each
    // straight wall of the room flush onto a parallel wall, sliding along it.
    others([&](const Entry& entry) {
        if (FarOutside(entry.bounds, start, tolerance)) {
            return;
        }
        for (std::size_t w = entry.firstAnyWall; w < entry.endAnyWall; ++w) {
            const PlanPoint q = NearestPointOnWall(start, anyWalls_[w].start, *anyWalls_[w].wall);
            const double d = Distance(start, q);
            if (offer(d)) {
                best = d;
                snap = {SnapKind::Wall, q - start, q, q, entry.room, d, false};
            }
        }
    });
    const Segment* met = nullptr;
    double offset = 0.0;
    for (int i = 0; i < room.WallCount(); ++i) {
        if (room.GetWall(i)->GetArcHeight() != 0.0) {
            continue;
        }
        auto [a, b] = room.GetWallEnds(i);
        a = a + shift;
        b = b + shift;
        const double length = Distance(a, b);
        if (length <= kShared) {
            continue;
        }
        PlanRect wallBox = PlanRect::Around(a);
        wallBox.Include(b);
        wallBox = Grown(wallBox, tolerance);
        const PlanPoint v = (b - a) * (1.0 / length);
        const PlanPoint mid = a + (b - a) * 0.5;
        others([&](const Entry& entry) {
            if (!BoxesMeet(entry.bounds, wallBox)) {
                return;
            }
            for (std::size_t w = entry.firstWall; w < entry.endWall; ++w) {
                const Segment& s = walls_[w];
                const double span = Distance(s.start, s.end);
                const PlanPoint u = (s.end - s.start) * (1.0 / span);
                if (std::fabs(Cross(u, v)) > kParallel) {
                    continue;
                }
                const double ta = Dot(a - s.start, u);
                const double tb = Dot(b - s.start, u);
                if (std::min(std::max(ta, tb), span) - std::max(std::min(ta, tb), 0.0) <=
                    kShared) {
                    continue;
                }
                const PlanPoint normal{-u.y, u.x};
                const double o = Dot(mid - s.start, normal);
                if (offer(std::fabs(o))) {
                    best = std::fabs(o);
                    met = &s;
                    offset = o;
                    snap = {SnapKind::Wall, normal * -o, s.start, s.end, entry.room, best, false};
                }
            }
        });
    }
    if (met != nullptr) {
        // Past the wall into the other room is an overlap; short of it, a gap.
        const int side = InsideSide(*snap.room, met->start, met->end);
        snap.overlap = side != 0 && offset * side > 0.0;
    }
    return snap;
}

}  // namespace plantrek
