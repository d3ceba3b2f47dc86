#include "document/room_names.h"

#include "model/room.h"
#include "model/site.h"
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
