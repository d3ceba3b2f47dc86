#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

#include "model/material.h"

// The fixed 256-colour palette that pictures of 8 bits per pixel are reduced to, and the
// reduction itself: each pixel takes the nearest palette colour, without error diffusion, so
// that the flat fills of a plan stay flat.
namespace plantrek {

using Palette256 = std::array<Colour, 256>;

// A 6 × 6 × 6 colour cube (every channel 0, 51, 102, 153, 204 or 255: black, white, the
// primaries and their mixtures), the eight half-intensity colours of the old 16-colour
// displays, and 32 greys between.
const Palette256& StandardPalette();

// The index of the nearest palette colour by squared RGB distance; the lowest index on a tie.
int NearestPaletteIndex(const Palette256& palette, Colour colour);

// Pixels as palette indexes, rows from the top down, no padding.
struct IndexedImage {
    int width = 0;
    int height = 0;
    const Palette256* palette = nullptr;
    std::vector<std::uint8_t> pixels;

    std::uint8_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

IndexedImage ReduceToPalette(const QImage& image, const Palette256& palette = StandardPalette());

}  // namespace plantrek
