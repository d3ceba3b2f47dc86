#include "export/bmp_writer.h"

#include <QByteArray>
#include <QIODevice>

#include <cstdint>
#include <limits>

namespace plantrek {

namespace {

constexpr std::int64_t kFileHeaderSize = 14;
constexpr std::int64_t kInfoHeaderSize = 40;
constexpr std::int64_t kPaletteSize = 256 * 4;

void Put16(QByteArray& out, std::uint32_t value) {
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>((value >> 8) & 0xff));
}

void Put32(QByteArray& out, std::uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

}  // namespace

bool WriteBmp(QIODevice& device, const IndexedImage& image, int pixelsPerMeter) {
    if (image.width <= 0 || image.height <= 0 || image.palette == nullptr ||
        image.pixels.size() <
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        return false;
    }
    const std::int64_t stride = (static_cast<std::int64_t>(image.width) + 3) & ~std::int64_t{3};
    const std::int64_t pixelBytes = stride * image.height;
    const std::int64_t dataOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;
    const std::int64_t fileSize = dataOffset + pixelBytes;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }

    QByteArray head;
    head.reserve(static_cast<qsizetype>(dataOffset));
    head.append("BM", 2);
    Put32(head, static_cast<std::uint32_t>(fileSize));
    Put16(head, 0);
    Put16(head, 0);
    Put32(head, static_cast<std::uint32_t>(dataOffset));

    Put32(head, static_cast<std::uint32_t>(kInfoHeaderSize));
    Put32(head, static_cast<std::uint32_t>(image.width));
    Put32(head, static_cast<std::uint32_t>(image.height));  // positive: rows bottom-up
    Put16(head, 1);                                         // planes
    Put16(head, 8);                                         // bits per pixel
    Put32(head, 0);                                         // uncompressed
    Put32(head, static_cast<std::uint32_t>(pixelBytes));
    Put32(head, static_cast<std::uint32_t>(pixelsPerMeter));
    Put32(head, static_cast<std::uint32_t>(pixelsPerMeter));
    Put32(head, 256);  // colours used
    Put32(head, 0);    // all of them important
    for (Colour colour : *image.palette) {
        head.append(static_cast<char>(BlueOf(colour)));
        head.append(static_cast<char>(GreenOf(colour)));
        head.append(static_cast<char>(RedOf(colour)));
        head.append('\0');
    }
    if (device.write(head) != head.size()) {
        return false;
    }

    QByteArray row(static_cast<qsizetype>(stride), '\0');
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* source =
            image.pixels.data() +
            static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
        std::copy(source, source + image.width, reinterpret_cast<std::uint8_t*>(row.data()));
        if (device.write(row) != row.size()) {
            return false;
        }
    }
    return true;
}

}  // namespace plantrek
