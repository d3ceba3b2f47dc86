#include "document/forms/colour_palette.h"

#include <cmath>

#include "model/site.h"

namespace plantrek {

namespace {

// The relative luminance of an sRGB colour, 0 for black to 1 for white.
double Luminance(Colour colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(RedOf(colour)) + 0.7152 * linear(GreenOf(colour)) +
           0.0722 * linear(BlueOf(colour));
}

}  // namespace

std::span<const PaletteColour> ColourPickerPalette() {
    static constexpr PaletteColour kPalette[] = {
        {"Black", MakeColour(0, 0, 0)},
        {"Brown", MakeColour(165, 42, 0)},
        {"Dark Olive Green", MakeColour(0, 64, 64)},
        {"Dark Green", MakeColour(0, 85, 0)},
        {"Dark Teal", MakeColour(0, 0, 94)},
        {"Dark blue", MakeColour(0, 0, 139)},
        {"Indigo", MakeColour(75, 0, 130)},
        {"Dark grey", MakeColour(40, 40, 40)},
        {"Dark red", MakeColour(139, 0, 0)},
        {"Orange", MakeColour(255, 104, 32)},
        {"Dark yellow", MakeColour(139, 139, 0)},
        {"Green", MakeColour(0, 147, 0)},
        {"Teal", MakeColour(56, 142, 142)},
        {"Blue", MakeColour(0, 0, 255)},
        {"Blue-grey", MakeColour(123, 123, 192)},
        {"Grey - 40", MakeColour(102, 102, 102)},
        {"Red", MakeColour(255, 0, 0)},
        {"Light orange", MakeColour(255, 173, 91)},
        {"Lime", MakeColour(50, 205, 50)},
        {"Sea green", MakeColour(60, 179, 113)},
        {"Aqua", MakeColour(127, 255, 212)},
        {"Light blue", MakeColour(125, 158, 192)},
        {"Violet", MakeColour(128, 0, 128)},
        {"Grey - 50", MakeColour(127, 127, 127)},
        {"Pink", MakeColour(255, 192, 203)},
        {"Gold", MakeColour(255, 215, 0)},
        {"Yellow", MakeColour(255, 255, 0)},
        {"Bright green", MakeColour(0, 255, 0)},
        {"Turquoise", MakeColour(64, 224, 208)},
        {"Skyblue", MakeColour(192, 255, 255)},
        {"Plum", MakeColour(72, 0, 72)},
        {"Light grey", MakeColour(192, 192, 192)},
        {"Rose", MakeColour(255, 228, 225)},
        {"Tan", MakeColour(210, 180, 140)},
        {"Light yellow", MakeColour(255, 255, 224)},
        {"Pale green ", MakeColour(152, 251, 152)},
        {"Pale turquoise", MakeColour(175, 238, 238)},
        {"Pale blue", MakeColour(104, 131, 139)},
        {"Lavender", MakeColour(230, 230, 250)},
        {"White", MakeColour(255, 255, 255)},
    };
    return kPalette;
}

bool IsReadableFillColour(Colour colour) {
    // Black text on the fill needs the contrast of 4.5 to 1 that is usual for readable text:
    // (L + 0.05) / 0.05 >= 4.5.
    constexpr double kMinLuminance = 0.175;
    return colour != MakeColour(255, 255, 255) && Luminance(colour) >= kMinLuminance;
}

std::optional<PaletteColour> FirstUnusedPaletteColour(const Site& site) {
    for (const PaletteColour& entry : ColourPickerPalette()) {
        if (IsReadableFillColour(entry.colour) &&
            site.FindMaterialByColour(entry.colour) == nullptr) {
            return entry;
        }
    }
    return std::nullopt;
}

QString ColourText(Colour colour) {
    return QStringLiteral("#%1%2%3")
        .arg(RedOf(colour), 2, 16, QLatin1Char('0'))
        .arg(GreenOf(colour), 2, 16, QLatin1Char('0'))
        .arg(BlueOf(colour), 2, 16, QLatin1Char('0'));
}

}  // namespace plantrek
