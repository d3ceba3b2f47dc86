#include "view/tracepad_view.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "audio/audio_activity.h"
#include "document/tracepad_doc.h"
#include "document/view_settings.h"
#include "model/site.h"
#include "resources/command_catalog.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "render/painter_surface.h"
#include "view/core/selection_text.h"
#include "view/commands/command_bars.h"
#include "view/commands/command_router.h"

namespace plantrek {

namespace {

using namespace command_id;

// The mark of what a drag will meet: a square this many pixels to each side of a corner, in
// this colour.
constexpr double kMarkReach = 5.0;
constexpr Colour kMarkColour = 0xD000D0;

}  // namespace

CTracepadView::CTracepadView(CTracepadDoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), interaction_(doc) {
    setAccessibleName(QStringLiteral("Plan"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::WheelFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    // The right button opens the menu itself, on the press, after picking.
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    presentMenu_ = [](QMenu& menu, QPoint globalPosition) { menu.exec(globalPosition); };
    if (doc != nullptr) {
        level_ = doc->GetCurrentLevel();
        connect(doc, &CTracepadDoc::changed, this, &CTracepadView::OnDocumentChanged);
        connect(doc, &QObject::destroyed, this, &CTracepadView::DocumentGone);
        // Wall lengths and the faint level below are shown alike in every window: a toggle in
        // any of them redraws this.
        connect(&doc->Prefs().Store().View(), &ViewSettings::changed, this,
                &CTracepadView::OnDocumentChanged);
    }
    snapReadout_ = new QLabel(viewport());
    snapReadout_->setObjectName(QStringLiteral("snapReadout"));
    snapReadout_->setAccessibleName(QStringLiteral("Snap"));
    snapReadout_->setAttribute(Qt::WA_TransparentForMouseEvents);
    snapReadout_->setAutoFillBackground(true);
    snapReadout_->setMargin(3);
    snapReadout_->hide();
    layout_.SetClientSize(viewport()->size());
    OnDocumentChanged();
}

CTracepadView::~CTracepadView() = default;

bool CTracepadView::HasSite() const {
    return doc_ != nullptr && doc_->GetSite() != nullptr;
}

int CTracepadView::ShownLevel() const {
    // A site of one level is drawn and picked whole, as it always was.
    return HasSite() && doc_->GetSite()->LevelCount() > 1 ? level_ : Site::kEveryLevel;
}

void CTracepadView::LayOut() {
    layout_.Layout(HasSite() ? doc_->GetSite() : nullptr, ShownLevel());
}

void CTracepadView::DocumentGone() {
    interaction_ = PlanInteraction(nullptr);
    picture_.SetContent(nullptr, {}, {});
    viewport()->update();
}

void CTracepadView::OnDocumentChanged() {
    nudgeRun_ = nudgeRun_ && nudging_;
    interaction_.DocumentChanged();
    outlineBox_ = {};
    UpdateSnapReadout();
    if (!HasSite()) {
        picture_.SetContent(nullptr, {}, {});
        setAccessibleDescription({});
        viewport()->update();
        return;
    }
    SyncLevel();
    const int shown = ShownLevel();
    if (interaction_.Level() != shown) {
        interaction_.SetLevel(shown);
    }
    PlanSelection selection;
    selection.room = doc_->GetCurrentRoom();
    selection.wall = doc_->GetCurrentWall();
    selection.startPoint = doc_->GetSelectionLevel() == kLevelStartPoint;
    DrawingValues values = doc_->Prefs().GetDrawingValues();
    values.Level = shown;
    values.FaintLevelBelow = shown > 0 && doc_->Prefs().Store().View().ShowLevelBelow();
    picture_.SetContent(doc_->GetSite(), selection, values, &doc_->Units());
    // The plan is fitted to the whole site, every level, not to the level shown: switching
    // levels leaves it where it was, so that the floors line up one over another.
    LayOut();
    setAccessibleDescription(SelectionText(*doc_));
    viewport()->update();
}

void CTracepadView::SyncLevel() {
    const Site& site = *doc_->GetSite();
    int level = level_;
    if (active_) {
        // The document's current level, as a switch, a new level, undo or a room selected on
        // another level left it; every such change ends in `changed`, when the site is whole.
        level = doc_->GetCurrentLevel();
    } else if (site.GetLevel(level).name != levelName_) {
        // Levels were added, removed or renamed in another window.
        const int same = site.FindLevelByName(levelName_);
        level = same >= 0 ? same : level;
    }
    level = std::clamp(level, 0, site.LevelCount() - 1);
    levelName_ = site.GetLevel(level).name;
    if (level != level_) {
        level_ = level;
        emit levelChanged(level_);
    }
}

bool CTracepadView::SetLevel(int level) {
    if (!HasSite() || !doc_->GetSite()->IsLevel(level)) {
        return false;
    }
    if (active_) {
        doc_->SetCurrentLevel(level);
    } else if (level != level_) {
        level_ = level;
        levelName_ = doc_->GetSite()->GetLevel(level).name;
        emit levelChanged(level_);
        OnDocumentChanged();
    }
    return true;
}

void CTracepadView::SetActive(bool active) {
    if (active_ == active) {
        return;
    }
    active_ = active;
    if (active && HasSite()) {
        // Nothing happens when the document is on this level already.
        doc_->SetCurrentLevel(level_);
    }
}

void CTracepadView::UpdateScrollBars() {
    const QPoint most = layout_.MaxScroll();
    const QSize client = layout_.ClientSize();
    syncingScrollBars_ = true;
    horizontalScrollBar()->setRange(0, most.x());
    horizontalScrollBar()->setPageStep(client.width());
    horizontalScrollBar()->setSingleStep(std::max(1, client.width() / 20));
    verticalScrollBar()->setRange(0, most.y());
    verticalScrollBar()->setPageStep(client.height());
    verticalScrollBar()->setSingleStep(std::max(1, client.height() / 20));
    horizontalScrollBar()->setValue(layout_.ScrollPosition().x());
    verticalScrollBar()->setValue(layout_.ScrollPosition().y());
    syncingScrollBars_ = false;
}

void CTracepadView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    layout_.SetClientSize(viewport()->size());
    LayOut();
    picture_.Invalidate();
    UpdateScrollBars();
}

void CTracepadView::scrollContentsBy(int dx, int dy) {
    if (syncingScrollBars_) {
        // The scroll position was set by a zoom or a resize, which draws the picture anew.
        return;
    }
    layout_.SetScrollPosition({horizontalScrollBar()->value(), verticalScrollBar()->value()});
    if (HasSite()) {
        picture_.Scroll(dx, dy, layout_.WindowTransform());
    }
    if (interaction_.IsDragging()) {
        outlineBox_ = DragOutlineBox();
        viewport()->update();
    } else {
        // What the window shows moves along; only the strip uncovered is painted.
        viewport()->scroll(dx, dy);
    }
}

void CTracepadView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    if (!HasSite()) {
        painter.fillRect(event->rect(), QColor::fromRgb(PlanPicture::kBackground));
        return;
    }
    picture_.Update(viewport()->size(), layout_.WindowTransform());
    painter.drawImage(event->rect(), picture_.Image(), event->rect());
    // The selected door, window or passage: a box in the selection colour around its gap.
    const ViewTransform t = layout_.WindowTransform();
    const DragOutline opening = SelectedOpeningOutline(*doc_, t.scale, 4.0);
    if (!opening.polylines.empty()) {
        PainterSurface surface(painter);
        DrawOutline(surface, opening, t, doc_->Prefs().GetDrawingValues().SelectedColor, 2);
    }
    DrawDragOutline(painter);
}

// ---------------------------------------------------------------------------------------------
// Dragging

QRect CTracepadView::DragOutlineBox() const {
    if (!interaction_.IsDragging() || !HasSite()) {
        return {};
    }
    const ViewTransform t = layout_.WindowTransform();
    // The marker unit the plan was painted with; the screen's until then.
    const int unit = std::max(markerUnit_, ComputeMarkerUnit(logicalDpiX()));
    const DeviceRect box = OutlineBounds(OutlineOf(interaction_, *doc_, t.scale), t, unit);
    const DeviceRect mark = OutlineBounds(SnapMarkOf(interaction_, t.scale, kMarkReach), t, unit);
    QRect rect = box.Width() > 0 ? QRect(box.left, box.top, box.Width(), box.Height()) : QRect();
    if (mark.Width() > 0) {
        // The mark's pen is wider than the outline's.
        rect |= QRect(mark.left, mark.top, mark.Width(), mark.Height()).adjusted(-2, -2, 2, 2);
    }
    return rect;
}

void CTracepadView::DrawDragOutline(QPainter& painter) {
    if (!interaction_.IsDragging() || !HasSite()) {
        return;
    }
    const ViewTransform t = layout_.WindowTransform();
    PainterSurface surface(painter);
    markerUnit_ = MarkerUnit(surface);
    DrawOutline(surface, OutlineOf(interaction_, *doc_, t.scale), t);
    DrawOutline(surface, SnapMarkOf(interaction_, t.scale, kMarkReach), t, kMarkColour, 3);
}

void CTracepadView::RedrawDragOutline() {
    // Only where the outline was and where it is now: the plan itself is not drawn again.
    const QRect box = DragOutlineBox();
    const QRect dirty = box.united(outlineBox_);
    outlineBox_ = box;
    if (!dirty.isNull()) {
        viewport()->update(dirty);
    }
    UpdateSnapReadout();
}

void CTracepadView::UpdateSnapReadout() {
    const QString text = interaction_.IsDragging() && HasSite()
                             ? SnapText(interaction_.CurrentSnap(), doc_->Units())
                             : QString();
    if (text != snapReadout_->text()) {
        snapReadout_->setText(text);
        snapReadout_->adjustSize();
    }
    // Scrolling the window moves its children along: the label is put back in its corner.
    snapReadout_->move(4, 4);
    snapReadout_->setVisible(!text.isEmpty());
}

void CTracepadView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (!HasSite()) {
        return;
    }
    const QPoint position = event->position().toPoint();
    const PlanPoint point = layout_.WindowToPlan(position);
    if (event->button() == Qt::LeftButton) {
        if (interaction_.Press(point, layout_.Tolerance())) {
            RedrawDragOutline();
        }
    } else if (event->button() == Qt::RightButton) {
        if (interaction_.IsDragging()) {
            interaction_.Cancel();
            RedrawDragOutline();
        }
        if (interaction_.Select(point, layout_.Tolerance())) {
            ShowContextMenu(position);
        }
    }
}

