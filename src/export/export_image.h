#pragma once

#include <QString>

#include <array>
#include <cstdint>

#include "document/prefs.h"
#include "export/export_result.h"
#include "render/drawing_surface.h"
#include "render/plan_renderer.h"

// The plan as a picture: the site drawn at the largest scale whose bitmap can be made, a legend
// of the materials in use to its right and a scale bar under the legend.
namespace plantrek {

class LengthUnits;
class Site;

enum class ImageFormat { Bmp = 1, Gif = 2, Jpeg = 3, Png = 4 };

// The error texts in the order in which the export sets them.
inline const QString kErrorDetermineScale = QStringLiteral("Couldn't determine scale");
inline const QString kErrorCreateDc = QStringLiteral("Couldn't create DC");
inline const QString kErrorCreateBitmap = QStringLiteral("Couldn't create bitmap");
inline const QString kErrorUnknownFormat = QStringLiteral("Unknown format");
inline const QString kErrorCreateImage = QStringLiteral("Couldn't create image");

// Pixels per meter, tried largest first until one works.
inline constexpr std::array<int, 7> kImageScales = {96, 72, 48, 36, 24, 18, 12};

// The largest bitmap drawn: neither side above 32767 pixels (where drawing coordinates and
// picture readers start to fail) and at most 2^27 pixels (512 MiB of 32-bit colour).
inline constexpr int kMaxBitmapSide = 32767;
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 27;

struct ImageExportOptions {
    DrawingValues drawing;
    // The scale bar counts meters when true, feet otherwise (see ScaleBarInMeters).
    bool metric = false;
    PlanSelection selection;
    // Each wall's length is written in these units when the drawing values ask for it.
    const LengthUnits* wallLengthUnits = nullptr;
};

// The scale bar counts in the units the user works in: meters when `Input` is 1, feet for any
// other value, as every length on screen and in the summaries is shown.
inline bool ScaleBarInMeters(const PrefsInputValues& input) {
    return input.UsesMetres();
}

// Writes the site's picture to `path` through a temporary file, so a failed export leaves any
// earlier file at that path as it was. On failure the error text names the step that failed
// at the smallest scale. With a level in the drawing values, that level's picture; without,
// on a site of several levels, a picture per level, each named by LevelFilePath.
ExportResult ExportImage(const Site* site, const ImageExportOptions& options, const QString& path,
                         ImageFormat format);

// The pieces of the layout, for the export and its tests.

struct ScaleBar {
    QString unitWord;        // "feet" or "meters"
    int units = 1;           // n: the bar is this many feet or meters long
    int lengthPixels = 0;    // b
    double tickSpacing = 0;  // p = b / n
    int TickCount() const { return units + 1; }
};

ScaleBar MakeScaleBar(int scale, bool metric);

// Draw the legend of the materials some room uses, or the scale bar, with the top left corner
// at `origin`, or only measure them when `draw` is false. Both return the size they take.
// The legend lists the materials of that level's rooms (-1: of every room).
TextExtent DrawMaterialLegend(DrawingSurface& surface, const Site& site, DevicePoint origin,
                              bool draw, int level = -1);
TextExtent DrawScaleBar(DrawingSurface& surface, const ScaleBar& bar, DevicePoint origin,
                        bool draw);

struct ImageLayout {
    int scale = 0;
    int planWidth = 0;   // w
    int planHeight = 0;  // h
    int margin = 0;      // m
    TextExtent legend;
    TextExtent scaleBar;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Plan size, margin and bitmap size at one scale; false when the plan's size at that scale does
// not fit an int, or when text cannot be measured because the program runs without a GUI
// application. Measures the legend and scale bar on a scratch bitmap.
bool LayoutImage(const Site& site, int scale, bool metric, ImageLayout* layout, int level = -1);

// Why a true-colour image of that size cannot be held: empty when it can.
// "CXIMAGE_MAX_MEMORY exceeded" when width × height × bits / 256 exceeds 256000000.
QString ImageSizeRefusal(std::int64_t width, std::int64_t height, int bitsPerPixel);

}  // namespace plantrek
