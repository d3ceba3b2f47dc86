#include "bench/site_generator.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "model/material.h"
#include "model/room.h"
#include "model/units.h"
#include "model/wall.h"

namespace plantrek::bench {

namespace {

// Rooms stand on a grid of cells this wide; the widest room with its bay stays inside one.
constexpr double kCell = 7.0;

struct MaterialSpec {
    const char* name;
    Colour colour;
};

constexpr std::array<MaterialSpec, 6> kMaterials = {{
    {"Carpet", MakeColour(200, 120, 80)},
    {"Oak", MakeColour(190, 150, 90)},
    {"Tile", MakeColour(230, 230, 220)},
    {"Vinyl", MakeColour(120, 160, 200)},
    {"Laminate", MakeColour(160, 110, 60)},
    {"Concrete", MakeColour(128, 128, 128)},
}};

class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}

    // In centimetres, as a tape would give it.
    double Length(double low, double high) {
        return std::round(std::uniform_real_distribution<double>(low, high)(engine_) * 100.0) /
               100.0;
    }
    int Whole(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_) < p; }

private:
    std::mt19937 engine_;
};

// The outline of one room, clockwise from its location, and the arc height of the wall that
// starts at each point (positive bows to the left: outward on a clockwise outline).
struct Outline {
    std::vector<PlanPoint> points;
    std::vector<double> arcHeights;

    void Add(PlanPoint p) {
        points.push_back(p);
        arcHeights.push_back(0.0);
    }
};

Outline MakeOutline(Dice& dice, bool bay, bool arc, bool open) {
    const double width = dice.Length(3.0, 5.2);
    const double height = dice.Length(3.0, 5.2);
    const std::array<PlanPoint, 4> corners = {
        {{0.0, 0.0}, {0.0, height}, {width, height}, {width, 0.0}}};
    // Walking clockwise: the direction into each corner and out of it.
    const std::array<PlanPoint, 4> in = {{{-1.0, 0.0}, {0.0, 1.0}, {1.0, 0.0}, {0.0, -1.0}}};
    const std::array<PlanPoint, 4> out = {{{0.0, 1.0}, {1.0, 0.0}, {0.0, -1.0}, {-1.0, 0.0}}};

    // A stepped corner adds two walls, a bay four: 8 to 12 walls in all.
    // An open room has one wall too many and its closing wall: it keeps to 10 of its own.
    const int notches = open ? 2 : bay ? dice.Whole(0, 2) : dice.Whole(2, 4);
    std::array<bool, 4> notched{};
    for (int placed = 0; placed < notches;) {
        const int corner = dice.Whole(0, 3);
        if (!notched[corner]) {
            notched[corner] = true;
            ++placed;
        }
    }
    std::array<std::vector<PlanPoint>, 4> cornerPoints;
    for (int i = 0; i < 4; ++i) {
        const PlanPoint p = corners[i];
        if (!notched[i]) {
            cornerPoints[i] = {p};
            continue;
        }
        const double a = dice.Length(0.4, std::min(1.2, height / 3.0));
        const double b = dice.Length(0.4, std::min(1.2, width / 3.0));
        const PlanPoint first = p - in[i] * a;
        cornerPoints[i] = {first, first + out[i] * b, p + out[i] * b};
    }

    // The bay goes on the longest side, the arc on another side long enough to bow.
    std::array<double, 4> runs{};
    for (int side = 0; side < 4; ++side) {
        runs[side] = Distance(cornerPoints[side].back(), cornerPoints[(side + 1) % 4].front());
    }
    const int longest = static_cast<int>(std::max_element(runs.begin(), runs.end()) - runs.begin());
    const int baySide = bay ? longest : -1;
    int arcSide = -1;
    if (arc) {
        for (int tries = 0; tries < 4 && arcSide < 0; ++tries) {
            const int side = dice.Whole(0, 3);
            if (side != baySide && runs[side] >= 1.0) {
                arcSide = side;
            }
        }
    }
    Outline outline;
    for (int side = 0; side < 4; ++side) {
        for (const PlanPoint& p : cornerPoints[side]) {
            outline.Add(p);
        }
        const PlanPoint from = cornerPoints[side].back();
        const PlanPoint to = cornerPoints[(side + 1) % 4].front();
        const double run = runs[side];
        const PlanPoint along = (to - from) / run;
        const PlanPoint outward = {-along.y, along.x};  // to the left: outside
        if (side == baySide) {
            const double length = dice.Length(0.5, std::min(2.0, run * 0.6));
            const double depth = dice.Length(0.3, 0.8);
            const PlanPoint s = from + along * (std::round((run - length) * 50.0) / 100.0);
            outline.Add(s);
            outline.Add(s + outward * depth);
            outline.Add(s + outward * depth + along * length);
            outline.Add(s + along * length);
        } else if (side == arcSide) {
            outline.arcHeights.back() = dice.Length(0.08, 0.2) * run;
        }
    }
    return outline;
}

