#include "document/forms/preferences_form.h"

#include <cmath>

#include "document/tracepad_doc.h"

namespace plantrek {

namespace {

// The units the sheet's Input page has chosen.
const LengthUnits& ChosenUnits(const PreferencesChoice& choice) {
    static const LengthUnitsMap units = CreateLengthUnitsMap();
    return *units.at(choice.input.UsesMetres() ? kMetricUnitCode : kImperialUnitCode);
}

}  // namespace

PreferencesForm PreferencesForm::FromDocument(const CTracepadDoc& doc) {
    PreferencesForm form{PreferencesFromPrefs(doc.Prefs())};
    const double height = doc.Prefs().GetDefaultHeight();
    form.defaultHeight.Show(doc.Units().FormatLength(height), height);
    return form;
}

FormCheck<PreferencesForm::Field> PreferencesForm::Check(const CTracepadDoc&) const {
    if (defaultHeight.text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    const LengthUnits& units = ChosenUnits(choice);
    if (auto refusal = defaultHeight.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::DefaultHeight};
    }
    const double height = defaultHeight.Length(units);
    if (!std::isfinite(height) || height <= kZeroTolerance) {
        return FormRefusal<Field>{
            QStringLiteral("The default ceiling height must be more than zero."),
            Field::DefaultHeight};
    }
    return std::nullopt;
}

bool PreferencesForm::Apply(CTracepadDoc& doc) const {
    PreferencesChoice applied = choice;
    if (defaultHeight.text.trimmed().isEmpty()) {
        applied.defaultHeight = 0.0;
    } else {
        const double height = defaultHeight.Length(ChosenUnits(choice));
        if (height != doc.Prefs().GetDefaultHeight()) {
            applied.defaultHeight = height;
        }
    }
    doc.ApplyPreferences(applied);
    return true;
}

}  // namespace plantrek
