#pragma once

#include <QString>

#include <optional>

#include "model/material.h"

// The fields of the room and material dialogs: how their texts are read and what they refuse.
// A check returns the message the dialog shows (with the warning icon, keeping the dialog open)
// or nothing when the value may be taken. The checks of the wall and room editing dialogs live
// with the editing operations in the model.
namespace plantrek {

class AngleStyle;
class LengthUnits;
class Room;
class Site;

// A length field ("Distance:", "Length:", "Depth:", ...) read with the current units.
double ParseLengthField(const QString& text, const LengthUnits& units);
// A direction field read with the current style: a compass name, or a bearing in its form.
double ParseDirectionField(const QString& text, const AngleStyle& style);

// "Add Room" and "Edit Room": the material box may not be empty.
std::optional<QString> CheckMaterialText(const QString& material);

// "Add Material": the colour may not be one that a material of the site already has.
std::optional<QString> CheckNewMaterialColour(const Site& site, Colour colour);

// "Edit Material": the colour may not be one that another material (by name) already has.
std::optional<QString> CheckMaterialColour(const Site& site, const QString& materialName,
                                           Colour colour);

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
