#pragma once

#include <QStringView>
#include <QtGlobal>

namespace plantrek {

// Reads a decimal integer the way strtol with base 10 does: leading white space, an optional
// sign, then digits up to the first other character. Text with no digits gives 0; values beyond
// the 32-bit range give its nearest end, so files read the same on every platform.
qint32 ParseLongText(QStringView text);

// Reads a decimal number the way strtod does in the C locale: leading white space, an optional
// sign, digits with an optional "." and an optional exponent, up to the first other character.
// Text with no number gives 0, and so does anything that would not be a finite number ("nan",
// "inf", a value beyond the range of a double): such values must never reach a plan. Only
// decimal text counts, so "0x10" reads as 0.
double ParseDoubleText(QStringView text);

}  // namespace plantrek
