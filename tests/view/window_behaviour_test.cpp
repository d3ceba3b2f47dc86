// The window with several sites open: the modified mark after undo, the view settings every
// window shares, the title, where Tab goes, pasting from the input line, where File > Open
// starts, and input with no site to take it.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QMdiArea>
#include <QStatusBar>

#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/keypad.h"
#include "view/tracepad_view.h"

namespace plantrek::test {
namespace {

using namespace command_id;

bool Checked(CTracepadMainFrame& frame, int id) {
    frame.Router().Refresh();
    return frame.Router().Action(id)->isChecked();
}

TEST_F(FrameTest, UndoAfterSaveMarksTheSiteChangedAndCloseAsks) {
    frame->NewDocument();
    Type(QStringLiteral("3 n"));
    Type(QStringLiteral("4 e"));
    chooser.files = {{Path(QStringLiteral("two.tcd")), 1}};
    frame->Router().Run(kFileSave);
    ASSERT_FALSE(frame->isWindowModified());

    QTest::keyClick(&frame->Input(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(WallCount(), 1);
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(frame->ActiveChild()->isWindowModified());
    prompts.questions.clear();
    prompts.answers = {SaveAnswer::Cancel};
    frame->Router().Run(kFileClose);
    EXPECT_EQ(prompts.questions.size(), 1);
    ASSERT_EQ(frame->Children().size(), 1);

    // Redo back to the saved state: nothing to ask.
    QTest::keyClick(&frame->Input(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(frame->isWindowModified());
    prompts.questions.clear();
    frame->Router().Run(kFileClose);
    EXPECT_TRUE(prompts.questions.isEmpty());
    EXPECT_TRUE(frame->Children().isEmpty());
}

TEST_F(FrameTest, WallLengthsAndDragModeAreTheSameInEveryWindow) {
    CTracepadChildFrame* first = frame->NewDocument();
    Type(QStringLiteral("3 n"));
    CTracepadChildFrame* second = frame->NewDocument();
    Type(QStringLiteral("4 e"));
    const QImage withoutLengths = second->Plan().grab().toImage();

    for (const int id : {kWallLengths, kDragMode}) {
        SCOPED_TRACE(id);
        frame->MdiArea().setActiveSubWindow(first);
        ASSERT_FALSE(Checked(*frame, id));
        frame->Router().Run(id);
        EXPECT_TRUE(Checked(*frame, id));
        frame->MdiArea().setActiveSubWindow(second);
        EXPECT_TRUE(Checked(*frame, id));
    }
    EXPECT_TRUE(second->Document().Prefs().GetDrawingValues().ShowWallLengths);
    // The other window shows the lengths without being touched.
    EXPECT_NE(second->Plan().grab().toImage(), withoutLengths);

    frame->Router().Run(kWallLengths);
    EXPECT_EQ(second->Plan().grab().toImage(), withoutLengths);
    frame->MdiArea().setActiveSubWindow(first);
    EXPECT_FALSE(Checked(*frame, kWallLengths));
    EXPECT_FALSE(first->Document().Prefs().GetDrawingValues().ShowWallLengths);
}

TEST_F(FrameTest, TheTitleNamesTheSiteOnceMaximizedOrNot) {
    CTracepadChildFrame* child = frame->NewDocument();
    const QString title = Doc().GetTitle();
    for (const bool maximized : {true, false, true}) {
        SCOPED_TRACE(maximized);
        if (maximized) {
            child->showMaximized();
        } else {
            child->showNormal();
        }
        ASSERT_EQ(child->isMaximized(), maximized);
        EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("Plantrek - ")));
        EXPECT_EQ(frame->windowTitle().count(title), 1) << frame->windowTitle().toStdString();
        Type(QStringLiteral("3 n"));
        EXPECT_TRUE(frame->isWindowModified());
        EXPECT_EQ(frame->windowTitle().count(title), 1) << frame->windowTitle().toStdString();
    }
}

TEST_F(FrameTest, TabStaysInTheActiveSiteAndTheWindowCommandsSwitchSites) {
    for (int i = 0; i < 3; ++i) {
        frame->NewDocument();
    }
    for (const bool tiled : {false, true}) {
        SCOPED_TRACE(tiled);
        if (tiled) {
            frame->Router().Run(kWindowTile);  // every site's plan can be seen and reached
        }
        CTracepadChildFrame* active = frame->ActiveChild();
        QWidget* plan = &active->Plan();
        frame->Input().setFocus();
        struct Step {
            QWidget* from;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            QWidget* to;
        };
        for (const Step& step : {Step{&frame->Input(), Qt::Key_Tab, Qt::NoModifier, plan},
                                 Step{plan, Qt::Key_Tab, Qt::NoModifier, &frame->Input()},
                                 Step{&frame->Input(), Qt::Key_Backtab, Qt::ShiftModifier, plan},
                                 Step{plan, Qt::Key_Backtab, Qt::ShiftModifier, &frame->Input()}}) {
            ASSERT_TRUE(step.from->hasFocus());
            QTest::keyClick(step.from, step.key, step.modifiers);
            EXPECT_EQ(frame->ActiveChild(), active);
            EXPECT_EQ(QApplication::focusWidget(), step.to);
        }
    }

    // The window commands switch, one site at a time, from the input line.
    const QList<QMdiSubWindow*> order = frame->MdiArea().subWindowList();
    frame->MdiArea().setActiveSubWindow(order[0]);
    QTest::keyClick(&frame->Input(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame->MdiArea().activeSubWindow(), order[1]);
    QTest::keyClick(&frame->Input(), Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ(frame->MdiArea().activeSubWindow(), order[2]);
    QTest::keyClick(&frame->Input(), Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frame->MdiArea().activeSubWindow(), order[1]);
    // From a plan too, still one site at a time.
    auto* plan = &static_cast<CTracepadChildFrame*>(order[1])->Plan();
    plan->setFocus();
    QTest::keyClick(plan, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frame->MdiArea().activeSubWindow(), order[0]);
}

TEST_F(FrameTest, CtrlVOnAnEmptyLinePastesTheKeptRoomAndOtherwiseText) {
    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    frame->NewDocument();
    // Nothing kept: the line takes the text.
    QTest::keyClick(&frame->Input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(frame->Input().text(), QStringLiteral("5"));
    frame->Input().clear();

    Type(QStringLiteral("3 n"));
    Type(QStringLiteral("4 e"));
    frame->Router().Run(kEditCopy);
    Type(QString());  // up to the start point, where a room can be pasted
    ASSERT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    QTest::keyClick(&frame->Input(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Doc().GetSite()->RoomCount(), 2);
    EXPECT_EQ(Doc().GetSite()->GetRoom(1)->WallCount(true), 2);
    EXPECT_TRUE(frame->Input().text().isEmpty());

    // With text in the line the key pastes text.
    QTest::keyClicks(&frame->Input(), QStringLiteral("1"));
    QTest::keyClick(&frame->Input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(frame->Input().text(), QStringLiteral("15"));
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 2);
}

TEST_F(FrameTest, OpenStartsInTheFolderOfTheActiveOrTheLastSite) {
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("sites")));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("others")));
    const QString sites = QDir(Path(QStringLiteral("sites"))).absolutePath();
    const QString others = QDir(Path(QStringLiteral("others"))).absolutePath();

    CTracepadChildFrame* first = frame->NewDocument();
    chooser.files = {{sites + QStringLiteral("/a.tcd"), 1}};
    frame->Router().Run(kFileSaveAs);
    frame->NewDocument();
    chooser.files = {{others + QStringLiteral("/b.tcd"), 1}};
    frame->Router().Run(kFileSaveAs);

    frame->MdiArea().setActiveSubWindow(first);
    frame->Router().Run(kFileOpen);  // cancelled: the chooser has nothing queued
    EXPECT_EQ(chooser.lastFolder, sites);
    frame->NewDocument();  // no folder of its own: the last site saved
    frame->Router().Run(kFileOpen);
    EXPECT_EQ(chooser.lastFolder, others);
}

TEST_F(FrameTest, EntriesWithNoSiteOpenAreExplainedInTheStatusBar) {
    ASSERT_EQ(frame->ActiveDocument(), nullptr);
    Type(QStringLiteral("3 n"));
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("No site is open")));
    EXPECT_EQ(frame->Input().text(), QStringLiteral("3 n"));

    frame->statusBar()->clearMessage();
    emit frame->Keypad().submitted(QStringLiteral("3 N"));
    EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith(QStringLiteral("No site is open")));
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("\"3 N\"")));

    // Once a site is open the kept text goes in.
    frame->NewDocument();
    QTest::keyClick(&frame->Input(), Qt::Key_Return);
    EXPECT_EQ(WallCount(), 1);
}

}  // namespace
}  // namespace plantrek::test
