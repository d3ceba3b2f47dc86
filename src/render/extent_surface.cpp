#include "render/extent_surface.h"

#include <algorithm>

namespace plantrek {

void ExtentSurface::SaveState() {
    measuring_.SaveState();
    savedPens_.push_back(penWidth_);
}

void ExtentSurface::RestoreState() {
    measuring_.RestoreState();
    if (!savedPens_.empty()) {
        penWidth_ = savedPens_.back();
        savedPens_.pop_back();
    }
}

void ExtentSurface::SetPen(Colour colour, int width) {
    // The measuring surface knows what a pen of this width is on its device.
    measuring_.SetPen(colour, width);
    penWidth_ = std::max(1, static_cast<int>(width * measuring_.ScreenPixel() + 0.5));
}

void ExtentSurface::SetNoPen() {
    penWidth_ = 0;
}

void ExtentSurface::Include(DeviceRect box, int grow) {
    box = {box.left - grow, box.top - grow, box.right + grow, box.bottom + grow};
    if (!extent_) {
        extent_ = box;
        return;
    }
    extent_->left = std::min(extent_->left, box.left);
    extent_->top = std::min(extent_->top, box.top);
    extent_->right = std::max(extent_->right, box.right);
    extent_->bottom = std::max(extent_->bottom, box.bottom);
}

void ExtentSurface::IncludePoints(const std::vector<DevicePoint>& points) {
    if (points.empty()) {
        return;
    }
    DeviceRect box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const DevicePoint& p : points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    Include(box, (penWidth_ + 1) / 2);
}

void ExtentSurface::DrawLine(DevicePoint from, DevicePoint to) {
    IncludePoints({from, to});
}

void ExtentSurface::DrawPolyline(const std::vector<DevicePoint>& points) {
    IncludePoints(points);
}

void ExtentSurface::DrawPolygon(const std::vector<DevicePoint>& points) {
    IncludePoints(points);
}

void ExtentSurface::DrawEllipse(const DeviceRect& box) {
    Include(box, (penWidth_ + 1) / 2);
}

void ExtentSurface::DrawRectangle(const DeviceRect& box) {
    Include(box, (penWidth_ + 1) / 2);
}

void ExtentSurface::DrawText(const QString& text, DevicePoint topLeft) {
    const TextExtent size = MeasureText(text);
    Include({topLeft.x, topLeft.y, topLeft.x + size.width, topLeft.y + size.height}, 0);
}

void ExtentSurface::DrawTextCentred(const QString& text, const DeviceRect& box) {
    const TextExtent size = MeasureText(text);
    const int left = box.left + (box.Width() - size.width) / 2;
    const int top = box.top + (box.Height() - size.height) / 2;
    Include({left, top, left + size.width, top + size.height}, 0);
}

}  // namespace plantrek
