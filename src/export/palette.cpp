#include "export/palette.h"

#include <unordered_map>

namespace plantrek {

namespace {

Palette256 BuildStandardPalette() {
    Palette256 palette{};
    std::size_t next = 0;
    for (int b = 0; b < 6; ++b) {
        for (int g = 0; g < 6; ++g) {
            for (int r = 0; r < 6; ++r) {
                palette[next++] = MakeColour(r * 51, g * 51, b * 51);
            }
        }
    }
    for (Colour half : {MakeColour(128, 0, 0), MakeColour(0, 128, 0), MakeColour(0, 0, 128),
                        MakeColour(128, 128, 0), MakeColour(128, 0, 128), MakeColour(0, 128, 128),
                        MakeColour(128, 128, 128), MakeColour(192, 192, 192)}) {
        palette[next++] = half;
    }
    // 2, 10, ... 250: none of them is already a grey of the cube or of the colours above.
    for (int level = 2; next < palette.size(); level += 8) {
        palette[next++] = MakeColour(level, level, level);
    }
    return palette;
}

}  // namespace

const Palette256& StandardPalette() {
    static const Palette256 palette = BuildStandardPalette();
    return palette;
}

int NearestPaletteIndex(const Palette256& palette, Colour colour) {
    const int r = RedOf(colour);
    const int g = GreenOf(colour);
    const int b = BlueOf(colour);
    int best = 0;
    int bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = RedOf(palette[i]) - r;
        const int dg = GreenOf(palette[i]) - g;
        const int db = BlueOf(palette[i]) - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
            if (distance == 0) {
                break;
            }
        }
    }
    return best;
}

IndexedImage ReduceToPalette(const QImage& image, const Palette256& palette) {
    IndexedImage result;
    result.palette = &palette;
    if (image.isNull()) {
        return result;
    }
    const QImage rgb =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    result.width = rgb.width();
    result.height = rgb.height();
    result.pixels.resize(static_cast<std::size_t>(result.width) *
                         static_cast<std::size_t>(result.height));
    // A plan has few distinct colours (fills, lines and the smoothed edges of text), so each
    // is looked up once.
    std::unordered_map<QRgb, std::uint8_t> known;
    std::size_t out = 0;
    for (int y = 0; y < result.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < result.width; ++x) {
            const QRgb pixel = line[x] | 0xff000000u;
            auto found = known.find(pixel);
            if (found == known.end()) {
                const Colour colour = MakeColour(qRed(pixel), qGreen(pixel), qBlue(pixel));
                found =
                    known
                        .emplace(pixel,
                                 static_cast<std::uint8_t>(NearestPaletteIndex(palette, colour)))
                        .first;
            }
            result.pixels[out++] = found->second;
        }
    }
    return result;
}

}  // namespace plantrek
