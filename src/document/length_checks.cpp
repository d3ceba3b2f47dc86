#include "document/length_checks.h"

#include "model/units.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

std::optional<QString> RangeCheck(double value, int textId, const LengthUnits& units) {
    if (IsWallLengthInRange(value)) {
        return std::nullopt;
    }
    return LoadString(textId).arg(units.FormatLength(MinWallLength),
                                  units.FormatLength(MaxWallLength));
}

}  // namespace

std::optional<QString> CheckWallLength(double length, const LengthUnits& units) {
    return RangeCheck(length, string_id::kWallLengthRange, units);
}

std::optional<QString> CheckDistance(double distance, const LengthUnits& units) {
    return RangeCheck(distance, string_id::kDistanceRange, units);
}

}  // namespace plantrek
