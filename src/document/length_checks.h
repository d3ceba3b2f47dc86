#pragma once

#include <QString>

#include <optional>

// The one check of the lengths a person types: the input line and the length and distance
// fields of the wall dialogs. Each returns the warning to show, or nothing when the value may be
// taken; NaN and infinities are refused.
namespace plantrek {

class LengthUnits;

std::optional<QString> CheckWallLength(double length, const LengthUnits& units);
// The same range for the distances of the "Move" and "Arc Wall" dialogs, with their own text.
std::optional<QString> CheckDistance(double distance, const LengthUnits& units);

}  // namespace plantrek
