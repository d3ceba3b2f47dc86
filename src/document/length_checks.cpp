#include "document/length_checks.h"

#include <cmath>

#include "model/units.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

std::optional<QString> RangeCheck(double value, int textId, const LengthUnits& units) {
    if (IsWallLengthInRange(value)) {
        return std::nullopt;
    }
    return LoadString(textId).arg(units.FormatLength(MinWallLength),
                                  units.FormatLength(MaxWallLength));
}

}  // namespace

std::optional<QString> CheckWallLength(double length, const LengthUnits& units) {
    return RangeCheck(length, string_id::kWallLengthRange, units);
}

std::optional<QString> CheckDistance(double distance, const LengthUnits& units) {
    return RangeCheck(distance, string_id::kDistanceRange, units);
}

std::optional<QString> CheckMoveDistance(double distance, const LengthUnits& units) {
    // A hair of slack, so that 1 mm typed as inches is not refused for a rounding.
    if (distance >= kMinMoveDistance - 1e-9 && distance < MaxWallLength) {
        return std::nullopt;
    }
    const QString smallest = units.IsMetric() ? QStringLiteral("0.001 m")
                                              : QStringLiteral("1 mm (0.04\")");
    return LoadString(string_id::kDistanceRange).arg(smallest, units.FormatLength(MaxWallLength));
}

namespace {

// What is wrong with the part and what is expected; the units name the lengths, the style the
// directions.
QString FaultText(TypingFault fault, const QString& part, const LengthUnits* units,
                  const AngleStyle* style) {
    switch (fault) {
        case TypingFault::Comma:
            return LoadString(string_id::kCommaNotDecimal).arg(part);
        case TypingFault::Length:
            return LoadString(string_id::kNotALength)
                .arg(part, LoadString(units != nullptr && units->IsMetric()
                                          ? string_id::kMetricLengthForm
                                          : string_id::kImperialLengthForm));
        case TypingFault::Direction: {
            const bool quadrant = dynamic_cast<const QuadrantStyle*>(style) != nullptr;
            const QString expected =
                LoadString(quadrant ? string_id::kQuadrantForm : string_id::kAzimuthForm);
            if (part.isEmpty()) {
                return LoadString(string_id::kDirectionMissing).arg(expected);
            }
            return LoadString(string_id::kNotADirection).arg(part, expected);
        }
        case TypingFault::Number:
            return LoadString(string_id::kInvalidAngle);
        case TypingFault::None:
        case TypingFault::MissingPart:
            break;
    }
    return QString();
}

}  // namespace

std::optional<QString> CheckTypedLength(const QString& text, const LengthUnits& units) {
    double meters = 0.0;
    const TypingFault fault = ReadTypedLength(text, units, &meters);
    if (fault == TypingFault::None || text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    return FaultText(fault, text.trimmed(), &units, nullptr);
}

std::optional<QString> CheckTypedDirection(const QString& text, const AngleStyle& style) {
    double degrees = 0.0;
    const TypingFault fault = ReadTypedDirection(text, style, &degrees);
    if (fault == TypingFault::None) {
        return std::nullopt;
    }
    return FaultText(fault, text.trimmed(), nullptr, &style);
}

std::optional<QString> CheckTypedAngle(const QString& text) {
    double degrees = 0.0;
    const TypingFault fault = ReadTypedNumber(text, &degrees);
    if (fault == TypingFault::None && std::isfinite(degrees)) {
        return std::nullopt;
    }
    // A number too large for a double is no angle either.
    return FaultText(fault == TypingFault::Comma ? fault : TypingFault::Number, text.trimmed(),
                     nullptr, nullptr);
}

QString InputRefusal(const QString& text, TypingFault fault, const QString& part,
                     const LengthUnits& units, const AngleStyle& style) {
    if (fault == TypingFault::MissingPart) {
        return LoadString(string_id::kInvalidInput).arg(text);
    }
    return LoadString(string_id::kInvalidInputBecause)
        .arg(text, FaultText(fault, part, &units, &style));
}

}  // namespace plantrek
