#include "view/plan_viewport.h"

#include <algorithm>

#include "model/site.h"
#include "model/site_visitor.h"
#include "view/render/plan_hit_test.h"

namespace plantrek {

void PlanViewport::SetClientSize(QSize size) {
    client_ = size.expandedTo(QSize(0, 0));
    SetScrollPosition(scroll_);
}

void PlanViewport::Layout(const Site* site) {
    if (site == nullptr) {
        return;
    }
    const QSize total = TotalSize();
    CSiteBoundsVisitor bounds;
    site->Traverse(bounds);
    // A site of a single point, or of rooms along one line, still gets a scale.
    double width = bounds.MaxX() - bounds.MinX();
    double height = bounds.MaxY() - bounds.MinY();
    if (width <= 0.0) {
        width = 1.0;
    }
    if (height <= 0.0) {
        height = 1.0;
    }
    ViewTransform t;
    t.scale = 0.8 * std::min(total.width() / width, total.height() / height);
    t.xOffset = total.width() / 2 - (bounds.MinX() + bounds.MaxX()) / 2.0 * t.scale;
    t.yOffset = total.height() / 2 - (bounds.MinY() + bounds.MaxY()) / 2.0 * t.scale;
    t.height = total.height();
    t.xBase = 0;
    t.yBase = 0;
    transform_ = t;
}

QPoint PlanViewport::MaxScroll() const {
    const QSize total = TotalSize();
    return {std::max(0, total.width() - client_.width()),
            std::max(0, total.height() - client_.height())};
}

void PlanViewport::SetScrollPosition(QPoint position) {
    const QPoint most = MaxScroll();
    scroll_ = {std::clamp(position.x(), 0, most.x()), std::clamp(position.y(), 0, most.y())};
}

bool PlanViewport::ZoomIn() {
    return ZoomInAt({client_.width() / 2, client_.height() / 2});
}

bool PlanViewport::ZoomOut() {
    return ZoomOutAt({client_.width() / 2, client_.height() / 2});
}

bool PlanViewport::ZoomToFit() {
    if (zoom_ == kMinZoom) {
        return false;
    }
    zoom_ = kMinZoom;
    scroll_ = {0, 0};
    return true;
}

bool PlanViewport::ZoomInAt(QPoint windowPoint) {
    return zoom_ < kMaxZoom && SetZoom(zoom_ * 2, windowPoint);
}

bool PlanViewport::ZoomOutAt(QPoint windowPoint) {
    return zoom_ > kMinZoom && SetZoom(zoom_ / 2, windowPoint);
}

bool PlanViewport::SetZoom(int zoom, QPoint anchor) {
    const QPoint logical = scroll_ + anchor;
    const QPoint scaled = zoom > zoom_ ? logical * 2 : QPoint(logical.x() / 2, logical.y() / 2);
    zoom_ = zoom;
    SetScrollPosition(scaled - anchor);
    return true;
}

ViewTransform PlanViewport::WindowTransform() const {
    ViewTransform t = transform_;
    t.xBase -= scroll_.x();
    t.yBase -= scroll_.y();
    return t;
}

PlanPoint PlanViewport::WindowToPlan(QPoint windowPoint) const {
    return transform_.ToPlan({windowPoint.x() + scroll_.x(), windowPoint.y() + scroll_.y()});
}

double PlanViewport::Tolerance() const {
    return PickTolerance(transform_);
}

}  // namespace plantrek
