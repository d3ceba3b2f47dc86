#pragma once

#include <QString>

#include "export/export_image.h"
#include "export/export_result.h"

// The plan as an SVG drawing: vector, in millimetres of the plan (kSvgUnitsPerMeter user units
// per meter), printing at 1:100 when its stated size is kept. Each room is a group of its own
// carrying the room's name, so drawing programs can pick rooms out.
namespace plantrek {

class Site;

inline const QString kErrorCreateSvg = QStringLiteral("Couldn't create SVG");
inline constexpr int kSvgUnitsPerMeter = 1000;
inline constexpr int kSvgPaperRatio = 100;

ExportResult ExportSvg(const Site* site, const ImageExportOptions& options, const QString& path);

}  // namespace plantrek
