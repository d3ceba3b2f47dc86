#include "model/units.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace plantrek {

namespace {

bool IsAsciiSpace(QChar c) {
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\n' || u == '\v' || u == '\f' || u == '\r';
}

bool IsAsciiDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// The decimal exponent of the leading significant digit of a scanned number; used only to
// tell an overflow from an underflow when the conversion reports the number out of range.
long LeadingDecimalExponent(const std::string& digits) {
    long exponent = 0;
    std::size_t i = 0;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) {
        ++i;
    }
    long integerDigits = 0;
    bool significant = false;
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        if (digits[i] != '0') {
            significant = true;
        }
        if (significant) {
            ++integerDigits;
        }
    }
    long leadingFractionZeros = 0;
    if (i < digits.size() && digits[i] == '.') {
        ++i;
        for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
            if (!significant && digits[i] == '0') {
                ++leadingFractionZeros;
            } else {
                significant = true;
            }
        }
    }
    if (i < digits.size() && (digits[i] == 'e' || digits[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) {
            negative = digits[i] == '-';
            ++i;
        }
        for (; i < digits.size(); ++i) {
            if (exponent < 100000000L) {
                exponent = exponent * 10 + (digits[i] - '0');
            }
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    return integerDigits > 0 ? exponent + integerDigits : exponent - leadingFractionZeros;
}

QString FormatFixed(const char* format, double value) {
    return QString::asprintf(format, value);
}

}  // namespace

double ParseNumber(const QString& text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    // Commas are thousands separators and are dropped wherever they stand.
    auto skipCommas = [&]() {
        while (i < n && text[i] == QLatin1Char(',')) {
            ++i;
        }
    };
    skipCommas();
    while (i < n && (IsAsciiSpace(text[i]) || text[i] == QLatin1Char(','))) {
        ++i;
    }
    std::string number;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        number.push_back(static_cast<char>(text[i].unicode()));
        ++i;
        skipCommas();
    }
    int mantissaDigits = 0;
    while (i < n && IsAsciiDigit(text[i])) {
        number.push_back(static_cast<char>(text[i].unicode()));
        ++mantissaDigits;
        ++i;
        skipCommas();
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        number.push_back('.');
        ++i;
        skipCommas();
        while (i < n && IsAsciiDigit(text[i])) {
            number.push_back(static_cast<char>(text[i].unicode()));
            ++mantissaDigits;
            ++i;
            skipCommas();
        }
    }
    if (mantissaDigits == 0) {
        return 0.0;
    }
    // An exponent counts only when at least one digit follows the "e" and its sign.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        while (j < n && text[j] == QLatin1Char(',')) {
            ++j;
        }
        std::string exponent = "e";
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) {
            exponent.push_back(static_cast<char>(text[j].unicode()));
            ++j;
            while (j < n && text[j] == QLatin1Char(',')) {
                ++j;
            }
        }
        bool hasDigit = false;
        while (j < n && (IsAsciiDigit(text[j]) || text[j] == QLatin1Char(','))) {
            if (text[j] != QLatin1Char(',')) {
                exponent.push_back(static_cast<char>(text[j].unicode()));
                hasDigit = true;
            }
            ++j;
        }
        if (hasDigit) {
            number += exponent;
        }
    }

    const char* first = number.data();
    const char* last = first + number.size();
    const bool negative = number[0] == '-';
    if (number[0] == '+') {
        ++first;  // from_chars takes no plus sign
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        if (LeadingDecimalExponent(number) > 0) {
            value = std::numeric_limits<double>::infinity();
        } else {
            value = 0.0;
        }
        return negative ? -value : value;
    }
    if (error != std::errc()) {
        return 0.0;
    }
    return value;
}

bool IsWallLengthInRange(double meters) {
    // From one inch (less a hair for rounding) up to, not including, 200 m: a typed 200 is
    // refused. Written so that NaN fails both comparisons.
    return meters >= MinWallLength - kZeroTolerance && meters < MaxWallLength;
}

// ---------------------------------------------------------------------------------------------
// Metric

namespace {

// The index of the first of N, S, E, W, or -1.
qsizetype FirstCompassLetter(const QString& t) {
    qsizetype best = -1;
    for (QChar c : {QChar('N'), QChar('S'), QChar('E'), QChar('W')}) {
        const qsizetype at = t.indexOf(c);
        if (at >= 0 && (best < 0 || at < best)) {
            best = at;
        }
    }
    return best;
}

}  // namespace

