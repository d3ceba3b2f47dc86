#include "export/document_exports.h"

#include "document/tracepad_doc.h"
#include "export/dxf_exporter.h"
#include "export/room_summary_export.h"

namespace plantrek {

ExportResult ExportDxf(const CTracepadDoc& doc, const QString& path) {
    const CPrefs& prefs = doc.Prefs();
    return ExportDxf(doc.GetSite(), prefs.GetInputValues().UsesMetres(),
                     prefs.GetDrawingValues().WallColor, path);
}

ExportResult ExportRoomSummary(const CTracepadDoc& doc, const QString& path) {
    return ExportRoomSummary(doc.GetSite(), doc.Units(), path);
}

ImageExportOptions ImageExportOptionsOf(const CTracepadDoc& doc) {
    ImageExportOptions options;
    options.drawing = doc.Prefs().GetDrawingValues();
    options.metric = ScaleBarInMeters(doc.Prefs().GetInputValues());
    options.selection.room = doc.GetCurrentRoom();
    options.selection.wall = doc.GetCurrentWall();
    options.selection.startPoint = doc.GetSelectionLevel() == kLevelStartPoint;
    return options;
}

ExportResult ExportImage(const CTracepadDoc& doc, const QString& path, ImageFormat format) {
    return ExportImage(doc.GetSite(), ImageExportOptionsOf(doc), path, format);
}

}  // namespace plantrek
