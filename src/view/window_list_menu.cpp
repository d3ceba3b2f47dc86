#include "view/window_list_menu.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

namespace plantrek {

WindowListMenu::WindowListMenu(QMenu& menu, QMdiArea& area)
    : QObject(&menu), menu_(menu), area_(area) {
    menu_.addSeparator();
    // Sites are switched with these, from the input line as from a plan; Tab never switches.
    QAction* next = menu_.addAction(QStringLiteral("Ne&xt Window"), &area_,
                                    &QMdiArea::activateNextSubWindow);
    next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_Tab)});
    QAction* previous = menu_.addAction(QStringLiteral("Pre&vious Window"), &area_,
                                        &QMdiArea::activatePreviousSubWindow);
    previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    menu_.addSeparator();
    connect(&menu_, &QMenu::aboutToShow, this, &WindowListMenu::Refresh);
}

void WindowListMenu::Refresh() {
    qDeleteAll(entries_);
    entries_.clear();
    int number = 0;
    for (QMdiSubWindow* window : area_.subWindowList()) {
        ++number;
        QString title = window->windowTitle().remove(QStringLiteral("[*]"));
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* action =
            menu_.addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
        action->setCheckable(true);
        action->setChecked(window == area_.activeSubWindow());
        // A window closed while the menu is open is simply not activated.
        connect(action, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (window) {
                area_.setActiveSubWindow(window);
            }
        });
        entries_.append(action);
    }
}

}  // namespace plantrek
