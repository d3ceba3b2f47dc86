#include "export/document_exports.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include "document/tracepad_doc.h"

#include "export/dxf_exporter.h"
#include "export/pdf_export.h"
#include "export/room_schedule_export.h"
#include "export/room_summary_export.h"
#include "export/svg_export.h"
#include "model/site.h"

namespace plantrek {

ExportResult ExportDxf(const CTracepadDoc& doc, const QString& path, int level) {
    const CPrefs& prefs = doc.Prefs();
    return ExportDxf(doc.GetSite(), prefs.GetInputValues().UsesMetres(),
                     prefs.GetDrawingValues().WallColor, path, level);
}

ExportResult ExportRoomSummary(const CTracepadDoc& doc, const QString& path) {
    return ExportRoomSummary(doc.GetSite(), doc.Units(), path);
}

ExportResult ExportRoomSchedule(const CTracepadDoc& doc, const QString& path) {
    return ExportRoomSchedule(doc.GetSite(), doc.Units(), doc.Prefs().GetDefaultHeight(), path);
}

ImageExportOptions ImageExportOptionsOf(const CTracepadDoc& doc) {
    ImageExportOptions options;
    options.drawing = doc.Prefs().GetDrawingValues();
    options.metric = ScaleBarInMeters(doc.Prefs().GetInputValues());
    options.selection.room = doc.GetCurrentRoom();
    options.selection.wall = doc.GetCurrentWall();
    options.selection.startPoint = doc.GetSelectionLevel() == kLevelStartPoint;
    options.wallLengthUnits = &doc.Units();
    return options;
}

ExportResult ExportImage(const CTracepadDoc& doc, const QString& path, ImageFormat format,
                         int level) {
    ImageExportOptions options = ImageExportOptionsOf(doc);
    options.drawing.Level = level;
    return ExportImage(doc.GetSite(), options, path, format);
}

ExportResult ExportSvg(const CTracepadDoc& doc, const QString& path, int level) {
    ImageExportOptions options = ImageExportOptionsOf(doc);
    options.drawing.Level = level;
    return ExportSvg(doc.GetSite(), options, path);
}

PlanPageOptions PlanPageOptionsOf(const CTracepadDoc& doc) {
    PlanPageOptions options;
    options.image = ImageExportOptionsOf(doc);
    if (const Site* site = doc.GetSite()) {
        options.siteName = site->GetName();
    }
    options.fileName =
        doc.GetPathName().isEmpty() ? doc.GetTitle() : QFileInfo(doc.GetPathName()).fileName();
    options.date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    return options;
}

ExportResult ExportPdf(const CTracepadDoc& doc, const QString& path,
                       const std::optional<PaperScale>& scale,
                       const std::optional<QPageLayout>& pageLayout, bool keepOrientation,
                       int level) {
    PlanPageOptions options = PlanPageOptionsOf(doc);
    options.scale = scale;
    options.image.drawing.Level = level;
    return ExportPdf(doc.GetSite(), options, pageLayout.value_or(DefaultPageLayout()), path,
                     keepOrientation);
}

bool PaintPlanPages(const CTracepadDoc& doc, QPagedPaintDevice& device,
                    const std::optional<PaperScale>& scale, int level) {
    const Site* site = doc.GetSite();
    PlanPageOptions options = PlanPageOptionsOf(doc);
    options.scale = scale;
    options.image.drawing.Level = level;
    std::vector<LevelPages> pages;
    if (site == nullptr || !LayoutLevelPages(*site, options, device, &pages)) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const bool painted = PaintLevelPages(*site, pages, device, painter);
    return painter.end() && painted;
}

}  // namespace plantrek
