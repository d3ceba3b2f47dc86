#pragma once

#include <QObject>

#include "view/core/level_totals.h"

class QLabel;
class QStatusBar;

// The status bar's permanent panes: what is selected in the active site, a quarter of the bar
// wide, the totals of the level shown and of the site (only while the site has several levels),
// and the meter's state. Reconnect is enabled again once a meter search has ended.
namespace plantrek {

class CommandRouter;
class CTracepadDoc;
class MeterConnection;

class StatusBarPanes : public QObject {
    Q_OBJECT
public:
    StatusBarPanes(QStatusBar& bar, MeterConnection& meter, CommandRouter& router);

    QLabel& Selection() { return *selection_; }
    // "Selected: ..." for the active site; empty with none.
    void ShowSelection(const CTracepadDoc* active);
    QLabel& Totals() { return *totals_; }
    // The rooms and area of the level the active window shows and of its whole site; nothing
    // (the pane hidden) for a site of one level.
    void ShowTotals(const CTracepadDoc* active, int level);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStatusBar& bar_;
    QLabel* selection_;
    QLabel* totals_;
    LevelTotals levelTotals_;
};

}  // namespace plantrek
