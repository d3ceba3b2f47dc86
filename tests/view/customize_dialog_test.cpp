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

// The dialog's line for a command's button; its parent is the toolbar's line.
QTreeWidgetItem* ButtonItem(QTreeWidget& tree, const QAction* command) {
    const QList<QTreeWidgetItem*> found =
        tree.findItems(command->toolTip(), Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found[0] : nullptr;
}

TEST_F(FrameTest, CustomizeHidesButtonsAndToolbarsWhateverTheirTitles) {
    auto* main = frame->findChild<QToolBar*>(QStringLiteral("Main"));
    auto* tools = frame->findChild<QToolBar*>(QStringLiteral("Tools"));
    ASSERT_TRUE(main != nullptr && tools != nullptr);
    // Titles are only shown and may be alike (a translation); each line still reaches its own
    // toolbar.
    main->setWindowTitle(QStringLiteral("Bar"));
    tools->setWindowTitle(QStringLiteral("Bar"));
    QAction* cut = frame->Router().Action(kEditCut);
    {
        CustomizeDialog dialog(frame->ToolBars(), frame->Router(), frame.get());
        QTreeWidgetItem* cutItem = ButtonItem(dialog.Tree(), cut);
        QTreeWidgetItem* reverseItem =
            ButtonItem(dialog.Tree(), frame->Router().Action(kReverseWalls));
        ASSERT_TRUE(cutItem != nullptr && reverseItem != nullptr);
        EXPECT_EQ(cutItem->checkState(0), Qt::Checked);
        cutItem->setCheckState(0, Qt::Unchecked);
        EXPECT_FALSE(main->actions().contains(cut));
        EXPECT_TRUE(main->actions().contains(frame->Router().Action(kEditCopy)));
        reverseItem->parent()->setCheckState(0, Qt::Unchecked);
        EXPECT_FALSE(tools->isVisible());
        EXPECT_TRUE(main->isVisible());
    }

    DropFrame();
    MakeFrame();
    main = frame->findChild<QToolBar*>(QStringLiteral("Main"));
    cut = frame->Router().Action(kEditCut);
    EXPECT_FALSE(main->actions().contains(cut));
    EXPECT_FALSE(frame->findChild<QToolBar*>(QStringLiteral("Tools"))->isVisible());
    CustomizeDialog dialog(frame->ToolBars(), frame->Router(), frame.get());
    QTreeWidgetItem* cutItem = ButtonItem(dialog.Tree(), cut);
    ASSERT_NE(cutItem, nullptr);
    EXPECT_EQ(cutItem->checkState(0), Qt::Unchecked);
    cutItem->setCheckState(0, Qt::Checked);  // and back
    EXPECT_TRUE(main->actions().contains(cut));
}

}  // namespace
}  // namespace plantrek::test
