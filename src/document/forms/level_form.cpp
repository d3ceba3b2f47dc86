#include "document/forms/level_form.h"

#include <cmath>

#include "document/tracepad_doc.h"
#include "model/site.h"
#include "model/units.h"

namespace plantrek {

namespace {

constexpr double kLargestElevation = 1000.0;
constexpr double kSmallestHeight = 0.5;
constexpr double kLargestHeight = 100.0;

// A length that may carry a minus sign before it.
struct SignedText {
    TextField magnitude;
    bool negative = false;
};

SignedText SplitSign(const TextField& field) {
    SignedText split{field, false};
    const QString trimmed = field.text.trimmed();
    if (trimmed.startsWith(QLatin1Char('-'))) {
        split.magnitude = TextField(trimmed.mid(1).trimmed());
        split.negative = true;
    }
    return split;
}

}  // namespace

LevelForm LevelForm::FromDocument(const CTracepadDoc& doc, Purpose purpose) {
    LevelForm form;
    form.purpose = purpose;
    const Site& site = *doc.GetSite();
    const LengthUnits& units = doc.Units();
    form.defaultHeight = units.FormatLength(doc.DefaultHeight());
    const auto showSigned = [&units](TextField& field, double value) {
        const QString magnitude = units.FormatLength(std::abs(value));
        field.Show(value < 0.0 ? QStringLiteral("-") + magnitude : magnitude, value);
    };
    if (purpose == Purpose::Properties) {
        form.index = doc.GetCurrentLevel();
        const Level& level = site.GetLevel(form.index);
        form.name = level.name;
        showSigned(form.elevation, level.elevation);
        if (level.height > 0.0) {
            form.height.Show(units.FormatLength(level.height), level.height);
        }
    } else {
        const int top = site.LevelCount() - 1;
        form.name = site.NextLevelName();
        showSigned(form.elevation, site.GetLevel(top).elevation +
                                       site.DefaultHeightOnLevel(top, doc.DefaultHeight()));
    }
    return form;
}

FormCheck<LevelForm::Field> LevelForm::Check(const CTracepadDoc& doc) const {
    const Site& site = *doc.GetSite();
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        return FormRefusal<Field>{QStringLiteral("Please enter a name for the level."),
                                  Field::Name};
    }
    const int same = site.FindLevelByName(trimmed);
    if (same >= 0 && !(purpose == Purpose::Properties && same == index)) {
        return FormRefusal<Field>{
            QStringLiteral("There is already a level named \"%1\".").arg(site.GetLevel(same).name),
            Field::Name};
    }
    const LengthUnits& units = doc.Units();
    const SignedText split = SplitSign(elevation);
    if (split.magnitude.text.trimmed().isEmpty()) {
        return FormRefusal<Field>{QStringLiteral("Please enter the level's elevation."),
                                  Field::Elevation};
    }
    if (auto refusal = split.magnitude.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::Elevation};
    }
    const double rise = split.magnitude.Length(units);
    if (!std::isfinite(rise) || rise > kLargestElevation + kZeroTolerance) {
        return FormRefusal<Field>{
            QStringLiteral("The elevation must be between -%1 and %1.")
                .arg(units.FormatLength(kLargestElevation)),
            Field::Elevation};
    }
    if (height.text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    if (auto refusal = height.LengthRefusal(units)) {
        return FormRefusal<Field>{*refusal, Field::Height};
    }
    const double value = height.Length(units);
    if (!std::isfinite(value) || value < kSmallestHeight - kZeroTolerance ||
        value > kLargestHeight + kZeroTolerance) {
        return FormRefusal<Field>{QStringLiteral("The height must be between %1 and %2.")
                                      .arg(units.FormatLength(kSmallestHeight),
                                           units.FormatLength(kLargestHeight)),
                                  Field::Height};
    }
    return std::nullopt;
}

Level LevelForm::Value(const CTracepadDoc& doc) const {
    const LengthUnits& units = doc.Units();
    Level level;
    level.name = name.trimmed();
    // A field still showing its value gives it back exactly, sign and all.
    if (elevation.Untouched()) {
        level.elevation = elevation.Length(units);
    } else {
        const SignedText split = SplitSign(elevation);
        const double rise = split.magnitude.Length(units);
        level.elevation = split.negative ? -rise : rise;
    }
    level.height = height.text.trimmed().isEmpty() ? 0.0 : height.Length(units);
    return level;
}

bool LevelForm::Apply(CTracepadDoc& doc) const {
    const Level level = Value(doc);
    return purpose == Purpose::Add ? doc.AddLevel(level) : doc.SetLevelProperties(index, level);
}

MoveToLevelForm MoveToLevelForm::FromDocument(const CTracepadDoc& doc) {
    MoveToLevelForm form;
    const Site& site = *doc.GetSite();
    for (const Level& level : site.Levels()) {
        form.levels.append(level.name);
    }
    if (const Room* room = doc.GetCurrentRoom()) {
        form.room = room->GetName();
        form.chosen = room->GetLevel();
    }
    return form;
}

FormCheck<MoveToLevelForm::Field> MoveToLevelForm::Check(const CTracepadDoc& doc) const {
    if (!doc.GetSite()->IsLevel(chosen)) {
        return FormRefusal<Field>{QStringLiteral("Please choose a level."), Field::Level};
    }
    return std::nullopt;
}

bool MoveToLevelForm::Apply(CTracepadDoc& doc) const {
    return doc.MoveCurrentRoomToLevel(chosen);
}

}  // namespace plantrek
