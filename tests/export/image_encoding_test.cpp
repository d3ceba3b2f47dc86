// The picture encoders on small made-up images: palette reduction, the bytes of the BMP, GIF and
// JPEG files, and what an independent reader (Pillow) sees in them.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <set>

#include "export/bmp_writer.h"
#include "export/gif_writer.h"
#include "export/jpeg_writer.h"
#include "export/palette.h"
#include "export_test_support.h"
#include "image_test_support.h"

namespace plantrek {
namespace {

using test::Md5;
using test::U16;
using test::U32;

constexpr Colour kOddColour = MakeColour(200, 100, 50);

// 13 × 7 (rows of 13 bytes need 3 bytes of padding): red left, blue right, a white top row, a
// black pixel, and one colour that is not in the palette.
QImage SampleImage() {
    QImage image(13, 7, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, x < 6 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        }
    }
    for (int x = 0; x < image.width(); ++x) {
        image.setPixel(x, 0, qRgb(255, 255, 255));
    }
    image.setPixel(3, 4, qRgb(0, 0, 0));
    image.setPixel(10, 5, qRgb(RedOf(kOddColour), GreenOf(kOddColour), BlueOf(kOddColour)));
    return image;
}

// The RGB bytes the reduced image stands for, row by row, as a reader decodes them.
QByteArray ReducedRgb(const IndexedImage& image) {
    QByteArray rgb;
    for (std::uint8_t index : image.pixels) {
        const Colour c = (*image.palette)[index];
        rgb.append(static_cast<char>(RedOf(c)));
        rgb.append(static_cast<char>(GreenOf(c)));
        rgb.append(static_cast<char>(BlueOf(c)));
    }
    return rgb;
}

// Every palette colour once, then the same colours shifted off the palette: enough variety to
// make the GIF's code table fill up and restart.
QImage BusyImage() {
    QImage image(256, 64, QImage::Format_RGB32);
    const Palette256& palette = StandardPalette();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Colour c = palette[static_cast<std::size_t>((x * 7 + y * 13) % 256)];
            const int shift = (y % 3) * 9;
            image.setPixel(
                x, y,
                qRgb(std::min(255, RedOf(c) + shift), GreenOf(c), std::max(0, BlueOf(c) - shift)));
        }
    }
    return image;
}

TEST(Palette, HoldsTheBasicColoursOnceAndMatchesTheNearest) {
    const Palette256& palette = StandardPalette();
    const std::set<Colour> distinct(palette.begin(), palette.end());
    EXPECT_EQ(distinct.size(), 256u);
    for (Colour c : {0x000000u, 0xFFFFFFu, 0x0000FFu, 0x00FF00u, 0xFF0000u, 0x00FFFFu, 0xFFFF00u,
                     0xFF00FFu, 0x808080u, 0xC0C0C0u, 0x000080u}) {
        EXPECT_EQ(distinct.count(c), 1u) << std::hex << c;
        EXPECT_EQ(palette[static_cast<std::size_t>(NearestPaletteIndex(palette, c))], c);
    }
    // Others go to the nearest colour, without dithering.
    const auto nearest = [&](Colour c) {
        return palette[static_cast<std::size_t>(NearestPaletteIndex(palette, c))];
    };
    EXPECT_EQ(nearest(kOddColour), MakeColour(204, 102, 51));
    EXPECT_EQ(nearest(0x010101), 0x000000u);  // a tie goes to the lower index
    EXPECT_EQ(nearest(0x030303), 0x020202u);
    EXPECT_EQ(nearest(MakeColour(250, 250, 250)), MakeColour(250, 250, 250));
    EXPECT_EQ(nearest(MakeColour(254, 253, 255)), 0xFFFFFFu);

    // A flat area stays one index: no error is carried to the neighbours.
    QImage flat(9, 3, QImage::Format_RGB32);
    flat.fill(qRgb(140, 40, 230));
    const IndexedImage reduced = ReduceToPalette(flat);
    ASSERT_EQ(reduced.pixels.size(), 27u);
    EXPECT_TRUE(std::all_of(reduced.pixels.begin(), reduced.pixels.end(),
                            [&](std::uint8_t i) { return i == reduced.pixels[0]; }));
    EXPECT_EQ(palette[reduced.pixels[0]], MakeColour(153, 51, 255));
}

