// View > Customize: the toolbars and their buttons, shown or hidden at once and across restarts.
#include <QAction>
#include <QToolBar>
#include <QTreeWidget>

#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/dialogs/customize_dialog.h"

namespace plantrek::test {
namespace {

using namespace command_id;

// The dialog's line for a toolbar: the one listing the command's button.
QTreeWidgetItem* ToolBarItem(QTreeWidget& tree, const QString& buttonText) {
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        QTreeWidgetItem* bar = tree.topLevelItem(i);
        for (int j = 0; j < bar->childCount(); ++j) {
            if (bar->child(j)->text(0) == buttonText) {
                return bar;
            }
        }
    }
    return nullptr;
}

QTreeWidgetItem* ButtonItem(QTreeWidget& tree, const QString& buttonText) {
    QTreeWidgetItem* bar = ToolBarItem(tree, buttonText);
    for (int j = 0; bar != nullptr && j < bar->childCount(); ++j) {
        if (bar->child(j)->text(0) == buttonText) {
            return bar->child(j);
        }
    }
    return nullptr;
}

TEST_F(FrameTest, CustomizeHidesButtonsAndToolbarsWhateverTheirTitles) {
    auto* main = frame->findChild<QToolBar*>(QStringLiteral("Main"));
    auto* tools = frame->findChild<QToolBar*>(QStringLiteral("Tools"));
    ASSERT_NE(main, nullptr);
    ASSERT_NE(tools, nullptr);
    // Titles are only shown and may be alike (a translation); each line still reaches its own
    // toolbar.
    main->setWindowTitle(QStringLiteral("Bar"));
    tools->setWindowTitle(QStringLiteral("Bar"));
    QAction* cut = frame->Router().Action(kEditCut);
    QAction* reverse = frame->Router().Action(kReverseWalls);
    {
        CustomizeDialog dialog(frame->ToolBars(), frame->Router(), frame.get());
        QTreeWidget& tree = dialog.Tree();
        QTreeWidgetItem* cutItem = ButtonItem(tree, cut->toolTip());
        ASSERT_NE(cutItem, nullptr);
        EXPECT_EQ(cutItem->checkState(0), Qt::Checked);
        cutItem->setCheckState(0, Qt::Unchecked);
        EXPECT_FALSE(main->actions().contains(cut));
        EXPECT_TRUE(main->actions().contains(frame->Router().Action(kEditCopy)));

        QTreeWidgetItem* toolsItem = ToolBarItem(tree, reverse->toolTip());
        ASSERT_NE(toolsItem, nullptr);
        toolsItem->setCheckState(0, Qt::Unchecked);
        EXPECT_FALSE(tools->isVisible());
        EXPECT_TRUE(main->isVisible());
    }

    DropFrame();
    MakeFrame();
    main = frame->findChild<QToolBar*>(QStringLiteral("Main"));
    EXPECT_FALSE(main->actions().contains(frame->Router().Action(kEditCut)));
    EXPECT_FALSE(frame->findChild<QToolBar*>(QStringLiteral("Tools"))->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->actions().contains(frame->Router().Action(kEditCopy)));
    CustomizeDialog dialog(frame->ToolBars(), frame->Router(), frame.get());
    QTreeWidgetItem* cutItem =
        ButtonItem(dialog.Tree(), frame->Router().Action(kEditCut)->toolTip());
    ASSERT_NE(cutItem, nullptr);
    EXPECT_EQ(cutItem->checkState(0), Qt::Unchecked);
    cutItem->setCheckState(0, Qt::Checked);  // and back
    EXPECT_TRUE(main->actions().contains(frame->Router().Action(kEditCut)));
}

}  // namespace
}  // namespace plantrek::test
