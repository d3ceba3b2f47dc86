#include "export/pdf_export.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <optional>
#include <utility>
#include <vector>

#include "export/export_file.h"
#include "model/site.h"

namespace plantrek {

QPageLayout::Orientation BestOrientation(const Site& site, const PlanPageOptions& options,
                                         const QPageLayout& pageLayout) {
    // Laid out, not painted: the writer writes nothing.
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter writer(&nowhere);
    writer.setResolution(kPdfResolution);
    QPageLayout::Orientation best = QPageLayout::Portrait;
    // The scale every level is drawn at, and the pages of all of them.
    std::optional<std::pair<double, int>> bestPages;
    for (QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        QPageLayout layout = pageLayout;
        layout.setOrientation(orientation);
        writer.setPageLayout(layout);
        std::vector<LevelPages> pages;
        if (!LayoutLevelPages(site, options, writer, &pages) || pages.empty()) {
            continue;
        }
        int count = 0;
        for (const LevelPages& one : pages) {
            count += one.geometry.PageCount();
        }
        const std::pair<double, int> candidate{pages.front().geometry.scale.ratio, count};
        if (!bestPages || candidate < *bestPages) {
            best = orientation;
            bestPages = candidate;
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
        std::vector<LevelPages> pages;
        if (!LayoutLevelPages(*site, options, writer, &pages)) {
            return ExportResult::Failure(kErrorCreatePdf);
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            return ExportResult::Failure(kErrorCreatePdf);
        }
        painted = PaintLevelPages(*site, pages, writer, painter);
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
