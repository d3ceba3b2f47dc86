#include "export/export_image.h"

#include "export/export_levels.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

#include "export/bmp_writer.h"
#include "export/export_file.h"
#include "export/gif_writer.h"
#include "export/jpeg_writer.h"
#include "export/palette.h"
#include "model/site.h"
#include "model/site_visitor.h"
#include "render/painter_surface.h"
#include "render/plan_fit.h"

namespace plantrek {

namespace {

constexpr Colour kBlack = 0x000000;
// One foot in meters as the scale bar has always counted it.
constexpr double kScaleBarFoot = 0.30480091927957254;
constexpr double kFeetPerMeter = 3.28083;
constexpr std::int64_t kImageMemoryLimit = 256000000;

// Text, and so every picture, needs the font machinery of a GUI application; without one the
// export fails instead of ending the program.
bool CanDrawText() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QImage NewBitmap(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    if (!image.isNull()) {
        image.setDotsPerMeterX(kBitmapPixelsPerMeter);
        image.setDotsPerMeterY(kBitmapPixelsPerMeter);
        image.fill(Qt::white);
    }
    return image;
}

bool BitmapSizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
           width * height <= kMaxBitmapPixels;
}

int TextHeightOfX(const DrawingSurface& surface) {
    return surface.MeasureText(QStringLiteral("X")).height;
}

// The plan size at a scale, when it is a whole number of pixels an int can hold.
bool PlanPixels(double scale, double meters, int* pixels) {
    const double value = std::trunc(scale * meters);
    if (!(value >= 0.0) || value > static_cast<double>(INT_MAX)) {
        return false;
    }
    *pixels = static_cast<int>(value);
    return true;
}

bool Encode(QIODevice& file, const QImage& bitmap, ImageFormat format) {
    switch (format) {
        case ImageFormat::Bmp:
            return WriteBmp(file, ReduceToPalette(bitmap));
        case ImageFormat::Gif:
            return WriteGif(file, ReduceToPalette(bitmap));
        case ImageFormat::Jpeg:
            return WriteJpeg(file, bitmap);
        case ImageFormat::Png: {
            // Lossless and in full colour; the bitmap carries its 96 dpi into the file.
            QImageWriter writer(&file, "png");
            return writer.write(bitmap);
        }
    }
    return false;
}

bool KnownFormat(ImageFormat format) {
    return format == ImageFormat::Bmp || format == ImageFormat::Gif ||
           format == ImageFormat::Jpeg || format == ImageFormat::Png;
}

}  // namespace

ScaleBar MakeScaleBar(int scale, bool metric) {
    ScaleBar bar;
    double foot = 1.0;
    if (metric) {
        bar.unitWord = QStringLiteral("meters");
        bar.units = static_cast<int>(100.0 / scale);
    } else {
        bar.unitWord = QStringLiteral("feet");
        bar.units = static_cast<int>(100.0 / scale * kFeetPerMeter);
        foot = kScaleBarFoot;
    }
    bar.units = std::max(bar.units, 1);
    bar.lengthPixels = static_cast<int>(bar.units * scale * foot);
    bar.tickSpacing = static_cast<double>(bar.lengthPixels) / bar.units;
    return bar;
}

TextExtent DrawMaterialLegend(DrawingSurface& surface, const Site& site, DevicePoint origin,
                              bool draw, int level) {
    const int a = TextHeightOfX(surface);
    const int g = a / 2;
    TextExtent size;
    int y = origin.y;
    const SurfaceStateGuard guard(surface);
    surface.SetPen(kBlack, 1);
    surface.SetTextColour(kBlack);
    for (const auto& material : site.Materials()) {
        if (!IsMaterialUsedOnLevel(site, *material, level)) {
            continue;
        }
        const int nameWidth = surface.MeasureText(material->GetName()).width;
        if (draw) {
            surface.SetBrush(material->GetColour());
            surface.DrawRectangle({origin.x, y, origin.x + a, y + a});
            surface.DrawText(material->GetName(), {origin.x + a + g, y});
        }
        size.width = std::max(size.width, nameWidth + a + g);
        size.height += g + a;
        y += g + a;
    }
    return size;
}

TextExtent DrawScaleBar(DrawingSurface& surface, const ScaleBar& bar, DevicePoint origin,
                        bool draw) {
    if (bar.tickSpacing <= 0.0 || bar.TickCount() < 2) {
        return {};
    }
    const int c = TextHeightOfX(surface);
    const int halfC = c / 2;
    const int x = origin.x;
    const int y = origin.y;
    const auto tickX = [&](int i) { return TruncateToPixel(x + i * bar.tickSpacing); };
    const int xn = tickX(bar.units);

    const SurfaceStateGuard guard(surface);
    surface.SetPen(kBlack, 1);
    surface.SetBrush(kBlack);
    surface.SetTextColour(kBlack);
    int left = x;
    int right = x;
    for (int i = 0; i <= bar.units; ++i) {
        const QString label = QString::number(i);
        const int xi = tickX(i);
        const int width = surface.MeasureText(label).width;
        const int labelLeft = xi - width / 2;
        if (i == 0) {
            left = labelLeft;
            right = labelLeft + width;
        }
        right = std::max(right, labelLeft + width);
        if (draw) {
            surface.DrawText(label, {labelLeft, y});
            surface.DrawLine({xi, y + c + halfC}, {xi, y + 2 * c + halfC});
        }
    }
    if (draw) {
        surface.DrawRectangle({x, y + 2 * c, xn, y + 2 * c + halfC});
    }
    const int wordWidth = surface.MeasureText(bar.unitWord).width;
    const int wordLeft = (x + xn) / 2 - wordWidth / 2;
    right = std::max(right, wordLeft + wordWidth);
    if (draw) {
        surface.DrawText(bar.unitWord, {wordLeft, y + 3 * c});
    }
    return {right - left, 4 * c};
}

