#include "model/opening.h"

#include <algorithm>
#include <cmath>

#include "model/room.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek {

namespace {

// Two walls count as one shared wall when they lie on one line within half an inch.
constexpr double kSharedWallTolerance = kHalfInch;

// Twice the signed area of the room's outline: positive when the walls run anticlockwise.
double SignedOutline(const Room& room) {
    const std::vector<PlanPoint> v = room.GetVertices(true);
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < v.size(); ++i) {
        sum += Cross(v[i], v[i + 1]);
    }
    if (v.size() > 2) {
        sum += Cross(v.back(), v.front());
    }
    return sum;
}

bool Overlaps(const PlanRect& a, const PlanRect& b, double tol) {
    return !a.empty && !b.empty && a.minX <= b.maxX + tol && b.minX <= a.maxX + tol &&
           a.minY <= b.maxY + tol && b.minY <= a.maxY + tol;
}

// Whether the segment p..q lies along the straight wall a..b, within the tolerance.
bool LiesOnWall(PlanPoint p, PlanPoint q, PlanPoint a, PlanPoint b) {
    const PlanPoint d = b - a;
    const double length = Length(d);
    if (length <= kSharedWallTolerance) {
        return false;
    }
    const PlanPoint u = d / length;
    for (const PlanPoint point : {p, q}) {
        const PlanPoint r = point - a;
        const double along = Dot(r, u);
        if (std::fabs(Cross(u, r)) > kSharedWallTolerance || along < -kSharedWallTolerance ||
            along > length + kSharedWallTolerance) {
            return false;
        }
    }
    return true;
}

// Into the room is to the left of each wall when the walls run anticlockwise.
double SideOf(const Room& room) {
    return SignedOutline(room) < 0.0 ? -1.0 : 1.0;
}

// PlaceOpenings, appending to `placed`; without `sides`, each `intoRoom` is the wall's left as
// if the walls ran anticlockwise, for SideOf to turn round.
void Place(const Room& room, bool sides, std::vector<PlacedOpening>& placed) {
    bool anyOpening = false;
    for (const auto& wall : room.UserWalls()) {
        anyOpening = anyOpening || !wall->GetOpenings().empty();
    }
    if (!anyOpening) {
        return;
    }
    const double side = sides ? SideOf(room) : 1.0;
    PlanPoint start = room.GetLocation();
    int wallIndex = 0;
    for (const auto& wall : room.UserWalls()) {
        const PlanPoint vector = wall->GetVector();
        const double length = Length(vector);
        const OpeningList& openings = wall->GetOpenings();
        if (length > 0.0 && !wall->HasArc()) {
            const PlanPoint u = vector / length;
            const PlanPoint left{-u.y, u.x};
            for (std::size_t i = 0; i < openings.size(); ++i) {
                const Opening& opening = openings[i];
                PlacedOpening p;
                p.room = &room;
                p.wallIndex = wallIndex;
                p.openingIndex = static_cast<int>(i);
                p.opening = &opening;
                p.start = start + u * opening.offset;
                p.end = start + u * (opening.offset + opening.width);
                p.intoRoom = left * side + PlanPoint{};  // no negative zeros
                placed.push_back(p);
            }
        }
        start += vector;
        ++wallIndex;
    }
}

}  // namespace

std::vector<PlacedOpening> PlaceOpenings(const Room& room) {
    std::vector<PlacedOpening> placed;
    Place(room, true, placed);
    return placed;
}

// Visits the ends of the room's straight walls, user and closing walls alike.
template <typename Visit>
void ForEachStraightWall(const Room& room, Visit visit) {
    PlanPoint start = room.GetLocation();
    const int count = room.WallCount();
    for (int i = 0; i < count; ++i) {
        const Wall* wall = room.GetWall(i);
        const PlanPoint end = start + wall->GetVector();
        if (!wall->HasArc()) {
            visit(start, end);
        }
        start = end;
    }
}

std::vector<std::pair<PlanPoint, PlanPoint>> StraightWalls(const Room& room) {
    std::vector<std::pair<PlanPoint, PlanPoint>> walls;
    ForEachStraightWall(room, [&walls](PlanPoint a, PlanPoint b) { walls.emplace_back(a, b); });
    return walls;
}

