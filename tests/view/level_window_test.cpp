// Levels in the window: the Levels toolbar and the keys that switch, picking on the level shown
// only, moving a room between levels, two windows of one site on different levels, and Delete
// Level's question. What the document does with levels is the document's own test.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QToolBar>

#include "frame_fixture.h"
#include "model/site.h"
#include "resources/command_ids.h"
#include "scripted_form_dialogs.h"
#include "view/commands/command_router.h"
#include "view/handlers/level_handlers.h"
#include "view/level_chooser.h"
#include "view/tracepad_view.h"

namespace plantrek::test {
namespace {

using namespace command_id;

// A metric site whose one room, "Room 1", runs N 4 m, E 3 m, S 4 m, W 3 m from (0, 0) on the
// ground floor, with "Upper Floor" 3 m above it added and shown.
class LevelWindowTest : public FrameTest {
protected:
    LevelWindowTest() {
        frame->NewDocument();
        Doc().Prefs().SetInputValues(PrefsInputValues{1, 0, 1, 0, 0});  // metres
        TypeEach({"4 n", "3 e", "4 s", "3 w"});
        groundTitle = frame->ActiveChild()->windowTitle();
        EXPECT_FALSE(Bar().isVisible());
        EXPECT_FALSE(frame->TotalsPane().isVisible());
        Doc().AddLevel(Level{QStringLiteral("Upper Floor"), 3.0, 0.0});
    }
    QToolBar& Bar() { return frame->Levels().Bar(); }
    QComboBox& Box() { return frame->Levels().Box(); }
    CTracepadView& Plan(CTracepadChildFrame* child = nullptr) {
        return (child != nullptr ? child : frame->ActiveChild())->Plan();
    }
    Room* TheRoom() { return Doc().GetSite()->GetRoom(0); }
    QStringList Listed() {
        QStringList names;
        for (int row = 0; row < Box().count(); ++row) {
            names.append(Box().itemText(row));
        }
        return names;
    }
    void Key(QWidget* target, Qt::Key key) { QTest::keyClick(target, key, Qt::ControlModifier); }
    void ClickAt(PlanPoint point) {
        const DevicePoint p = Plan().Viewport().WindowTransform().ToDevice(point);
        QTest::mouseClick(Plan().viewport(), Qt::LeftButton, {}, QPoint(p.x, p.y));
    }

    QString groundTitle;
};

TEST_F(LevelWindowTest, TheChooserComesWithASecondLevelAndTheKeysSwitchLevels) {
    const QString name = Doc().GetTitle();
    ASSERT_TRUE(Bar().isVisible());
    EXPECT_EQ(Box().accessibleName(), QStringLiteral("Level"));
    EXPECT_EQ(Listed(),
              QStringList({QStringLiteral("Upper Floor"), QStringLiteral("Ground Floor")}));
    const struct {
        const char* how;
        std::function<void()> step;
        int level;
        const char* shown;
        const char* totals;
    } steps[] = {
        {"Ctrl+PgDown on the input line", [&] { Key(&frame->Input(), Qt::Key_PageDown); }, 0,
         "Ground Floor", "Ground Floor: 1 room, 12.00 sm; site: 1 room, 12.00 sm"},
        {"Ctrl+PgUp in the plan", [&] { Key(&Plan(), Qt::Key_PageUp); }, 1, "Upper Floor",
         "Upper Floor: 0 rooms, 0.00 sm; site: 1 room, 12.00 sm"},
        {"the list", [&] { QTest::keyClick(&Box(), Qt::Key_Down); }, 0, "Ground Floor", nullptr},
        {"nothing below the lowest", [&] { Key(&frame->Input(), Qt::Key_PageDown); }, 0,
         "Ground Floor", nullptr},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.how);
        s.step();
        EXPECT_EQ(Plan().Level(), s.level);
        EXPECT_EQ(Doc().GetCurrentLevel(), s.level);
        EXPECT_EQ(Box().currentText(), QString::fromLatin1(s.shown));
        EXPECT_EQ(
            frame->ActiveChild()->windowTitle(),
            name + QStringLiteral(" - ") + QString::fromLatin1(s.shown) + QStringLiteral("[*]"));
        if (s.totals != nullptr) {
            EXPECT_EQ(frame->TotalsPane().text(), QString::fromLatin1(s.totals));
        }
    }
    frame->Router().Refresh();
    EXPECT_TRUE(frame->Router().Action(kShowLevelBelow)->isChecked());
    EXPECT_FALSE(frame->Router().Action(kLevelBelow)->isEnabled());

    // Undoing the new level takes the toolbar, the title's level and the totals away again.
    frame->Router().Run(kEditUndo);
    EXPECT_EQ(Doc().GetSite()->LevelCount(), 1);
    EXPECT_FALSE(Bar().isVisible());
    EXPECT_FALSE(frame->TotalsPane().isVisible());
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), groundTitle);
}

// The totals of a level are kept between changes and counted again only when it changes.
TEST_F(LevelWindowTest, TheTotalsFollowChangesOnEitherLevel) {
    const auto totals = [this] { return frame->TotalsPane().text().toStdString(); };
    ASSERT_EQ(Plan().Level(), 1);
    Doc().NewRoom(QStringLiteral("Landing"), 0);
    TypeEach({"2 n", "2 e", "2 s", "2 w"});
    EXPECT_EQ(totals(), "Upper Floor: 1 room, 4.00 sm; site: 2 rooms, 16.00 sm");
    Key(&frame->Input(), Qt::Key_PageDown);
    EXPECT_EQ(totals(), "Ground Floor: 1 room, 12.00 sm; site: 2 rooms, 16.00 sm");
    // Undoing the landing step by step brings its level back and at last takes it away.
    for (int step = 0; step < 8 && Doc().GetSite()->RoomCount() > 1; ++step) {
        frame->Router().Run(kEditUndo);
    }
    EXPECT_EQ(totals(), "Upper Floor: 0 rooms, 0.00 sm; site: 1 room, 12.00 sm");
}

