#pragma once

#include <array>
#include <set>

#include "model/material.h"

// The AutoCAD Color Index palette and the matching of the program's colours to it: a DXF
// entity carries an index into this palette, not a colour of its own.
namespace plantrek {

struct HslColour {
    double hue = 0.0;  // all three in 0..1
    double saturation = 0.0;
    double lightness = 0.0;
};

HslColour ToHsl(Colour colour);

// A weighted RGB distance that follows the eye more closely than the plain one.
int ColourDistance(Colour a, Colour b);

class AciPalette {
public:
    static constexpr int kSize = 256;
    // Index 0 means "by block" and 7 is white or black depending on the drawing's background,
    // so neither stands for a material's colour.
    static constexpr int kByBlock = 0;
    static constexpr int kForeground = 7;
    // What is returned when every other index is taken.
    static constexpr int kFallback = 255;

    AciPalette();

    Colour Rgb(int index) const { return rgb_[static_cast<std::size_t>(index)]; }
    const HslColour& Hsl(int index) const { return hsl_[static_cast<std::size_t>(index)]; }

    // The index whose colour lies nearest among those no farther in hue than the best so far,
    // skipping 0, 7 and the taken indices; the result joins `taken`. 255 when nothing is left.
    int NearestColourIndex(Colour colour, std::set<int>& taken) const;

private:
    std::array<Colour, kSize> rgb_{};
    std::array<HslColour, kSize> hsl_{};
};

}  // namespace plantrek