void CTracepadView::mouseMoveEvent(QMouseEvent* event) {
    if (!interaction_.IsDragging()) {
        return;
    }
    interaction_.Move(layout_.WindowToPlan(event->position().toPoint()), layout_.Tolerance());
    RedrawDragOutline();
}

void CTracepadView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !interaction_.IsDragging()) {
        return;
    }
    const bool moved =
        interaction_.Release(layout_.WindowToPlan(event->position().toPoint()), layout_.Tolerance());
    if (!moved) {
        RedrawDragOutline();
    }
}

void CTracepadView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !HasSite()) {
        return;
    }
    // The first click selected what lies here; a double click on nothing edits nothing.
    if (!interaction_.Select(layout_.WindowToPlan(event->position().toPoint()),
                             layout_.Tolerance())) {
        return;
    }
    const int id = interaction_.DoubleClickCommand();
    if (id != 0 && doc_->GetCommandState(id).enabled) {
        emit commandRequested(id);
    }
}

void CTracepadView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    const QPoint at = event->position().toPoint();
    if ((delta > 0 && layout_.ZoomInAt(at)) || (delta < 0 && layout_.ZoomOutAt(at))) {
        ZoomChanged();
    }
    event->accept();
}

void CTracepadView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && interaction_.IsDragging()) {
        interaction_.Cancel();
        RedrawDragOutline();
        return;
    }
    if (Nudge(*event)) {
        event->accept();
        return;
    }
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey && HasSite()) {
        ShowContextMenu(viewport()->rect().center());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CTracepadView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control) {
        nudgeRun_ = false;
    }
    QAbstractScrollArea::keyReleaseEvent(event);
}

