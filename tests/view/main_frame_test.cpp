// The main window as a surveyor uses it: typing walls, the keyboard on the input line, the
// status bar, command states, the clip commands, files and export.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "view/child_frame.h"
#include "view/commands/command_router.h"
#include "view/keypad.h"
#include "document/recent_files.h"

namespace plantrek::test {
namespace {

using namespace command_id;

bool Enabled(CTracepadMainFrame& frame, int id) {
    frame.Router().Refresh();
    return frame.Router().Action(id)->isEnabled();
}

// Which texts are refused, with which message and icon, is the document's input test; here a
// refused entry stays in the field for correction and a wall taken empties it, the field keeps
// the keyboard, and on an empty field Ctrl+Z and Ctrl+Y undo and redo the plan while Delete
// never deletes a room; with text in the field the keys edit the text.
TEST_F(FrameTest, TheInputLineTakesWallsAndOnlyWhenEmptyUndoesThePlan) {
    frame->NewDocument();
    Type(QStringLiteral("abc"));
    EXPECT_EQ(WallCount(), 0);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(frame->Input().text(), QStringLiteral("abc"));
    EXPECT_TRUE(frame->Input().hasFocus());
    frame->Input().clear();
    TypeEach({"3 n", "4 e"});
    ASSERT_EQ(WallCount(), 2);
    EXPECT_TRUE(frame->Input().text().isEmpty());
    EXPECT_TRUE(frame->Input().hasFocus());

    QTest::keyClick(&frame->Input(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(WallCount(), 1);
    QTest::keyClick(&frame->Input(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(WallCount(), 2);
    QTest::keyClicks(&frame->Input(), QStringLiteral("12"));
    QTest::keyClick(&frame->Input(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(WallCount(), 2);
    frame->Input().clear();
    QTest::keyClick(&frame->Input(), Qt::Key_Delete);
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_EQ(WallCount(), 2);
}

// The rules themselves are the document's (command_state_test); here the selection pane and the
// menus show the active site's selection and answers, and nothing once it is closed.
TEST_F(FrameTest, SelectionPaneAndCommandStatesFollowTheActiveSite) {
    EXPECT_TRUE(Enabled(*frame, kFileNew));
    frame->NewDocument();
    Doc().Prefs().SetInputValues(PrefsInputValues{1, 0, 1, 0, 0});  // metres
    EXPECT_EQ(frame->SelectionPane().text(), QStringLiteral("Selected: \"Room 1\""));
    EXPECT_TRUE(Enabled(*frame, kRoomProperties));
    EXPECT_TRUE(frame->Router().Action(kCloseSquare)->isChecked());

    Type(QStringLiteral("3.81 ne"));
    EXPECT_TRUE(Enabled(*frame, kEditUndo));
    Room* room = Doc().GetCurrentRoom();
    Doc().SelectWall(room, room->GetWall(0, true));
    EXPECT_EQ(frame->SelectionPane().text(),
              QStringLiteral("Selected: 3.81 m @ NE wall in \"Room 1\""));
    TypeEach({"", ""});  // up to the room, then to the start point
    EXPECT_EQ(frame->SelectionPane().text(), QStringLiteral("Selected: Room start point"));

    prompts.answers = {SaveAnswer::No};
    frame->Router().Run(kFileClose);
    EXPECT_FALSE(Enabled(*frame, kEditUndo) || Enabled(*frame, kFileSave));
    EXPECT_EQ(frame->SelectionPane().text(), QString());
}

// What the clip commands do to the plan is the document's (tracepad_doc_clip_test); here the
// kept room crosses to another site without the system clipboard, and Ctrl+V pastes it from an
// empty input line but text into a line that holds some.
TEST_F(FrameTest, ARoomIsCarriedBetweenSitesWithoutTheClipboard) {
    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    frame->NewDocument();
    QTest::keyClick(&frame->Input(), Qt::Key_V, Qt::ControlModifier);  // nothing kept: the text
    EXPECT_EQ(frame->Input().text(), QStringLiteral("5"));
    frame->Input().clear();
    TypeEach({"3 n", "4 e"});
    frame->Router().Run(kEditCopy);
    ASSERT_NE(frame->KeptClipItem(), nullptr);

    frame->NewDocument();
    Type(QString());  // the empty room goes; the start point is selected
    ASSERT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    QTest::keyClick(&frame->Input(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_EQ(Doc().GetSite()->GetRoom(0)->WallCount(true), 2);
    QTest::keyClicks(&frame->Input(), QStringLiteral("1"));
    QTest::keyClick(&frame->Input(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(frame->Input().text(), QStringLiteral("15"));
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);

    frame->Router().Run(kEditCut);  // takes the room away and keeps it
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 0);
    EXPECT_EQ(frame->KeptClipItem()->Kind(), ClipKind::Room);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("5"));
}

// Which window asks, and what each answer does, is the document manager's test; here the window
// commands reach it: closing the program asks about the site shown twice, closing one of its
// two windows asks nothing, and the titles number the windows.
TEST_F(FrameTest, NewWindowShowsTheSameDocumentAndOnlyItsLastWindowAsksToSave) {
    frame->NewDocument();
    const QString title = Doc().GetTitle();
    frame->Router().Run(kWindowNew);
    ASSERT_EQ(frame->Children().size(), 2);
    CTracepadChildFrame* first = frame->Children()[0];
    ASSERT_EQ(&first->Document(), &frame->Children()[1]->Document());
    EXPECT_EQ(first->windowTitle(), title + QStringLiteral(":1[*]"));
    Type(QStringLiteral("3 n"));  // typed into the active window: both show the wall
    EXPECT_EQ(first->Document().GetSite()->GetRoom(0)->WallCount(true), 1);

    prompts.questions.clear();
    prompts.answers = {SaveAnswer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(frame->Children().size(), 2);
    frame->Router().Run(kFileClose);
    EXPECT_EQ(prompts.questions.size(), 1);
    ASSERT_EQ(frame->Children().size(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->Children()[0]->windowTitle(), title + QStringLiteral("[*]"));
}

// The list itself is checked on the document manager; here the File menu's entry opens it.
TEST_F(FrameTest, ARecentFileGoneSinceIsForgottenFromTheFileMenu) {
    frame->NewDocument();
    chooser.files = {{Path(QStringLiteral("gone.tcd")), 1}};
    frame->Router().Run(kFileSaveAs);
    ASSERT_EQ(frame->RecentFiles().Files().size(), 1u);
    QFile::remove(Path(QStringLiteral("gone.tcd")));
    frame->Router().Run(kFileMru1);
    EXPECT_TRUE(frame->RecentFiles().Files().isEmpty());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("gone.tcd")));
}

// The file names, the bytes and the reasons are the export tests'; here File > Export offers
// the filters on the remembered type and says why under "Export Error".
TEST_F(FrameTest, ExportOffersTheRememberedTypeAndSaysWhyItFailed) {
    frame->NewDocument();
    TypeEach({"3 n", "4 e"});
    chooser.files = {{Path(QStringLiteral("plan")), 3}};
    frame->Router().Run(kExport);
    EXPECT_EQ(chooser.lastFilters.size(), 14);
    EXPECT_EQ(chooser.lastFilterIndex, 1);  // "dxf" at first
    EXPECT_GT(QFileInfo(Path(QStringLiteral("plan.gif"))).size(), 0);
    EXPECT_TRUE(prompts.messages.empty());

    chooser.files = {{Path(QStringLiteral("plan.foo")), 8}};
    frame->Router().Run(kExport);
    EXPECT_EQ(chooser.lastFilterIndex, 3);  // "gif", as last exported
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, QStringLiteral("Export Error"));
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Unknown file type"));
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(Doc().Prefs().GetExportType(), QStringLiteral("gif"));

    // The room schedule as tab-delimited text, offered again next time.
    chooser.files = {{Path(QStringLiteral("rooms")), 14}, {Path(QStringLiteral("a.foo")), 8}};
    frame->Router().Run(kExport);
    EXPECT_GT(QFileInfo(Path(QStringLiteral("rooms.txt"))).size(), 0);
    frame->Router().Run(kExport);
    EXPECT_EQ(chooser.lastFilterIndex, 14);
}

// Toolbars and buttons hidden across a restart are customize_dialog_test's.
TEST_F(FrameTest, TheKeypadsPlaceSurvivesARestart) {
    frame->Keypad().show();
    frame->Keypad().move(40, 50);
    DropFrame();
    MakeFrame();
    EXPECT_TRUE(frame->Keypad().isVisible());
    EXPECT_EQ(frame->Keypad().pos(), QPoint(40, 50));

    // Hidden stays hidden; a corner off every screen comes back onto the screen.
    frame->Keypad().reject();
    frame->Keypad().move(-30000, -30000);
    DropFrame();
    MakeFrame();
    EXPECT_FALSE(frame->Keypad().isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(frame->Keypad().pos())) << frame->Keypad().pos().x();
}

}  // namespace
}  // namespace plantrek::test
