#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

// The end of the Window menu: Next and Previous Window with their keys, then one item per open
// window in the area's order, the first nine numbered as their mnemonics and the active one
// checked. The list is made again each time the menu opens.
namespace plantrek {

class WindowListMenu : public QObject {
    Q_OBJECT
public:
    // Adds the switching commands to the menu and lists the windows whenever it opens.
    WindowListMenu(QMenu& menu, QMdiArea& area);

    // The list of windows as the area holds them now.
    void Refresh();

private:
    QMenu& menu_;
    QMdiArea& area_;
    QList<QAction*> entries_;
};

}  // namespace plantrek
