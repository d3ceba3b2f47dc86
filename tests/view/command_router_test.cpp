// The router without a window: each command runs through its handler only when its catalog rule,
// answered by the object the rule belongs to, allows it; Refresh shows those answers.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "resources/command_catalog.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/frame_fixture.h"
#include "view/tracepad_view.h"

namespace plantrek::test {
namespace {

using namespace command_id;

class CommandRouterTest : public ::testing::Test {
protected:
    CommandRouterTest() {
        for (const auto& [scope, state] : {std::pair{RuleScope::Document, &document},
                                           {RuleScope::Frame, &frame}, {RuleScope::View, &view}}) {
            router.SetRuleAnswer(scope, [this, scope = scope, state = state](int id, CommandRule) {
                asked[scope] = id;
                return *state;
            });
        }
    }
    void Count(int id) {
        router.SetHandler(id, {[this, id] { ++runs[id]; }});
    }

    CommandRouter router;
    CommandState document{}, frame{}, view{};
    std::map<RuleScope, int> asked;
    std::map<int, int> runs;
};

TEST_F(CommandRouterTest, RunsOnlyWhatTheOwnerOfTheRuleAllows) {
    // Undo is the document's rule, Save the frame's (a window is active), Zoom In the view's;
    // New needs nobody's state. How often each has run after every one is tried once more:
    const auto tryAll = [this] {
        for (const int id : {kEditUndo, kFileSave, kZoomIn, kFileNew}) {
            Count(id);
            router.Run(id);
        }
        return std::vector<int>{runs[kEditUndo], runs[kFileSave], runs[kZoomIn], runs[kFileNew]};
    };
    EXPECT_EQ(tryAll(), (std::vector<int>{0, 0, 0, 1})) << "every owner said no";
    EXPECT_EQ(asked, (std::map<RuleScope, int>{{RuleScope::Document, kEditUndo},
                                               {RuleScope::Frame, kFileSave},
                                               {RuleScope::View, kZoomIn}}));
    document = {true, false};
    EXPECT_EQ(tryAll(), (std::vector<int>{1, 0, 0, 2})) << "the document's yes is not the frame's";
    frame = view = {true, false};
    EXPECT_EQ(tryAll(), (std::vector<int>{2, 1, 1, 3}));
}

TEST_F(CommandRouterTest, RefreshShowsEachRuleAndChecksOnlyWhatCanBeChecked) {
    for (const int id : {kCloseSquare, kEditUndo, kWallLengths, kReconnectDisto}) {
        Count(id);
    }
    QAction* close = router.Action(kCloseSquare);
    QAction* undo = router.Action(kEditUndo);
    QAction* lengths = router.Action(kWallLengths);
    QAction* reconnect = router.Action(kReconnectDisto);
    QAction* unhandled = router.Action(kArcWall);
    EXPECT_TRUE(close->isCheckable() && lengths->isCheckable());
    EXPECT_FALSE(undo->isCheckable() || reconnect->isCheckable());

    document = {true, true};
    frame = {false, false};  // the meter is being searched for, lengths hidden
    router.Refresh();
    EXPECT_TRUE(close->isEnabled());
    EXPECT_TRUE(close->isChecked());
    EXPECT_FALSE(undo->isChecked()) << "a rule that never checks shows no mark";
    EXPECT_FALSE(reconnect->isEnabled());
    EXPECT_FALSE(unhandled->isEnabled()) << "nothing would run it";

    frame = {true, true};
    router.Refresh();
    EXPECT_TRUE(reconnect->isEnabled());
    EXPECT_TRUE(lengths->isChecked());

    // A trigger goes through the same rule as Run.
    frame = {false, false};
    reconnect->trigger();
    EXPECT_EQ(runs.count(kReconnectDisto), 0u);
    EXPECT_FALSE(reconnect->isEnabled()) << "a stale action is refreshed";
}

// Every command the catalog offers has one handler in the window, and nothing else has one.
TEST_F(FrameTest, EveryCatalogCommandHasAHandlerAndNoHandlerLacksARow) {
    for (const CommandRow& row : CommandCatalog()) {
        SCOPED_TRACE(std::to_string(row.id) + " " + row.PlainName().toStdString());
        EXPECT_EQ(frame->Router().HasHandler(row.id), (row.flags & kNoHandler) == 0);
    }
    for (const int id : frame->Router().HandledIds()) {
        EXPECT_NE(FindCommand(id), nullptr) << id;
    }
}

// A context menu shows the menu bar's own actions, so its states are the menu bar's at every
// selection level.
TEST_F(FrameTest, ContextMenusShowTheMenuBarsActionsAtEverySelectionLevel) {
    CTracepadChildFrame* child = frame->NewDocument();
    TypeEach({"3 n", "4 e"});
    Room* room = Doc().GetCurrentRoom();
    Doc().SelectWall(room, room->GetWall(0, true));
    // The command actions under a menu, its submenus' included.
    const std::function<QList<QAction*>(const QList<QAction*>&)> leaves =
        [&](const QList<QAction*>& actions) {
            QList<QAction*> found;
            for (QAction* action : actions) {
                if (action->menu() != nullptr) {
                    found += leaves(action->menu()->actions());
                } else if (!action->isSeparator()) {
                    found << action;
                }
            }
            return found;
        };
    const QList<QAction*> onMenuBar = leaves(frame->menuBar()->actions());
    std::set<SelectionLevel> levels;
    for (int step = 0; step < 3; ++step) {
        levels.insert(Doc().GetSelectionLevel());
        QList<QAction*> shown;
        child->Plan().SetMenuPresenter([&](QMenu& menu, QPoint) { shown = leaves(menu.actions()); });
        QTest::keyClick(&child->Plan(), Qt::Key_Menu);
        EXPECT_FALSE(shown.isEmpty());
        for (QAction* action : shown) {
            const int id = action->data().toInt();
            EXPECT_TRUE(onMenuBar.contains(action)) << id;
            const CommandState state = frame->Router().StateOf(id);
            EXPECT_EQ(action->isEnabled(), state.enabled) << id;
            EXPECT_EQ(action->isChecked(), action->isCheckable() && state.checked) << id;
        }
        Type(QString());  // an empty line steps the selection up
    }
    EXPECT_EQ(levels, (std::set<SelectionLevel>{kLevelStartPoint, kLevelRoom, kLevelWall}));
}

}  // namespace
}  // namespace plantrek::test
