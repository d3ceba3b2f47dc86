#include "model/room_quantities.h"

#include <algorithm>
#include <cmath>

#include "model/material.h"
#include "model/opening.h"
#include "model/room.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek {

namespace {

void Subtract(RoomQuantities& q, const Opening& opening) {
    // An opening never takes more wall than the room has above its sill.
    const double height = std::clamp(opening.height, 0.0, std::max(0.0, q.height - opening.sill));
    const double width = std::max(0.0, opening.width);
    q.netWallArea -= width * height;
    if (opening.IsAtFloor()) {
        q.netPerimeter -= width;
        ++q.thresholdCount;
        q.thresholdWidth += width;
    }
}

// Whether two openings are one hole entered from both sides of a shared wall: of one kind, with
// their edges in one place within half an inch (each room sees the wall run its own way).
bool SameOpening(const PlacedOpening& a, const PlacedOpening& b) {
    if (a.opening->kind != b.opening->kind) {
        return false;
    }
    const auto near = [](PlanPoint p, PlanPoint q) { return Length(p - q) <= kHalfInch; };
    return (near(a.start, b.start) && near(a.end, b.end)) ||
           (near(a.start, b.end) && near(a.end, b.start));
}

std::optional<RoomQuantities> Compute(const Room& room, double defaultHeight,
                                      const std::vector<PlacedOpening>& shared) {
    if (!room.IsClosed()) {
        return std::nullopt;
    }
    RoomQuantities q;
    q.height = room.GetCeilingHeight() > 0.0 ? room.GetCeilingHeight() : defaultHeight;
    q.floorArea = room.GetArea();
    q.grossPerimeter = room.GetPerimeter();
    q.netPerimeter = q.grossPerimeter;
    q.grossWallArea = q.grossPerimeter * q.height;
    q.netWallArea = q.grossWallArea;
    q.volume = q.floorArea * q.height;
    // The openings that PlaceOpenings places, in its order: those of straight walls. Where a
    // neighbour's opening might be one of them, they are placed here as PlaceOpenings would.
    std::vector<PlacedOpening> own;
    PlanPoint start = room.GetLocation();
    for (const auto& wall : room.UserWalls()) {
        const OpeningList& openings = wall->GetOpenings();
        if (openings.empty() && shared.empty()) {
            continue;
        }
        const PlanPoint vector = wall->GetVector();
        const double length = Length(vector);
        if (!openings.empty() && length > 0.0 && !wall->HasArc()) {
            const PlanPoint u = vector / length;
            for (const Opening& opening : openings) {
                Subtract(q, opening);
                if (!shared.empty()) {
                    PlacedOpening& placed = own.emplace_back();
                    placed.opening = &opening;
                    placed.start = start + u * opening.offset;
                    placed.end = start + u * (opening.offset + opening.width);
                }
            }
        }
        start += vector;
    }
    // A neighbour's opening counts unless it is one of the room's own entered from there too.
    for (const PlacedOpening& placed : shared) {
        const bool enteredHereToo =
            std::any_of(own.begin(), own.end(),
                        [&placed](const PlacedOpening& mine) { return SameOpening(mine, placed); });
        if (!enteredHereToo) {
            Subtract(q, *placed.opening);
        }
    }
    q.netPerimeter = std::max(0.0, q.netPerimeter);
    q.netWallArea = std::max(0.0, q.netWallArea);
    return q;
}

}  // namespace

std::optional<RoomQuantities> ComputeRoomQuantities(const Site& site, const Room& room,
                                                    double defaultHeight) {
    if (!room.IsClosed()) {
        return std::nullopt;
    }
    return Compute(room, defaultHeight, SharedOpeningsOf(site, room));
}

std::optional<RoomQuantities> ComputeRoomQuantities(const SharedOpeningIndex& shared,
                                                    const Room& room, double defaultHeight) {
    if (!room.IsClosed()) {
        return std::nullopt;
    }
    return Compute(room, defaultHeight, shared.Of(room, false));
}

MaterialOrder ComputeMaterialOrder(const Material& material, double area) {
    MaterialOrder order;
    order.area = area;
    order.orderArea = area * (1.0 + std::max(0.0, material.GetWastePercent()) / 100.0);
    if (material.GetPackArea() > 0.0 && order.orderArea > 0.0) {
        // A hair of rounding must not cost a whole pack: 11.000000000000002 m² is 11 m².
        const double packs = order.orderArea / material.GetPackArea();
        order.packs = static_cast<int>(std::ceil(packs - 1e-9 * std::max(1.0, packs)));
    }
    return order;
}

QString FormatVolume(double cubicMetres, const LengthUnits& units) {
    // The units convert lengths and areas by plain factors, so a volume converts by their product.
    const double volume = cubicMetres * units.ToDisplayLength(1.0) * units.ToDisplayArea(1.0);
    return QString::number(volume, 'f', 2) +
           (units.IsMetric() ? QStringLiteral(" cu m") : QStringLiteral(" cu ft"));
}

}  // namespace plantrek
