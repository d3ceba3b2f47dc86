#include "document/dialog_checks.h"

#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "resources/string_table.h"

namespace plantrek {

double ParseLengthField(const QString& text, const LengthUnits& units) {
    return units.ParseLength(text);
}

double ParseDirectionField(const QString& text, const AngleStyle& style) {
    return style.ParseDirection(text);
}

std::optional<QString> CheckMaterialText(const QString& material) {
    if (material.isEmpty()) {
        return LoadString(string_id::kMaterialNameMissing);
    }
    return std::nullopt;
}

std::optional<QString> CheckNewMaterialColour(const Site& site, Colour colour) {
    if (site.FindMaterialByColour(colour) != nullptr) {
        return LoadString(string_id::kColourInUse);
    }
    return std::nullopt;
}

std::optional<QString> CheckMaterialColour(const Site& site, const QString& materialName,
                                           Colour colour) {
    for (const auto& material : site.Materials()) {
        if (material->GetColour() == colour && material->GetName() != materialName) {
            return LoadString(string_id::kColourInUse);
        }
    }
    return std::nullopt;
}

namespace {

bool NameTakenByOther(const Site& site, const Room* room, const QString& name) {
    for (const auto& other : site.Rooms()) {
        if (other.get() != room && other->GetName().compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
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

}  // namespace plantrek
