#include "document/forms/opening_form.h"

#include <algorithm>
#include <cmath>

#include "document/tracepad_doc.h"
#include "model/opening_rules.h"

namespace plantrek {

namespace {

constexpr double kInch = 0.0254;

// The sizes a new opening starts with: common ones in metres, or in feet and inches.
Opening UsualOpening(OpeningKind kind, bool metric) {
    Opening opening;
    opening.kind = kind;
    switch (kind) {
        case OpeningKind::Door:
            opening.width = metric ? 0.80 : 32 * kInch;
            opening.height = metric ? 2.00 : 80 * kInch;
            break;
        case OpeningKind::Window:
            opening.width = metric ? 1.20 : 36 * kInch;
            opening.height = metric ? 1.20 : 48 * kInch;
            opening.sill = metric ? 0.90 : 36 * kInch;
            break;
        case OpeningKind::Passage:
            opening.width = metric ? 0.90 : 36 * kInch;
            opening.height = metric ? 2.00 : 80 * kInch;
            break;
    }
    return opening;
}

}  // namespace

OpeningForm OpeningForm::FromDocument(const CTracepadDoc& doc, Purpose purpose, OpeningKind kind,
                                      int index) {
    OpeningForm form;
    form.purpose = purpose;
    form.kind = kind;
    const Wall* wall = doc.GetCurrentWall();
    if (wall == nullptr) {
        return form;
    }
    const LengthUnits& units = doc.Units();
    form.wallLength = units.FormatLength(wall->GetLength());
    const OpeningList& openings = wall->GetOpenings();
    Opening shown;
    if (purpose == Purpose::Edit) {
        form.index = index >= 0 ? index : std::max(doc.TargetOpening(), 0);
        if (form.index >= static_cast<int>(openings.size())) {
            form.index = -1;
            return form;
        }
        for (const Opening& each : openings) {
            form.openingNames.append(QStringLiteral("%1 at %2").arg(
                OpeningKindName(each.kind), units.FormatLength(each.offset)));
        }
        shown = openings[static_cast<std::size_t>(form.index)];
        form.kind = shown.kind;
    } else {
        shown = UsualOpening(kind, units.IsMetric());
        shown.offset = std::max(0.0, (wall->GetLength() - shown.width) / 2.0);
    }
    form.offset.Show(units.FormatLength(shown.offset), shown.offset);
    form.width.Show(units.FormatLength(shown.width), shown.width);
    form.height.Show(units.FormatLength(shown.height), shown.height);
    if (form.kind == OpeningKind::Window) {
        form.sill.Show(units.FormatLength(shown.sill), shown.sill);
    }
    form.hinge = shown.hinge;
    form.opensInward = shown.opensInward;
    return form;
}

Opening OpeningForm::Value(const CTracepadDoc& doc) const {
    const LengthUnits& units = doc.Units();
    auto read = [&units](const TextField& field) {
        return field.text.trimmed().isEmpty() ? 0.0 : field.Length(units);
    };
    Opening opening;
    opening.kind = kind;
    opening.offset = read(offset);
    opening.width = read(width);
    opening.height = read(height);
    opening.sill = kind == OpeningKind::Window ? read(sill) : 0.0;
    opening.hinge = hinge;
    opening.opensInward = opensInward;
    return opening;
}

FormCheck<OpeningForm::Field> OpeningForm::Check(const CTracepadDoc& doc) const {
    const LengthUnits& units = doc.Units();
    const std::pair<const TextField*, Field> fields[] = {
        {&offset, Field::Offset}, {&width, Field::Width}, {&height, Field::Height},
        {&sill, Field::Sill}};
    for (const auto& [field, name] : fields) {
        if (name == Field::Sill && kind != OpeningKind::Window) {
            continue;
        }
        if (auto refusal = field->LengthRefusal(units)) {
            return FormRefusal<Field>{*refusal, name};
        }
    }
    const Room* room = doc.GetCurrentRoom();
    const Wall* wall = doc.GetCurrentWall();
    if (room == nullptr || wall == nullptr) {
        return std::nullopt;  // Apply does nothing without a wall
    }
    const Opening opening = Value(doc);
    const int ignore = purpose == Purpose::Edit ? index : -1;
    const auto refusal =
        CheckOpening(*room, room->IndexOfWall(wall), opening, units, doc.DefaultHeightOf(*room), ignore);
    if (!refusal) {
        return std::nullopt;
    }
    // The field to correct: a size that is none, the height or sill that reach above the room,
    // else the place on the wall.
    const double roomHeight = room->GetCeilingHeight() > 0.0 ? room->GetCeilingHeight()
                                                             : doc.DefaultHeightOf(*room);
    Field field = Field::Offset;
    if (!(opening.width > 0.0)) {
        field = Field::Width;
    } else if (!(opening.height > 0.0)) {
        field = Field::Height;
    } else if (kind == OpeningKind::Window && !(opening.sill >= 0.0)) {
        field = Field::Sill;
    } else if (opening.sill + opening.height > roomHeight + kZeroTolerance) {
        field = kind == OpeningKind::Window && opening.height <= roomHeight ? Field::Sill
                                                                           : Field::Height;
    }
    return FormRefusal<Field>{*refusal, field};
}

bool OpeningForm::Apply(CTracepadDoc& doc) const {
    const Opening opening = Value(doc);
    return purpose == Purpose::Edit ? doc.ReplaceOpening(index, opening)
                                    : doc.AddOpeningToCurrentWall(opening);
}

}  // namespace plantrek