std::vector<PlacedOpening> SharedOpeningsOf(const Site& site, const Room& room) {
    std::vector<PlacedOpening> shared;
    if (room.WallCount() == 0) {
        return shared;
    }
    const PlanRect bounds = room.GetBounds();
    std::vector<std::pair<PlanPoint, PlanPoint>> walls;
    for (const Room* other : site.RoomsOnLevel(room.GetLevel())) {
        if (other == &room) {
            continue;
        }
        bool anyOpening = false;
        for (const auto& wall : other->UserWalls()) {
            anyOpening = anyOpening || !wall->GetOpenings().empty();
        }
        if (!anyOpening || !Overlaps(bounds, other->GetBounds(), kSharedWallTolerance)) {
            continue;
        }
        if (walls.empty()) {
            walls = StraightWalls(room);
        }
        for (const PlacedOpening& placed : PlaceOpenings(*other)) {
            for (const auto& [a, b] : walls) {
                if (LiesOnWall(placed.start, placed.end, a, b)) {
                    shared.push_back(placed);
                    break;
                }
            }
        }
    }
    return shared;
}

namespace {

constexpr double kCellSize = 2.0;

std::int64_t CellKey(std::int64_t column, std::int64_t row) {
    return (column << 32) ^ (row & 0xffffffff);
}

// The first slot to try for a square in a table of 2^(64 - shift) slots (Fibonacci hashing).
std::size_t Slot(std::int64_t key, int shift) {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ull) >>
                                    shift);
}

// The squares the box between the two points touches, grown by the shared-wall tolerance; none
// for a box that is not finite or absurdly large (no wall of the program is).
template <typename Visit>
void ForEachCell(PlanPoint a, PlanPoint b, Visit visit) {
    const double minX = std::min(a.x, b.x) - kSharedWallTolerance;
    const double maxX = std::max(a.x, b.x) + kSharedWallTolerance;
    const double minY = std::min(a.y, b.y) - kSharedWallTolerance;
    const double maxY = std::max(a.y, b.y) + kSharedWallTolerance;
    if (!std::isfinite(minX + maxX + minY + maxY) || std::fabs(minX) > 1e9 ||
        std::fabs(maxX) > 1e9 || std::fabs(minY) > 1e9 || std::fabs(maxY) > 1e9 ||
        (maxX - minX) * (maxY - minY) > 1e6) {
        return;
    }
    const auto firstColumn = static_cast<std::int64_t>(std::floor(minX / kCellSize));
    const auto lastColumn = static_cast<std::int64_t>(std::floor(maxX / kCellSize));
    const auto firstRow = static_cast<std::int64_t>(std::floor(minY / kCellSize));
    const auto lastRow = static_cast<std::int64_t>(std::floor(maxY / kCellSize));
    for (std::int64_t column = firstColumn; column <= lastColumn; ++column) {
        for (std::int64_t row = firstRow; row <= lastRow; ++row) {
            visit(CellKey(column, row));
        }
    }
}

}  // namespace

