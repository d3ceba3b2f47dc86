#include "document/forms/move_form.h"

#include "document/length_checks.h"
#include "document/tracepad_doc.h"
#include "model/editing.h"
#include "model/units.h"

namespace plantrek {

MoveForm MoveForm::FromDocument(const CTracepadDoc&, Target target) {
    MoveForm form;
    form.target = target;
    return form;
}

FormCheck<MoveForm::Field> MoveForm::Check(const CTracepadDoc& doc) const {
    if (auto refusal = distance.LengthRefusal(doc.Units())) {
        return FormRefusal<Field>{*refusal, Field::Distance};
    }
    if (auto refusal = CheckMoveDistance(distance.Length(doc.Units()), doc.Units())) {
        return FormRefusal<Field>{*refusal, Field::Distance};
    }
    if (auto refusal = direction.DirectionRefusal(doc.Style())) {
        return FormRefusal<Field>{*refusal, Field::Direction};
    }
    return std::nullopt;
}

bool MoveForm::Apply(CTracepadDoc& doc) const {
    const double length = distance.Length(doc.Units());
    const double bearing = direction.Direction(doc.Style());
    return target == Target::Room ? doc.ShiftRoom(length, bearing)
                                  : doc.ShiftStartPoint(length, bearing);
}

MoveWallEndForm MoveWallEndForm::FromDocument(const CTracepadDoc& doc) {
    MoveWallEndForm form;
    if (const Wall* wall = doc.GetCurrentWall()) {
        form.currentWall = FormatLengthAndDirection(&doc.Units(), &doc.Style(), wall->GetLength(),
                                                    wall->GetDirection());
    }
    return form;
}

FormCheck<MoveWallEndForm::Field> MoveWallEndForm::Check(const CTracepadDoc& doc) const {
    if (auto refusal = distance.LengthRefusal(doc.Units())) {
        return FormRefusal<Field>{*refusal, Field::Distance};
    }
    const double length = distance.Length(doc.Units());
    if (auto refusal = CheckWallLength(length, doc.Units())) {
        return FormRefusal<Field>{*refusal, Field::Distance};
    }
    if (auto refusal = direction.DirectionRefusal(doc.Style())) {
        return FormRefusal<Field>{*refusal, Field::Direction};
    }
    // The wall it leaves is held to the same limits as any wall typed, so that a move back to
    // its start cannot leave a wall 0 m long.
    if (const Wall* wall = doc.GetCurrentWall()) {
        const WallPolar moved = MovedWallEnd(*wall, length, direction.Direction(doc.Style()));
        if (auto refusal = CheckWallLength(moved.length, doc.Units())) {
            return FormRefusal<Field>{*refusal, Field::Distance};
        }
    }
    return std::nullopt;
}

bool MoveWallEndForm::Apply(CTracepadDoc& doc) const {
    return doc.MoveCurrentWallEnd(distance.Length(doc.Units()), direction.Direction(doc.Style()));
}

}  // namespace plantrek
