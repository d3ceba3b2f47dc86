#pragma once

#include <cstdint>
#include <vector>

#include "model/geometry.h"
#include "render/drawing_surface.h"
#include "render/view_transform.h"

// Fitting a plan into a rectangle of pixels: the plan view's window, a picture, a page, an SVG
// drawing and the file manager's thumbnail all place the site through here.
namespace plantrek {

class Site;

// Which corner of the plan (with its margin) lands on which corner of the box.
enum class FitAnchor {
    kCentre,      // the plan's centre on the box's centre (the half box in whole pixels)
    kTopLeft,     // the plan's north-west corner on the box's top left pixel
    kBottomLeft,  // the plan's south-west corner on the box's bottom left pixel
};

struct PlanFit {
    // Pixels per meter; zero takes the largest scale at which the plan and its margins fit the
    // box, times `fill`. A plan without width or height counts as a meter in that direction.
    double scale = 0.0;
    double fill = 1.0;
    // White on each side of the plan, in meters.
    double marginX = 0.0;
    double marginY = 0.0;
    FitAnchor anchor = FitAnchor::kTopLeft;
    // Offsets truncated to whole pixels, as the picture export has always placed the plan.
    bool wholePixelOffsets = false;
};

// Everything the site draws lines for; empty for a site with nothing in it.
PlanRect SiteExtent(const Site& site);
// What the site draws with these values: with a level, that level's rooms and the faint ones
// below it, with the start point.
struct DrawingValues;
PlanRect SiteExtent(const Site& site, const DrawingValues& values);

// SiteExtent(site) for a view that shows one level of a building and is fitted to all of it.
// The level shown is walked on every call, as it may be being edited; the other levels are
// walked again only when the site's revision of them has moved on, so a change to one floor of
// a large building does not read the rooms of every floor.
class BuildingExtent {
public:
    PlanRect Of(const Site& site, int shownLevel);

private:
    struct Known {
        std::uint64_t revision = 0;
        PlanRect extent;
    };
    std::vector<Known> levels_;
};

// The transform that draws `plan` into `box` by `fit`.
ViewTransform FitPlan(const PlanRect& plan, const DeviceRect& box, const PlanFit& fit);

}  // namespace plantrek