void CTracepadView::focusOutEvent(QFocusEvent* event) {
    nudgeRun_ = false;
    QAbstractScrollArea::focusOutEvent(event);
}

bool CTracepadView::Nudge(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & ~Qt::KeypadModifier;
    if (!(modifiers == Qt::ControlModifier ||
          modifiers == (Qt::ControlModifier | Qt::ShiftModifier))) {
        return false;
    }
    PlanPoint direction;
    switch (event.key()) {
    case Qt::Key_Left:
        direction = {-1, 0};
        break;
    case Qt::Key_Right:
        direction = {1, 0};
        break;
    case Qt::Key_Up:
        direction = {0, 1};
        break;
    case Qt::Key_Down:
        direction = {0, -1};
        break;
    default:
        return false;
    }
    if (!HasSite() || interaction_.IsDragging() || doc_->GetSelectionLevel() == kLevelNone) {
        return false;
    }
    const double step = doc_->Prefs().GetNudgeStep() * (modifiers & Qt::ShiftModifier ? 10 : 1);
    nudging_ = true;
    const bool moved = doc_->NudgeSelection(direction * step, nudgeRun_);
    nudging_ = false;
    nudgeRun_ = moved;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Commands

bool CTracepadView::OwnsCommand(int id) {
    const CommandRow* row = FindCommand(id);
    return row != nullptr && row->owner == CommandOwner::View;
}

CommandState CTracepadView::GetCommandState(int id) const {
    switch (id) {
    case kZoomIn:
        return {layout_.Zoom() < PlanViewport::kMaxZoom, false};
    case kZoomOut:
        return {layout_.CanZoomOut(), false};
    case kZoomToFit:
        return {true, layout_.AtFit()};
    case kSnapSelection:
        return {HasSite() && doc_->GetSelectionLevel() != kLevelNone, false};
    case kLevelAbove:
        return {HasSite() && doc_->GetSite()->IsLevel(level_ + 1), false};
    case kLevelBelow:
        return {HasSite() && level_ > 0, false};
    default:
        break;
    }
    // The view's other commands are the notes': the hooks know each.
    if (OwnsCommand(id)) {
        const AnnotationList* list = CurrentAnnotations();
        if (list != nullptr && annotationHooks_.state) {
            return annotationHooks_.state(id, *list);
        }
    }
    return {};
}

QString CTracepadView::MenuText(int id) const {
    if (id == kSnapSelection) {
        const bool startPoint = HasSite() && doc_->GetSelectionLevel() == kLevelStartPoint;
        return LoadString(startPoint ? string_id::kSnapStartPoint : string_id::kSnapRoom);
    }
    const CommandRow* row = FindCommand(id);
    return row != nullptr ? row->MenuText() : QString();
}

bool CTracepadView::Run(int id) {
    if (!OwnsCommand(id) || !GetCommandState(id).enabled) {
        return false;
    }
    switch (id) {
    case kZoomIn:
        return layout_.ZoomIn() && (ZoomChanged(), true);
    case kZoomOut:
        return layout_.ZoomOut() && (ZoomChanged(), true);
    case kZoomToFit:
        return layout_.ZoomToFit() && (ZoomChanged(), true);
    case kSnapSelection:
        return interaction_.SnapSelection();
    case kLevelAbove:
        return SetLevel(level_ + 1);
    case kLevelBelow:
        return SetLevel(level_ - 1);
    default:
        break;
    }
    if (annotationHooks_.run) {
        if (AnnotationList* list = CurrentAnnotations()) {
            annotationHooks_.run(id, *list);
            return true;
        }
    }
    return false;
}

void CTracepadView::ZoomChanged() {
    LayOut();
    picture_.Invalidate();
    UpdateScrollBars();
    outlineBox_ = DragOutlineBox();
    viewport()->update();
}

AnnotationList* CTracepadView::CurrentAnnotations() const {
    return HasSite() ? doc_->AnnotationListForCommand() : nullptr;
}

void CTracepadView::OnPlaybackFinished() {
    AudioActivity::StopPlayback();
    if (doc_ != nullptr) {
        // Redraws every view of the document without changing it.
        doc_->Commit(false);
    }
}

// ---------------------------------------------------------------------------------------------
// Context menus

void CTracepadView::SetCommandRouter(CommandRouter* router) {
    router_ = router;
}

void CTracepadView::ShowContextMenu(QPoint windowPosition) {
    if (router_ == nullptr) {
        return;
    }
    const std::unique_ptr<QMenu> menu =
        BuildContextMenu(*router_, doc_->GetSelectionLevel(), this);
    if (menu) {
        presentMenu_(*menu, viewport()->mapToGlobal(windowPosition));
    }
}

}  // namespace plantrek
