#include "export/page_layout.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "export/export_levels.h"
#include "model/site.h"
#include "model/units.h"
#include "render/painter_surface.h"
#include "render/plan_fit.h"
#include "render/plan_renderer.h"
#include "render/scaled_surface.h"

namespace plantrek {

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr double kMetersPerInch = 0.0254;
constexpr double kScreenDpi = 96.0;
constexpr int kTextHeight = PainterSurface::kDefaultFontHeight;
constexpr int kScaleBarSteps = 5;

int Millimetres(int dpi, double mm) {
    return static_cast<int>(std::lround(dpi * mm / 25.4));
}

double FontFactor(int dpi) {
    return dpi / kScreenDpi;
}

bool CanDrawText() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

QString PaperScaleBarLabel(const PaperScaleBar& bar, int index) {
    return QLocale::c().toString(index * bar.step, 'g', 6);
}

// The longest bar that fits, of up to five steps of a round length, whose tick labels keep at
// least the width of a digit between them; the most steps among bars of one length. A bar
// whose labels touch at every length takes one step of the largest length that fits.
PaperScaleBar MakePaperScaleBar(const DrawingSurface& surface, double pixelsPerMeter, bool metric,
                                int maxPixels) {
    static constexpr std::array<double, 12> kSteps = {100, 50,  20,  10,  5,    2,
                                                      1,   0.5, 0.2, 0.1, 0.05, 0.02};
    PaperScaleBar bar;
    const double unitPixels = pixelsPerMeter * (metric ? 1.0 : kFoot);
    bar.unitWord = metric ? QStringLiteral("meters") : QStringLiteral("feet");
    const int gap = std::max(1, surface.MeasureText(QStringLiteral("0")).width);
    const auto labelsApart = [&](const PaperScaleBar& candidate) {
        // Labels are centred on their ticks: neighbours are apart when the right part of one,
        // the gap and the left part of the next fit into one step (less a pixel the rounding
        // of the ticks may take).
        const int first = surface.MeasureText(PaperScaleBarLabel(candidate, 0)).width;
        int previousRight = first - first / 2;
        for (int i = 1; i <= candidate.steps; ++i) {
            const int width = surface.MeasureText(PaperScaleBarLabel(candidate, i)).width;
            if (previousRight + gap + width / 2 > candidate.stepPixels - 1) {
                return false;
            }
            previousRight = width - width / 2;
        }
        return true;
    };
    std::optional<PaperScaleBar> best;
    std::optional<PaperScaleBar> single;  // one step, when labels never keep apart
    for (double step : kSteps) {
        for (int steps = kScaleBarSteps; steps >= 1; --steps) {
            PaperScaleBar candidate = bar;
            candidate.step = step;
            candidate.steps = steps;
            candidate.stepPixels = step * unitPixels;
            const double length = steps * candidate.stepPixels;
            if (length > maxPixels) {
                continue;
            }
            if (!single && steps == 1) {
                single = candidate;
            }
            const double bestLength = best ? best->steps * best->stepPixels : 0.0;
            const bool better = !best || length > bestLength + 1e-9 ||
                                (length > bestLength - 1e-9 && steps > best->steps);
            if (better && labelsApart(candidate)) {
                best = candidate;
            }
        }
    }
    if (best) {
        return *best;
    }
    if (single) {
        return *single;
    }
    // Not even the smallest step fits: five of it, as small as the bar gets.
    bar.step = kSteps.back();
    bar.steps = kScaleBarSteps;
    bar.stepPixels = bar.step * unitPixels;
    return bar;
}

void DrawPaperScaleBar(DrawingSurface& surface, const PaperScaleBar& bar, const QString& scale,
                       QPoint origin, int lineHeight) {
    const SurfaceStateGuard guard(surface);
    surface.SetPen(kBlack, 1);
    surface.SetTextColour(kBlack);
    const int top = origin.y() + lineHeight;
    const int barHeight = lineHeight / 2;
    const auto tickX = [&](int i) {
        return origin.x() + static_cast<int>(std::lround(i * bar.stepPixels));
    };
    for (int i = 0; i <= bar.steps; ++i) {
        const QString label = PaperScaleBarLabel(bar, i);
        const int width = surface.MeasureText(label).width;
        surface.DrawText(label, {tickX(i) - width / 2, origin.y()});
        if (i < bar.steps) {
            surface.SetBrush(i % 2 == 0 ? kBlack : kWhite);
            surface.DrawRectangle({tickX(i), top, tickX(i + 1), top + barHeight});
        }
    }
    const int middle = (tickX(0) + tickX(bar.steps)) / 2;
    const int wordWidth = surface.MeasureText(bar.unitWord).width;
    surface.DrawText(bar.unitWord, {middle - wordWidth / 2, top + barHeight});
    const QString scaleText = QStringLiteral("Scale ") + scale;
    const int scaleWidth = surface.MeasureText(scaleText).width;
    surface.DrawText(scaleText, {middle - scaleWidth / 2, top + barHeight + lineHeight});
}

std::vector<PaperScale> PaperScales(bool metric) {
    if (metric) {
        return {{20, QStringLiteral("1:20")},   {25, QStringLiteral("1:25")},
                {50, QStringLiteral("1:50")},   {100, QStringLiteral("1:100")},
                {200, QStringLiteral("1:200")}, {500, QStringLiteral("1:500")}};
    }
    return {{48, QStringLiteral("1/4\" = 1'-0\"")},
            {96, QStringLiteral("1/8\" = 1'-0\"")},
            {192, QStringLiteral("1/16\" = 1'-0\"")}};
}

std::optional<PaperScale> ParsePaperScale(const QString& text) {
    static const QRegularExpression ratio(QStringLiteral("^1:([0-9]{1,6})$"));
    const QRegularExpressionMatch match = ratio.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int n = match.captured(1).toInt();
    if (n < 1) {
        return std::nullopt;
    }
    return PaperScale{static_cast<double>(n), QStringLiteral("1:%1").arg(n)};
}

QPageLayout DefaultPageLayout() {
    const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

std::optional<QPageLayout> PageLayoutNamed(const QString& name) {
    const QString wanted = name.trimmed();
    if (wanted.isEmpty()) {
        return std::nullopt;
    }
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto pageId = static_cast<QPageSize::PageSizeId>(id);
        if (pageId == QPageSize::Custom) {
            continue;
        }
        if (QPageSize::key(pageId).compare(wanted, Qt::CaseInsensitive) == 0) {
            QPageLayout layout = DefaultPageLayout();
            layout.setPageSize(QPageSize(pageId));
            return layout;
        }
    }
    return std::nullopt;
}

bool LayoutPages(const Site& site, const PlanPageOptions& options, QPagedPaintDevice& device,
                 PageGeometry* geometry) {
    if (!CanDrawText()) {
        return false;
    }
    PageGeometry g;
    g.dpi = device.logicalDpiX();
    if (g.dpi <= 0 || device.width() <= 0 || device.height() <= 0) {
        return false;
    }
    g.paper = QRect(0, 0, device.width(), device.height());
    const int gap = Millimetres(g.dpi, 4);

    // Text is measured at the device's resolution on a scratch picture.
    QImage scratch(1, 1, QImage::Format_RGB32);
    scratch.setDotsPerMeterX(static_cast<int>(g.dpi / kMetersPerInch));
    scratch.setDotsPerMeterY(static_cast<int>(g.dpi / kMetersPerInch));
    QPainter measurePainter(&scratch);
    PainterSurface inner(measurePainter);
    ScaledSurface surface(inner, FontFactor(g.dpi));
    surface.SetFont(PainterSurface::DefaultFontFamily(), kTextHeight);
    const int lineHeight = surface.MeasureText(QStringLiteral("X")).height;
    const int level = options.image.drawing.Level;
    const TextExtent legend = DrawMaterialLegend(surface, site, {0, 0}, false, level);

    // As narrow as the legend and the scale's label allow, so the plan keeps the most room.
    int scaleLabelWidth = 0;
    for (const PaperScale& scale : PaperScales(options.image.metric)) {
        scaleLabelWidth = std::max(
            scaleLabelWidth, surface.MeasureText(QStringLiteral("Scale ") + scale.label).width);
    }
    if (options.scale) {
        scaleLabelWidth =
            std::max(scaleLabelWidth,
                     surface.MeasureText(QStringLiteral("Scale ") + options.scale->label).width);
    }
    const int columnWidth =
        std::max({legend.width, scaleLabelWidth + Millimetres(g.dpi, 5), Millimetres(g.dpi, 40)});
    g.title = QRect(0, 0, g.paper.width(), lineHeight);
    const int top = g.title.bottom() + 1 + gap;
    g.planArea = QRect(0, top, std::max(1, g.paper.width() - columnWidth - gap),
                       std::max(1, g.paper.height() - top));
    g.columnTop = QPoint(g.planArea.right() + 1 + gap, top);
    const int scaleHeight = 4 * lineHeight;
    // Under the legend, where the eye looks for it; room is left for the last label.
    g.scaleArea = QRect(g.columnTop.x(), top + legend.height + gap,
                        columnWidth - Millimetres(g.dpi, 5), scaleHeight);

    // What is drawn at a scale, the site's top left corner at 0,0: the plan with its start
    // circle and the wall lengths outside its rooms, and a little white around it.
    const PlanRect bounds = SiteExtent(site, options.image.drawing);
    const int white = Millimetres(g.dpi, 1);
    const auto pixelsPerMeter = [&](double ratio) { return g.dpi / kMetersPerInch / ratio; };
    std::optional<std::pair<double, DeviceRect>> measured;  // the last scale measured
    const auto drawnAt = [&](double ratio) {
        if (measured && measured->first == ratio) {
            return measured->second;
        }
        PlanFit fit;
        fit.scale = pixelsPerMeter(ratio);
        const ViewTransform transform = FitPlan(bounds, {}, fit);
        const DeviceRect plan{0, 0, static_cast<int>(std::ceil(bounds.Width() * transform.scale)),
                              static_cast<int>(std::ceil(bounds.Height() * transform.scale))};
        DeviceRect drawn = RenderedExtent(site, surface, transform, options.image.selection,
                                          options.image.drawing, options.image.wallLengthUnits)
                               .value_or(plan);
        measured.emplace(ratio, DeviceRect{std::min(drawn.left, plan.left) - white,
                                           std::min(drawn.top, plan.top) - white,
                                           std::max(drawn.right, plan.right) + white,
                                           std::max(drawn.bottom, plan.bottom) + white});
        return measured->second;
    };
    const auto fits = [&](const DeviceRect& drawn) {
        return drawn.Width() <= g.planArea.width() && drawn.Height() <= g.planArea.height();
    };
    if (options.scale) {
        g.scale = *options.scale;
    } else {
        const std::vector<PaperScale> scales = PaperScales(options.image.metric);
        g.scale = scales.back();
        for (const PaperScale& scale : scales) {
            // The plan alone decides most scales; labels are measured only where it fits.
            const bool planFits =
                bounds.Width() * pixelsPerMeter(scale.ratio) <= g.planArea.width() &&
                bounds.Height() * pixelsPerMeter(scale.ratio) <= g.planArea.height();
            if (planFits && fits(drawnAt(scale.ratio))) {
                g.scale = scale;
                break;
            }
        }
    }
    g.pixelsPerMeter = pixelsPerMeter(g.scale.ratio);
    const DeviceRect drawn = drawnAt(g.scale.ratio);
    measurePainter.end();
    // A page more only for what does not fit on the pages before it; a thousand at most, which
    // is a wall of paper already.
    const auto count = [](double size, int page) {
        return std::clamp(static_cast<int>(std::ceil(size / page - 1e-9)), 1, 1000);
    };
    g.columns = count(drawn.Width(), g.planArea.width());
    g.rows = count(drawn.Height(), g.planArea.height());
    if (static_cast<long long>(g.columns) * g.rows > 1000) {
        return false;
    }
    // One page holds the drawing in its middle; pages side by side start where it starts.
    const auto start = [](int pages, int area, int from, int size) {
        return (pages == 1 ? (area - size) / 2 : 0) - from;
    };
    g.planOrigin = {
        g.planArea.left() + start(g.columns, g.planArea.width(), drawn.left, drawn.Width()),
        g.planArea.top() + start(g.rows, g.planArea.height(), drawn.top, drawn.Height())};
    *geometry = g;
    return true;
}

bool PaintPages(const Site& site, const PlanPageOptions& options, QPagedPaintDevice& device,
                QPainter& painter, const PageGeometry& g) {
    const PlanRect bounds = SiteExtent(site, options.image.drawing);
    const int level = options.image.drawing.Level;
    PainterSurface inner(painter);
    ScaledSurface surface(inner, FontFactor(g.dpi));
    surface.SetFont(PainterSurface::DefaultFontFamily(), kTextHeight);
    const int lineHeight = surface.MeasureText(QStringLiteral("X")).height;
    const PaperScaleBar bar =
        MakePaperScaleBar(surface, g.pixelsPerMeter, options.image.metric, g.scaleArea.width());

    QStringList titleParts;
    // A level's pages carry its name first.
    const QString levelName = site.IsLevel(level) ? site.GetLevel(level).name : QString();
    for (const QString& part : {levelName, options.siteName, options.fileName, options.date}) {
        if (!part.isEmpty()) {
            titleParts << part;
        }
    }
    // Each page draws only the rooms that reach into it.
    const std::vector<RoomReach> reach =
        MeasureRoomReach(site, options.image.drawing, options.image.wallLengthUnits != nullptr);
    int page = 0;
    for (int row = 0; row < g.rows; ++row) {
        for (int column = 0; column < g.columns; ++column) {
            if (page > 0 && !device.newPage()) {
                return false;
            }
            ++page;
            QString title = titleParts.join(QStringLiteral("  \u2014  "));
            if (g.PageCount() > 1) {
                title += QStringLiteral("  \u2014  page %1 of %2 (row %3, column %4)")
                             .arg(page)
                             .arg(g.PageCount())
                             .arg(row + 1)
                             .arg(column + 1);
            }
            surface.SetTextColour(kBlack);
            surface.DrawText(title, {g.title.left(), g.title.top()});

            // Each page shows its piece of the plan, whose top left lies at the plan origin.
            PlanFit fit;
            fit.scale = g.pixelsPerMeter;
            const int left = g.planOrigin.x() - column * g.planArea.width();
            const int top = g.planOrigin.y() - row * g.planArea.height();
            const ViewTransform transform = FitPlan(
                bounds, {left, top, left + g.planArea.width(), top + g.planArea.height()}, fit);
            // Clipping only: saving the whole painter would put back a font behind the
            // surface's back.
            painter.setClipRect(g.planArea);
            RenderSiteRegion(site, surface, transform, options.image.selection,
                             options.image.drawing, options.image.wallLengthUnits, reach,
                             {g.planArea.left(), g.planArea.top(), g.planArea.right() + 1,
                              g.planArea.bottom() + 1});
            painter.setClipping(false);

            DrawMaterialLegend(surface, site, {g.columnTop.x(), g.columnTop.y()}, true, level);
            DrawPaperScaleBar(surface, bar, g.scale.label, g.scaleArea.topLeft(), lineHeight);
        }
    }
    return true;
}

bool LayoutLevelPages(const Site& site, const PlanPageOptions& options, QPagedPaintDevice& device,
                      std::vector<LevelPages>* pages) {
    const auto layOut = [&](const std::optional<PaperScale>& scale) {
        pages->clear();
        for (const int level : LevelsToExport(site, options.image.drawing.Level)) {
            LevelPages one{options, {}};
            one.options.image.drawing.Level = level;
            one.options.scale = scale;
            if (!LayoutPages(site, one.options, device, &one.geometry)) {
                return false;
            }
            pages->push_back(one);
        }
        return true;
    };
    if (!layOut(options.scale)) {
        return false;
    }
    // Floors are compared on paper at one scale: the largest at which each fits its page.
    const auto smallest = std::max_element(
        pages->begin(), pages->end(), [](const LevelPages& a, const LevelPages& b) {
            return a.geometry.scale.ratio < b.geometry.scale.ratio;
        });
    const bool alike = std::all_of(pages->begin(), pages->end(), [&](const LevelPages& one) {
        return one.geometry.scale.ratio == smallest->geometry.scale.ratio;
    });
    return alike || layOut(smallest->geometry.scale);
}

bool PaintLevelPages(const Site& site, const std::vector<LevelPages>& pages,
                     QPagedPaintDevice& device, QPainter& painter) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            return false;
        }
        if (!PaintPages(site, pages[i].options, device, painter, pages[i].geometry)) {
            return false;
        }
    }
    return true;
}

}  // namespace plantrek
