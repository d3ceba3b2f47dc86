// The picture export: layout, legend, scale bar, scale fallback, error texts, the written files
// as Qt's own reader and Pillow see them, and the encoders beneath; paper scales, PDF and SVG.
#include "export/export_image.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <tuple>

#include "export/bmp_writer.h"
#include "export/gif_writer.h"
#include "export/jpeg_writer.h"
#include "export/page_layout.h"
#include "export/palette.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
#include "export/xls/biff_records.h"
#include "export_test_support.h"
#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "render/extent_surface.h"
#include "render/painter_surface.h"
#include "render/plan_renderer.h"
#include "render/recording_surface.h"
#include "render/scaled_surface.h"

namespace plantrek {
namespace {

using test::Md5;
using test::Shape;
using testing::U16;
using testing::U32;

// Helpers of the picture tests: an independent reader (Pillow, run by the system Python).
// Pillow's view of a picture: format, mode, size, resolution, JPEG details and the RGB colour
// of each of the given pixels.
const char* const kPillowReader = R"PY(
import hashlib, json, sys
try:
    from PIL import Image
except ImportError as error:
    print(json.dumps({"missing": str(error)}))
    sys.exit(3)
path, points = sys.argv[1], json.loads(sys.argv[2])
image = Image.open(path)
image.load()
info = image.info
view = {
    "format": image.format,
    "mode": image.mode,
    "size": list(image.size),
    "dpi": [float(v) for v in info.get("dpi", (0, 0))],
    "progressive": bool(info.get("progressive", 0) or info.get("progression", 0)),
    "version": info.get("version", b"").decode("latin-1"),
    "frames": getattr(image, "n_frames", 1),
}
if image.mode == "P":
    view["palette_entries"] = len(image.getpalette()) // 3
if image.format == "JPEG":
    view["quantization"] = {str(k): list(v) for k, v in image.quantization.items()}
rgb = image.convert("RGB")
view["rgb_md5"] = hashlib.md5(rgb.tobytes()).hexdigest()
view["pixels"] = [list(rgb.getpixel((x, y))) for x, y in points]
print(json.dumps(view))
)PY";

QJsonObject ReadPicture(const QString& path, const std::vector<std::pair<int, int>>& points,
                               QString& skip) {
    QJsonArray list;
    for (const auto& [x, y] : points) {
        list.append(QJsonArray{x, y});
    }
    return test::RunPythonReader({QStringLiteral("-c"), QString::fromUtf8(kPillowReader), path,
                            QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact))},
                           skip);
}

