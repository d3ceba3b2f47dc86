#include "document/room_names.h"

#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

bool NameTakenByOther(const Site& site, const Room* room, const QString& name) {
    for (const auto& other : site.Rooms()) {
        if (other.get() != room && other->GetName().compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

std::optional<QString> RangeCheck(double value, int textId, const LengthUnits& units) {
    if (IsWallLengthInRange(value)) {
        return std::nullopt;
    }
    return LoadString(textId).arg(units.FormatLength(MinWallLength),
                                  units.FormatLength(MaxWallLength));
}

}  // namespace

QString NameForNewRoom(const Site& site, const QString& typed) {
    if (typed.isEmpty()) {
        return DefaultRoomName(site);
    }
    if (NameTakenByOther(site, nullptr, typed)) {
        return site.NextRoomName(typed, 2);
    }
    return typed;
}

QString NameForEditedRoom(const Site& site, const Room& room, const QString& typed) {
    if (typed.isEmpty()) {
        return room.GetName();
    }
    if (NameTakenByOther(site, &room, typed)) {
        return site.NextRoomName(typed, 2);
    }
    return typed;
}

QString DefaultRoomName(const Site& site) {
    return site.NextRoomName(LoadString(string_id::kRoomPrefix), 1);
}

std::optional<QString> CheckWallLength(double length, const LengthUnits& units) {
    return RangeCheck(length, string_id::kWallLengthRange, units);
}

std::optional<QString> CheckDistance(double distance, const LengthUnits& units) {
    return RangeCheck(distance, string_id::kDistanceRange, units);
}

}  // namespace plantrek
