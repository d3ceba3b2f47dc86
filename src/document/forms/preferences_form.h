#pragma once

#include "document/forms/form_field.h"
#include "document/preferences_pages.h"

// The preferences sheet: its four pages as one form. The pages' own rules (the sorted room
// names, adding a name, the materials kept) are those of preferences_pages.h.
namespace plantrek {

class CTracepadDoc;

class PreferencesForm {
public:
    enum class Field { DefaultHeight };

    static PreferencesForm FromDocument(const CTracepadDoc& doc);
    // The pages refuse as they are edited; on OK only the default ceiling height is checked:
    // empty (the units' starting value) or a length above zero in the units chosen.
    FormCheck<Field> Check(const CTracepadDoc& doc) const;
    bool Apply(CTracepadDoc& doc) const;

    PreferencesChoice choice;
    TextField defaultHeight;
};

}  // namespace plantrek