int MetricUnits::FindSplit(const QString& t) const {
    qsizetype at = FirstCompassLetter(t);
    if (at >= 0) {
        return static_cast<int>(at);
    }
    at = t.indexOf(QLatin1Char(' '));
    if (at >= 0) {
        return static_cast<int>(at);
    }
    at = t.indexOf(QLatin1Char('M'));
    if (at >= 0) {
        return static_cast<int>(at + 1);
    }
    return static_cast<int>(t.size());
}

double MetricUnits::ParseLength(const QString& text) const {
    return ParseNumber(text);
}

double MetricUnits::ParseDeviceLength(const QString& text) const {
    return ParseNumber(text) / divisor_;
}

QString MetricUnits::FormatLength(double meters) const {
    return FormatFixed("%.2f", meters) + QLatin1Char(' ') + LengthUnitName();
}

QString MetricUnits::FormatArea(double squareMeters) const {
    return FormatFixed("%.2f", squareMeters) + QLatin1Char(' ') + AreaUnitName();
}

// ---------------------------------------------------------------------------------------------
// Feet and inches

int ImperialUnits::FindSplit(const QString& t) const {
    qsizetype at = FirstCompassLetter(t);
    if (at >= 0) {
        return static_cast<int>(at);
    }
    at = t.indexOf(kInchMark);
    if (at >= 0) {
        return static_cast<int>(at + 1);
    }
    at = t.indexOf(QLatin1Char(' '));
    if (at >= 0) {
        return static_cast<int>(at);
    }
    at = t.indexOf(kFootMark);
    if (at >= 0) {
        // Digits straight after the foot mark are inches, not a bearing: "12'6" is twelve feet
        // six inches with no direction, never twelve feet heading 6°.
        qsizetype end = at + 1;
        while (end < t.size() &&
               (IsAsciiDigit(t[end]) || t[end] == QLatin1Char('.') || t[end] == QLatin1Char(','))) {
            ++end;
        }
        return static_cast<int>(end);
    }
    return static_cast<int>(t.size());
}

double ImperialUnits::ParseLength(const QString& text) const {
    const qsizetype foot = text.indexOf(kFootMark);
    if (foot < 0) {
        return kInch * ParseNumber(text);  // no foot mark: the number is inches
    }
    const double feet = ParseNumber(text.left(foot));
    const double inches = ParseNumber(text.mid(foot + 1));
    return kFoot * feet + kInch * inches;
}

double ImperialUnits::ParseDeviceLength(const QString& text) const {
    const double v = ParseNumber(text);
    switch (encoding_) {
        case DeviceEncoding::HundredthsOfFoot:
            return v * 0.01 * kFoot;
        case DeviceEncoding::TenthsOfInch:
            return v * 0.1 * kInch;
        case DeviceEncoding::InchesAnd32nds: {
            const double a = std::floor(v * 0.01);
            return (a + (v - 100.0 * a) * 0.03125) * kInch;
        }
        case DeviceEncoding::FeetInchesAnd16ths:
        case DeviceEncoding::FeetInchesAnd32nds: {
            const double fraction =
                encoding_ == DeviceEncoding::FeetInchesAnd16ths ? 0.0625 : 0.03125;
            const double f = std::floor(v * 0.0001);
            const double i = std::floor((v - 10000.0 * f) * 0.01);
            return kFoot * f + (i + (v - (100.0 * i + 10000.0 * f)) * fraction) * kInch;
        }
    }
    return 0.0;
}

QString ImperialUnits::FormatLength(double meters) const {
    // Whole numbers are kept as doubles and printed with "%.0f" so that no length, however
    // absurd, overflows an integer; for every real length the text is that of "%d".
    const double v = std::fabs(meters);
    double feet = std::floor(v / kFoot);
    double inches = std::floor(v / kInch - 12.0 * feet + 0.5);
    if (inches == 12.0) {
        feet += 1.0;
        inches = 0.0;
    }
    if (feet < 1.0) {
        return FormatFixed("%.0f", inches) + kInchMark;
    }
    if (inches > 0.0) {
        return FormatFixed("%.0f", feet) + kFootMark + QLatin1Char(' ') +
               FormatFixed("%.0f", inches) + kInchMark;
    }
    return FormatFixed("%.0f", feet) + kFootMark;
}

QString ImperialUnits::FormatArea(double squareMeters) const {
    const double sf = std::fabs(squareMeters) / kSquareFoot;
    const double sy = sf / kSquareYardInSquareFeet;
    return FormatFixed("%.2f", sf) + QStringLiteral(" sf (") + FormatFixed("%.2f", sy) +
           QStringLiteral(" sy)");
}

