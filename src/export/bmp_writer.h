#pragma once

#include "export/palette.h"

class QIODevice;

// Uncompressed palette bitmap files of 8 bits per pixel.
namespace plantrek {

// 96 dots per inch.
inline constexpr int kBitmapPixelsPerMeter = 3780;

// Writes the 14-byte file header, the 40-byte information header, the 256 palette entries and
// the rows bottom-up, each padded to a multiple of 4 bytes. False when the image is empty, too
// large for the format's 32-bit sizes, or the device refuses the bytes.
bool WriteBmp(QIODevice& device, const IndexedImage& image,
              int pixelsPerMeter = kBitmapPixelsPerMeter);

}  // namespace plantrek
