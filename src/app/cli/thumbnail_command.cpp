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
#include "model/site_visitor.h"
#include "view/render/painter_surface.h"
#include "view/render/plan_renderer.h"

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
    CSiteBoundsVisitor bounds;
    site->Traverse(bounds);
    // A margin of a twentieth on every side, so the outline is not cut at the edge.
    const double width = std::max(std::fabs(bounds.MaxX() - bounds.MinX()), 0.01) * 1.1;
    const double height = std::max(std::fabs(bounds.MaxY() - bounds.MinY()), 0.01) * 1.1;
    const double scale = size / std::max(width, height);
    const int pixelsWide = std::clamp(static_cast<int>(std::lround(width * scale)), 1, size);
    const int pixelsHigh = std::clamp(static_cast<int>(std::lround(height * scale)), 1, size);

    QImage image(pixelsWide, pixelsHigh, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterSurface surface(painter);
        ViewTransform transform;
        transform.scale = scale;
        transform.xOffset = -(bounds.MinX() - width / 22.0) * scale;
        transform.yOffset = -(bounds.MaxY() + height / 22.0) * scale;
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
