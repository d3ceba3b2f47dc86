#pragma once

#include <QObject>

#include <functional>

class QMdiArea;
class QStatusBar;
class QWidget;

// Where typed text and the input keys go: the "Measurement:" line's Return and the keypad's
// entries to the active site (the status bar explains when there is none), the line's undo, redo
// and paste keys to the plan's commands, and Tab only ever to the active site's window.
namespace plantrek {

class CKeypadDlg;
class CommandRouter;
class CTracepadDoc;
class InputLine;

class InputRouting : public QObject {
    Q_OBJECT
public:
    InputRouting(InputLine& line, CKeypadDlg& keypad, QStatusBar& status, CommandRouter& router,
                 std::function<CTracepadDoc*()> activeDocument, QObject* parent);

private:
    void Submit();
    void Enter(const QString& text);

    InputLine& line_;
    CKeypadDlg& keypad_;
    QStatusBar& status_;
    std::function<CTracepadDoc*()> activeDocument_;
};

// Tab (next) or Shift+Tab in `frame`: the stops are the frame's own controls and the widgets of
// the active site's window in `area`. Another site's window is never a stop: reaching it would
// make it the active site and send the next wall there; the window commands switch sites.
// Returns whether the focus moved.
bool FocusNextSiteStop(QWidget& frame, QMdiArea& area, bool next);

}  // namespace plantrek
