#pragma once

#include <QPageLayout>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

#include "export/export_image.h"

class QPagedPaintDevice;
class QPainter;

// The plan on paper: the site at an architectural scale, the material legend and the scale bar
// in a column at the right, and a title line on top. Shared by PDF export and printing, so a
// printed page and a PDF page look the same.
namespace plantrek {

class Site;

// One usual architectural scale: paper is 1/N of the real size.
struct PaperScale {
    double ratio = 0;  // N
    QString label;     // "1:50", "1/4\" = 1'-0\""
};

// The scales offered for the units the user works in, largest (most detail) first.
std::vector<PaperScale> PaperScales(bool metric);

// "1:N" (or "1/4"" style for the feet scales) to a scale; nothing for anything else.
std::optional<PaperScale> ParsePaperScale(const QString& text);

struct PlanPageOptions {
    ImageExportOptions image;
    QString siteName;
    QString fileName;
    QString date;                     // as printed in the title line
    std::optional<PaperScale> scale;  // the largest that fits one page when not set
};

// Where everything goes on the page, in the device's pixels.
struct PageGeometry {
    int dpi = 0;
    QRect paper;     // the printable area
    QRect title;     // the title line
    QRect planArea;  // the plan's part of each page
    // Where the site's top left corner lies on the first page: inside the area by the room its
    // markers and wall lengths need, and centred in it when the plan fits on one page.
    QPoint planOrigin;
    QPoint columnTop;  // the legend's top left corner
    QRect scaleArea;   // the scale bar and the scale's label
    double pixelsPerMeter = 0;
    PaperScale scale;
    int columns = 1;
    int rows = 1;
    int PageCount() const { return columns * rows; }
};

// The scale bar of paper and vector drawings: up to five equal steps of a round length in
// meters or feet, as long as fits `maxPixels` while the labels over the ticks, measured in the
// surface's font, stay apart; the unit under it and the scale's label under that.
struct PaperScaleBar {
    double step = 1;  // in the bar's unit
    int steps = 5;
    double stepPixels = 0;
    QString unitWord;
};
PaperScaleBar MakePaperScaleBar(const DrawingSurface& surface, double pixelsPerMeter, bool metric,
                                int maxPixels);
// The label over tick `index`: "0", "0.5", "1", "1.5"...
QString PaperScaleBarLabel(const PaperScaleBar& bar, int index);
// Four lines of text high, as wide as the steps and their labels.
void DrawPaperScaleBar(DrawingSurface& surface, const PaperScaleBar& bar, const QString& scale,
                       QPoint origin, int lineHeight);

// The page size the locale expects: Letter where inches are in use, A4 elsewhere.
QPageLayout DefaultPageLayout();

// A paper size by its usual name ("A4", "a3", "Letter", "Legal", "Tabloid"...), upright, with
// the default layout's margins; nothing for a name no paper has.
std::optional<QPageLayout> PageLayoutNamed(const QString& name);

// Lays the site out on the device's pages; false when the text machinery is missing.
bool LayoutPages(const Site& site, const PlanPageOptions& options, QPagedPaintDevice& device,
                 PageGeometry* geometry);

// Paints every page, starting a new page on the device for each after the first. The pages of
// one level (the drawing values') carry its name first in their title line.
bool PaintPages(const Site& site, const PlanPageOptions& options, QPagedPaintDevice& device,
                QPainter& painter, const PageGeometry& geometry);

// A page set per level drawn (LevelsToExport of the drawing values' level), each laid out by
// LayoutPages; all at the chosen scale, else at the largest at which every level fits a page.
struct LevelPages {
    PlanPageOptions options;  // with the level drawn
    PageGeometry geometry;
};
bool LayoutLevelPages(const Site& site, const PlanPageOptions& options, QPagedPaintDevice& device,
                      std::vector<LevelPages>* pages);
// Paints the page sets one after another on new pages.
bool PaintLevelPages(const Site& site, const std::vector<LevelPages>& pages,
                     QPagedPaintDevice& device, QPainter& painter);

}  // namespace plantrek
