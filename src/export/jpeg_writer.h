#pragma once

class QImage;
class QIODevice;

// Baseline JFIF pictures through libjpeg.
namespace plantrek {

inline constexpr int kJpegQuality = 90;
inline constexpr int kJpegDotsPerInch = 96;

// Writes the image in true colour with the library's default (sequential) compression, the
// given quality and a density in dots per inch. False when the image is empty, too large for
// the format, or the device refuses the bytes.
bool WriteJpeg(QIODevice& device, const QImage& image, int quality = kJpegQuality,
               int dotsPerInch = kJpegDotsPerInch);

}  // namespace plantrek