#define PLANTREK_READ_PICTURE(view, path, points)                          \
    QString skip_##view;                                                   \
    const QJsonObject view = ReadPicture(path, points, skip_##view); \
    if (!skip_##view.isEmpty()) {                                          \
        GTEST_SKIP() << skip_##view.toStdString();                         \
    }                                                                      \
    ASSERT_FALSE(view.isEmpty())

// A pixel of the reader's view is the colour (red, green, blue) to within the tolerance.
bool RgbNear(const QJsonValue& pixel, int red, int green, int blue, int tolerance) {
    const QJsonArray rgb = pixel.toArray();
    return rgb.size() == 3 && std::abs(rgb[0].toInt() - red) <= tolerance &&
           std::abs(rgb[1].toInt() - green) <= tolerance &&
           std::abs(rgb[2].toInt() - blue) <= tolerance;
}


constexpr Colour kTile = MakeColour(255, 153, 51);  // a palette colour: exact in BMP and GIF
constexpr Colour kCarpet = MakeColour(102, 153, 204);
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;

QRgb Argb(Colour c) {
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// A `width` × `depth` m room named Kitchen in Tile from the origin, where the site's start point
// also lies; Carpet is used by no room.
Site Box(double width, double depth) {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, kTile);
    site.AddMaterial(QStringLiteral("Carpet"), 2, kCarpet);
    Room* room = site.AddRoom(QStringLiteral("Kitchen"), 1);
    room->AddWall(depth, 0.0);
    room->AddWall(width, 90.0);
    room->AddWall(depth, 180.0);
    return site;
}

Site TenByFive() {
    return Box(10.0, 5.0);
}

// A room `length` meters long and 1 m deep, in walls of at most 200 m.
Site LongSite(double length) {
    Site site;
    Room* room = site.AddRoom(QStringLiteral("Corridor"), 0);
    room->AddWall(1.0, 0.0);
    for (double left = length; left > 0.0; left -= 200.0) {
        room->AddWall(std::min(left, 200.0), 90.0);
    }
    room->AddWall(1.0, 180.0);
    return site;
}

// (pixels per meter, metric, units, length in pixels, tick spacing)
TEST(ScaleBar, UnitsLengthAndTicks) {
    const std::tuple<int, bool, int, int, double> cases[] = {
        {96, false, 3, 87, 29.0}, {36, true, 2, 72, 36.0}, {12, false, 27, 98, 98.0 / 27.0},
        {150, true, 1, 150, 150.0}};  // more than 100 pixels per meter: at least 1
    for (const auto& [scale, metric, units, length, spacing] : cases) {
        SCOPED_TRACE(scale);
        const ScaleBar bar = MakeScaleBar(scale, metric);
        EXPECT_EQ(bar.unitWord, metric ? QStringLiteral("meters") : QStringLiteral("feet"));
        EXPECT_EQ(bar.units, units);
        EXPECT_EQ(bar.lengthPixels, length);
        EXPECT_DOUBLE_EQ(bar.tickSpacing, spacing);
    }
}

// A foot at 96 pixels per meter is 29 pixels: "0" to "3" over ticks that far apart, the bar
// under them and the unit word below.
TEST(ImageScaleBar, LabelsTicksBarAndUnitWord) {
    test::RecordingSurface surface;
    const ScaleBar feet = MakeScaleBar(96, false);
    const TextExtent measured = DrawScaleBar(surface, feet, {100, 200}, false);
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(DrawScaleBar(surface, feet, {100, 200}, true).width, measured.width);

    QStringList labels;
    for (const auto& label : surface.Calls(Shape::Text)) {
        labels << label.text;
    }
    EXPECT_EQ(labels, (QStringList{"0", "1", "2", "3", "feet"}));
    // A unit word wider than the bar sets the right edge; the left edge stays that of "0".
    const ScaleBar shortBar{QStringLiteral("meters"), 1, 10, 10.0};
    EXPECT_EQ(DrawScaleBar(surface, shortBar, {0, 0}, false).width, 26 + 3);
}

TEST(ImageSizeRefusal, MemoryLimitAndEmptyImages) {
    EXPECT_TRUE(ImageSizeRefusal(1000, 600, 24).isEmpty());
    EXPECT_EQ(ImageSizeRefusal(60000, 60000, 24), QStringLiteral("CXIMAGE_MAX_MEMORY exceeded"));
    EXPECT_TRUE(ImageSizeRefusal(60000, 60000, 8).isEmpty());
    EXPECT_FALSE(ImageSizeRefusal(0, 600, 24).isEmpty());
    EXPECT_FALSE(ImageSizeRefusal(600, 0, 24).isEmpty());
    EXPECT_FALSE(ImageSizeRefusal(INT64_MAX, INT64_MAX, 24).isEmpty());
}

TEST(ImageExport, ReportsAMissingSite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.bmp");
    EXPECT_EQ(ExportImage(nullptr, {}, path, ImageFormat::Bmp).errorText,
              QStringLiteral("Couldn't get site"));
    EXPECT_FALSE(QFile::exists(path));
}

// The plan at 96 pixels per meter with half an inch of white round it, the legend and the scale
// bar in a column to its right, the bar at the bottom.
// In feet the picture's size is the per-format test's.
TEST(ImageExport, PlanLegendAndScaleBarLandWhereTheLayoutSays) {
    const Site site = TenByFive();
    QTemporaryDir dir;
    const QString path = dir.filePath("plan.bmp");
    ASSERT_TRUE(test::WriteFile(path, "an older picture"));
    ImageExportOptions options;
    options.metric = true;
    const ExportResult result = ExportImage(&site, options, path, ImageFormat::Bmp);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();

    ImageLayout layout;
    ASSERT_TRUE(LayoutImage(site, 96, true, &layout));
    const int c = layout.scaleBar.height / 4;
    EXPECT_EQ(layout.legend.height, c + c / 2);  // one material in use
    const QImage image(path);
    ASSERT_EQ(image.width(), 960 + 3 * 48 + std::max(layout.legend.width, layout.scaleBar.width));
    ASSERT_EQ(image.height(), 480 + 2 * 48);
    const int h = image.height();

    EXPECT_EQ(image.pixel(0, 0), kWhite);
    EXPECT_EQ(image.pixel(image.width() - 1, h - 1), kWhite);
    EXPECT_EQ(image.pixel(1056 - 10, 48), kWhite);  // between the plan and the legend
    // The plan: x = 96 x + 48, y = h - (96 y + 48).
    EXPECT_EQ(image.pixel(96 * 2 + 48, h - (96 * 4 + 48)), Argb(kTile));
    EXPECT_EQ(image.pixel(48, h - (96 * 3 + 48)), kBlack);        // west wall
    EXPECT_EQ(image.pixel(960 + 48, h - (96 * 3 + 48)), kBlack);  // east wall

    // The legend's square at (w + 2m, m), framed in black.
    EXPECT_EQ(image.pixel(1056, 48), kBlack);
    EXPECT_EQ(image.pixel(1056 + 4, 48 + 4), Argb(kTile));

    // The bar runs b pixels from the left of the column, c/2 high, 2c below the bar's top.
    const int barY = h - layout.scaleBar.height - 48 + 2 * c + 2;
    const int b = 96;  // a meter
    EXPECT_EQ(image.pixel(1056 + 2, barY), kBlack);
    EXPECT_EQ(image.pixel(1056 + b - 2, barY), kBlack);
    EXPECT_EQ(image.pixel(1056 + b + 2, barY), kWhite);

    // At 12 pixels per meter the legend and the bar are taller than the plan and set the height.
    ImageLayout small;
    ASSERT_TRUE(LayoutImage(site, 12, true, &small));
    EXPECT_EQ(small.planWidth, 120);
    EXPECT_EQ(small.height, small.legend.height + small.scaleBar.height + 2 * 6);
}

struct FormatCase {
    ImageFormat format;
    const char* file;
    const char* reader;
    const char* mode;
};

class ImageExportFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ImageExportFormats, PillowReadsTheExportedPicture) {
    const FormatCase& c = GetParam();
    const Site site = TenByFive();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(c.file));
    const ExportResult result = ExportImage(&site, {}, path, c.format);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();

    ImageLayout layout;
    ASSERT_TRUE(LayoutImage(site, 96, false, &layout));
    const int h = static_cast<int>(layout.height);
    PLANTREK_READ_PICTURE(view, path,
                          (std::vector<std::pair<int, int>>{{0, 0}, {240, h - 432}, {5, h - 5}}));
    EXPECT_EQ(view["format"].toString(), QString::fromLatin1(c.reader));
    EXPECT_EQ(view["size"].toArray(),
              (QJsonArray{static_cast<int>(layout.width), static_cast<int>(layout.height)}));
    if (c.format != ImageFormat::Gif) {  // GIF has no field for a resolution
        EXPECT_NEAR(view["dpi"][0].toDouble(), 96.0, 0.02);
    }
    // The corners are white and the inside of the room is tile; JPEG blurs a little.
    const QJsonArray pixels = view["pixels"].toArray();
    const int tolerance = c.format == ImageFormat::Jpeg ? 6 : 0;
    EXPECT_TRUE(RgbNear(pixels[0], 255, 255, 255, tolerance));
    EXPECT_TRUE(RgbNear(pixels[1], RedOf(kTile), GreenOf(kTile), BlueOf(kTile), tolerance));
    EXPECT_TRUE(RgbNear(pixels[2], 255, 255, 255, tolerance));
    // The picture export reduces BMP and GIF to the palette and writes JPEG as baseline.
    EXPECT_EQ(view["mode"].toString(), c.mode);
    EXPECT_FALSE(view["progressive"].toBool());
}

