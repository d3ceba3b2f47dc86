#include "document/forms/preferences_form.h"

#include <algorithm>
#include <cmath>

#include "document/tracepad_doc.h"

namespace plantrek {

namespace {

// The units the sheet's Input page has chosen.
const LengthUnits& ChosenUnits(const PreferencesChoice& choice) {
    static const LengthUnitsMap units = CreateLengthUnitsMap();
    return *units.at(choice.input.UsesMetres() ? kMetricUnitCode : kImperialUnitCode);
}

// The nudge step's range, in metres.
constexpr double kMinNudge = 0.001;
constexpr double kMaxNudge = 1.0;

}  // namespace

QString FormatShortLength(double meters, const LengthUnits& units) {
    if (units.IsMetric()) {
        return QString::number(meters, 'f', 3) + QStringLiteral(" m");
    }
    // Up to three decimals, without trailing zeros.
    return QString::number(std::round(meters / 0.0254 * 1000.0) / 1000.0, 'g', 12) +
           QLatin1Char('"');
}

PreferencesForm PreferencesForm::FromDocument(const CTracepadDoc& doc) {
    PreferencesForm form{PreferencesFromPrefs(doc.Prefs())};
    const double height = doc.Prefs().GetDefaultHeight();
    form.defaultHeight.Show(doc.Units().FormatLength(height), height);
    const double step = doc.Prefs().GetNudgeStep();
    form.nudgeStep.Show(FormatShortLength(step, doc.Units()), step);
    return form;
}

FormCheck<PreferencesForm::Field> PreferencesForm::Check(const CTracepadDoc&) const {
    const LengthUnits& units = ChosenUnits(choice);
    if (!nudgeStep.text.trimmed().isEmpty()) {
        if (auto refusal = nudgeStep.LengthRefusal(units)) {
            return FormRefusal<Field>{*refusal, Field::NudgeStep};
        }
        const double step = nudgeStep.Length(units);
        // A hair of slack, so that 1 mm typed in inches is not refused for a rounding.
        if (!std::isfinite(step) || step < kMinNudge - 1e-9 || step > kMaxNudge + 1e-9) {
            return FormRefusal<Field>{
                QStringLiteral("The nudge step must be from %1 to %2.")
                    .arg(FormatShortLength(kMinNudge, units), units.FormatLength(kMaxNudge)),
                Field::NudgeStep};
        }
    }
    if (defaultHeight.text.trimmed().isEmpty()) {
        return std::nullopt;
    }
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
    if (nudgeStep.text.trimmed().isEmpty()) {
        applied.nudgeStep = 0.0;
    } else {
        const double step = nudgeStep.Length(ChosenUnits(choice));
        if (step != doc.Prefs().GetNudgeStep()) {
            applied.nudgeStep = std::clamp(step, kMinNudge, kMaxNudge);
        }
    }
    doc.ApplyPreferences(applied);
    return true;
}

}  // namespace plantrek
