#include "export/gif_writer.h"

#include <QIODevice>

#include <gif_lib.h>

#include <vector>

namespace plantrek {

namespace {

constexpr int kGifMaxSide = 65535;

struct GifSink {
    QIODevice* device = nullptr;
    bool failed = false;
};

int WriteToDevice(GifFileType* gif, const GifByteType* bytes, int count) {
    auto* sink = static_cast<GifSink*>(gif->UserData);
    if (sink->failed || sink->device->write(reinterpret_cast<const char*>(bytes), count) != count) {
        sink->failed = true;
        return 0;
    }
    return count;
}

}  // namespace

bool WriteGif(QIODevice& device, const IndexedImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > kGifMaxSide ||
        image.height > kGifMaxSide || image.palette == nullptr ||
        image.pixels.size() <
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        return false;
    }
    std::vector<GifColorType> colours;
    colours.reserve(image.palette->size());
    int white = 0;
    for (std::size_t i = 0; i < image.palette->size(); ++i) {
        const Colour c = (*image.palette)[i];
        colours.push_back({static_cast<GifByteType>(RedOf(c)), static_cast<GifByteType>(GreenOf(c)),
                           static_cast<GifByteType>(BlueOf(c))});
        if (c == 0xFFFFFF) {
            white = static_cast<int>(i);
        }
    }
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    if (map == nullptr) {
        return false;
    }

    GifSink sink{&device, false};
    int error = 0;
    GifFileType* gif = EGifOpen(&sink, WriteToDevice, &error);
    if (gif == nullptr) {
        GifFreeMapObject(map);
        return false;
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, image.width, image.height, 8, white, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(static_cast<std::size_t>(image.width));
    for (int y = 0; ok && y < image.height; ++y) {
        const std::size_t first =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
        std::copy(image.pixels.begin() + static_cast<std::ptrdiff_t>(first),
                  image.pixels.begin() + static_cast<std::ptrdiff_t>(first + line.size()),
                  line.begin());
        ok = EGifPutLine(gif, line.data(), image.width) == GIF_OK;
    }
    // Closing writes the trailer and frees the writer whatever happened before.
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    return ok && !sink.failed;
}

}  // namespace plantrek
