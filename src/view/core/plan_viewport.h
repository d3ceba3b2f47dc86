#pragma once

#include <QPoint>
#include <QSize>

#include "model/geometry.h"
#include "render/drawing_surface.h"
#include "render/plan_fit.h"
#include "render/view_transform.h"

// Where the plan lies in the view: the zoom, the scroll area it spans, the scroll position and
// the transform from plan meters to the view's logical (scrolled) pixels. No widgets, so the
// numbers are tested with plain sizes and points.
namespace plantrek {

class Site;

class PlanViewport {
public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 16;
    // Zoom Out goes this many halvings below Zoom to Fit, so that there is room to drag into.
    static constexpr int kMaxShrink = 2;

    // The window's drawing area in pixels.
    void SetClientSize(QSize size);
    QSize ClientSize() const { return client_; }

    // Fits the site into the scroll area at the current zoom: a fifth to spare, centred, north
    // up; below fit, the plan is drawn half or a quarter as large in the window's middle.
    // Without a site the transform stays as it was. A view of one level (`shownLevel`) is
    // fitted to the whole building all the same, so that the floors line up one over another.
    void Layout(const Site* site, int shownLevel = -1);

    int Zoom() const { return zoom_; }
    // Halvings below fit: 0 at fit and above.
    int Shrink() const { return shrink_; }
    bool AtFit() const { return zoom_ == kMinZoom && shrink_ == 0; }
    bool CanZoomOut() const { return zoom_ > kMinZoom || shrink_ < kMaxShrink; }
    // zoom × client size: the extent the scroll bars span.
    QSize TotalSize() const { return client_ * zoom_; }
    // The largest scroll position in each direction.
    QPoint MaxScroll() const;
    QPoint ScrollPosition() const { return scroll_; }
    // Held inside 0 … MaxScroll.
    void SetScrollPosition(QPoint position);

    // Each keeps the plan point at the window's centre where it was (below fit, the plan stays
    // centred); zoom to fit returns to the top-left. False (nothing changed) at the limits.
    // Call Layout before drawing again.
    bool ZoomIn();
    bool ZoomOut();
    bool ZoomToFit();
    // The same steps for the mouse wheel, keeping the plan point under `windowPoint` in place.
    bool ZoomInAt(QPoint windowPoint);
    bool ZoomOutAt(QPoint windowPoint);

    // Plan to logical pixels, the view's layout.
    const ViewTransform& Transform() const { return transform_; }
    // Plan to window pixels: the logical transform moved by the scroll position.
    ViewTransform WindowTransform() const;
    PlanPoint WindowToPlan(QPoint windowPoint) const;
    // Picking and snapping reach this far, in meters.
    double Tolerance() const;

private:
    bool SetZoom(int zoom, QPoint anchor);

    QSize client_;
    int zoom_ = kMinZoom;
    int shrink_ = 0;
    QPoint scroll_;
    ViewTransform transform_;
    BuildingExtent buildingExtent_;
};

}  // namespace plantrek
