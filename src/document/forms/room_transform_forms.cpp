#include "document/forms/room_transform_forms.h"

#include "document/length_checks.h"
#include "document/tracepad_doc.h"

namespace plantrek {

RotateForm RotateForm::FromDocument(const CTracepadDoc&) {
    return {};
}

FormCheck<RotateForm::Field> RotateForm::Check(const CTracepadDoc&) const {
    if (auto refusal = CheckTypedAngle(rotation)) {
        return FormRefusal<Field>{*refusal, Field::Rotation};
    }
    return std::nullopt;
}

bool RotateForm::Apply(CTracepadDoc& doc) const {
    double degrees = 0.0;
    return ReadTypedNumber(rotation, &degrees) == TypingFault::None &&
           doc.RotateCurrentRoom(pivot, degrees);
}

ReflectForm ReflectForm::FromDocument(const CTracepadDoc&) {
    return {};
}

FormCheck<ReflectForm::Field> ReflectForm::Check(const CTracepadDoc&) const {
    return std::nullopt;
}

bool ReflectForm::Apply(CTracepadDoc& doc) const {
    return doc.ReflectCurrentRoom(pivot, mode);
}

RoomStartForm RoomStartForm::FromDocument(const CTracepadDoc& doc) {
    RoomStartForm form;
    if (const Room* room = doc.GetCurrentRoom()) {
        form.corner = room->GetStartPoint();
    }
    return form;
}

FormCheck<RoomStartForm::Field> RoomStartForm::Check(const CTracepadDoc&) const {
    return std::nullopt;
}

bool RoomStartForm::Apply(CTracepadDoc& doc) const {
    return corner && doc.MoveCurrentRoomStart(*corner);
}

std::optional<PlanPoint> RoomCorner(const Room& room, int index) {
    const std::vector<PlanPoint> vertices = room.GetVertices(false);
    if (index < 0 || index >= static_cast<int>(vertices.size())) {
        return std::nullopt;
    }
    return room.GetLocation() + vertices[static_cast<std::size_t>(index)];
}

}  // namespace plantrek