void AddMaterials(Site& site) {
    for (std::size_t i = 0; i < kMaterials.size(); ++i) {
        site.AddMaterial(QString::fromLatin1(kMaterials[i].name), static_cast<int>(i) + 1,
                         kMaterials[i].colour);
    }
}

}  // namespace

std::unique_ptr<Site> GenerateSite(int roomCount, std::uint32_t seed) {
    auto site = std::make_unique<Site>();
    site->SetName(QStringLiteral("Generated"));
    AddMaterials(*site);
    Dice dice(seed);
    const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(roomCount))));
    site->SetStartPoint({-2.0, -2.0});

    for (int n = 0; n < roomCount; ++n) {
        const bool open = dice.Chance(0.03);
        const bool bay = !open && dice.Chance(0.2);
        const bool arc = dice.Chance(0.15);
        // About half the rooms are finished by their close rule, as surveyors usually do.
        const bool leaveLastWall = !open && dice.Chance(0.5);
        const Outline outline = MakeOutline(dice, bay, arc, open);

        Room* room = site->AddRoom(QStringLiteral("Room %1").arg(n + 1), dice.Whole(0, 6));
        const PlanPoint cell{(n % columns) * kCell + 0.9, (n / columns) * kCell + 0.9};
        room->Translate(cell + outline.points.front() - room->GetLocation());

        const std::size_t count = outline.points.size();
        const std::size_t walls = leaveLastWall ? count - 1 : count;
        for (std::size_t i = 0; i < walls; ++i) {
            const PlanPoint v = outline.points[(i + 1) % count] - outline.points[i];
            double length = 0.0;
            double direction = 0.0;
            CartesianToPolar(v.x, v.y, &length, &direction);
            room->AddWall(length, direction, outline.arcHeights[i]);
        }
        if (open) {
            // Measured all round and one wall on: the outline doubles back over itself.
            room->AddWall(1.0, 0.0);
        }
        if (dice.Chance(0.3)) {
            room->SetStartPoint(room->GetLocation() + outline.points[2] - outline.points[0]);
            room->ValidateStartPoint();
        }
    }
    return site;
}

void AddTwoOpenings(Site& site) {
    for (int r = 0; r < site.RoomCount(); ++r) {
        Room* room = site.GetRoom(r);
        std::vector<Opening> kinds = {{OpeningKind::Window, 0.0, 1.0, 1.2, 0.9},
                                      {OpeningKind::Door, 0.0, 0.8, 2.0, 0.0}};
        for (int w = 0; w < room->WallCount(true) && !kinds.empty(); ++w) {
            Wall* wall = room->GetWall(w, true);
            if (!wall->HasArc() && wall->GetLength() >= 1.2) {
                Opening opening = kinds.back();
                kinds.pop_back();
                opening.offset = (wall->GetLength() - opening.width) / 2.0;
                wall->SetOpenings({opening});
            }
        }
    }
}

SiteStatistics Measure(const Site& site) {
    SiteStatistics stats;
    stats.rooms = site.RoomCount();
    stats.fewestWalls = INT_MAX;
    for (const auto& room : site.Rooms()) {
        const int walls = room->WallCount();
        stats.walls += walls;
        stats.fewestWalls = std::min(stats.fewestWalls, walls);
        stats.mostWalls = std::max(stats.mostWalls, walls);
        for (const auto& wall : room->UserWalls()) {
            stats.arcWalls += wall->HasArc() ? 1 : 0;
        }
        stats.openRooms += room->IsClosed() ? 0 : 1;
    }
    if (stats.rooms == 0) {
        stats.fewestWalls = 0;
    }
    return stats;
}

Room MakeStaircaseRoom(int wallCount) {
    Room room(PlanPoint{0.0, 0.0});
    const int steps = std::max(1, (wallCount - 2) / 2);
    for (int i = 0; i < steps; ++i) {
        room.AddWall(0.5, 90.0);
        room.AddWall(0.3, 0.0);
    }
    return room;
}

}  // namespace plantrek::bench