TEST(BmpWriter, WritesAnEightBitPaletteBitmapBottomUp) {
    const IndexedImage image = ReduceToPalette(SampleImage());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteBmp(buffer, image));
    const QByteArray bytes = buffer.data();

    constexpr int stride = 16;
    ASSERT_EQ(bytes.size(), 14 + 40 + 1024 + stride * 7);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(U16(bytes, 26), 1);
    EXPECT_EQ(U16(bytes, 28), 8);
    // File size, reserved, pixel offset, header size, width, height (positive: bottom-up),
    // compression (none), pixel bytes, resolution and colours used.
    const auto size = static_cast<std::uint32_t>(bytes.size());
    const std::pair<int, std::uint32_t> fields[] = {
        {2, size}, {6, 0},           {10, 1078}, {14, 40},   {18, 13}, {22, 7},
        {30, 0},   {34, stride * 7}, {38, 3780}, {42, 3780}, {46, 256}};
    for (const auto& [at, value] : fields) {
        EXPECT_EQ(U32(bytes, at), value) << "at " << at;
    }

    // Palette entries and rows bottom-up as Pillow reads them (PictureReadBack); the padding of
    // each row is zero.
    for (int stored = 0; stored < 7; ++stored) {
        EXPECT_EQ(bytes.mid(1078 + stored * stride + 13, 3), QByteArray(3, '\0'));
    }
}

TEST(GifWriter, WritesGif89aWithTheWholePalette) {
    const IndexedImage image = ReduceToPalette(SampleImage());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteGif(buffer, image));
    const QByteArray bytes = buffer.data();
    EXPECT_EQ(bytes.left(6), QByteArray("GIF89a"));
    EXPECT_EQ(U16(bytes, 6), 13);
    EXPECT_EQ(U16(bytes, 8), 7);
    // Global colour table of 256 entries, 8 bits of colour resolution.
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[10]), 0xF7);
    EXPECT_EQ(StandardPalette()[static_cast<std::uint8_t>(bytes[11])], 0xFFFFFFu);  // background
    EXPECT_EQ(bytes.right(1), QByteArray(";"));
}

// Pillow decodes every pixel as the reduced image holds it (JPEG is read back by the export's
// and the quantisation tests).
class PictureReadBack : public ::testing::TestWithParam<const char*> {};

TEST_P(PictureReadBack, PillowSeesTheSamePicture) {
    const QString format = QString::fromLatin1(GetParam());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("busy.") + format.toLower());
    const IndexedImage reduced = ReduceToPalette(BusyImage());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(format == "BMP" ? WriteBmp(buffer, reduced) : WriteGif(buffer, reduced));
    ASSERT_TRUE(test::WriteFile(path, buffer.data()));

    PLANTREK_READ_PICTURE(view, path, {});
    EXPECT_EQ(view["format"].toString(), format);
    EXPECT_EQ(view["frames"].toInt(), 1);
    EXPECT_EQ(view["palette_entries"].toInt(), 256);
    EXPECT_EQ(view["size"].toArray(), (QJsonArray{256, 64}));
    EXPECT_EQ(view["version"].toString(), format == "GIF" ? "GIF89a" : "");
    EXPECT_EQ(view["rgb_md5"].toString(), Md5(ReducedRgb(reduced)));
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureReadBack, ::testing::Values("BMP", "GIF"),
                         [](const auto& info) { return std::string(info.param); });

// At quality 90 the standard tables are scaled by a fifth: the luminance table runs from 2 to
// 24 and the chrominance table from 3 to 20 (at 85 they would end at 36 and 30).
TEST(JpegWriter, QuantisesAtQualityNinety) {
    QTemporaryDir dir;
    const QString path = dir.filePath("q.jpg");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WriteJpeg(buffer, SampleImage()));
    ASSERT_TRUE(test::WriteFile(path, buffer.data()));
    PLANTREK_READ_PICTURE(view, path, {});
    const QJsonObject tables = view["quantization"].toObject();
    ASSERT_EQ(tables.size(), 2);
    const auto range = [&](const char* key) {
        std::vector<int> table;
        for (const auto& v : tables[key].toArray()) {
            table.push_back(v.toInt());
        }
        const auto [low, high] = std::minmax_element(table.begin(), table.end());
        return table.size() == 64 ? std::pair{*low, *high} : std::pair{0, 0};
    };
    EXPECT_EQ(range("0"), std::make_pair(2, 24));
    EXPECT_EQ(range("1"), std::make_pair(3, 20));
}

}  // namespace
}  // namespace plantrek
