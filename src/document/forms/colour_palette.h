#pragma once

#include <QString>

#include <optional>
#include <span>

#include "model/material.h"

// The 40 colours of the colour button's drop-down palette, in its order (8 columns, 5 rows).
namespace plantrek {

class Site;

struct PaletteColour {
    const char* name;  // as the palette's tool tips show it
    Colour colour;
};

std::span<const PaletteColour> ColourPickerPalette();

// The first palette colour that no material of the site has; nothing when all 40 are taken.
std::optional<PaletteColour> FirstUnusedPaletteColour(const Site& site);

// "#RRGGBB", as colours are typed.
QString ColourText(Colour colour);

}  // namespace plantrek
