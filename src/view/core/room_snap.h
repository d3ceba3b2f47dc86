#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/geometry.h"

// Where a dragged room comes to rest against the other rooms: any of its corners onto a corner
// of another room, or any of its straight walls flush onto a parallel wall of another room,
// sliding along it. The rooms are kept in a coarse grid of their boxes, so that a drag step
// looks only at the rooms near the dragged one.
namespace plantrek {

class Room;
class Site;
class Wall;

enum class SnapKind {
    None = 0,
    StartPoint = 1,  // the room's start point onto the site's start point
    Corner = 2,      // a corner onto a corner
    Wall = 3,        // a wall flush onto a wall, or the start point onto a point of a wall
};

// What a drag step snaps to, and how far the dragged room was from meeting it at the mouse.
struct RoomSnap {
    SnapKind kind = SnapKind::None;
    // The displacement that makes them meet, added to where the mouse took the room.
    PlanPoint correction;
    // The corner met; for a wall, its two ends.
    PlanPoint target;
    PlanPoint targetEnd;
    // The room met; null for the site's start point.
    const Room* room = nullptr;
    // At the mouse: the distance between what meets (a corner's distance, a wall's gap), and
    // whether the dragged wall had already passed into the other room (an overlap).
    double gap = 0.0;
    bool overlap = false;
};

class RoomSnapIndex {
public:
    // Only the rooms of that level are met (every level's by default): a room snaps to the
    // walls of its own floor, never to those of the floor below it.
    explicit RoomSnapIndex(const Site& site, int level = -1);

    // Where `room`, shifted by `shift`, snaps within `tolerance` meters. The site's start point
    // is the strongest target (for the room's start point alone), then corners, then walls;
    // within a kind the nearest wins, and the room's start point wins a tie, so that the drag
    // of a room by its start point snaps as it always did.
    RoomSnap Snap(const Room& room, PlanPoint shift, double tolerance) const;

private:
    struct Segment {
        PlanPoint start;
        PlanPoint end;
        int entry;
    };
    struct Entry {
        const Room* room;
        PlanRect bounds;
        std::size_t firstCorner, endCorner;
        std::size_t firstWall, endWall;
        // Every wall, arcs included, for the start point's snap onto a point of a wall.
        std::size_t firstAnyWall, endAnyWall;
    };
    struct AnyWall {
        PlanPoint start;
        const Wall* wall;
    };
    // The rooms whose boxes come within the box.
    void Near(const PlanRect& box, std::vector<int>& out) const;

    PlanPoint startPoint_;
    std::vector<Entry> entries_;
    std::vector<PlanPoint> corners_;
    std::vector<Segment> walls_;  // straight walls only
    std::vector<AnyWall> anyWalls_;
    double cell_ = 1.0;
    std::unordered_map<std::uint64_t, std::vector<int>> grid_;
    std::vector<int> large_;  // rooms kept out of the grid
    mutable std::vector<unsigned> seen_;
    mutable unsigned stamp_ = 0;
};

// The corners and straight walls of a room as they stand: its start point first.
std::vector<PlanPoint> RoomCorners(const Room& room);

}  // namespace plantrek