SharedOpeningIndex::SharedOpeningIndex(const Site& site) {
    // Counted first: the list is large, and growing it step by step costs more than the count.
    std::size_t count = 0;
    for (const auto& room : site.Rooms()) {
        for (const auto& wall : room->UserWalls()) {
            count += wall->GetOpenings().size();
        }
    }
    openings_.reserve(count);
    // Which side of its wall an opening faces is worked out only for those that Of gives.
    for (const auto& room : site.Rooms()) {
        Place(*room, false, openings_);
    }
    std::vector<std::pair<std::int64_t, std::uint32_t>> cells;  // (square, opening)
    cells.reserve(2 * openings_.size());
    for (std::uint32_t index = 0; index < openings_.size(); ++index) {
        ForEachCell(openings_[index].start, openings_[index].end,
                    [&cells, index](std::int64_t key) { cells.emplace_back(key, index); });
    }
    // Two passes over the table instead of a sort: count each square's openings, give each
    // square its run, then fill the runs in the order of the openings.
    int bits = 4;
    while ((std::size_t{1} << bits) < 2 * cells.size()) {
        ++bits;
    }
    shift_ = 64 - bits;
    squares_.assign(std::size_t{1} << bits, Square{});
    marks_.assign((std::size_t{1} << kMarkBits) / 64, 0);
    const std::size_t mask = squares_.size() - 1;
    std::vector<std::uint32_t> slotOf(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::int64_t key = cells[i].first;
        std::size_t slot = Slot(key, shift_);
        while (squares_[slot].count != 0 && squares_[slot].key != key) {
            slot = (slot + 1) & mask;
        }
        squares_[slot].key = key;
        ++squares_[slot].count;
        slotOf[i] = static_cast<std::uint32_t>(slot);
    }
    std::uint32_t next = 0;
    for (Square& square : squares_) {
        if (square.count != 0) {
            square.first = next;
            next += square.count;
            const std::size_t bit = Slot(square.key, 64 - kMarkBits);
            marks_[bit / 64] |= std::uint64_t{1} << (bit % 64);
        }
    }
    cellOpenings_.resize(cells.size());
    std::vector<std::uint32_t> filled(squares_.size(), 0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::uint32_t slot = slotOf[i];
        cellOpenings_[squares_[slot].first + filled[slot]++] = cells[i].second;
    }
}

const SharedOpeningIndex::Square* SharedOpeningIndex::Find(std::int64_t key) const {
    const std::size_t bit = Slot(key, 64 - kMarkBits);
    if ((marks_[bit / 64] & (std::uint64_t{1} << (bit % 64))) == 0) {
        return nullptr;
    }
    const std::size_t mask = squares_.size() - 1;
    for (std::size_t slot = Slot(key, shift_);; slot = (slot + 1) & mask) {
        const Square& square = squares_[slot];
        if (square.count == 0) {
            return nullptr;
        }
        if (square.key == key) {
            return &square;
        }
    }
}

std::vector<PlacedOpening> SharedOpeningIndex::Of(const Room& room, bool facing) const {
    if (openings_.empty()) {
        return {};
    }
    // Asked once for every room of a site: the list of candidates is kept between calls.
    thread_local std::vector<std::uint32_t> found;
    found.clear();
    ForEachStraightWall(room, [&](PlanPoint a, PlanPoint b) {
        // An opening with an edge outside the wall's box (grown by the tolerance) is not on it:
        // most candidates of a square are turned away by this before any square root.
        const double minX = std::min(a.x, b.x) - kSharedWallTolerance;
        const double maxX = std::max(a.x, b.x) + kSharedWallTolerance;
        const double minY = std::min(a.y, b.y) - kSharedWallTolerance;
        const double maxY = std::max(a.y, b.y) + kSharedWallTolerance;
        const auto inBox = [&](PlanPoint p) {
            return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
        };
        ForEachCell(a, b, [&](std::int64_t key) {
            const Square* square = Find(key);
            if (square == nullptr) {
                return;
            }
            for (std::uint32_t i = square->first; i < square->first + square->count; ++i) {
                const std::uint32_t index = cellOpenings_[i];
                const PlacedOpening& placed = openings_[index];
                if (inBox(placed.start) && inBox(placed.end) && placed.room != &room &&
                    placed.room->GetLevel() == room.GetLevel() &&
                    LiesOnWall(placed.start, placed.end, a, b)) {
                    found.push_back(index);
                }
            }
        });
    });
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    std::vector<PlacedOpening> shared;
    shared.reserve(found.size());
    const Room* sideOf = nullptr;
    double side = 1.0;
    for (const std::uint32_t index : found) {
        PlacedOpening placed = openings_[index];
        if (!facing) {
            shared.push_back(placed);
            continue;
        }
        if (placed.room != sideOf) {
            sideOf = placed.room;
            side = SideOf(*placed.room);
        }
        placed.intoRoom = placed.intoRoom * side + PlanPoint{};  // no negative zeros
        shared.push_back(placed);
    }
    return shared;
}

}  // namespace plantrek
