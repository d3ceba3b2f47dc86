#pragma once

#include <QPageLayout>
#include <QString>

#include <optional>

#include "export/export_image.h"
#include "export/export_result.h"
#include "export/page_layout.h"

// The exports as operations on a document: each takes the document's site and the settings
// and selection it is shown with, so a file looks like the plan on screen. Each draws one level
// (its place) or, with -1, every level: a picture and its file per level, a page set per level,
// a group per level, a DXF layer set per level (see export_levels.h).
namespace plantrek {

class CTracepadDoc;

// The drawing in meters when the document's `Input` is 1, else in decimal feet, with the walls
// in its `WallColor`. "Couldn't get site" when the document has no site.
ExportResult ExportDxf(const CTracepadDoc& doc, const QString& path, int level = -1);

// The room summary in the document's units, in the format the extension names.
ExportResult ExportRoomSummary(const CTracepadDoc& doc, const QString& path);
// The room schedule likewise, rooms without a height of their own at the preference's height.
ExportResult ExportRoomSchedule(const CTracepadDoc& doc, const QString& path);

// The plan's colours, names setting and selection, with the scale bar in the document's units.
ImageExportOptions ImageExportOptionsOf(const CTracepadDoc& doc);
ExportResult ExportImage(const CTracepadDoc& doc, const QString& path, ImageFormat format,
                         int level = -1);

// The plan as SVG, and as PDF pages at `scale`, or the largest usual scale that fits a page.
ExportResult ExportSvg(const CTracepadDoc& doc, const QString& path, int level = -1);
ExportResult ExportPdf(const CTracepadDoc& doc, const QString& path,
                       const std::optional<PaperScale>& scale,
                       const std::optional<QPageLayout>& pageLayout = std::nullopt,
                       bool keepOrientation = false, int level = -1);
// Lays the plan out on the device's pages and paints them; false when it could not.
// At `scale`, or the largest usual scale that fits a page.
bool PaintPlanPages(const CTracepadDoc& doc, QPagedPaintDevice& device,
                    const std::optional<PaperScale>& scale = std::nullopt, int level = -1);
// The pages' title line, scale and picture options for the document.
PlanPageOptions PlanPageOptionsOf(const CTracepadDoc& doc);

}  // namespace plantrek
