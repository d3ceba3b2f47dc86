#pragma once

#include "model/geometry.h"
#include "model/room.h"

// Closing a room: from the gap between the end of the last user wall and the room's location,
// the room's rule adds one or two system walls, and the closed test decides whether the
// outline is a proper room.
namespace plantrek {

// Which corner closes a gap that runs off both axes: 0 one diagonal wall, 1 along x then y,
// 2 along y then x.
enum class CloseCorner { Diagonal = 0, XThenY = 1, YThenX = 2 };

// Computes the closing when it is not up to date; returns Closed or NotClosed.
CloseState GetCloseState(const Room& room);
void InvalidateClosing(Room& room);
void SetCloseRule(Room& room, CloseRule rule);
// Makes the closing walls ordinary user walls; the outline stays as it was.
void ConvertAddedWalls(Room& room);

// The end of the chain of user walls relative to the location.
PlanPoint ClosingGap(const Room& room);
bool CanClose(const Room& room, bool square);
CloseCorner ChooseCorner(const Room& room);
// The closed test over the walls as they stand (user and system).
bool IsSimpleOutline(const Room& room);

}  // namespace plantrek
