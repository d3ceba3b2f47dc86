#pragma once

#include <QString>

// The names rooms take when they are added, renamed or pasted.
namespace plantrek {

class Room;
class Site;

// "Add Room": the name the new room takes. A name another room has gets the smallest free
// number from 2 after it; an empty name becomes the next default room name, because a room
// without a name would be dropped when its file is read back.
QString NameForNewRoom(const Site& site, const QString& typed);

// "Edit Room": the name the room takes. A name another room already has gets the smallest free
// number from 2 after it, without a message; an empty name keeps the room's own name.
QString NameForEditedRoom(const Site& site, const Room& room, const QString& typed);

// The default name of a new room: "Room 1", "Room 2", ... the first one not taken.
QString DefaultRoomName(const Site& site);

}  // namespace plantrek
