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

PlanPicture::FaintKey PlanPicture::FaintKeyFor(QSize size,
                                               const ViewTransform& windowTransform) const {
    FaintKey key;
    key.level = FaintLevelOf(values_);
    key.revision = site_->LevelRevision(key.level);
    key.size = size;
    key.transform = windowTransform;
    key.wallColour = values_.WallColor;
    for (const auto& material : site_->Materials()) {
        key.materials.emplace_back(material->GetIndex(), material->GetColour());
    }
    if (selection_.room != nullptr && selection_.room->GetLevel() == key.level) {
        key.selected = selection_.room;
    }
    return key;
}

void PlanPicture::MeasureRooms() {
    extents_.clear();
    if (site_ != nullptr) {
        DrawingValues shownOnly = values_;
        shownOnly.FaintLevelBelow = false;
        extents_ = MeasureRoomReach(*site_, shownOnly, wallLengthUnits_ != nullptr);
        // The faint level is measured again only when it has changed.
        const int faintLevel = FaintLevelOf(values_);
        const std::uint64_t revision = faintLevel >= 0 ? site_->LevelRevision(faintLevel) : 0;
        if (faintLevel != faintExtentsLevel_ || revision != faintExtentsRevision_) {
            faintExtents_ = MeasureFaintReach(*site_, values_);
            faintExtentsLevel_ = faintLevel;
            faintExtentsRevision_ = revision;
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
    UpdateFaint(windowTransform);
    DrawRegion(image_.rect(), windowTransform);
    valid_ = true;
}

void PlanPicture::UpdateFaint(const ViewTransform& windowTransform) {
    if (!ShowsFaintLevel()) {
        return;
    }
    FaintKey key = FaintKeyFor(image_.size(), windowTransform);
    if (faintKnown_ && key == faintKey_) {
        return;
    }
    if (faint_.size() != image_.size()) {
        faint_ = QImage(image_.size(), QImage::Format_RGB32);
    }
    faintKey_ = std::move(key);
    faintKnown_ = true;
    DrawFaintRegion(faint_.rect(), windowTransform);
}

void PlanPicture::Scroll(int dx, int dy, const ViewTransform& windowTransform) {
    if (!valid_) {
        return;
    }
    const QRect all = image_.rect();
    // The faint level's picture scrolls with the picture while it still is the one in use;
    // otherwise it is drawn anew for the new position.
    const bool faint = ShowsFaintLevel() && faintKnown_ &&
                       FaintKeyFor(all.size(), faintKey_.transform) == faintKey_;
    std::vector<QRect> strips;
    if (std::abs(dx) >= all.width() || std::abs(dy) >= all.height()) {
        strips.push_back(all);
    } else {
        ShiftPixels(image_, dx, dy);
        if (faint) {
            ShiftPixels(faint_, dx, dy);
        }
        if (dx > 0) {
            strips.emplace_back(0, 0, dx, all.height());
        } else if (dx < 0) {
            strips.emplace_back(all.width() + dx, 0, -dx, all.height());
        }
        if (dy > 0) {
            strips.emplace_back(0, 0, all.width(), dy);
        } else if (dy < 0) {
            strips.emplace_back(0, all.height() + dy, all.width(), -dy);
        }
    }
    if (faint) {
        faintKey_.transform = windowTransform;
        for (const QRect& strip : strips) {
            DrawFaintRegion(strip, windowTransform);
        }
    }
    UpdateFaint(windowTransform);
    for (const QRect& strip : strips) {
        DrawRegion(strip, windowTransform);
    }
}

void PlanPicture::DrawFaintRegion(const QRect& region, const ViewTransform& windowTransform) {
    QPainter painter(&faint_);
    painter.setClipRect(region);
    painter.fillRect(region, QColor::fromRgb(kBackground));
    if (!extentsKnown_) {
        MeasureRooms();
    }
    PainterSurface surface(painter);
    const DeviceRect area{region.left(), region.top(), region.right() + 1, region.bottom() + 1};
    RenderFaintRegion(*site_, surface, windowTransform, selection_, values_, faintExtents_, area);
}

void PlanPicture::DrawRegion(const QRect& region, const ViewTransform& windowTransform) {
    QPainter painter(&image_);
    painter.setClipRect(region);
    if (ShowsFaintLevel()) {
        // Kept up to date by Update and Scroll before any region is drawn.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(region.topLeft(), faint_, region);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        painter.fillRect(region, QColor::fromRgb(kBackground));
    }
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
