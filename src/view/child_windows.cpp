#include "view/child_windows.h"

#include <QMdiArea>
#include <QTimer>

#include "document/tracepad_doc.h"
#include "view/child_frame.h"
#include "view/commands/command_router.h"
#include "view/frame_audio.h"
#include "view/handlers/annotation_handlers.h"
#include "view/input_routing.h"
#include "view/keypad.h"
#include "view/tracepad_view.h"

namespace plantrek {

ChildWindows::ChildWindows(QMdiArea& area, DocumentManager& documents, CommandRouter& router,
                           CKeypadDlg& keypad, FrameAudio& audio, QWidget& input,
                           QObject* parent)
    : QObject(parent),
      area_(area),
      documents_(documents),
      router_(router),
      keypad_(keypad),
      audio_(audio),
      input_(input) {
    connect(&area_, &QMdiArea::subWindowActivated, this, &ChildWindows::Activated);
}

CTracepadChildFrame* ChildWindows::Add(std::shared_ptr<CTracepadDoc> doc) {
    CTracepadDoc* raw = doc.get();
    auto* child = new CTracepadChildFrame(std::move(doc), [this](CTracepadChildFrame& c) {
        if (!documents_.MayCloseWindow(c)) {
            return false;
        }
        // Gone from the documents' windows at once, though deleted later: opening its file
        // again opens a new window.
        documents_.RemoveWindow(&c);
        return true;
    });
    connect(raw, &CTracepadDoc::keypadUnitsChanged, &keypad_, &CKeypadDlg::SetUnits,
            Qt::UniqueConnection);
    connect(raw, &CTracepadDoc::changed, this, &ChildWindows::changed, Qt::UniqueConnection);
    // The view's double click; its context menus show the router's own actions.
    connect(&child->Plan(), &CTracepadView::commandRequested, &router_,
            [this](int id) { router_.Run(id); });
    child->Plan().SetCommandRouter(&router_);
    // The level chooser, the title, the totals and Level Above/Below follow the plan's level.
    connect(&child->Plan(), &CTracepadView::levelChanged, this, &ChildWindows::changed);
    child->SetFocusPass([this](bool next) { return FocusNextSiteStop(*area_.window(), area_, next); });
    child->Plan().SetAnnotationHooks(
        ViewAnnotationHooks(child->Plan(), audio_.Services(), [this] { router_.Refresh(); }));
    // Tied to the player rather than the frame: windows still go away while the frame is being
    // destroyed, after its sound has gone.
    connect(child, &QObject::destroyed, &audio_.Services().player,
            [audio = &audio_] { audio->KeepListening(); });
    connect(child, &QObject::destroyed, this, [this, window = static_cast<DocumentWindow*>(child)] {
        documents_.RemoveWindow(window);
        // The last window gone: the frame shows no document. The windows left on a document
        // are numbered again.
        QTimer::singleShot(0, this, [this] {
            documents_.RenumberWindows();
            emit changed();
        });
    });
    // The first window fills the frame, as do later ones while the active one does.
    QMdiSubWindow* active = area_.activeSubWindow();
    const bool maximise = active == nullptr || active->isMaximized();
    area_.addSubWindow(child);
    if (maximise) {
        child->showMaximized();
    } else {
        child->resize(std::max(400, area_.width() * 3 / 4), std::max(300, area_.height() * 3 / 4));
        child->show();
    }
    area_.setActiveSubWindow(child);
    documents_.AddWindow(child);
    connect(child, &QMdiSubWindow::windowStateChanged, this, &ChildWindows::changed);
    keypad_.SetUnits(raw->Prefs().GetInputValues().Input);
    input_.setFocus();
    emit changed();
    return child;
}

CTracepadChildFrame* ChildWindows::Active() const {
    return qobject_cast<CTracepadChildFrame*>(area_.activeSubWindow());
}

QList<CTracepadChildFrame*> ChildWindows::All() const {
    QList<CTracepadChildFrame*> children;
    for (QMdiSubWindow* window : area_.subWindowList()) {
        if (auto* child = qobject_cast<CTracepadChildFrame*>(window)) {
            children.append(child);
        }
    }
    return children;
}

void ChildWindows::Activated(QMdiSubWindow* window) {
    if (auto* child = qobject_cast<CTracepadChildFrame*>(window)) {
        // The active window's plan works on its document's current level, the others keep
        // their own; the ones let go first, so that none of them follows the switch.
        for (CTracepadChildFrame* other : All()) {
            if (other != child) {
                other->Plan().SetActive(false);
            }
        }
        child->Plan().SetActive(true);
        keypad_.SetUnits(child->Document().Prefs().GetInputValues().Input);
        // The child window hands the focus to its plan as it activates; the field takes it
        // back once that is done.
        input_.setFocus();
        QTimer::singleShot(0, &input_, [input = &input_] { input->setFocus(); });
    }
    emit changed();
}

}  // namespace plantrek
