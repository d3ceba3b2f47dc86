#pragma once

#include <QString>

#include <optional>

#include "document/forms/form_field.h"
#include "model/editing.h"

// The dialogs that turn, mirror or re-anchor the selected room: "Rotate Room", "Reflect Room" and
// "Select Corners" for the room's start point.
namespace plantrek {

class CTracepadDoc;
class Room;

class RotateForm {
public:
    enum class Field { Rotation };

    static RotateForm FromDocument(const CTracepadDoc& doc);
    // A plain number of degrees; anything else, a number too large to turn by included, is
    // refused. A whole number of turns changes nothing and leaves no undo step.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    QString rotation;  // degrees clockwise
    RoomPivot pivot = RoomPivot::CentreOfRoom;
};

class ReflectForm {
public:
    enum class Field {};

    static ReflectForm FromDocument(const CTracepadDoc& doc);
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    ReflectMode mode = ReflectMode::Vertical;
    RoomPivot pivot = RoomPivot::CentreOfRoom;
};

// "Select Corners" with one corner: the corner that becomes the selected room's start point (a
// click picks the corner FindCornerNear finds).
class RoomStartForm {
public:
    enum class Field { Corner };

    // The current start point is picked when the dialog opens.
    static RoomStartForm FromDocument(const CTracepadDoc& doc);
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    std::optional<PlanPoint> corner;
};

// The room's corners in the order "Select Corners" walks them (from the location along the
// walls, closing walls included), as plan points; nothing for a corner the room does not have.
std::optional<PlanPoint> RoomCorner(const Room& room, int index);

}  // namespace plantrek