double ImperialUnits::ToDisplayLength(double meters) const {
    return std::fabs(meters) / kFoot;
}

double ImperialUnits::ToDisplayArea(double squareMeters) const {
    return std::fabs(squareMeters) / kSquareFoot;
}

std::unique_ptr<LengthUnits> CreateLengthUnits(int code) {
    using E = ImperialUnits::DeviceEncoding;
    switch (code) {
        case 0:
        case 4:
            return std::make_unique<MetricUnits>(1000);
        case 1:
            return std::make_unique<ImperialUnits>(E::HundredthsOfFoot);
        case 2:
            return std::make_unique<ImperialUnits>(E::TenthsOfInch);
        case 3:
            return std::make_unique<ImperialUnits>(E::InchesAnd32nds);
        case 5:
            return std::make_unique<MetricUnits>(100);
        case 6:
            return std::make_unique<MetricUnits>(10000);
        case 8:
            return std::make_unique<ImperialUnits>(E::FeetInchesAnd16ths);
        case 9:
            return std::make_unique<ImperialUnits>(E::FeetInchesAnd32nds);
        default:
            return nullptr;
    }
}

LengthUnitsMap CreateLengthUnitsMap() {
    LengthUnitsMap map;
    for (int code : kDeviceUnitCodes) {
        map.emplace(code, CreateLengthUnits(code));
    }
    return map;
}

// ---------------------------------------------------------------------------------------------
// Directions

AngleStyle::AngleStyle()
    : points_{{QStringLiteral("N"), 2, 0.0},   {QStringLiteral("NE"), 8, 45.0},
              {QStringLiteral("E"), 6, 90.0},  {QStringLiteral("SE"), 15, 135.0},
              {QStringLiteral("S"), 1, 180.0}, {QStringLiteral("SW"), 10, 225.0},
              {QStringLiteral("W"), 3, 270.0}, {QStringLiteral("NW"), 4, 315.0}} {}

double AngleStyle::DirectionForKeyCode(int keyCode) const {
    for (const CompassPoint& p : points_) {
        if (p.keyCode == keyCode) {
            return p.degrees;
        }
    }
    return 0.0;
}

QString AngleStyle::CompassPointName(int index) const {
    if (index < 0 || index >= CompassPointCount()) {
        return QString();
    }
    return points_[index].name;
}

bool AngleStyle::MatchCompassName(const QString& text, double* degrees) const {
    // Surrounding white space is ignored, so that "E " is east rather than the bearing 0 that
    // its number part would give.
    const QString word = text.trimmed();
    for (const CompassPoint& p : points_) {
        if (word.compare(p.name, Qt::CaseInsensitive) == 0) {
            *degrees = p.degrees;
            return true;
        }
    }
    return false;
}

QString AngleStyle::NearCompassName(double degrees) const {
    for (const CompassPoint& p : points_) {
        if (std::fabs(p.degrees - degrees) <= kCompassTolerance) {
            return p.name;
        }
    }
    return QString();
}

double AzimuthStyle::ParseDirection(const QString& text) const {
    double degrees = 0.0;
    if (MatchCompassName(text, &degrees)) {
        return degrees;
    }
    return ParseNumber(text);
}

QString AzimuthStyle::FormatDirection(double degrees) const {
    const QString name = NearCompassName(degrees);
    if (!name.isEmpty()) {
        return name;
    }
    return FormatFixed("%.0f", std::floor(degrees + 0.5)) + kDegreeSign;
}

namespace {

bool IsQuadrantLetter(QChar c) {
    return c == QLatin1Char('N') || c == QLatin1Char('S') || c == QLatin1Char('E') ||
           c == QLatin1Char('W');
}

QString TrimLeading(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i].isSpace()) {
        ++i;
    }
    return s.mid(i);
}

}  // namespace

