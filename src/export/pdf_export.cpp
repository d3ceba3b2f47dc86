#include "export/pdf_export.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "model/site.h"

namespace plantrek {

ExportResult ExportPdf(const Site* site, const PlanPageOptions& options,
                       const QPageLayout& pageLayout, const QString& path) {
    if (site == nullptr) {
        return ExportResult::Failure(kErrorNoSite);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return ExportResult::Failure(kErrorSaveFile);
    }
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(pageLayout);
        writer.setTitle(options.siteName);
        writer.setCreator(QStringLiteral("Plantrek"));
        PageGeometry geometry;
        if (!LayoutPages(*site, options, writer, &geometry)) {
            return ExportResult::Failure(kErrorCreatePdf);
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            return ExportResult::Failure(kErrorCreatePdf);
        }
        painted = PaintPages(*site, options, writer, painter, geometry);
        painted = painter.end() && painted;
    }
    if (!painted) {
        return ExportResult::Failure(kErrorCreatePdf);
    }
    if (!file.commit()) {
        return ExportResult::Failure(kErrorSaveFile);
    }
    return ExportResult::Success();
}

}  // namespace plantrek
