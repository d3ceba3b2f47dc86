#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "model/geometry.h"

// Doors, windows and plain openings. An opening belongs to one straight user wall of a room and
// travels with it: copying, moving, rotating or reflecting the room, or changing the wall's
// length, keeps its offset and width.
namespace plantrek {

class Room;
class Site;

enum class OpeningKind {
    Door = 0,
    Window = 1,
    Passage = 2,  // an opening without a door ("Opening" in menus and files)
};

// Seen from inside the room, facing the wall.
enum class DoorHinge { Left = 0, Right = 1 };

struct Opening {
    OpeningKind kind = OpeningKind::Door;
    double offset = 0.0;  // from the wall's start to the opening's nearer edge, along the chord (m)
    double width = 0.0;   // along the wall (m)
    double height = 0.0;  // m
    double sill = 0.0;    // windows: floor to the bottom of the window (m); 0 for the others
    DoorHinge hinge = DoorHinge::Left;  // doors only
    bool opensInward = true;            // doors only: into the room, or out of it

    // Doors and passages interrupt the skirting; windows do not.
    bool IsAtFloor() const { return kind != OpeningKind::Window; }

    friend bool operator==(const Opening&, const Opening&) = default;
};

using OpeningList = std::vector<Opening>;  // kept in order of offset

// Where an opening lies in the plan.
struct PlacedOpening {
    const Room* room = nullptr;  // the room whose wall holds it
    int wallIndex = -1;          // among that room's user walls
    int openingIndex = -1;       // among that wall's openings
    const Opening* opening = nullptr;
    PlanPoint start;     // the edge nearer the wall's start
    PlanPoint end;       // the other edge
    PlanPoint intoRoom;  // unit vector square to the wall, pointing into `room`
};

// The openings of the room's own walls, in wall order.
std::vector<PlacedOpening> PlaceOpenings(const Room& room);

// The openings that other rooms of the site on the same level hold on walls that this room
// shares with them (the two walls overlap along one line within half an inch). Such an opening counts for both rooms
// and is drawn once, by the room that holds it.
std::vector<PlacedOpening> SharedOpeningsOf(const Site& site, const Room& room);

// SharedOpeningsOf for many rooms of one site: every opening of the site is placed once, so that
// asking for each room costs about as much as the room's own walls rather than the whole site.
// Gives the same openings as SharedOpeningsOf, in the same order. Valid while the site is not
// changed.
class SharedOpeningIndex {
public:
    explicit SharedOpeningIndex(const Site& site);
    // Without `facing`, each opening's `intoRoom` is left unworked (the wall's left), for
    // callers that need only where the openings are.
    std::vector<PlacedOpening> Of(const Room& room, bool facing = true) const;

private:
    // The openings by the squares of the plan (two metres a side) that they touch: a hash table
    // of the squares that any opening touches, each naming its run of `cellOpenings_`.
    struct Square {
        std::int64_t key = 0;
        std::uint32_t first = 0;
        std::uint32_t count = 0;  // 0: a free slot
    };
    const Square* Find(std::int64_t key) const;

    std::vector<PlacedOpening> openings_;       // in the site's room and wall order
    std::vector<std::uint32_t> cellOpenings_;   // indices into openings_, grouped by square
    std::vector<Square> squares_;               // a power of two of slots, at most half used
    int shift_ = 64;                            // 64 less the log2 of the slot count
    // A bit per hash of a square, set for the squares in the table: most squares that a wall
    // touches hold no opening, and this small map says so without a look into the table.
    static constexpr int kMarkBits = 20;
    std::vector<std::uint64_t> marks_;
};

}  // namespace plantrek
