#include "document/files/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace plantrek {

namespace {

bool IsCSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
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

double ParseDoubleText(QStringView text) {
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && IsCSpace(text[i].unicode())) {
        ++i;
    }
    // The longest prefix that strtod would take as a decimal number, gathered as plain ASCII so
    // that the conversion below does not depend on the user's locale.
    std::string number;
    if (i < size && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') {
            number += '-';
        }
        ++i;
    }
    bool digits = false;
    for (; i < size && IsDigit(text[i].unicode()); ++i) {
        number += static_cast<char>(text[i].unicode());
        digits = true;
    }
    if (i < size && text[i] == u'.') {
        number += '.';
        for (++i; i < size && IsDigit(text[i].unicode()); ++i) {
            number += static_cast<char>(text[i].unicode());
            digits = true;
        }
    }
    if (!digits) {
        return 0.0;
    }
    // An exponent counts only when at least one digit follows its letter and sign.
    if (i < size && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < size && (text[j] == u'+' || text[j] == u'-')) {
            exponent += static_cast<char>(text[j].unicode());
            ++j;
        }
        if (j < size && IsDigit(text[j].unicode())) {
            for (; j < size && IsDigit(text[j].unicode()); ++j) {
                exponent += static_cast<char>(text[j].unicode());
            }
            number += exponent;
        }
    }
    double value = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto [end, error] = std::from_chars(first, last, value);
    // Out of range (too large, or too small to keep its digits) reads as no number at all.
    if (error != std::errc() || end != last || !std::isfinite(value)) {
        return 0.0;
    }
    return value;
}

}  // namespace plantrek
