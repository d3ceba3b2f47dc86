#include "export/aci_palette.h"

#include <dl_codes.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace plantrek {

static_assert(sizeof(dxfColors) / sizeof(dxfColors[0]) == AciPalette::kSize,
              "dxflib's colour table has one entry per colour index");

namespace {

int ToChannel(double fraction) {
    return static_cast<int>(fraction * 255.0);
}

}  // namespace

HslColour ToHsl(Colour colour) {
    const double r = RedOf(colour) / 255.0;
    const double g = GreenOf(colour) / 255.0;
    const double b = BlueOf(colour) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    HslColour hsl;
    hsl.lightness = (max + min) / 2.0;
    if (max == min) {
        return hsl;
    }
    const double delta = max - min;
    hsl.saturation = hsl.lightness < 0.5 ? delta / (max + min) : delta / (2.0 - max - min);
    const double dR = ((max - r) / 6.0 + delta / 2.0) / delta;
    const double dG = ((max - g) / 6.0 + delta / 2.0) / delta;
    const double dB = ((max - b) / 6.0 + delta / 2.0) / delta;
    if (r == max) {
        hsl.hue = dB - dG;
    } else if (g == max) {
        hsl.hue = 1.0 / 3.0 + dR - dB;
    } else {
        hsl.hue = 2.0 / 3.0 + dG - dR;
    }
    if (hsl.hue < 0.0) {
        hsl.hue += 1.0;
    }
    if (hsl.hue > 1.0) {
        hsl.hue -= 1.0;
    }
    return hsl;
}

int ColourDistance(Colour a, Colour b) {
    const int m = (RedOf(a) + RedOf(b)) >> 1;
    const int dr = RedOf(a) - RedOf(b);
    const int dg = GreenOf(a) - GreenOf(b);
    const int db = BlueOf(a) - BlueOf(b);
    return (((512 + m) * dr * dr) >> 8) + 4 * dg * dg + (((767 - m) * db * db) >> 8);
}

AciPalette::AciPalette() {
    for (int i = 0; i < kSize; ++i) {
        const double* entry = dxfColors[i];
        rgb_[static_cast<std::size_t>(i)] =
            MakeColour(ToChannel(entry[0]), ToChannel(entry[1]), ToChannel(entry[2]));
        hsl_[static_cast<std::size_t>(i)] = ToHsl(rgb_[static_cast<std::size_t>(i)]);
    }
}

int AciPalette::NearestColourIndex(Colour colour, std::set<int>& taken) const {
    const double hue = ToHsl(colour).hue;
    int best = kFallback;
    int bestDistance = std::numeric_limits<int>::max();
    double bestHueDifference = 999.0;
    for (int i = 1; i < kSize; ++i) {
        if (i == kForeground || taken.count(i) != 0) {
            continue;
        }
        const double hueDifference = std::fabs(hue - Hsl(i).hue);
        const int distance = ColourDistance(colour, Rgb(i));
        if (hueDifference <= bestHueDifference && distance < bestDistance) {
            best = i;
            bestDistance = distance;
            bestHueDifference = hueDifference;
        }
    }
    taken.insert(best);
    return best;
}

}  // namespace plantrek
