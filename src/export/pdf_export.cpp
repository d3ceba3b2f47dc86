#include "export/pdf_export.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <vector>

#include "model/site.h"

namespace plantrek {

namespace {

// Upright first, so a plan that fits either way is printed upright.
bool Better(const PageGeometry& candidate, const PageGeometry& best) {
    if (candidate.scale.ratio != best.scale.ratio) {
        return candidate.scale.ratio < best.scale.ratio;
    }
    return candidate.PageCount() < best.PageCount();
}

}  // namespace

ExportResult ExportPdf(const Site* site, const PlanPageOptions& options,
                       const QPageLayout& pageLayout, const QString& path, bool keepOrientation) {
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
        writer.setTitle(options.siteName);
        writer.setCreator(QStringLiteral("Plantrek"));
        std::vector<QPageLayout::Orientation> orientations{pageLayout.orientation()};
        if (!keepOrientation) {
            orientations = {QPageLayout::Portrait, QPageLayout::Landscape};
        }
        PageGeometry geometry;
        QPageLayout chosen = pageLayout;
        for (QPageLayout::Orientation orientation : orientations) {
            QPageLayout layout = pageLayout;
            layout.setOrientation(orientation);
            writer.setPageLayout(layout);
            PageGeometry candidate;
            if (!LayoutPages(*site, options, writer, &candidate)) {
                return ExportResult::Failure(kErrorCreatePdf);
            }
            if (geometry.dpi == 0 || Better(candidate, geometry)) {
                geometry = candidate;
                chosen = layout;
            }
        }
        writer.setPageLayout(chosen);
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
