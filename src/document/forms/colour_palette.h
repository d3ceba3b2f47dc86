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

// Whether a room filled with the colour keeps the plan's black walls and names readable: not
// white (rooms would vanish on the white page) and light enough for black text.
bool IsReadableFillColour(Colour colour);

// The colour a new material takes: the first palette colour that no material of the site has
// and that is a readable fill; nothing when every such colour is taken.
std::optional<PaletteColour> FirstUnusedPaletteColour(const Site& site);

// "#RRGGBB", as colours are typed.
QString ColourText(Colour colour);

}  // namespace plantrek
