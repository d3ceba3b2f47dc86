#include "view/plan_picture.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

#include "model/room.h"
#include "model/site.h"
#include "model/site_visitor.h"
#include "view/render/painter_surface.h"

namespace plantrek {

namespace {

// Pens up to 2 pixels, the direction arrow and the start circles reach this far beyond a
// room's walls.
constexpr int kMarkerReach = 24;
// A name that does not fit its room is written at 5 pixels; no character of such a font is
// wider than this.
constexpr int kWidestSmallCharacter = 6;
// How far a wall's length may reach beyond its room: the widest length at the largest size.
constexpr int kWallLengthReach = 120;

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
        extents_.reserve(site_->Rooms().size());
        for (const auto& room : site_->Rooms()) {
            int spill = values_.ShowNames
                            ? static_cast<int>(room->GetName().size()) * kWidestSmallCharacter
                            : 0;
            // A wall's length is written beside the wall, outside the room.
            if (values_.ShowWallLengths && wallLengthUnits_ != nullptr) {
                spill = std::max(spill, kWallLengthReach);
            }
            extents_.push_back({room->GetBounds(), spill});
        }
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
    PlanRenderer renderer(surface, windowTransform, selection_, values_);
    renderer.SetWallLengthUnits(wallLengthUnits_);
    renderer.VisitSiteBegin(*site_);
    const auto& rooms = site_->Rooms();
    for (std::size_t i = 0; i < rooms.size() && i < extents_.size(); ++i) {
        const RoomExtent& extent = extents_[i];
        if (extent.box.empty) {
            continue;
        }
        // Device y grows downward, so the plan's top edge gives the smaller y.
        const DevicePoint topLeft = windowTransform.ToDevice({extent.box.minX, extent.box.maxY});
        const DevicePoint bottomRight = windowTransform.ToDevice({extent.box.maxX, extent.box.minY});
        const int reach = std::max(kMarkerReach, extent.nameSpill);
        const int reachY = values_.ShowWallLengths && wallLengthUnits_ != nullptr
                               ? std::max(kMarkerReach, kWallLengthReach)
                               : kMarkerReach;
        const QRect box(QPoint(topLeft.x - reach, topLeft.y - reachY),
                        QPoint(bottomRight.x + reach, bottomRight.y + reachY));
        if (box.intersects(region)) {
            TraverseRoom(*rooms[i], renderer);
        }
    }
    // The selected room again, on top, and the site's start point.
    renderer.VisitSiteEnd(*site_);
}

}  // namespace plantrek
