#pragma once

#include <QString>

#include <optional>

// What estimators take from a room and a material: net skirting, wall areas, volume and the
// order of a floor covering. Computed once here and used by the dialogs, `info`, the room
// schedule and the tests alike. Lengths in metres, areas in square metres.
namespace plantrek {

class LengthUnits;
class Material;
class Room;
class SharedOpeningIndex;
class Site;

struct RoomQuantities {
    double height = 0.0;          // the room's ceiling height, or the default when it has none
    double floorArea = 0.0;       // as Room::GetArea
    double grossPerimeter = 0.0;  // as Room::GetPerimeter
    double netPerimeter = 0.0;    // skirting: gross less doors and passages (own and shared)
    double grossWallArea = 0.0;   // gross perimeter x height
    double netWallArea = 0.0;     // less every opening's width x height (own and shared)
    double volume = 0.0;          // floor area x height
    int thresholdCount = 0;       // doors and passages
    double thresholdWidth = 0.0;  // their total width

    // Adds another room's figures to these, for the totals of many rooms (the height is left
    // as it is: a sum of heights means nothing).
    void Add(const RoomQuantities& q) {
        floorArea += q.floorArea;
        grossPerimeter += q.grossPerimeter;
        netPerimeter += q.netPerimeter;
        grossWallArea += q.grossWallArea;
        netWallArea += q.netWallArea;
        volume += q.volume;
        thresholdCount += q.thresholdCount;
        thresholdWidth += q.thresholdWidth;
    }
};

// Nothing for a room that is not closed. An opening of a neighbour on a shared wall that this
// room holds too (the same hole entered from both sides: of the same kind with the same edges
// within half an inch) counts once; any other opening of the neighbour counts as well, even where
// it overlaps one of this room's. `defaultHeight` stands in for a room without a height.
std::optional<RoomQuantities> ComputeRoomQuantities(const Site& site, const Room& room,
                                                    double defaultHeight);
// The same for many rooms: the index, built once for the site, finds the shared openings.
std::optional<RoomQuantities> ComputeRoomQuantities(const SharedOpeningIndex& shared,
                                                    const Room& room, double defaultHeight);

struct MaterialOrder {
    double area = 0.0;       // the floor area of the material's closed rooms
    double orderArea = 0.0;  // area plus the waste allowance
    int packs = 0;           // whole packs covering orderArea; 0 when the material has no pack size
};

MaterialOrder ComputeMaterialOrder(const Material& material, double area);

// A volume in the display units, with two decimals: "31.20 cu m", "1101.82 cu ft".
QString FormatVolume(double cubicMetres, const LengthUnits& units);

}  // namespace plantrek
