#include "document/forms/wall_form.h"

#include <cmath>

#include "document/length_checks.h"
#include "document/tracepad_doc.h"
#include "resources/string_table.h"

namespace plantrek {

WallForm WallForm::FromDocument(const CTracepadDoc& doc, Purpose purpose) {
    WallForm form;
    form.purpose = purpose;
    const Wall* wall = doc.GetCurrentWall();
    if (purpose == Purpose::Edit && wall != nullptr) {
        form.length.Show(doc.Units().FormatLength(wall->GetLength()), wall->GetLength());
        form.direction.Show(doc.Style().FormatDirection(wall->GetDirection()),
                            wall->GetDirection());
        const double height = wall->GetArcHeight();
        form.projection.Show(doc.Units().FormatLength(std::fabs(height)), std::fabs(height));
        form.side = height >= 0.0 ? ProjectionSide::Left : ProjectionSide::Right;
    }
    return form;
}

FormCheck<WallForm::Field> WallForm::Check(const CTracepadDoc& doc) const {
    const LengthUnits& units = doc.Units();
    const double typedLength = length.Length(units);
    if (auto refusal = length.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::Length};
    }
    if (auto refusal = CheckWallLength(typedLength, units)) {
        return FormRefusal<Field>{*refusal, Field::Length};
    }
    if (auto refusal = direction.DirectionRefusal(doc.Style())) {
        return FormRefusal<Field>{*refusal, Field::Direction};
    }
    if (auto refusal = projection.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::Projection};
    }
    // Below half the length, with the usual slack, so that half of a length typed in feet and
    // inches is refused however its conversion rounds. An empty field is no projection.
    const double half = typedLength * 0.5;
    const double arc = projection.text.isEmpty() ? 0.0 : projection.Length(units);
    if (!std::isfinite(arc) || !IsBelow(arc, half, kZeroTolerance)) {
        return FormRefusal<Field>{
            LoadString(string_id::kProjectionTooLarge).arg(units.FormatLength(half)),
            Field::Projection};
    }
    return std::nullopt;
}

bool WallForm::Apply(CTracepadDoc& doc) const {
    const double typedLength = length.Length(doc.Units());
    const double bearing = direction.Direction(doc.Style());
    const double arc = projection.text.isEmpty() ? 0.0 : projection.Length(doc.Units());
    const double height = SignedArcHeight(arc, side);
    return purpose == Purpose::Edit ? doc.EditCurrentWall(typedLength, bearing, height)
                                    : doc.AppendWall(typedLength, bearing, height);
}

}  // namespace plantrek
