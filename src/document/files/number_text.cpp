#include "document/files/number_text.h"

#include <limits>

namespace plantrek {

namespace {

bool IsCSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

}  // namespace

qint32 ParseLongText(QStringView text) {
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && IsCSpace(text[i].unicode())) {
        ++i;
    }
    bool negative = false;
    if (i < size && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate as a negative number so that the lowest value fits without overflow.
    constexpr qint64 kLowest = std::numeric_limits<qint32>::min();
    constexpr qint64 kHighest = std::numeric_limits<qint32>::max();
    qint64 value = 0;
    bool saturated = false;
    for (; i < size && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (!saturated) {
            value = value * 10 - (text[i].unicode() - u'0');
            if (value < kLowest) {
                saturated = true;
            }
        }
    }
    if (negative) {
        return saturated ? static_cast<qint32>(kLowest) : static_cast<qint32>(value);
    }
    if (saturated || -value > kHighest) {
        return static_cast<qint32>(kHighest);
    }
    return static_cast<qint32>(-value);
}

}  // namespace plantrek
