#include "document/forms/form_field.h"

#include "model/units.h"

namespace plantrek {

void TextField::Show(const QString& shown, double value) {
    text = shown;
    shown_ = shown;
    value_ = value;
}

double TextField::Length(const LengthUnits& units) const {
    return Untouched() ? value_ : units.ParseLength(text);
}

double TextField::Direction(const AngleStyle& style) const {
    return Untouched() ? value_ : style.ParseDirection(text);
}

}  // namespace plantrek
