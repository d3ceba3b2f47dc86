#pragma once

#include <QString>

#include <optional>

// The checks of the lengths and directions a person types: the input line and the length,
// distance and direction fields of the wall dialogs. Each returns the warning to show, or
// nothing when the value may be taken; NaN and infinities are refused.
namespace plantrek {

class AngleStyle;
class LengthUnits;
enum class TypingFault;

std::optional<QString> CheckWallLength(double length, const LengthUnits& units);
// The same range for the distances of the "Move" and "Arc Wall" dialogs, with their own text.
std::optional<QString> CheckDistance(double distance, const LengthUnits& units);
// "Move Start Point" and "Move Current Room": any distance from 1 mm, so that a small slip in
// the placing of a room can be taken out; the same largest distance.
inline constexpr double kMinMoveDistance = 0.001;
std::optional<QString> CheckMoveDistance(double distance, const LengthUnits& units);

// Before the range: whether the text is a length at all in the units. An empty text is left to
// the range check, which refuses it as no length.
std::optional<QString> CheckTypedLength(const QString& text, const LengthUnits& units);
// Whether the text is a direction in the style; an empty one is refused too.
std::optional<QString> CheckTypedDirection(const QString& text, const AngleStyle& style);
// Whether the text is a plain number of degrees (the "Rotate Room" angle).
std::optional<QString> CheckTypedAngle(const QString& text);
// The input line's refusal of an entry that ReadTypedLengthAndDirection refused, `part` being
// the part at fault.
QString InputRefusal(const QString& text, TypingFault fault, const QString& part,
                     const LengthUnits& units, const AngleStyle& style);

}  // namespace plantrek
