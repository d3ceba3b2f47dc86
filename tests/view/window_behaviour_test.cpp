// The window with several sites open: the modified mark after undo, the view settings every
// window shares, the title, where Tab goes, where File > Open starts, and input with no site to
// take it.
#include <QAction>
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

// When the document counts as changed is the document's undo test; here Save names the window
// and clears its mark, an undo after it sets the mark again and closing asks.
TEST_F(FrameTest, UndoAfterSaveMarksTheSiteChangedAndCloseAsks) {
    frame->NewDocument();
    TypeEach({"3 n", "4 e"});
    chooser.files = {{Path(QStringLiteral("two.tcd")), 1}};
    frame->Router().Run(kFileSave);
    EXPECT_TRUE(frame->windowTitle().contains(QStringLiteral("two.tcd")));
    ASSERT_FALSE(frame->isWindowModified());

    QTest::keyClick(&frame->Input(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(WallCount(), 1);
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(frame->ActiveChild()->isWindowModified());
    prompts.questions.clear();
    prompts.answers = {SaveAnswer::Cancel};
    frame->Router().Run(kFileClose);
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(frame->Children().size(), 1);
}

// That every site sees the setting is the document's view settings test; here the menu's mark
// follows it and the other site's plan redraws untouched.
TEST_F(FrameTest, WallLengthsAreShownInEveryWindow) {
    CTracepadChildFrame* first = frame->NewDocument();
    Type(QStringLiteral("3 n"));
    CTracepadChildFrame* second = frame->NewDocument();
    Type(QStringLiteral("4 e"));
    const QImage withoutLengths = second->Plan().grab().toImage();
    frame->MdiArea().setActiveSubWindow(first);
    ASSERT_FALSE(Checked(*frame, kWallLengths));
    frame->Router().Run(kWallLengths);
    EXPECT_TRUE(Checked(*frame, kWallLengths));
    EXPECT_NE(second->Plan().grab().toImage(), withoutLengths);
    frame->MdiArea().setActiveSubWindow(second);
    EXPECT_TRUE(Checked(*frame, kWallLengths));
    frame->Router().Run(kWallLengths);
    EXPECT_EQ(second->Plan().grab().toImage(), withoutLengths);
}

TEST_F(FrameTest, TheTitleNamesTheSiteOnceMaximizedOrNot) {
    CTracepadChildFrame* child = frame->NewDocument();
    const QString title = Doc().GetTitle();
    for (const bool maximized : {true, false, true}) {
        SCOPED_TRACE(maximized);
        maximized ? child->showMaximized() : child->showNormal();
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
        QWidget* const line = &frame->Input();
        QWidget* const plan = &active->Plan();
        line->setFocus();
        for (const auto& [key, to] : {std::pair{Qt::Key_Tab, plan}, {Qt::Key_Tab, line},
                                     {Qt::Key_Backtab, plan}, {Qt::Key_Backtab, line}}) {
            QTest::keyClick(QApplication::focusWidget(), key,
                            key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            EXPECT_EQ(frame->ActiveChild(), active);
            EXPECT_EQ(QApplication::focusWidget(), to);
        }
    }

    // The window commands switch, one site at a time, from the input line and from a plan.
    const QList<QMdiSubWindow*> order = frame->MdiArea().subWindowList();
    frame->MdiArea().setActiveSubWindow(order[0]);
    QTest::keyClick(&frame->Input(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame->MdiArea().activeSubWindow(), order[1]);
    QTest::keyClick(&frame->Input(), Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ(frame->MdiArea().activeSubWindow(), order[2]);
    QTest::keyClick(&frame->Input(), Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frame->MdiArea().activeSubWindow(), order[1]);
    auto* plan = &static_cast<CTracepadChildFrame*>(order[1])->Plan();
    plan->setFocus();
    QTest::keyClick(plan, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frame->MdiArea().activeSubWindow(), order[0]);
}

TEST_F(FrameTest, OpenStartsInTheFolderOfTheActiveOrTheLastSite) {
    const QString sites = QDir(Path(QStringLiteral("sites"))).absolutePath();
    const QString others = QDir(Path(QStringLiteral("others"))).absolutePath();
    ASSERT_TRUE(QDir().mkpath(sites) && QDir().mkpath(others));

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
