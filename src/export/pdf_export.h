#pragma once

#include <QPageLayout>
#include <QString>

#include "export/export_result.h"
#include "export/page_layout.h"

// The plan as a PDF document: vector pages laid out as printed pages are.
namespace plantrek {

class Site;

inline const QString kErrorCreatePdf = QStringLiteral("Couldn't create PDF");

// The resolution the pages are drawn at: fine enough that whole device units lose nothing
// visible on paper (1/1200 inch).
inline constexpr int kPdfResolution = 1200;

// Upright or on its side: whichever lays the site out on pages of `pageLayout`'s size at the
// larger scale, then on fewer pages; upright when both do alike.
QPageLayout::Orientation BestOrientation(const Site& site, const PlanPageOptions& options,
                                         const QPageLayout& pageLayout);

// Writes the pages through a temporary file, so a failed export leaves any earlier file as it
// was. Pages have `pageLayout`'s size and margins; its orientation too when `keepOrientation`,
// else the pages lie whichever way holds the plan at the larger scale, on fewer pages.
ExportResult ExportPdf(const Site* site, const PlanPageOptions& options,
                       const QPageLayout& pageLayout, const QString& path,
                       bool keepOrientation = true);

}  // namespace plantrek
