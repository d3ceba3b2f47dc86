#include "model/opening_rules.h"

#include <algorithm>
#include <cmath>

#include "model/room.h"
#include "model/units.h"

namespace plantrek {

namespace {

// Openings may touch each other and the wall's ends; a hair more is a real overlap.
constexpr double kFitTolerance = kPointTolerance;

QString Tr(const char* text) {
    return QString::fromLatin1(text);
}

const Wall* UserWall(const Room& room, int wallIndex) {
    if (wallIndex < 0 || wallIndex >= room.WallCount(true)) {
        return nullptr;
    }
    return room.GetWall(wallIndex, true);
}

Wall* UserWall(Room& room, int wallIndex) {
    return const_cast<Wall*>(UserWall(static_cast<const Room&>(room), wallIndex));
}

bool FitsOn(const Wall& wall, const Opening& opening) {
    return !wall.HasArc() && opening.offset >= -kFitTolerance &&
           opening.offset + opening.width <= wall.GetLength() + kFitTolerance;
}

// The stretches of the wall left free by its openings (other than `ignoreIndex`), as
// [from, to) offsets along the wall.
std::vector<std::pair<double, double>> FreeStretches(const Wall& wall, int ignoreIndex) {
    std::vector<std::pair<double, double>> taken;
    const OpeningList& openings = wall.GetOpenings();
    for (std::size_t i = 0; i < openings.size(); ++i) {
        if (static_cast<int>(i) != ignoreIndex) {
            taken.emplace_back(openings[i].offset, openings[i].offset + openings[i].width);
        }
    }
    std::sort(taken.begin(), taken.end());
    std::vector<std::pair<double, double>> free;
    double at = 0.0;
    for (const auto& [from, to] : taken) {
        if (from > at) {
            free.emplace_back(at, from);
        }
        at = std::max(at, to);
    }
    if (wall.GetLength() > at) {
        free.emplace_back(at, wall.GetLength());
    }
    return free;
}

void SortByOffset(OpeningList& openings) {
    std::stable_sort(openings.begin(), openings.end(),
                     [](const Opening& a, const Opening& b) { return a.offset < b.offset; });
}

int IndexOf(const OpeningList& openings, const Opening& opening) {
    // The last equal one: an added opening goes after any equal one already there.
    for (int i = static_cast<int>(openings.size()) - 1; i >= 0; --i) {
        if (openings[static_cast<std::size_t>(i)] == opening) {
            return i;
        }
    }
    return -1;
}

}  // namespace

std::optional<QString> CheckOpening(const Room& room, int wallIndex, const Opening& opening,
                                    const LengthUnits& units, double defaultHeight,
                                    int ignoreIndex) {
    const Wall* wall = UserWall(room, wallIndex);
    if (wall == nullptr) {
        return Tr("Doors, windows and openings go on the room's measured walls only.");
    }
    if (wall->HasArc()) {
        return Tr("Doors, windows and openings go on straight walls only; this wall is an arc.");
    }
    if (!std::isfinite(opening.offset) || !std::isfinite(opening.width) ||
        !std::isfinite(opening.height) || !std::isfinite(opening.sill)) {
        return Tr("Every size must be a number.");
    }
    if (opening.width <= 0.0) {
        return Tr("The width must be more than zero.");
    }
    if (opening.height <= 0.0) {
        return Tr("The height must be more than zero.");
    }
    const bool window = opening.kind == OpeningKind::Window;
    if (window && opening.sill < 0.0) {
        return Tr("The sill height cannot be negative.");
    }
    if (opening.offset < -kFitTolerance) {
        return Tr("The distance from the wall's start cannot be negative.");
    }
    const double roomHeight =
        room.GetCeilingHeight() > 0.0 ? room.GetCeilingHeight() : defaultHeight;
    if (roomHeight > 0.0) {
        if (opening.height > roomHeight + kFitTolerance) {
            return Tr("The height %1 is more than the room's ceiling height %2.")
                .arg(units.FormatLength(opening.height), units.FormatLength(roomHeight));
        }
        if (window && opening.sill + opening.height > roomHeight + kFitTolerance) {
            return Tr("The window's top (sill %1 plus height %2) is above the room's ceiling "
                      "height %3.")
                .arg(units.FormatLength(opening.sill), units.FormatLength(opening.height),
                     units.FormatLength(roomHeight));
        }
    }

    const auto free = FreeStretches(*wall, ignoreIndex);
    double longest = 0.0;
    for (const auto& [from, to] : free) {
        longest = std::max(longest, to - from);
    }
    if (!FitsOn(*wall, opening)) {
        return Tr("The opening does not fit on the wall: the wall is %1 long and its longest free "
                  "stretch is %2.")
            .arg(units.FormatLength(wall->GetLength()), units.FormatLength(longest));
    }
    const double from = opening.offset;
    const double to = opening.offset + opening.width;
    for (const auto& [freeFrom, freeTo] : free) {
        if (from >= freeFrom - kFitTolerance && to <= freeTo + kFitTolerance) {
            return std::nullopt;
        }
    }
    // Name the free stretch nearest to where the opening was asked to go.
    double nearestFrom = 0.0;
    double nearestTo = 0.0;
    double nearestDistance = -1.0;
    for (const auto& [freeFrom, freeTo] : free) {
        const double distance = std::max({0.0, freeFrom - from, from - freeTo});
        if (nearestDistance < 0.0 || distance < nearestDistance) {
            nearestDistance = distance;
            nearestFrom = freeFrom;
            nearestTo = freeTo;
        }
    }
    if (nearestDistance < 0.0) {
        return Tr("The opening overlaps another opening: the wall has no free length left.");
    }
    return Tr("The opening overlaps another opening: the free length there is %1 (from %2 to %3 "
              "along the wall); the wall's longest free stretch is %4.")
        .arg(units.FormatLength(nearestTo - nearestFrom), units.FormatLength(nearestFrom),
             units.FormatLength(nearestTo), units.FormatLength(longest));
}

int AddOpening(Room& room, int wallIndex, const Opening& opening) {
    Wall* wall = UserWall(room, wallIndex);
    if (wall == nullptr) {
        return -1;
    }
    OpeningList openings = wall->GetOpenings();
    openings.push_back(opening);
    SortByOffset(openings);
    wall->SetOpenings(openings);
    return IndexOf(wall->GetOpenings(), opening);
}

int ReplaceOpening(Room& room, int wallIndex, int openingIndex, const Opening& opening) {
    Wall* wall = UserWall(room, wallIndex);
    if (wall == nullptr || openingIndex < 0 ||
        openingIndex >= static_cast<int>(wall->GetOpenings().size())) {
        return -1;
    }
    OpeningList openings = wall->GetOpenings();
    openings.erase(openings.begin() + openingIndex);
    openings.push_back(opening);
    SortByOffset(openings);
    wall->SetOpenings(openings);
    return IndexOf(wall->GetOpenings(), opening);
}

bool RemoveOpening(Room& room, int wallIndex, int openingIndex) {
    Wall* wall = UserWall(room, wallIndex);
    if (wall == nullptr || openingIndex < 0 ||
        openingIndex >= static_cast<int>(wall->GetOpenings().size())) {
        return false;
    }
    OpeningList openings = wall->GetOpenings();
    openings.erase(openings.begin() + openingIndex);
    wall->SetOpenings(openings);
    return true;
}

std::vector<OpeningRef> OpeningsPastWallEnd(const Room& room) {
    std::vector<OpeningRef> past;
    const int count = room.WallCount(true);
    for (int w = 0; w < count; ++w) {
        const Wall* wall = room.GetWall(w, true);
        const OpeningList& openings = wall->GetOpenings();
        for (std::size_t i = 0; i < openings.size(); ++i) {
            if (!FitsOn(*wall, openings[i])) {
                past.push_back({w, static_cast<int>(i)});
            }
        }
    }
    return past;
}

int RemoveOpeningsPastWallEnd(Room& room) {
    const std::vector<OpeningRef> past = OpeningsPastWallEnd(room);
    // Last first, so that the indexes still to come stay valid.
    for (auto it = past.rbegin(); it != past.rend(); ++it) {
        RemoveOpening(room, it->wallIndex, it->openingIndex);
    }
    return static_cast<int>(past.size());
}

}  // namespace plantrek