double QuadrantStyle::ParseDirection(const QString& text) const {
    double degrees = 0.0;
    if (MatchCompassName(text, &degrees)) {
        return degrees;
    }
    const QString t = text.toUpper();
    qsizetype i = 0;
    const qsizetype n = t.size();
    const qsizetype prefixStart = i;
    while (i < n && IsQuadrantLetter(t[i])) {
        ++i;
    }
    const QString prefix = TrimLeading(t.mid(prefixStart, i - prefixStart));
    const qsizetype numberStart = i;
    while (i < n && !IsQuadrantLetter(t[i])) {
        ++i;
    }
    const QString number = TrimLeading(t.mid(numberStart, i - numberStart));
    const qsizetype suffixStart = i;
    while (i < n && IsQuadrantLetter(t[i])) {
        ++i;
    }
    const QString suffix = TrimLeading(t.mid(suffixStart, i - suffixStart));
    if (prefix.isEmpty() || number.isEmpty() || suffix.isEmpty()) {
        return 0.0;
    }
    const double v = ParseNumber(number);
    if (prefix == QLatin1String("N") && suffix == QLatin1String("E")) {
        return v;
    }
    if (prefix == QLatin1String("N") && suffix == QLatin1String("W")) {
        return 360.0 - v;
    }
    if (prefix == QLatin1String("S") && suffix == QLatin1String("E")) {
        return 180.0 - v;
    }
    if (prefix == QLatin1String("S") && suffix == QLatin1String("W")) {
        return 180.0 + v;
    }
    return 0.0;
}

QString QuadrantStyle::FormatDirection(double degrees) const {
    const QString name = NearCompassName(degrees);
    if (!name.isEmpty()) {
        return name;
    }
    const double d = NormalizeDegrees(degrees);
    QString prefix;
    QString suffix;
    double x = 0.0;
    if (d < 90.0) {
        prefix = QStringLiteral("N"), x = d, suffix = QStringLiteral("E");
    } else if (d < 180.0) {
        prefix = QStringLiteral("S"), x = 180.0 - d, suffix = QStringLiteral("E");
    } else if (d < 270.0) {
        prefix = QStringLiteral("S"), x = d - 180.0, suffix = QStringLiteral("W");
    } else {
        prefix = QStringLiteral("N"), x = 360.0 - d, suffix = QStringLiteral("W");
    }
    return prefix + FormatFixed("%.0f", std::floor(x + 0.5)) + suffix;
}

AngleStyleMap CreateAngleStyleMap() {
    AngleStyleMap map;
    map.emplace(kAzimuthStyleCode, std::make_unique<AzimuthStyle>());
    map.emplace(kQuadrantStyleCode, std::make_unique<QuadrantStyle>());
    return map;
}

// ---------------------------------------------------------------------------------------------
// Input line grammar