TEST_F(LevelWindowTest, AClickWhereOnlyAFaintRoomOfTheLevelBelowLiesPicksNothing) {
    ASSERT_EQ(Plan().Level(), 1);
    ClickAt({1.5, 2.0});
    EXPECT_EQ(Doc().GetCurrentRoom(), nullptr);
    EXPECT_EQ(Doc().GetCurrentLevel(), 1);
    Key(&Plan(), Qt::Key_PageDown);
    ClickAt({1.5, 2.0});
    EXPECT_EQ(Doc().GetCurrentRoom(), TheRoom());
}

TEST_F(LevelWindowTest, MoveRoomToLevelIsUndoneAndRedoneAndThePlanFollows) {
    auto dialogs = std::make_shared<ScriptedFormDialogs>();
    MoveToLevelForm asked;
    dialogs->reply = [&asked](AnyForm form) {
        MoveToLevelForm& f = *std::get<MoveToLevelForm*>(form);
        asked = f;
        f.chosen = 1;
        return true;
    };
    RegisterLevelHandlers(frame->Router(),
                          {[this] { return frame->ActiveDocument(); }, &prompts, dialogs});
    Doc().SelectRoom(TheRoom());
    ASSERT_EQ(Plan().Level(), 0);
    frame->Router().Run(kMoveRoomToLevel);
    EXPECT_EQ(asked.room, QStringLiteral("Room 1"));
    EXPECT_EQ(asked.levels,
              QStringList({QStringLiteral("Ground Floor"), QStringLiteral("Upper Floor")}));
    EXPECT_EQ(Plan().Level(), 1);
    const struct {
        int command;
        int level;
    } steps[] = {{0, 1}, {kEditUndo, 0}, {kEditRedo, 1}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.command);
        if (s.command != 0) {
            frame->Router().Run(s.command);
        }
        EXPECT_EQ(TheRoom()->GetLevel(), s.level);
        // Undo goes back to the level of the step before; the plan and the list follow.
        EXPECT_EQ(Plan().Level(), Doc().GetCurrentLevel());
        EXPECT_EQ(Box().currentIndex(), 1 - Plan().Level());
    }
}

TEST_F(LevelWindowTest, TwoWindowsOfOneSiteEachKeepTheirLevel) {
    CTracepadChildFrame* first = frame->ActiveChild();
    frame->Router().Run(kWindowNew);
    CTracepadChildFrame* second = frame->ActiveChild();
    ASSERT_NE(first, second);
    EXPECT_EQ(Plan(second).Level(), 1);
    Key(&frame->Input(), Qt::Key_PageDown);
    frame->MdiArea().setActiveSubWindow(first);
    EXPECT_EQ(Plan(first).Level(), 1);
    EXPECT_EQ(Doc().GetCurrentLevel(), 1);
    EXPECT_EQ(Plan(second).Level(), 0);
    EXPECT_TRUE(first->windowTitle().endsWith(QStringLiteral(" - Upper Floor[*]")));
    EXPECT_TRUE(second->windowTitle().endsWith(QStringLiteral(" - Ground Floor[*]")));
    // A level added under both moves the others up; each window keeps its own by name.
    Doc().AddLevel(Level{QStringLiteral("Basement"), -3.0, 0.0});
    EXPECT_EQ(Plan(first).Level(), 0);
    EXPECT_EQ(Plan(second).Level(), 1);
    frame->MdiArea().setActiveSubWindow(second);
    EXPECT_EQ(Doc().GetCurrentLevel(), 1);
    EXPECT_EQ(Box().currentText(), QStringLiteral("Ground Floor"));
}

TEST_F(LevelWindowTest, DeleteLevelAsksAndNoChangesNothing) {
    EXPECT_EQ(DeleteLevelQuestion(QStringLiteral("Attic"), 0),
              QStringLiteral("Delete the level \"Attic\"?"));
    EXPECT_EQ(DeleteLevelQuestion(QStringLiteral("Attic"), 3),
              QStringLiteral("Delete the level \"Attic\" and its 3 rooms?"));
    // Return on the empty line starts a room at the start point, on the level shown.
    TypeEach({"", "2 n", "2 e", "2 s", "2 w"});
    const int steps = Doc().UndoHistory().Position();
    prompts.yesNo = {false};
    frame->Router().Run(kDeleteLevel);
    ASSERT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(prompts.questions[0],
              QStringLiteral("Delete the level \"Upper Floor\" and its 1 room?"));
    EXPECT_EQ(Doc().GetSite()->LevelCount(), 2);
    EXPECT_EQ(Doc().UndoHistory().Position(), steps);
    frame->Router().Run(kDeleteLevel);
    EXPECT_EQ(Doc().GetSite()->LevelCount(), 1);
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_FALSE(Bar().isVisible());
    frame->Router().Refresh();
    EXPECT_FALSE(frame->Router().Action(kDeleteLevel)->isEnabled());
}

}  // namespace
}  // namespace plantrek::test
