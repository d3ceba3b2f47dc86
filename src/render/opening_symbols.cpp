#include "render/opening_symbols.h"

#include <algorithm>
#include <cmath>

#include "model/room.h"
#include "model/site.h"
#include "model/wall.h"

namespace plantrek {

DoorSwing DoorSwingOf(const PlacedOpening& placed) {
    const PlanPoint n = placed.intoRoom;
    // Seen from inside the room, facing the wall: the right hand points this way.
    const PlanPoint right{-n.y, n.x};
    const PlanPoint side = placed.opening != nullptr && placed.opening->hinge == DoorHinge::Left
                               ? PlanPoint{-right.x, -right.y}
                               : right;
    const bool hingeAtStart = Dot(placed.start - placed.end, side) > 0.0;
    DoorSwing swing;
    swing.hinge = hingeAtStart ? placed.start : placed.end;
    swing.closed = hingeAtStart ? placed.end : placed.start;
    swing.radius = Distance(placed.start, placed.end);
    const bool inward = placed.opening == nullptr || placed.opening->opensInward;
    swing.open = swing.hinge + (inward ? n : PlanPoint{-n.x, -n.y}) * swing.radius;
    swing.closedAngle = std::atan2(swing.closed.y - swing.hinge.y, swing.closed.x - swing.hinge.x);
    swing.openAngle = std::atan2(swing.open.y - swing.hinge.y, swing.open.x - swing.hinge.x);
    return swing;
}

std::vector<std::pair<double, double>> OpeningCuts(PlanPoint start, PlanPoint end,
                                                   const std::vector<PlacedOpening>& openings) {
    std::vector<std::pair<double, double>> cuts;
    const PlanPoint d = end - start;
    const double length = Length(d);
    if (!(length > kOpeningOnWallTolerance)) {
        return cuts;
    }
    const PlanPoint u = d / length;
    for (const PlacedOpening& placed : openings) {
        const PlanPoint a = placed.start - start;
        const PlanPoint b = placed.end - start;
        if (std::fabs(Cross(u, a)) > kOpeningOnWallTolerance ||
            std::fabs(Cross(u, b)) > kOpeningOnWallTolerance) {
            continue;
        }
        const double from = std::max(0.0, std::min(Dot(u, a), Dot(u, b)) / length);
        const double to = std::min(1.0, std::max(Dot(u, a), Dot(u, b)) / length);
        if (to - from > 1e-9) {
            cuts.emplace_back(from, to);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::pair<double, double>> merged;
    for (const auto& cut : cuts) {
        if (!merged.empty() && cut.first <= merged.back().second) {
            merged.back().second = std::max(merged.back().second, cut.second);
        } else {
            merged.push_back(cut);
        }
    }
    return merged;
}

bool HasOpenings(const Room& room) {
    return std::any_of(room.UserWalls().begin(), room.UserWalls().end(),
                       [](const auto& wall) { return !wall->GetOpenings().empty(); });
}

double WidestDoor(const Room& room) {
    double widest = 0.0;
    for (const auto& wall : room.UserWalls()) {
        for (const Opening& opening : wall->GetOpenings()) {
            if (opening.kind == OpeningKind::Door) {
                widest = std::max(widest, opening.width);
            }
        }
    }
    return widest;
}

SiteOpenings::SiteOpenings(const Site& site, int level) {
    for (const Room* room : site.RoomsOf(level < 0 ? Site::kEveryLevel : level)) {
        if (room != nullptr && HasOpenings(*room)) {
            const PlanRect box = room->GetBounds();
            if (!box.empty) {
                holders_.push_back({room, box, std::nullopt});
                widest_ = std::max(widest_, box.maxX - box.minX);
            }
        }
    }
    std::stable_sort(holders_.begin(), holders_.end(),
                     [](const Holder& a, const Holder& b) { return a.box.minX < b.box.minX; });
}

std::vector<PlacedOpening> SiteOpenings::Near(const Room& room) const {
    std::vector<PlacedOpening> found;
    const PlanRect box = room.GetBounds();
    if (box.empty) {
        return found;
    }
    const double tol = kOpeningOnWallTolerance;
    // Only holders whose left edge lies within reach of this box can touch it.
    const auto first = std::lower_bound(holders_.begin(), holders_.end(), box.minX - tol - widest_,
                                        [](const Holder& h, double x) { return h.box.minX < x; });
    for (auto it = first; it != holders_.end() && it->box.minX <= box.maxX + tol; ++it) {
        const PlanRect& other = it->box;
        if (it->room == &room ||
            (it->room->GetLevel() == room.GetLevel() && other.maxX >= box.minX - tol &&
             other.minY <= box.maxY + tol && other.maxY >= box.minY - tol)) {
            if (!it->placed) {
                it->placed = PlaceOpenings(*it->room);
            }
            found.insert(found.end(), it->placed->begin(), it->placed->end());
        }
    }
    return found;
}

}  // namespace plantrek
