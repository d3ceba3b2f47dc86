#include "document/forms/preferences_form.h"

#include "document/tracepad_doc.h"

namespace plantrek {

PreferencesForm PreferencesForm::FromDocument(const CTracepadDoc& doc) {
    return PreferencesForm{PreferencesFromPrefs(doc.Prefs())};
}

FormCheck<PreferencesForm::Field> PreferencesForm::Check(const CTracepadDoc&) const {
    return std::nullopt;
}

bool PreferencesForm::Apply(CTracepadDoc& doc) const {
    doc.ApplyPreferences(choice);
    return true;
}

}  // namespace plantrek
