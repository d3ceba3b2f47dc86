#include "view/core/plan_viewport.h"

#include <algorithm>

#include "render/plan_fit.h"
#include "render/plan_hit_test.h"

namespace plantrek {

void PlanViewport::SetClientSize(QSize size) {
    client_ = size.expandedTo(QSize(0, 0));
    SetScrollPosition(scroll_);
}

void PlanViewport::Layout(const Site* site, int shownLevel) {
    if (site == nullptr) {
        return;
    }
    const QSize total = TotalSize();
    PlanFit fit;
    fit.fill = 0.8 / (1 << shrink_);
    fit.anchor = FitAnchor::kCentre;
    transform_ = FitPlan(buildingExtent_.Of(*site, shownLevel), {0, 0, total.width(), total.height()}, fit);
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
    if (AtFit()) {
        return false;
    }
    zoom_ = kMinZoom;
    shrink_ = 0;
    scroll_ = {0, 0};
    return true;
}

bool PlanViewport::ZoomInAt(QPoint windowPoint) {
    if (shrink_ > 0) {
        --shrink_;
        return true;
    }
    return zoom_ < kMaxZoom && SetZoom(zoom_ * 2, windowPoint);
}

bool PlanViewport::ZoomOutAt(QPoint windowPoint) {
    if (zoom_ == kMinZoom) {
        // Below fit the scroll area is the window itself; the plan is drawn smaller in it.
        if (shrink_ >= kMaxShrink) {
            return false;
        }
        ++shrink_;
        scroll_ = {0, 0};
        return true;
    }
    return SetZoom(zoom_ / 2, windowPoint);
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
