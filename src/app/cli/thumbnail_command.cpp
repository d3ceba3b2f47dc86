#include "app/cli/thumbnail_command.h"

#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "app/cli/document_session.h"
#include "app/cli/run_command.h"
#include "export/export_file.h"
#include "model/site.h"
#include "render/painter_surface.h"
#include "render/plan_fit.h"
#include "render/plan_renderer.h"

namespace plantrek::cli {

namespace {

// File managers ask for 128 to 1024; more is a picture, not a thumbnail.
constexpr int kLargestThumbnail = 4096;

}  // namespace

int ThumbnailCommand(const QStringList& arguments, QTextStream& err) {
    bool sizeOk = false;
    const int size = arguments.size() == 3 ? arguments[2].toInt(&sizeOk) : 0;
    if (arguments.size() != 3 || arguments[0].isEmpty() || !sizeOk || size < 8 ||
        size > kLargestThumbnail) {
        err << "plantrek-cli: thumbnail takes a site file, an output file and a size from 8 to "
            << kLargestThumbnail << "\n";
        return kExitUsage;
    }
    DocumentSession session(err, true);
    if (!session.Start(arguments[0])) {
        return kExitFileFailed;
    }
    const Site* site = session.Doc().GetSite();
    if (site == nullptr) {
        return kExitFileFailed;
    }
    // At least a centimetre each way, so that a site of one point still has a size, and a
    // margin of a twentieth on every side, so the outline is not cut at the edge.
    PlanRect plan = SiteExtent(*site);
    plan.maxX = std::max(plan.maxX, plan.minX + 0.01);
    plan.minY = std::min(plan.minY, plan.maxY - 0.01);
    PlanFit fit;
    fit.marginX = plan.Width() / 20;
    fit.marginY = plan.Height() / 20;
    const ViewTransform transform = FitPlan(plan, {0, 0, size, size}, fit);
    const auto pixels = [&](double meters) {
        return std::clamp(static_cast<int>(std::lround(meters * transform.scale)), 1, size);
    };
    const int pixelsWide = pixels(plan.Width() + 2 * fit.marginX);
    const int pixelsHigh = pixels(plan.Height() + 2 * fit.marginY);

    QImage image(pixelsWide, pixelsHigh, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterSurface surface(painter);
        RenderSite(*site, surface, transform, {}, session.Doc().Prefs().GetDrawingValues());
    }
    ExportFile file(arguments[1]);
    QImageWriter writer(&file, "png");
    if (!file.Open() || !writer.write(image) || !file.Commit()) {
        err << "error: " << SaveFileError(file.Reason()) << "\n";
        return kExitFileFailed;
    }
    return kExitOk;
}

}  // namespace plantrek::cli
