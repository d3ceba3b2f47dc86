// Typed lengths and directions in every unit system and direction style: parsing never fails
// unsafely, a direction it accepts is finite, and whatever it returns formats again.
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "model/units.h"

using namespace plantrek;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const LengthUnitsMap units = CreateLengthUnitsMap();
    static const AngleStyleMap styles = CreateAngleStyleMap();
    if (size < 1) {
        return 0;
    }
    // The first byte chooses the units (by device code) and the style; the rest is the text.
    const int code = kDeviceUnitCodes[data[0] % std::size(kDeviceUnitCodes)];
    const AngleStyle& style = *styles.at((data[0] / 16) % 2);
    const LengthUnits& unit = *units.at(code);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));

    double length = -1.0;
    double direction = -1.0;
    if (ParseLengthAndDirection(text, unit, style, &length, &direction)) {
        fuzz::Require(std::isfinite(direction), "an accepted direction is not finite");
        (void)IsWallLengthInRange(length);
        (void)FormatLengthAndDirection(&unit, &style, length, direction);
        (void)style.FormatDirection(direction);
    } else {
        fuzz::Require(length == -1.0 && direction == -1.0, "a refused text changed the outputs");
    }
    // Read as typed: whatever the strict reader takes, the lenient one reads the same, and a
    // refusal leaves the outputs alone.
    double typedLength = -1.0;
    double typedDirection = -1.0;
    if (ReadTypedLengthAndDirection(text, unit, style, &typedLength, &typedDirection) ==
        TypingFault::None) {
        fuzz::Require(typedDirection >= 0.0 && typedDirection <= 360.0,
                      "a typed direction is outside 0 to 360");
        fuzz::Require(typedLength == length && typedDirection == direction,
                      "the strict and the lenient reader disagree");
    } else {
        fuzz::Require(typedLength == -1.0 && typedDirection == -1.0,
                      "a refused typed text changed the outputs");
    }
    // The pieces on their own, as dialogs and the meter use them.
    (void)unit.ParseLength(text);
    (void)style.ParseDirection(text);
    const double device = unit.ParseDeviceLength(text);
    (void)unit.FormatLength(device);
    (void)ParseNumber(text);
    return 0;
}