INSTANTIATE_TEST_SUITE_P(Formats, ImageExportFormats,
                         ::testing::Values(FormatCase{ImageFormat::Bmp, "plan.bmp", "BMP", "P"},
                                           FormatCase{ImageFormat::Gif, "plan.gif", "GIF", "P"},
                                           FormatCase{ImageFormat::Jpeg, "plan.jpg", "JPEG", "RGB"},
                                           FormatCase{ImageFormat::Png, "plan.png", "PNG", "RGB"}),
                         [](const auto& info) { return std::string(info.param.reader); });

TEST(ImageExport, FallsBackToASmallerScaleWhenTheBitmapIsTooLarge) {
    const Site site = LongSite(400.0);
    ImageLayout largest;
    ImageLayout next;
    ASSERT_TRUE(LayoutImage(site, 96, true, &largest));
    ASSERT_TRUE(LayoutImage(site, 72, true, &next));
    ASSERT_GT(largest.width, kMaxBitmapSide);
    ASSERT_LE(next.width, kMaxBitmapSide);

    QTemporaryDir dir;
    const QString path = dir.filePath("long.bmp");
    ImageExportOptions options;
    options.metric = true;
    const ExportResult result = ExportImage(&site, options, path, ImageFormat::Bmp);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    const QByteArray bytes = test::ReadFile(path);
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(U32(bytes, 18), static_cast<std::uint32_t>(next.width));
    EXPECT_EQ(U32(bytes, 22), static_cast<std::uint32_t>(next.height));
}

