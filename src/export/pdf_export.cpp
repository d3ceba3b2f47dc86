#include "export/pdf_export.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "export/export_file.h"
#include "model/site.h"

namespace plantrek {

namespace {

bool Better(const PageGeometry& candidate, const PageGeometry& best) {
    if (candidate.scale.ratio != best.scale.ratio) {
        return candidate.scale.ratio < best.scale.ratio;
    }
    return candidate.PageCount() < best.PageCount();
}

}  // namespace

QPageLayout::Orientation BestOrientation(const Site& site, const PlanPageOptions& options,
                                         const QPageLayout& pageLayout) {
    // Laid out, not painted: the writer writes nothing.
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter writer(&nowhere);
    writer.setResolution(kPdfResolution);
    QPageLayout::Orientation best = QPageLayout::Portrait;
    PageGeometry bestGeometry;
    for (QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        QPageLayout layout = pageLayout;
        layout.setOrientation(orientation);
        writer.setPageLayout(layout);
        PageGeometry geometry;
        if (LayoutPages(site, options, writer, &geometry) &&
            (bestGeometry.dpi == 0 || Better(geometry, bestGeometry))) {
            best = orientation;
            bestGeometry = geometry;
        }
    }
    return best;
}

ExportResult ExportPdf(const Site* site, const PlanPageOptions& options,
                       const QPageLayout& pageLayout, const QString& path, bool keepOrientation) {
    if (site == nullptr) {
        return ExportResult::Failure(kErrorNoSite);
    }
    ExportFile file(path);
    if (!file.Open()) {
        return SaveFileFailure(file.Reason());
    }
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setTitle(options.siteName);
        writer.setCreator(QStringLiteral("Plantrek"));
        QPageLayout layout = pageLayout;
        if (!keepOrientation) {
            layout.setOrientation(BestOrientation(*site, options, pageLayout));
        }
        writer.setPageLayout(layout);
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
    // The writer goes on after a failed write; the file knows.
    if (!file.Reason().isEmpty()) {
        return SaveFileFailure(file.Reason());
    }
    if (!painted) {
        return ExportResult::Failure(kErrorCreatePdf);
    }
    if (!file.Commit()) {
        return SaveFileFailure(file.Reason());
    }
    return ExportResult::Success();
}

}  // namespace plantrek
