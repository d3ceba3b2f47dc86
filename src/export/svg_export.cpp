#include "export/svg_export.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "export/export_file.h"
#include "export/export_levels.h"
#include "export/page_layout.h"
#include "model/room.h"
#include "model/site.h"
#include "render/opening_symbols.h"
#include "render/painter_surface.h"
#include "render/plan_fit.h"
#include "render/scaled_surface.h"

namespace plantrek {

namespace {

// The drawing is laid out as a page at this resolution would be: a user unit is 1/100 mm on
// paper at 1:100.
constexpr double kEquivalentDpi =
    kSvgUnitsPerMeter * kSvgPaperRatio * 0.0254;  // 2540 units per inch of paper
constexpr double kFontFactor = kEquivalentDpi / 96.0;
constexpr int kMarginUnits = kSvgUnitsPerMeter / 2;

// Draws nothing until unmuted: the renderer walks every room to learn where the names are,
// and only what it draws at the walk's end (wall lengths, the selected room, the start point)
// is kept.
class MutedSurface : public ScaledSurface {
public:
    explicit MutedSurface(DrawingSurface& inner) : ScaledSurface(inner, 1.0) {}
    bool muted = true;
    void DrawLine(DevicePoint from, DevicePoint to) override {
        if (!muted)
            ScaledSurface::DrawLine(from, to);
    }
    void DrawPolyline(const std::vector<DevicePoint>& points) override {
        if (!muted)
            ScaledSurface::DrawPolyline(points);
    }
    void DrawPolygon(const std::vector<DevicePoint>& points) override {
        if (!muted)
            ScaledSurface::DrawPolygon(points);
    }
    void DrawEllipse(const DeviceRect& box) override {
        if (!muted)
            ScaledSurface::DrawEllipse(box);
    }
    void DrawRectangle(const DeviceRect& box) override {
        if (!muted)
            ScaledSurface::DrawRectangle(box);
    }
    void DrawText(const QString& text, DevicePoint topLeft) override {
        if (!muted)
            ScaledSurface::DrawText(text, topLeft);
    }
    void DrawTextCentred(const QString& text, const DeviceRect& box) override {
        if (!muted)
            ScaledSurface::DrawTextCentred(text, box);
    }
};

class UnmuteAtEnd : public CSiteVisitor {
public:
    UnmuteAtEnd(CSiteVisitor& renderer, MutedSurface& surface)
        : renderer_(renderer), surface_(surface) {}
    void VisitSiteBegin(const Site& site) override { renderer_.VisitSiteBegin(site); }
    void VisitRoomBegin(const Room& room) override { renderer_.VisitRoomBegin(room); }
    void VisitWall(const Wall& wall) override { renderer_.VisitWall(wall); }
    void VisitRoomEnd(const Room& room) override { renderer_.VisitRoomEnd(room); }
    void VisitSiteEnd(const Site& site) override {
        surface_.muted = false;
        renderer_.VisitSiteEnd(site);
    }

private:
    CSiteVisitor& renderer_;
    MutedSurface& surface_;
};

// The drawing elements QSvgGenerator writes for what `paint` draws, without the document
// around them.
QByteArray Fragment(const QSize& size, const std::function<void(DrawingSurface&)>& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(static_cast<int>(kEquivalentDpi));
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    QPainter painter(&generator);
    {
        PainterSurface inner(painter);
        ScaledSurface surface(inner, kFontFactor);
        surface.SetFont(PainterSurface::DefaultFontFamily(), PainterSurface::kDefaultFontHeight);
        paint(surface);
    }
    painter.end();
    const QByteArray& svg = buffer.data();
    qsizetype start = svg.indexOf("</defs>");
    start = start < 0 ? 0 : start + 7;
    const qsizetype end = svg.lastIndexOf("</svg>");
    return end > start ? svg.mid(start, end - start).trimmed() : QByteArray();
}

QByteArray Escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

}  // namespace

ExportResult ExportSvg(const Site* site, const ImageExportOptions& options, const QString& path) {
    if (site == nullptr) {
        return ExportResult::Failure(kErrorNoSite);
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return ExportResult::Failure(kErrorCreateSvg);
    }
    // A site of several levels is drawn a level under the other, all in the frame of the
    // whole site, so that the floors line up; each level is a group named after it.
    const std::vector<int> levels = LevelsToExport(*site, options.drawing.Level);
    const bool named = levels.front() >= 0;
    DrawingValues framed = options.drawing;
    framed.Level = levels.size() == 1 ? levels.front() : Site::kEveryLevel;
    const PlanRect bounds = SiteExtent(*site, framed);
    const double scale = kSvgUnitsPerMeter;
    const double planWidth = std::fabs(bounds.maxX - bounds.minX) * scale;
    const double planHeight = std::fabs(bounds.maxY - bounds.minY) * scale;
    // Plans larger than 2000 km are not plans of buildings; int coordinates end there.
    if (!(planWidth < 2e9) || !(planHeight < 2e9 / static_cast<double>(levels.size()))) {
        return ExportResult::Failure(kErrorCreateSvg);
    }

    PlanFit fit;
    fit.scale = scale;
    // Measured with the plan's top left at 0,0, then moved in by the white around it.
    ViewTransform transform = FitPlan(bounds, {}, fit);

    // The column at the right, measured as it will be drawn, and the white around the plan:
    // enough for the site's start circle and the wall lengths written outside the rooms.
    TextExtent legend;
    int lineHeight = 0;
    DeviceRect drawn{0, 0, static_cast<int>(planWidth), static_cast<int>(planHeight)};
    const int scaleBarWidth = static_cast<int>(kEquivalentDpi * 55 / 25.4);
    Fragment(QSize(1, 1), [&](DrawingSurface& surface) {
        lineHeight = surface.MeasureText(QStringLiteral("X")).height;
        legend = DrawMaterialLegend(surface, *site, {0, 0}, false, framed.Level);
        bool first = true;
        for (const int level : levels) {
            DrawingValues values = options.drawing;
            values.Level = level;
            if (const auto extent = RenderedExtent(*site, surface, transform, options.selection,
                                                   values, options.wallLengthUnits)) {
                drawn = first ? *extent
                              : DeviceRect{std::min(drawn.left, extent->left),
                                           std::min(drawn.top, extent->top),
                                           std::max(drawn.right, extent->right),
                                           std::max(drawn.bottom, extent->bottom)};
                first = false;
            }
        }
    });
    // A level's name stands over its plan.
    const int nameSpace = named ? 2 * lineHeight : 0;
    const int left = std::max(kMarginUnits, -drawn.left + kMarginUnits / 4);
    const int top = std::max(kMarginUnits, -drawn.top + kMarginUnits / 4) + nameSpace;
    const int right =
        std::max(kMarginUnits, drawn.right - static_cast<int>(planWidth) + kMarginUnits / 4);
    const int bottom =
        std::max(kMarginUnits, drawn.bottom - static_cast<int>(planHeight) + kMarginUnits / 4);
    transform = FitPlan(
        bounds, {left, top, left + static_cast<int>(planWidth), top + static_cast<int>(planHeight)},
        fit);
    const int columnX = left + static_cast<int>(planWidth) + right;
    const int columnWidth = std::max(legend.width, scaleBarWidth + lineHeight);
    const int scaleBarHeight = 4 * lineHeight;
    const int width = columnX + columnWidth + kMarginUnits;
    const int levelHeight = top + static_cast<int>(planHeight) + bottom;
    const int height = std::max(levelHeight * static_cast<int>(levels.size()),
                                legend.height + lineHeight + scaleBarHeight + 2 * kMarginUnits);
    const QSize size(width, height);

    QByteArray body;
    for (std::size_t place = 0; place < levels.size(); ++place) {
        const int level = levels[place];
        DrawingValues values = options.drawing;
        values.Level = level;
        ViewTransform shifted = transform;
        shifted.height += levelHeight * static_cast<int>(place);
        if (named) {
            const QString& name = site->GetLevel(level).name;
            body +=
                "<g id=\"level-" + QByteArray::number(level + 1) +
                "\" class=\"level\" data-name=\"" + Escaped(name) + "\">\n<title>" + Escaped(name) +
                "</title>\n" +
                Fragment(size,
                         [&](DrawingSurface& surface) {
                             surface.SetTextColour(0x000000);
                             surface.DrawText(name, {left, levelHeight * static_cast<int>(place) +
                                                               lineHeight / 2});
                         }) +
                "\n";
        }
        const auto openings = std::make_shared<const SiteOpenings>(*site, level);
        const auto renderPart = [&](const Room* room, bool siteEnd) {
            return Fragment(size, [&](DrawingSurface& surface) {
                if (siteEnd) {
                    MutedSurface muted(surface);
                    PlanRenderer renderer(muted, shifted, options.selection, values);
                    renderer.SetWallLengthUnits(options.wallLengthUnits);
                    renderer.SetSiteOpenings(openings);
                    UnmuteAtEnd walk(renderer, muted);
                    site->Traverse(walk, level);
                } else {
                    PlanRenderer renderer(surface, shifted, options.selection, values);
                    renderer.SetSiteOpenings(openings);
                    renderer.VisitSiteBegin(*site);
                    TraverseRoom(*room, renderer);
                }
            });
        };
        int index = 0;
        for (const auto& room : site->Rooms()) {
            ++index;
            if (level >= 0 && room->GetLevel() != level) {
                continue;
            }
            body += "<g id=\"room-" + QByteArray::number(index) + "\" class=\"room\" data-name=\"" +
                    Escaped(room->GetName()) + "\">\n<title>" + Escaped(room->GetName()) +
                    "</title>\n" + renderPart(room.get(), false) + "\n</g>\n";
        }
        // The selected room on top, the site's start point and the walls' lengths, as on
        // screen.
        const QByteArray siteId =
            named ? "site-" + QByteArray::number(level + 1) : QByteArray("site");
        body += "<g id=\"" + siteId + "\">\n" + renderPart(nullptr, true) + "\n</g>\n";
        if (named) {
            body += "</g>\n";
        }
    }
    body +=
        "<g id=\"legend\">\n" +
        Fragment(
            size,
            [&](DrawingSurface& surface) {
                DrawMaterialLegend(surface, *site, {columnX, kMarginUnits}, true, framed.Level);
                const PaperScaleBar bar =
                    MakePaperScaleBar(surface, scale, options.metric, scaleBarWidth);
                DrawPaperScaleBar(surface, bar, QStringLiteral("1:%1").arg(kSvgPaperRatio),
                                  {columnX, height - kMarginUnits - scaleBarHeight}, lineHeight);
            }) +
        "\n</g>\n";

    const double widthMm = static_cast<double>(width) / kSvgUnitsPerMeter * 1000 / kSvgPaperRatio;
    const double heightMm = static_cast<double>(height) / kSvgUnitsPerMeter * 1000 / kSvgPaperRatio;
    QByteArray document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" "
        "baseProfile=\"tiny\" width=\"" +
        QByteArray::number(widthMm, 'f', 2) + "mm\" height=\"" +
        QByteArray::number(heightMm, 'f', 2) + "mm\" viewBox=\"0 0 " + QByteArray::number(width) +
        ' ' + QByteArray::number(height) + "\">\n";
    document += "<title>" + Escaped(site->GetName()) + "</title>\n";
    document += "<desc>Plan in millimetres: " + QByteArray::number(kSvgUnitsPerMeter) +
                " units per meter; 1:" + QByteArray::number(kSvgPaperRatio) +
                " at the stated size</desc>\n";
    document += body + "</svg>\n";

    ExportFile file(path);
    if (!file.Open() || file.write(document) != document.size() || !file.Commit()) {
        return SaveFileFailure(file.Reason());
    }
    return ExportResult::Success();
}

}  // namespace plantrek