bool ParseLengthAndDirection(const QString& text, const LengthUnits& units, const AngleStyle& style,
                             double* length, double* direction) {
    const QString upper = text.toUpper();
    const int split = units.FindSplit(upper);
    const QString left = TrimLeading(upper.left(split));
    const QString right = TrimLeading(upper.mid(split));
    if (left.isEmpty() || right.isEmpty()) {
        return false;
    }
    const double parsedDirection = style.ParseDirection(right);
    // A direction that is not a finite number would poison every outline it touches.
    if (!std::isfinite(parsedDirection)) {
        return false;
    }
    *length = units.ParseLength(left);
    *direction = parsedDirection;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Typed input, read strictly

namespace {

enum class Scan { Number, NoNumber, Comma };

// Inside a typed value only the spaces the number reader itself skips count as spaces.
void SkipSpaces(const QString& t, qsizetype& i) {
    while (i < t.size() && IsAsciiSpace(t[i])) {
        ++i;
    }
}

// A number from t at i: an optional sign (when allowed), digits whose commas stand only between
// groups of three after a first group of one to three, an optional point and fraction. No
// exponent: no one measures in them, and in "1e10" the "e" is a typo. On Number, i is past it
// and the value is what the lenient reader gives the same characters.
Scan ScanTypedNumber(const QString& t, qsizetype& i, double* value, bool signAllowed) {
    const qsizetype n = t.size();
    const qsizetype start = i;
    qsizetype j = i;
    if (signAllowed && j < n && (t[j] == QLatin1Char('+') || t[j] == QLatin1Char('-'))) {
        ++j;
    }
    const qsizetype digitsStart = j;
    while (j < n && IsAsciiDigit(t[j])) {
        ++j;
    }
    const qsizetype firstGroup = j - digitsStart;
    bool digits = firstGroup > 0;
    if (j < n && t[j] == QLatin1Char(',') && (firstGroup == 0 || firstGroup > 3)) {
        return Scan::Comma;
    }
    while (j < n && t[j] == QLatin1Char(',')) {
        for (qsizetype k = 1; k <= 3; ++k) {
            if (j + k >= n || !IsAsciiDigit(t[j + k])) {
                return Scan::Comma;
            }
        }
        j += 4;
        if (j < n && IsAsciiDigit(t[j])) {
            return Scan::Comma;
        }
    }
    if (j < n && t[j] == QLatin1Char('.')) {
        ++j;
        while (j < n && IsAsciiDigit(t[j])) {
            ++j;
            digits = true;
        }
    }
    if (!digits) {
        return Scan::NoNumber;
    }
    if (j < n && t[j] == QLatin1Char(',')) {
        return Scan::Comma;  // "1.250,5" or "2.5,": a decimal comma after all
    }
    *value = ParseNumber(t.mid(start, j - start));
    i = j;
    return Scan::Number;
}

// The fault for a text that did not read: a comma anywhere in it is the likelier mistake.
TypingFault Refused(const QString& t, TypingFault otherwise) {
    return t.contains(QLatin1Char(',')) ? TypingFault::Comma : otherwise;
}

// Reads a number at i and what may follow it: spaces, then the mark when it stands there.
Scan ScanNumberAndMark(const QString& t, qsizetype& i, double* value, bool signAllowed,
                       const QString& mark, bool* marked) {
    const Scan scan = ScanTypedNumber(t, i, value, signAllowed);
    if (scan != Scan::Number) {
        return scan;
    }
    SkipSpaces(t, i);
    *marked = t.mid(i, mark.size()).compare(mark, Qt::CaseInsensitive) == 0;
    if (*marked) {
        i += mark.size();
        SkipSpaces(t, i);
    }
    return scan;
}

}  // namespace

TypingFault ReadTypedNumber(const QString& typed, double* value) {
    const QString text = typed.trimmed();
    qsizetype i = 0;
    double read = 0.0;
    const Scan scan = ScanTypedNumber(text, i, &read, true);
    SkipSpaces(text, i);
    if (scan == Scan::Comma) {
        return TypingFault::Comma;
    }
    if (scan != Scan::Number || i != text.size()) {
        return Refused(text, TypingFault::Number);
    }
    *value = read;
    return TypingFault::None;
}

TypingFault ReadTypedLength(const QString& typed, const LengthUnits& units, double* meters) {
    const QString text = typed.trimmed();
    qsizetype i = 0;
    double first = 0.0;
    bool marked = false;
    // The sign is read so that a negative length meets the range check and its message.
    const QString mark = units.IsMetric() ? QStringLiteral("m") : kFootMark;
    Scan scan = ScanNumberAndMark(text, i, &first, true, mark, &marked);
    if (scan == Scan::Number && !units.IsMetric()) {
        if (marked && i < text.size()) {
            // Inches after the feet, with their mark or without.
            double inches = 0.0;
            bool inchMarked = false;
            scan = ScanNumberAndMark(text, i, &inches, false, kInchMark, &inchMarked);
        } else if (!marked && text.mid(i, 1) == kInchMark) {
            ++i;  // inches alone, with their mark
            SkipSpaces(text, i);
        }
    }
    if (scan == Scan::Comma) {
        return TypingFault::Comma;
    }
    if (scan != Scan::Number || i != text.size()) {
        return Refused(text, TypingFault::Length);
    }
    // The lenient reader agrees on every text that gets here; it is the one the file uses.
    *meters = units.ParseLength(text);
    return TypingFault::None;
}

TypingFault ReadTypedDirection(const QString& text, const AngleStyle& style, double* degrees) {
    if (text.trimmed().isEmpty()) {
        return TypingFault::Direction;
    }
    double named = 0.0;
    if (style.MatchCompassName(text, &named)) {
        *degrees = named;
        return TypingFault::None;
    }
    const QString t = text.trimmed().toUpper();
    qsizetype i = 0;
    bool marked = false;
    double angle = 0.0;
    if (dynamic_cast<const QuadrantStyle*>(&style) == nullptr) {
        const Scan scan = ScanNumberAndMark(t, i, &angle, true, kDegreeSign, &marked);
        if (scan == Scan::Comma) {
            return TypingFault::Comma;
        }
        if (scan != Scan::Number || i != t.size() || !(angle >= 0.0 && angle <= 360.0)) {
            return Refused(t, TypingFault::Direction);
        }
        *degrees = angle;
        return TypingFault::None;
    }
    const QChar prefix = t[0];
    if (prefix != QLatin1Char('N') && prefix != QLatin1Char('S')) {
        return Refused(t, TypingFault::Direction);
    }
    i = 1;
    SkipSpaces(t, i);
    const Scan scan = ScanNumberAndMark(t, i, &angle, false, kDegreeSign, &marked);
    if (scan == Scan::Comma) {
        return TypingFault::Comma;
    }
    if (scan != Scan::Number || i + 1 != t.size() || !(angle >= 0.0 && angle <= 90.0)) {
        return Refused(t, TypingFault::Direction);
    }
    const QChar suffix = t[i];
    const bool north = prefix == QLatin1Char('N');
    if (suffix == QLatin1Char('E')) {
        *degrees = north ? angle : 180.0 - angle;
    } else if (suffix == QLatin1Char('W')) {
        *degrees = north ? 360.0 - angle : 180.0 + angle;
    } else {
        return TypingFault::Direction;
    }
    return TypingFault::None;
}

TypingFault ReadTypedLengthAndDirection(const QString& text, const LengthUnits& units,
                                        const AngleStyle& style, double* length, double* direction,
                                        QString* faultyPart) {
    const QString upper = text.toUpper();
    const int split = units.FindSplit(upper);
    // The parts as typed, for the message; upper-casing keeps the length of every ASCII text.
    const QString& shown = upper.size() == text.size() ? text : upper;
    const QString left = shown.left(split);
    const QString right = shown.mid(split);
    if (TrimLeading(left).isEmpty() || TrimLeading(right).isEmpty()) {
        return TypingFault::MissingPart;
    }
    double meters = 0.0;
    TypingFault fault = ReadTypedLength(left, units, &meters);
    if (fault != TypingFault::None) {
        if (faultyPart != nullptr) {
            *faultyPart = left.trimmed();
        }
        return fault;
    }
    double degrees = 0.0;
    fault = ReadTypedDirection(right, style, &degrees);
    if (fault != TypingFault::None) {
        if (faultyPart != nullptr) {
            *faultyPart = right.trimmed();
        }
        return fault;
    }
    *length = meters;
    *direction = degrees;
    return TypingFault::None;
}

QString FormatLengthAndDirection(const LengthUnits* units, const AngleStyle* style, double length,
                                 double direction) {
    if (units == nullptr || style == nullptr) {
        return QString();
    }
    return units->FormatLength(length) + QStringLiteral(" @ ") + style->FormatDirection(direction);
}

// ---------------------------------------------------------------------------------------------
// Bearings

namespace {

// Brings a huge (but finite) angle near the range first; stepping by whole turns from 1e300
// would never end. fmod is exact, so ordinary angles come out as the stepping gives them.
double ReduceForStepping(double value, double turn) {
    if (std::fabs(value) >= 2.0 * turn) {
        return std::fmod(value, turn);
    }
    return value;
}

}  // namespace

double NormalizeDegrees(double d) {
    if (!std::isfinite(d)) {
        return d;
    }
    d = ReduceForStepping(d, 360.0);
    while (d >= 360.0) {
        d -= 360.0;
    }
    while (d < 0.0) {
        d += 360.0;
    }
    return d;
}

double NormalizeRadians(double r) {
    if (!std::isfinite(r)) {
        return r;
    }
    r = ReduceForStepping(r, kTwoPi);
    while (r >= kTwoPi) {
        r -= kTwoPi;
    }
    while (r < 0.0) {
        r += kTwoPi;
    }
    return r;
}

double ReverseDirection(double d) {
    return NormalizeDegrees(d + 180.0);
}

PlanPoint PolarToCartesian(double length, double direction) {
    const double theta = (90.0 - direction) * kDegreesToRadians;
    double c = std::cos(theta);
    double s = std::sin(theta);
    if (std::fabs(c) < kZeroTolerance) {
        c = 0.0;
    }
    if (std::fabs(s) < kZeroTolerance) {
        s = 0.0;
    }
    return {length * c, length * s};
}

void CartesianToPolar(double dx, double dy, double* length, double* direction) {
    *length = std::sqrt(dx * dx + dy * dy);
    double a = std::atan2(dy, dx);
    if (a < 0.0) {
        a += kTwoPi;
    }
    a *= kRadiansToDegrees;
    double d = 360.0 - (a - 90.0);
    if (d >= 360.0) {
        d -= 360.0;
    }
    *direction = d;
}

double BearingToMathRadians(double degrees) {
    return (360.0 - NormalizeDegrees(degrees)) * (1.0 / 360.0) * kTwoPi;
}

double MathRadiansToBearing(double radians) {
    return (kTwoPi - NormalizeRadians(radians)) / kTwoPi * 360.0;
}

double RadiansToSignedAngle(double radians) {
    double r = NormalizeRadians(radians);
    if (r > kPi) {
        r -= kTwoPi;
    }
    return r;
}

}  // namespace plantrek
