#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "model/opening.h"

// Where a door, window or passage may go, and keeping a wall's openings in order. The editing
// commands, the dialogs and the script commands all check through here, so that every way of
// placing an opening refuses the same things with the same words.
namespace plantrek {

class LengthUnits;
class Room;

// Why the opening may not stand on user wall `wallIndex` of the room, or nothing when it may.
// `ignoreIndex` names the wall's opening being edited (it does not overlap itself);
// `defaultHeight` stands in for a room without a ceiling height. Lengths in the message are in
// `units`. Refused: a wall that is not a straight user wall, a width or height not above zero,
// a negative sill, an opening (or a window's sill plus height) above the room's ceiling, one
// that runs off the wall or overlaps another.
std::optional<QString> CheckOpening(const Room& room, int wallIndex, const Opening& opening,
                                    const LengthUnits& units, double defaultHeight,
                                    int ignoreIndex = -1);

// The opening's place on a wall's list once added or changed; the list stays in order of
// offset. Add and Replace give the opening's new index, -1 when there is no such wall (or
// opening). They do not check: call CheckOpening first.
int AddOpening(Room& room, int wallIndex, const Opening& opening);
int ReplaceOpening(Room& room, int wallIndex, int openingIndex, const Opening& opening);
bool RemoveOpening(Room& room, int wallIndex, int openingIndex);

struct OpeningRef {
    int wallIndex = -1;     // among the room's user walls
    int openingIndex = -1;  // among that wall's openings
};

// The openings that no longer fit their wall after an edit: those reaching past the wall's end,
// and those on a wall that has become an arc. In wall order, then by offset.
std::vector<OpeningRef> OpeningsPastWallEnd(const Room& room);
// Removes them; gives how many went.
int RemoveOpeningsPastWallEnd(Room& room);

}  // namespace plantrek
