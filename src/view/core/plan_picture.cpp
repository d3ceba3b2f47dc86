#include "view/core/plan_picture.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

#include "model/room.h"
#include "model/site.h"
#include "model/site_visitor.h"
#include "render/painter_surface.h"

namespace plantrek {

namespace {

// Moves the picture's pixels by (dx, dy) in place, row by row; what is uncovered keeps stale
// pixels for the caller to draw over.
void ShiftPixels(QImage& image, int dx, int dy) {
    const int width = image.width();
    const int height = image.height();
    const int columns = width - std::abs(dx);
    const int fromX = std::max(0, -dx);
    const int toX = std::max(0, dx);
    const auto moveRow = [&](int from, int to) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(from)) + fromX;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(to)) + toX;
        std::memmove(target, source, sizeof(QRgb) * static_cast<std::size_t>(columns));
    };
    // Rows move toward dy, so walk against it to read each row before it is overwritten.
    if (dy > 0) {
        for (int y = height - 1; y >= dy; --y) {
            moveRow(y - dy, y);
        }
    } else {
        for (int y = 0; y < height + dy; ++y) {
            moveRow(y - dy, y);
        }
    }
}

}  // namespace

void PlanPicture::SetContent(const Site* site, const PlanSelection& selection,
                             const DrawingValues& values, const LengthUnits* wallLengthUnits) {
    site_ = site;
    selection_ = selection;
    values_ = values;
    wallLengthUnits_ = wallLengthUnits;
    extentsKnown_ = false;
    valid_ = false;
}

void PlanPicture::MeasureRooms() {
    extents_.clear();
    if (site_ != nullptr) {
        extents_ = MeasureRoomReach(*site_, values_, wallLengthUnits_ != nullptr);
    }
    extentsKnown_ = true;
}

void PlanPicture::Update(QSize size, const ViewTransform& windowTransform) {
    if (valid_ && image_.size() == size) {
        return;
    }
    if (image_.size() != size) {
        image_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    }
    DrawRegion(image_.rect(), windowTransform);
    valid_ = true;
}

void PlanPicture::Scroll(int dx, int dy, const ViewTransform& windowTransform) {
    if (!valid_) {
        return;
    }
    const QRect all = image_.rect();
    if (std::abs(dx) >= all.width() || std::abs(dy) >= all.height()) {
        DrawRegion(all, windowTransform);
        return;
    }
    ShiftPixels(image_, dx, dy);
    if (dx > 0) {
        DrawRegion(QRect(0, 0, dx, all.height()), windowTransform);
    } else if (dx < 0) {
        DrawRegion(QRect(all.width() + dx, 0, -dx, all.height()), windowTransform);
    }
    if (dy > 0) {
        DrawRegion(QRect(0, 0, all.width(), dy), windowTransform);
    } else if (dy < 0) {
        DrawRegion(QRect(0, all.height() + dy, all.width(), -dy), windowTransform);
    }
}

void PlanPicture::DrawRegion(const QRect& region, const ViewTransform& windowTransform) {
    QPainter painter(&image_);
    painter.setClipRect(region);
    painter.fillRect(region, QColor::fromRgb(kBackground));
    if (site_ == nullptr) {
        return;
    }
    if (!extentsKnown_) {
        MeasureRooms();
    }
    PainterSurface surface(painter);
    const DeviceRect area{region.left(), region.top(), region.right() + 1, region.bottom() + 1};
    RenderSiteRegion(*site_, surface, windowTransform, selection_, values_, wallLengthUnits_,
                     extents_, area);
}

}  // namespace plantrek
