#include "document/forms/form_field.h"

#include "document/length_checks.h"
#include "model/units.h"

namespace plantrek {

void TextField::Show(const QString& shown, double value) {
    text = shown;
    shown_ = shown;
    value_ = value;
}

// A text the checks refused is read as the site file would read it; forms apply only what their
// check took.
double TextField::Length(const LengthUnits& units) const {
    double meters = 0.0;
    if (Untouched()) {
        return value_;
    }
    return ReadTypedLength(text, units, &meters) == TypingFault::None ? meters
                                                                      : units.ParseLength(text);
}

double TextField::Direction(const AngleStyle& style) const {
    double degrees = 0.0;
    if (Untouched()) {
        return value_;
    }
    return ReadTypedDirection(text, style, &degrees) == TypingFault::None
               ? degrees
               : style.ParseDirection(text);
}

std::optional<QString> TextField::LengthRefusal(const LengthUnits& units) const {
    return Untouched() ? std::nullopt : CheckTypedLength(text, units);
}

std::optional<QString> TextField::DirectionRefusal(const AngleStyle& style) const {
    return Untouched() ? std::nullopt : CheckTypedDirection(text, style);
}

}  // namespace plantrek
