#pragma once

#include <QString>

#include "export/export_image.h"
#include "export/export_result.h"

// The exports as operations on a document: each takes the document's site and the settings
// and selection it is shown with, so a file looks like the plan on screen.
namespace plantrek {

class CTracepadDoc;

// The drawing in meters when the document's `Input` is 1, else in decimal feet, with the walls
// in its `WallColor`. "Couldn't get site" when the document has no site.
ExportResult ExportDxf(const CTracepadDoc& doc, const QString& path);

// The room summary in the document's units, in the format the extension names.
ExportResult ExportRoomSummary(const CTracepadDoc& doc, const QString& path);

// The plan's colours, names setting and selection, with the scale bar in the document's units.
ImageExportOptions ImageExportOptionsOf(const CTracepadDoc& doc);
ExportResult ExportImage(const CTracepadDoc& doc, const QString& path, ImageFormat format);

}  // namespace plantrek
