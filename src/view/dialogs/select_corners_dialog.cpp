#include "view/dialogs/select_corners_dialog.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

#include "document/tracepad_doc.h"
#include "model/editing.h"
#include "model/site_visitor.h"
#include "render/painter_surface.h"
#include "render/plan_renderer.h"

namespace plantrek {

namespace {

constexpr int kPickPixels = 24;

}  // namespace

CornerPicture::CornerPicture(const CTracepadDoc& doc, const Room& room, CornerPicks picks,
                             QWidget* parent)
    : QWidget(parent), doc_(doc), room_(room), picks_(std::move(picks)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("Room corners"));
}

ViewTransform CornerPicture::Transform() const {
    // As the plan view lays out a site at zoom 1, with the room's bounds for the site's.
    CSiteBoundsVisitor bounds;
    TraverseRoom(room_, bounds);
    const double w = bounds.MaxX() - bounds.MinX();
    const double h = bounds.MaxY() - bounds.MinY();
    const double spanX = w > 0.0 ? w : 1.0;
    const double spanY = h > 0.0 ? h : 1.0;
    ViewTransform t;
    t.scale = 0.8 * std::min(width() / spanX, height() / spanY);
    t.xOffset = width() / 2 - (bounds.MinX() + bounds.MaxX()) / 2.0 * t.scale;
    t.yOffset = height() / 2 - (bounds.MinY() + bounds.MaxY()) / 2.0 * t.scale;
    t.height = height();
    return t;
}

void CornerPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const ViewTransform transform = Transform();
    {
        PainterSurface surface(painter);
        PlanSelection selection;
        selection.room = &room_;
        PlanRenderer renderer(surface, transform, selection, doc_.Prefs().GetDrawingValues());
        if (const Site* site = doc_.GetSite()) {
            renderer.VisitSiteBegin(*site);
        }
        TraverseRoom(room_, renderer);
    }
    // The marks in a colour of their own, apart from the walls' colours.
    painter.setPen(QPen(QColor(0xC0, 0x00, 0x60), 2));
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    for (int i = 0; i < picks_.wanted; ++i) {
        if (const auto corner = picks_.marked(i)) {
            const DevicePoint p = transform.ToDevice(*corner);
            // A ring round the corner, its number beside it.
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPoint(p.x, p.y), 8, 8);
            painter.drawText(QPoint(p.x + 10, p.y - 10), QString::number(i + 1));
        }
    }
}

void CornerPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const ViewTransform transform = Transform();
    const QPoint at = event->position().toPoint();
    const PlanPoint point = transform.ToPlan(DevicePoint{at.x(), at.y()});
    if (const auto corner = FindCornerNear(room_, point, transform.ToPlanLength(kPickPixels))) {
        picks_.pick(*corner);
        update();
    }
}

SelectCornersDialog::SelectCornersDialog(const CTracepadDoc& doc, const Room& room,
                                         CornerPicks picks, UserPrompts& prompts,
                                         QWidget* parent)
    : EditingDialog(doc, prompts, parent) {
    setWindowTitle(QStringLiteral("Select Corners"));
    auto* layout = new QVBoxLayout(this);
    auto* instruction = new QLabel(
        picks.wanted == 1
            ? QStringLiteral("Select the corner that will be the room's start point.")
            : QStringLiteral("Select the two corners that will be used to determine the arc."),
        this);
    instruction->setWordWrap(true);
    layout->addWidget(instruction);
    picture_ = new CornerPicture(doc, room, std::move(picks), this);
    picture_->setAccessibleDescription(instruction->text());
    layout->addWidget(picture_, 1);
    AddButtons(layout);
}

}  // namespace plantrek