TEST(ImageExport, SiteTooLargeForEveryScaleLeavesTheOldFile) {
    const Site site = LongSite(4000.0);
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.gif");
    ASSERT_TRUE(test::WriteFile(path, "keep me"));
    const ExportResult result = ExportImage(&site, {}, path, ImageFormat::Gif);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, QStringLiteral("Couldn't create DC"));
    EXPECT_EQ(test::ReadFile(path), QByteArray("keep me"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("huge.gif")});
}

// The encoders on a made-up image: palette reduction and what Pillow sees in the BMP, GIF and
// JPEG files.

constexpr Colour kOddColour = MakeColour(200, 100, 50);

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
    ASSERT_TRUE(WriteJpeg(buffer, BusyImage()));
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

// Pages: paper scales measured on the page; PDF and SVG plans read back by poppler's pdftotext,
// pdfinfo and pdftoppm, and librsvg's rsvg-convert.

// Standard output of a tool, or a skip when it is not installed.
#define PLANTREK_RUN_TOOL(out, tool, ...)                                                   \
    if (QStandardPaths::findExecutable(tool).isEmpty()) {                                   \
        GTEST_SKIP() << QString(tool).toStdString() << " is missing (poppler-utils, librsvg2-bin)";                 \
    }                                                                                       \
    QProcess process_##out;                                                                 \
    process_##out.start(tool, {__VA_ARGS__});                                               \
    ASSERT_TRUE(process_##out.waitForFinished(60000));                                      \
    ASSERT_EQ(process_##out.exitCode(), 0) << process_##out.readAllStandardError().toStdString(); \
    const QString out = QString::fromUtf8(process_##out.readAllStandardOutput())

const MetricUnits kCentimetres(100);

PlanPageOptions PageOptions(std::optional<PaperScale> scale, bool wallLengths = false) {
    PlanPageOptions options;
    options.image.metric = true;
    options.image.drawing.ShowWallLengths = wallLengths;
    options.image.wallLengthUnits = &kCentimetres;
    options.siteName = QStringLiteral("Elm Street");
    options.fileName = QStringLiteral("elm.tcd");
    options.scale = scale;
    return options;
}

const QPageLayout kA4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                      QPageLayout::Millimeter);

ExportResult Pdf(const Site& site, const QString& path, std::optional<PaperScale> scale) {
    return ExportPdf(&site, PageOptions(scale), kA4, path);
}

// The scale an upright A4 page is laid out at, and how many millimetres of paper `meters` of the
// site take at it.
std::pair<QString, double> OnPaper(const Site& site, bool metric, std::optional<PaperScale> scale,
                                   double meters) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageLayout(kA4);
    PlanPageOptions options;
    options.image.metric = metric;
    options.scale = scale;
    PageGeometry g;
    EXPECT_TRUE(LayoutPages(site, options, writer, &g));
    return {g.scale.label, meters * g.pixelsPerMeter / g.dpi * 25.4};
}

// Each offered scale draws a length as long on paper as its name says, as an architect's scale
// rule reads it: a foot of the building as a quarter, an eighth, a sixteenth of an inch.
TEST(PaperScales, EachOfferedScaleDrawsTheLengthItsNameSays) {
    const std::tuple<const char*, bool, double, double> cases[] = {
        {"1:20", true, 1.0, 50.0},   {"1:25", true, 1.0, 40.0},  {"1:50", true, 1.0, 20.0},
        {"1:100", true, 1.0, 10.0},  {"1:200", true, 1.0, 5.0},  {"1:500", true, 1.0, 2.0},
        {"1/4\" = 1'-0\"", false, 0.3048, 6.35}, {"1/8\" = 1'-0\"", false, 0.3048, 3.175},
        {"1/16\" = 1'-0\"", false, 0.3048, 1.5875}};
    for (const auto& [label, metric, meters, millimetres] : cases) {
        SCOPED_TRACE(label);
        const std::vector<PaperScale> offered = PaperScales(metric);
        const auto scale = std::find_if(offered.begin(), offered.end(), [&](const PaperScale& s) {
            return s.label == QString::fromUtf8(label);
        });
        ASSERT_NE(scale, offered.end()) << "not offered";
        const auto [shown, mm] = OnPaper(Box(4.0, 1.0), metric, *scale, meters);
        EXPECT_EQ(shown, QString::fromUtf8(label));
        EXPECT_NEAR(mm, millimetres, 1e-9);
    }
}

// A typed scale may have spaces around it; it must be "1:" and a positive ratio.
TEST(PaperScales, ParsingTypedScales) {
    EXPECT_EQ(ParsePaperScale(QStringLiteral(" 1:75 "))->ratio, 75);
    for (const char* bad : {"1:0", "2:50", "1:", "50", "1:-5"}) {
        EXPECT_FALSE(ParsePaperScale(QString::fromLatin1(bad))) << bad;
    }
}

// Text boxes as drawn, measured in the surface's font; nothing is painted.
class TextBoxes : public ExtentSurface {
public:
    using ExtentSurface::ExtentSurface;
    void DrawText(const QString& text, DevicePoint topLeft) override {
        const TextExtent extent = MeasureText(text);
        boxes.push_back(
            {text, {topLeft.x, topLeft.y, topLeft.x + extent.width, topLeft.y + extent.height}});
        ExtentSurface::DrawText(text, topLeft);
    }
    std::vector<std::pair<QString, DeviceRect>> boxes;
};

// At every paper scale, on small and large paper, the scale bar's labels over the ticks stand
// apart in the font the page draws them in (at 1:50 on A4 they once ran together as
// "00.20.40.60.81"), count up by one round step, and the bar keeps to its column.
TEST(PaperScaleBar, LabelsNeverRunTogether) {
    const Site site = Box(4.0, 3.0);
    const QPageLayout a3(QPageSize(QPageSize::A3), QPageLayout::Landscape,
                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    for (const bool metric : {true, false}) {
        for (const PaperScale& scale : PaperScales(metric)) {
            for (const QPageLayout& page : {kA4, a3, letter}) {
                SCOPED_TRACE(scale.label.toStdString() + " " +
                             page.pageSize().name().toStdString());
                QBuffer nowhere;
                nowhere.open(QIODevice::WriteOnly);
                QPdfWriter writer(&nowhere);
                writer.setResolution(kPdfResolution);
                writer.setPageLayout(page);
                PlanPageOptions options = PageOptions(scale);
                options.image.metric = metric;
                PageGeometry g;
                ASSERT_TRUE(LayoutPages(site, options, writer, &g));

                // The font the pages are painted with, at the pages' resolution.
                QImage scratch(1, 1, QImage::Format_RGB32);
                scratch.setDotsPerMeterX(static_cast<int>(std::lround(g.dpi / 0.0254)));
                scratch.setDotsPerMeterY(scratch.dotsPerMeterX());
                QPainter painter(&scratch);
                ASSERT_TRUE(painter.isActive());
                PainterSurface inner(painter);
                ScaledSurface surface(inner, g.dpi / 96.0);
                surface.SetFont(PainterSurface::DefaultFontFamily(),
                                PainterSurface::kDefaultFontHeight);
                const int lineHeight = surface.MeasureText(QStringLiteral("X")).height;
                const PaperScaleBar bar =
                    MakePaperScaleBar(surface, g.pixelsPerMeter, metric, g.scaleArea.width());
                TextBoxes drawn(surface);
                DrawPaperScaleBar(drawn, bar, scale.label, g.scaleArea.topLeft(), lineHeight);
                painter.end();

                ASSERT_GE(bar.steps, 1);
                ASSERT_LE(bar.steps, 5);
                const double length = bar.steps * bar.stepPixels;
                EXPECT_LE(length, g.scaleArea.width());
                EXPECT_GE(length, g.scaleArea.width() / 3.0);
                // The tick labels: the first line of text, left to right.
                std::vector<std::pair<QString, DeviceRect>> labels;
                for (const auto& box : drawn.boxes) {
                    if (box.second.top == g.scaleArea.top()) {
                        labels.push_back(box);
                    }
                }
                ASSERT_EQ(static_cast<int>(labels.size()), bar.steps + 1);
                const int digit = surface.MeasureText(QStringLiteral("0")).width;
                for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
                    EXPECT_NEAR(labels[i].first.toDouble(), i * bar.step, 1e-9)
                        << labels[i].first.toStdString();
                    if (i > 0) {
                        EXPECT_GE(labels[i].second.left - labels[i - 1].second.right, digit)
                            << labels[i - 1].first.toStdString() << " / "
                            << labels[i].first.toStdString();
                    }
                }
                // The last label stays on the page, within the column's spare room.
                EXPECT_LE(labels.back().second.right, g.paper.width());
            }
        }
    }
}

TEST(PdfExport, TextPageSizeAndExactLength) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    ASSERT_TRUE(Pdf(Box(4.0, 2.0), path, PaperScale{50, QStringLiteral("1:50")}).ok);

    PLANTREK_RUN_TOOL(text, QStringLiteral("pdftotext"), path, QStringLiteral("-"));
    for (const char* word : {"Kitchen", "Tile", "Scale 1:50", "meters", "Elm Street", "elm.tcd"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word << text.toStdString();
    }
    PLANTREK_RUN_TOOL(info, QStringLiteral("pdfinfo"), path);
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842 pts (A4)"))) << info.toStdString();

    // At 254 dpi a millimetre is 10 pixels: the 4 m wall at 1:50 is 80 mm, 800 pixels between
    // the middles of the two side walls' lines.
    const QString stem = dir.filePath(QStringLiteral("page"));
    PLANTREK_RUN_TOOL(render, QStringLiteral("pdftoppm"), QStringLiteral("-r"),
                      QStringLiteral("254"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                      path, stem);
    const QImage page(stem + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    int fillRow = -1;
    for (int y = 0; y < page.height() && fillRow < 0; ++y) {
        for (int x = 0; x < page.width() * 7 / 10; ++x) {
            if (page.pixel(x, y) == qRgb(255, 153, 51)) {
                fillRow = y + 20;
                break;
            }
        }
    }
    ASSERT_GE(fillRow, 0);
    std::vector<double> lineMiddles;
    for (int x = 0; x < page.width() * 7 / 10; ++x) {  // the plan only, not the legend
        if (qGray(page.pixel(x, fillRow)) < 100) {
            const int start = x;
            while (x < page.width() && qGray(page.pixel(x, fillRow)) < 100) {
                ++x;
            }
            lineMiddles.push_back((start + x - 1) / 2.0);
        }
    }
    ASSERT_EQ(lineMiddles.size(), 2u);
    EXPECT_NEAR(lineMiddles[1] - lineMiddles[0], 800.0, 1.0);
}

TEST(PdfExport, LargeSiteAtAChosenScaleTakesMarkedPages) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    // 30 m × 1 m at 1:20 is 1500 mm × 50 mm: eleven pages of 141 mm side by side, one row.
    ASSERT_TRUE(Pdf(Box(30.0, 1.0), path, PaperScale{20, QStringLiteral("1:20")}).ok);
    PLANTREK_RUN_TOOL(info, QStringLiteral("pdfinfo"), path);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+11\\n"))))
        << info.toStdString();
    PLANTREK_RUN_TOOL(text, QStringLiteral("pdftotext"), path, QStringLiteral("-"));
    EXPECT_TRUE(text.contains(QStringLiteral("page 11 of 11 (row 1, column 11)")));
}

// A plan wider than tall is laid on its side when the pages may turn, at the larger scale; its
// wall lengths, written outside the room, stay inside the plan's part of the page.
TEST(PdfExport, AWidePlanTurnsThePageAndKeepsItsLengthsOnIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.pdf"));
    const Site site = Box(9.0, 3.0);
    ASSERT_TRUE(ExportPdf(&site, PageOptions(std::nullopt, true), kA4, path, false).ok);
    PLANTREK_RUN_TOOL(info, QStringLiteral("pdfinfo"), path);
    EXPECT_TRUE(info.contains(QStringLiteral("842 x 595 pts (A4)"))) << info.toStdString();
    PLANTREK_RUN_TOOL(text, QStringLiteral("pdftotext"), path, QStringLiteral("-"));
    EXPECT_TRUE(text.contains(QStringLiteral("Scale 1:50")));
    EXPECT_TRUE(text.contains(kCentimetres.FormatLength(9.0))) << text.toStdString();

    for (QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        QPageLayout layout = kA4;
        layout.setOrientation(orientation);
        writer.setPageLayout(layout);
        PageGeometry g;
        ASSERT_TRUE(LayoutPages(site, PageOptions(std::nullopt, true), writer, &g));
        ASSERT_EQ(g.PageCount(), 1);
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter painter(&scratch);
        PainterSurface inner(painter);
        ScaledSurface surface(inner, kPdfResolution / 96.0);
        ViewTransform transform;
        transform.scale = g.pixelsPerMeter;
        transform.xBase = g.planOrigin.x();
        transform.yOffset = -3.0 * g.pixelsPerMeter;
        transform.height = g.planOrigin.y();
        DrawingValues values;
        values.ShowWallLengths = true;
        const auto drawn = RenderedExtent(site, surface, transform, {}, values, &kCentimetres);
        ASSERT_TRUE(drawn);
        EXPECT_TRUE(g.planArea.contains(QRect(QPoint(drawn->left, drawn->top),
                                              QPoint(drawn->right - 1, drawn->bottom - 1))))
            << orientation;
    }
}

TEST(SvgExport, RoomGroupsInPlanUnitsAndRenders) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.svg"));
    const Site site = Box(6.0, 2.5);
    ASSERT_TRUE(ExportSvg(&site, {}, path).ok);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList rooms;
    double minX = 1e18;
    double maxX = -1e18;
    bool inRoom = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.attributes().value("class") == QStringLiteral("room")) {
            rooms << xml.attributes().value("data-name").toString();
            inRoom = true;
        }
        if (xml.isStartElement() && inRoom && xml.name() == QStringLiteral("path")) {
            static const QRegularExpression point(QStringLiteral("[ML]([-0-9.]+),"));
            for (const auto& m : point.globalMatch(xml.attributes().value("d").toString())) {
                minX = std::min(minX, m.captured(1).toDouble());
                maxX = std::max(maxX, m.captured(1).toDouble());
            }
            inRoom = false;
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(rooms, QStringList{QStringLiteral("Kitchen")});
    EXPECT_NEAR(maxX - minX, 6.0 * kSvgUnitsPerMeter, 1.0);

    PLANTREK_RUN_TOOL(render, QStringLiteral("rsvg-convert"), path, QStringLiteral("-o"),
                      dir.filePath(QStringLiteral("svg.png")));
    EXPECT_FALSE(QImage(dir.filePath(QStringLiteral("svg.png"))).isNull());
}

}  // namespace
}  // namespace plantrek