bool LayoutImage(const Site& site, int scale, bool metric, ImageLayout* layout, int level) {
    if (!CanDrawText()) {
        return false;
    }
    CSiteBoundsVisitor bounds;
    site.Traverse(bounds, level);
    const double width = std::fabs(bounds.MaxX() - bounds.MinX());
    const double height = std::fabs(bounds.MaxY() - bounds.MinY());

    ImageLayout result;
    result.scale = scale;
    if (!PlanPixels(scale, width, &result.planWidth) ||
        !PlanPixels(scale, height, &result.planHeight)) {
        return false;
    }
    result.margin = static_cast<int>(scale * 0.5);

    QImage scratch = NewBitmap(1, 1);
    QPainter painter(&scratch);
    PainterSurface surface(painter);
    result.legend = DrawMaterialLegend(surface, site, {0, 0}, false, level);
    result.scaleBar = DrawScaleBar(surface, MakeScaleBar(scale, metric), {0, 0}, false);
    painter.end();

    const std::int64_t right = std::max(result.legend.width, result.scaleBar.width);
    const std::int64_t content =
        std::max<std::int64_t>(result.planHeight, result.legend.height + result.scaleBar.height);
    const std::int64_t m = result.margin;
    result.width = std::int64_t{result.planWidth} + 2 * m + right + m;
    result.height = content + 2 * m;
    *layout = result;
    return true;
}

QString ImageSizeRefusal(std::int64_t width, std::int64_t height, int bitsPerPixel) {
    if (width <= 0 || height <= 0) {
        return QStringLiteral("Image has no pixels");
    }
    // In 128 bits: no pair of 64-bit sizes can overflow the product.
    const unsigned __int128 bits = static_cast<unsigned __int128>(width) *
                                   static_cast<unsigned __int128>(height) *
                                   static_cast<unsigned __int128>(std::max(bitsPerPixel, 0));
    if (bits / 256 > static_cast<unsigned __int128>(kImageMemoryLimit)) {
        return QStringLiteral("CXIMAGE_MAX_MEMORY exceeded");
    }
    return QString();
}

namespace {

ExportResult ExportLevelImage(const Site* site, const ImageExportOptions& options,
                              const QString& path, ImageFormat format) {
    QString error = kErrorDetermineScale;
    const int level = options.drawing.Level;
    const PlanRect extent = SiteExtent(*site, options.drawing);
    const bool canDraw = CanDrawText();

    for (int scale : kImageScales) {
        ImageLayout layout;
        if (!canDraw) {
            error = kErrorCreateDc;
            continue;
        }
        if (!LayoutImage(*site, scale, options.metric, &layout, level)) {
            continue;
        }

        error = kErrorCreateDc;
        if (!BitmapSizeAllowed(layout.width, layout.height)) {
            continue;
        }
        QImage bitmap = NewBitmap(static_cast<int>(layout.width), static_cast<int>(layout.height));
        if (bitmap.isNull()) {
            continue;
        }

        QPainter painter;
        if (!painter.begin(&bitmap)) {
            continue;
        }
        {
            PainterSurface surface(painter);
            // Half a meter of white around the plan, which sits at the picture's bottom left.
            PlanFit fit;
            fit.scale = scale;
            fit.marginX = fit.marginY = 0.5;
            fit.anchor = FitAnchor::kBottomLeft;
            fit.wholePixelOffsets = true;
            const ViewTransform transform =
                FitPlan(extent, {0, 0, bitmap.width(), bitmap.height()}, fit);
            RenderSite(*site, surface, transform, options.selection, options.drawing,
                       options.wallLengthUnits);

            const int columnX = layout.planWidth + 2 * layout.margin;
            DrawMaterialLegend(surface, *site, {columnX, layout.margin}, true, level);
            DrawScaleBar(surface, MakeScaleBar(scale, options.metric),
                         {columnX, bitmap.height() - layout.scaleBar.height - layout.margin}, true);
        }

        error = kErrorCreateBitmap;
        if (!painter.end()) {
            continue;
        }

        error = kErrorUnknownFormat;
        if (!KnownFormat(format)) {
            continue;
        }

        ExportFile file(path);
        const bool opened = file.Open();

        error = kErrorCreateImage;
        if (!ImageSizeRefusal(bitmap.width(), bitmap.height(), 24).isEmpty()) {
            continue;
        }

        if (opened && Encode(file, bitmap, format) && file.Commit()) {
            return ExportResult::Success();
        }
        // An encoder that stops without a failed write leaves no reason of the system's.
        error = SaveFileError(file.Reason());
    }
    return ExportResult::Failure(error);
}

}  // namespace

ExportResult ExportImage(const Site* site, const ImageExportOptions& options, const QString& path,
                         ImageFormat format) {
    if (site == nullptr) {
        return ExportResult::Failure(kErrorNoSite);
    }
    const std::vector<int> levels = LevelsToExport(*site, options.drawing.Level);
    for (const int level : levels) {
        ImageExportOptions one = options;
        one.drawing.Level = level;
        const QString file =
            levels.size() > 1 ? LevelFilePath(path, site->GetLevel(level).name) : path;
        ExportResult result = ExportLevelImage(site, one, file, format);
        if (!result.ok) {
            return result;
        }
    }
    return ExportResult::Success();
}

}  // namespace plantrek
