#pragma once

#include "document/forms/form_field.h"
#include "document/preferences_pages.h"

// The preferences sheet: its four pages as one form. The pages' own rules (the sorted room
// names, adding a name, the materials kept) are those of preferences_pages.h.
namespace plantrek {

class CTracepadDoc;

class PreferencesForm {
public:
    enum class Field { DefaultHeight, NudgeStep };

    static PreferencesForm FromDocument(const CTracepadDoc& doc);
    // The pages refuse as they are edited; on OK only the default ceiling height is checked:
    // empty (the units' starting value) or a length above zero in the units chosen; and the
    // nudge step: empty (1 cm or 1/4") or from 1 mm to 1 m.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    PreferencesChoice choice;
    TextField defaultHeight;
    TextField nudgeStep;
};

// A short length as typed and shown where whole inches or centimetres are too coarse:
// "0.010 m", or inches to a thousandth ("0.25\"").
QString FormatShortLength(double meters, const LengthUnits& units);

}  // namespace plantrek
