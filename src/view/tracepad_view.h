#pragma once

#include <QAbstractScrollArea>
#include <QPointer>
#include <QRect>

#include <functional>

#include "document/command_state.h"
#include "document/tracepad_doc.h"
#include "view/core/plan_interaction.h"
#include "view/core/plan_picture.h"
#include "view/core/plan_viewport.h"

class QLabel;
class QMenu;

// The scrolling plan of one document in its child window, showing one of the site's levels
// (with the level below drawn faintly when the program says so). It lays the site out at its zoom,
// keeps a picture of the plan between changes, turns clicks into selections and drags into
// moves, and runs the commands it owns (zoom, snap; the annotation commands through hooks the
// window installs). The double click's command goes to the window as commandRequested; the
// context menus show the window's command router's actions.
namespace plantrek {

class AnnotationList;
class CommandRouter;

class CTracepadView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CTracepadView(CTracepadDoc* doc, QWidget* parent = nullptr);
    ~CTracepadView() override;

    CTracepadDoc* GetDocument() const { return doc_; }
    const PlanViewport& Viewport() const { return layout_; }
    const PlanInteraction& Interaction() const { return interaction_; }

    // The level this view shows. The view of the active window works on the document's current
    // level: it follows it, and a level chosen here becomes the document's. Another view keeps
    // its own (the same level by name, or the nearest place when that level has gone).
    int Level() const { return level_; }
    // Shows that level; false when the site has no such level.
    bool SetLevel(int level);
    // The active window's view follows the document's current level and, on becoming active,
    // makes its own level the document's.
    void SetActive(bool active);

    // The commands this view answers for.
    static bool OwnsCommand(int id);
    CommandState GetCommandState(int id) const;
    // The snap command's menu text, which names what is selected.
    QString MenuText(int id) const;
    // Runs a command the view owns; false when it is not enabled or did nothing.
    bool Run(int id);

    // The router whose actions the context menus show; without one a right click shows nothing.
    void SetCommandRouter(CommandRouter* router);
    // Shows a context menu at a screen position; a test replaces it to look at the menu.
    using MenuPresenter = std::function<void(QMenu& menu, QPoint globalPosition)>;
    void SetMenuPresenter(MenuPresenter presenter) { presentMenu_ = std::move(presenter); }

    // The annotation commands, on the list the selection points at.
    struct AnnotationHooks {
        std::function<CommandState(int id, const AnnotationList& list)> state;
        std::function<void(int id, AnnotationList& list)> run;
    };
    void SetAnnotationHooks(AnnotationHooks hooks) { annotationHooks_ = std::move(hooks); }

signals:
    // The double click's edit command, for the window to route.
    void commandRequested(int id);
    // The view shows another level.
    void levelChanged(int level);

public slots:
    // A note finished playing: the playback stops and every view of the document redraws.
    void OnPlaybackFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnDocumentChanged();
    // Keeps the view's level where it belongs after a change of the site's levels.
    void SyncLevel();
    void DocumentGone();
    bool HasSite() const;
    // The level drawn and picked: this window's, or every level of a one-level site.
    int ShownLevel() const;
    // Fits the plan at the current zoom to the whole site.
    void LayOut();
    // After a zoom: lay out at the new zoom, and redraw.
    void ZoomChanged();
    void UpdateScrollBars();
    void ShowContextMenu(QPoint windowPosition);
    AnnotationList* CurrentAnnotations() const;
    // The outline of a drag in window pixels, and the box that holds it.
    QRect DragOutlineBox() const;
    void DrawDragOutline(QPainter& painter);
    void RedrawDragOutline();
    void UpdateSnapReadout();
    // Ctrl+arrow (Ctrl+Shift+arrow: ten steps) moves the selection; false for other keys.
    bool Nudge(const QKeyEvent& event);

    QPointer<CTracepadDoc> doc_;
    int level_ = 0;
    QString levelName_;
    bool active_ = true;
    PlanViewport layout_;
    PlanInteraction interaction_;
    PlanPicture picture_;
    QRect outlineBox_;
    // While a drag will snap: what it meets and how far apart, in the display units.
    QLabel* snapReadout_ = nullptr;
    // A run of nudges lasts until Ctrl is released or anything else changes the document.
    bool nudgeRun_ = false;
    bool nudging_ = false;
    int markerUnit_ = 1;
    bool syncingScrollBars_ = false;
    MenuPresenter presentMenu_;
    QPointer<CommandRouter> router_;
    AnnotationHooks annotationHooks_;
};

}  // namespace plantrek
