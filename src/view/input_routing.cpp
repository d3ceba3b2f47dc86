#include "view/input_routing.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "document/typed_input.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/input_line.h"
#include "view/keypad.h"

namespace plantrek {

InputRouting::InputRouting(InputLine& line, CKeypadDlg& keypad, QStatusBar& status,
                           CommandRouter& router, std::function<CTracepadDoc*()> activeDocument,
                           QObject* parent)
    : QObject(parent),
      line_(line),
      keypad_(keypad),
      status_(status),
      activeDocument_(std::move(activeDocument)) {
    connect(&line_, &QLineEdit::returnPressed, this, &InputRouting::Submit);
    connect(&keypad_, &CKeypadDlg::submitted, this, &InputRouting::Enter);
    connect(&line_, &InputLine::undoPlan, this, [&router] { router.Run(command_id::kEditUndo); });
    connect(&line_, &InputLine::redoPlan, this, [&router] { router.Run(command_id::kEditRedo); });
    line_.SetPlanPaste([&router] {
        if (!router.StateOf(command_id::kEditPaste).enabled) {
            return false;
        }
        router.Run(command_id::kEditPaste);
        return true;
    });
}

void InputRouting::Submit() {
    const QString text = line_.text();
    switch (EnterTypedText(activeDocument_(), text)) {
    case TypedInputOutcome::NoSite:
        // The text stays for when a site is open.
        status_.showMessage(NoSiteMessage(text));
        return;
    case TypedInputOutcome::Taken:
        line_.clear();
        break;
    case TypedInputOutcome::Refused:  // stays on the line for correction
        break;
    }
    line_.setFocus();
}

void InputRouting::Enter(const QString& text) {
    switch (EnterTypedText(activeDocument_(), text)) {
    case TypedInputOutcome::NoSite:
        status_.showMessage(NoSiteMessage(text));
        break;
    case TypedInputOutcome::Refused:
        keypad_.RestoreEntry();
        break;
    case TypedInputOutcome::Taken:
        break;
    }
}

bool FocusNextSiteStop(QWidget& frame, QMdiArea& area, bool next) {
    QMdiSubWindow* active = area.activeSubWindow();
    QList<QWidget*> stops;
    for (QWidget* w = frame.nextInFocusChain(); w != &frame; w = w->nextInFocusChain()) {
        if (w->window() != &frame || w == &area || qobject_cast<QMdiSubWindow*>(w) != nullptr ||
            !w->isVisible() || !w->isEnabled() || (w->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        QWidget* site = w->parentWidget();
        while (site != nullptr && qobject_cast<QMdiSubWindow*>(site) == nullptr) {
            site = site->parentWidget();
        }
        if (site == nullptr || site == active) {
            stops.append(w);
        }
    }
    if (stops.isEmpty()) {
        return false;
    }
    const qsizetype at = stops.indexOf(frame.focusWidget());
    const qsizetype count = stops.size();
    const qsizetype target =
        at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    stops[target]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

}  // namespace plantrek
