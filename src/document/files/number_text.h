#pragma once

#include <QStringView>
#include <QtGlobal>

namespace plantrek {

// Reads a decimal integer the way strtol with base 10 does: leading white space, an optional
// sign, then digits up to the first other character. Text with no digits gives 0; values beyond
// the 32-bit range give its nearest end, so files read the same on every platform.
qint32 ParseLongText(QStringView text);

}  // namespace plantrek
