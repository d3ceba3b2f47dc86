// The Window menu's list of open windows, on a bare area: numbered titles, the active one
// checked, choosing one activates it, and the list is made again each time the menu opens.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <gtest/gtest.h>

#include "view/window_list_menu.h"

namespace plantrek {
namespace {

// The entries after the menu's last separator: the list of windows.
QList<QAction*> ListedWindows(QMenu& menu) {
    QList<QAction*> listed;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            listed.clear();
        } else {
            listed.append(action);
        }
    }
    return listed;
}

TEST(WindowListMenu, ListsTheWindowsNumberedWithTheActiveOneChecked) {
    QMdiArea area;
    QMenu menu;
    menu.addAction(QStringLiteral("&Cascade"));
    new WindowListMenu(menu, area);
    QList<QMdiSubWindow*> windows;
    for (int i = 1; i <= 10; ++i) {
        windows.append(area.addSubWindow(new QWidget));
        windows.back()->setWindowTitle(QStringLiteral("Plantrek%1").arg(i));
    }
    windows[0]->setWindowTitle(QStringLiteral("Smith & Sons[*]"));
    area.show();
    area.setActiveSubWindow(windows[1]);

    emit menu.aboutToShow();
    QList<QAction*> listed = ListedWindows(menu);
    ASSERT_EQ(listed.size(), 10);
    // The modified mark is the title bar's; an ampersand is shown, not taken as the mnemonic.
    EXPECT_EQ(listed[0]->text(), QStringLiteral("&1 Smith && Sons"));
    EXPECT_EQ(listed[8]->text(), QStringLiteral("&9 Plantrek9"));
    EXPECT_EQ(listed[9]->text(), QStringLiteral("Plantrek10"));  // only nine digits to press
    for (int i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i]->isChecked(), i == 1) << i;
    }

    listed[2]->trigger();
    EXPECT_EQ(area.activeSubWindow(), windows[2]);
    emit menu.aboutToShow();  // opened again: the same list, the new active window checked
    listed = ListedWindows(menu);
    ASSERT_EQ(listed.size(), 10);
    EXPECT_TRUE(listed[2]->isChecked());
    EXPECT_FALSE(listed[1]->isChecked());

    // A window closed while the menu is open: choosing it does nothing.
    delete windows[0];
    listed[0]->trigger();
    EXPECT_EQ(area.activeSubWindow(), windows[2]);
    emit menu.aboutToShow();
    EXPECT_EQ(ListedWindows(menu).size(), 9);
}

}  // namespace
}  // namespace plantrek
