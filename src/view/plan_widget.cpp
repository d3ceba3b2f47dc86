#include "view/plan_widget.h"

#include <QPainter>

#include <algorithm>

#include "document/tracepad_doc.h"
#include "model/site_visitor.h"
#include "view/render/painter_surface.h"
#include "view/render/plan_renderer.h"

namespace plantrek {

namespace {

// Half a meter of margin round the plan, and a box of at least a meter so that an empty site
// does not zoom into nothing.
ViewTransform FitTransform(const Site& site, int width, int height, int zoom) {
    CSiteBoundsVisitor bounds;
    site.Traverse(bounds);
    const double w = std::max(bounds.MaxX() - bounds.MinX(), 1.0) + 1.0;
    const double h = std::max(bounds.MaxY() - bounds.MinY(), 1.0) + 1.0;
    ViewTransform t;
    t.scale = std::max(1.0, std::min(width / w, height / h)) * zoom;
    t.xOffset = width / 2.0 - (bounds.MinX() + bounds.MaxX()) / 2.0 * t.scale;
    t.yOffset = height / 2.0 - (bounds.MinY() + bounds.MaxY()) / 2.0 * t.scale;
    t.height = height;
    return t;
}

}  // namespace

PlanWidget::PlanWidget(CTracepadDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(200, 150);
    setAccessibleName(QStringLiteral("Plan"));
    connect(&doc_, &CTracepadDoc::changed, this, qOverload<>(&QWidget::update));
}

void PlanWidget::SetZoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, kLargestZoom);
    update();
}

void PlanWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const Site* site = doc_.GetSite();
    if (site == nullptr) {
        return;
    }
    PlanSelection selection;
    selection.room = doc_.GetCurrentRoom();
    selection.wall = doc_.GetCurrentWall();
    selection.startPoint = doc_.GetSelectionLevel() == kLevelStartPoint;
    PainterSurface surface(painter);
    RenderSite(*site, surface, FitTransform(*site, width(), height(), zoom_), selection,
               doc_.Prefs().GetDrawingValues());
}

}  // namespace plantrek
