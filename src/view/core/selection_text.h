#pragma once

#include <QString>

#include "view/core/level_totals.h"

// The text the status bar shows for the document's selection; the plan view reports the same
// text to screen readers, so both are made here.
namespace plantrek {

class CTracepadDoc;
class LengthUnits;
class Site;
struct RoomSnap;

// `Selected: 3.81 m @ NE wall in "Kitchen"`, `Selected: "Kitchen"`, `Selected: Room start
// point`, or an empty text when nothing is selected.
QString SelectionText(const CTracepadDoc& doc);

// What a drag will meet and how far apart they were at the mouse, for the plan's readout:
// `Corner meets a corner of "Kitchen", 0.018 m apart`, `Wall flush with a wall of "Hall", gap
// 0.100 m` (or overlap); empty when nothing is in reach. Millimetres, or inches to hundredths.
QString SnapText(const RoomSnap& snap, const LengthUnits& units);

// What the status bar says of a site of several levels: the rooms and floor area of the level
// shown and of the whole site, `Upper Floor: 4 rooms, 52.30 sm; site: 12 rooms, 160.00 sm`.
// Empty for a site of one level. Rooms that are not closed count as rooms without area.
// `known` keeps the totals of levels that have not changed since the last call.
QString LevelTotalsText(const Site& site, int level, const LengthUnits& units,
                        LevelTotals& known);

}  // namespace plantrek
