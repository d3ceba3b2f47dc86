#include "render/plan_fit.h"

#include <algorithm>

#include "model/site.h"
#include "model/site_visitor.h"
#include "render/plan_renderer.h"

namespace plantrek {

PlanRect SiteExtent(const Site& site) {
    CSiteBoundsVisitor bounds;
    site.Traverse(bounds);
    return bounds.GetBounds();
}

PlanRect SiteExtent(const Site& site, const DrawingValues& values) {
    if (values.Level < 0) {
        return SiteExtent(site);
    }
    CSiteBoundsVisitor bounds;
    bounds.VisitSiteBegin(site);
    for (const Room* room : RoomsToDraw(site, values)) {
        TraverseRoom(*room, bounds);
    }
    bounds.VisitSiteEnd(site);
    return bounds.GetBounds();
}

namespace {

// The rooms of one level, without the start point.
PlanRect LevelExtent(const Site& site, int level) {
    CSiteBoundsVisitor bounds;
    for (const Room* room : site.RoomsOnLevel(level)) {
        TraverseRoom(*room, bounds);
    }
    return bounds.GetBounds();
}

}  // namespace

PlanRect BuildingExtent::Of(const Site& site, int shownLevel) {
    if (!site.IsLevel(shownLevel)) {
        return SiteExtent(site);
    }
    levels_.resize(static_cast<std::size_t>(site.LevelCount()));
    PlanRect extent = PlanRect::Around(site.GetStartPoint());
    for (int level = 0; level < site.LevelCount(); ++level) {
        Known& known = levels_[static_cast<std::size_t>(level)];
        const std::uint64_t revision = site.LevelRevision(level);
        if (level == shownLevel || known.revision != revision) {
            known = {revision, LevelExtent(site, level)};
        }
        extent.Include(known.extent);
    }
    return extent;
}

ViewTransform FitPlan(const PlanRect& plan, const DeviceRect& box, const PlanFit& fit) {
    ViewTransform t;
    t.scale = fit.scale;
    if (t.scale == 0.0) {
        // A site of a single point, or of rooms along one line, still gets a scale.
        double width = plan.maxX - plan.minX + 2 * fit.marginX;
        double height = plan.maxY - plan.minY + 2 * fit.marginY;
        if (width <= 0.0) {
            width = 1.0;
        }
        if (height <= 0.0) {
            height = 1.0;
        }
        t.scale = fit.fill * std::min(box.Width() / width, box.Height() / height);
    }
    // The plan coordinate that lands on the box's edge, in pixels.
    const auto offset = [&](double edge) {
        const double pixels = t.scale * edge;
        return fit.wholePixelOffsets ? static_cast<double>(TruncateToPixel(pixels)) : pixels;
    };
    switch (fit.anchor) {
        case FitAnchor::kCentre:
            t.xOffset = box.left + box.Width() / 2 - (plan.minX + plan.maxX) / 2.0 * t.scale;
            t.yOffset = box.Height() / 2 - (plan.minY + plan.maxY) / 2.0 * t.scale;
            t.height = box.bottom;
            break;
        case FitAnchor::kTopLeft:
            t.xOffset = -offset(plan.minX - fit.marginX);
            t.yOffset = -offset(plan.maxY + fit.marginY);
            t.xBase = box.left;
            t.height = box.top;
            break;
        case FitAnchor::kBottomLeft:
            t.xOffset = -offset(plan.minX - fit.marginX);
            t.yOffset = -offset(plan.minY - fit.marginY);
            t.xBase = box.left;
            t.height = box.bottom;
            break;
    }
    return t;
}

}  // namespace plantrek
