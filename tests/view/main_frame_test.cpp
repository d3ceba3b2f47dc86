// The main window as a surveyor uses it: typing walls, the keyboard on the input line, the
// status bar, command states, the clip commands, files and export.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include "export/export_form.h"
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

// Which texts are refused, and the messages, are the document's input tests; here the box, its
// icon and what the field keeps.
TEST_F(FrameTest, TypedTextReachesTheDocumentOrIsRefusedWithItsMessage) {
    struct Case {
        QString text;
        int wallsAdded;
        QString message;  // start of the message, empty for none
        MessageIcon icon;
    };
    const Case cases[] = {
        {QStringLiteral("3 n"), 1, QString(), MessageIcon::Error},
        {QStringLiteral("abc"), 0,
         QStringLiteral("The input \"abc\" does not represent a valid length and direction."),
         MessageIcon::Error},
        {QStringLiteral("0 n"), 0, QStringLiteral("The wall length must be between "),
         MessageIcon::Warning},
    };
    frame->NewDocument();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        prompts.messages.clear();
        const int before = WallCount();
        Type(c.text);
        EXPECT_EQ(WallCount(), before + c.wallsAdded);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompts.messages.empty());
        } else {
            ASSERT_EQ(prompts.messages.size(), 1u);
            EXPECT_TRUE(prompts.messages[0].text.startsWith(c.message))
                << prompts.messages[0].text.toStdString();
            EXPECT_EQ(prompts.messages[0].icon, c.icon);
        }
        // A wall taken empties the field; a refused entry stays there for correction. Either
        // way the field keeps the keyboard.
        EXPECT_EQ(frame->Input().text(), c.wallsAdded > 0 ? QString() : c.text);
        EXPECT_TRUE(frame->Input().hasFocus());
        frame->Input().clear();
    }
}

TEST_F(FrameTest, ARefusedKeypadEntryComesBackWithoutItsDirection) {
    frame->NewDocument();
    frame->Keypad().show();
    const auto tap = [this](std::initializer_list<const char*> keys) {
        for (const char* key : keys) {
            QTest::mouseClick(frame->Keypad().Key(QString::fromLatin1(key)), Qt::LeftButton);
        }
    };
    tap({"1", "2", "'", "6", "'", "N"});
    EXPECT_EQ(WallCount(), 0);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(frame->Keypad().EntryText(), QStringLiteral("12'6'"));
    // Cleared and keyed again, the entry is taken and the display empties.
    tap({"Clear", "1", "2", "'", "6", "N"});
    EXPECT_EQ(WallCount(), 1);
    EXPECT_TRUE(frame->Keypad().EntryText().isEmpty());
}

TEST_F(FrameTest, EmptyFieldUndoesThePlanAndDeleteNeverDeletesARoom) {
    frame->NewDocument();
    EXPECT_TRUE(frame->Input().hasFocus());
    Type(QStringLiteral("3 n"));
    Type(QStringLiteral("4 e"));
    ASSERT_EQ(WallCount(), 2);

    QTest::keyClick(&frame->Input(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(WallCount(), 1);
    QTest::keyClick(&frame->Input(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(WallCount(), 2);

    // With text in the field the keys edit the text, not the plan.
    QTest::keyClicks(&frame->Input(), QStringLiteral("12"));
    QTest::keyClick(&frame->Input(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(WallCount(), 2);
    frame->Input().clear();

    QTest::keyClick(&frame->Input(), Qt::Key_Delete);
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_EQ(WallCount(), 2);
}

TEST_F(FrameTest, SelectionPaneNamesTheSelectionAtEveryLevel) {
    EXPECT_EQ(frame->SelectionPane().text(), QString());
    frame->NewDocument();
    PrefsInputValues metres = Doc().Prefs().GetInputValues();
    metres.Input = 1;
    Doc().Prefs().SetInputValues(metres);
    EXPECT_EQ(frame->SelectionPane().text(), QStringLiteral("Selected: \"Room 1\""));

    Type(QStringLiteral("3.81 ne"));
    Room* room = Doc().GetCurrentRoom();
    Doc().SelectWall(room, room->GetWall(0, true));
    EXPECT_EQ(frame->SelectionPane().text(),
              QStringLiteral("Selected: 3.81 m @ NE wall in \"Room 1\""));

    Type(QString());  // up to the room
    Type(QString());  // up to the start point
    EXPECT_EQ(frame->SelectionPane().text(), QStringLiteral("Selected: Room start point"));
}

TEST_F(FrameTest, CommandStatesFollowTheSelectionAndTheActiveWindow) {
    EXPECT_FALSE(Enabled(*frame, kEditUndo));
    EXPECT_FALSE(Enabled(*frame, kFileSave));
    EXPECT_TRUE(Enabled(*frame, kFileNew));

    frame->NewDocument();
    EXPECT_TRUE(Enabled(*frame, kEditCopy));    // a room is selected
    EXPECT_FALSE(Enabled(*frame, kEditPaste));  // nothing kept yet
    EXPECT_FALSE(Enabled(*frame, kReplaceWall));
    EXPECT_TRUE(Enabled(*frame, kRoomProperties));
    EXPECT_TRUE(frame->Router().Action(kCloseSquare)->isChecked());

    Type(QStringLiteral("3 n"));
    EXPECT_TRUE(Enabled(*frame, kEditUndo));
    Type(QString());
    EXPECT_FALSE(Enabled(*frame, kEditCopy));  // the start point cannot be copied

    frame->Router().Run(kCloseAngled);  // the rule for rooms created later
    EXPECT_TRUE(frame->Router().Action(kCloseAngled)->isChecked());
    EXPECT_FALSE(frame->Router().Action(kCloseSquare)->isChecked());

    prompts.answers = {SaveAnswer::No};
    frame->Router().Run(kFileClose);
    EXPECT_FALSE(Enabled(*frame, kEditUndo));
}

TEST_F(FrameTest, CopyAndPasteCarryARoomBetweenDocumentsWithoutTheClipboard) {
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    frame->NewDocument();
    Type(QStringLiteral("3 n"));
    Type(QStringLiteral("4 e"));
    Type(QStringLiteral("3 s"));
    frame->Router().Run(kEditCopy);
    ASSERT_NE(frame->KeptClipItem(), nullptr);

    frame->NewDocument();
    Type(QString());  // the empty room goes; the start point is selected
    ASSERT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    EXPECT_TRUE(Enabled(*frame, kEditPaste));
    frame->Router().Run(kEditPaste);
    ASSERT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_EQ(Doc().GetSite()->GetRoom(0)->WallCount(true), 3);

    // Cut takes the room away and keeps it.
    frame->Router().Run(kEditCut);
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 0);
    EXPECT_EQ(frame->KeptClipItem()->Kind(), ClipKind::Room);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
}

// That the last window then asks is the document manager's test, and closing an asking window
// with Cancel is window_behaviour_test's.
TEST_F(FrameTest, NewWindowShowsTheSameDocumentAndOnlyItsLastWindowAsksToSave) {
    frame->NewDocument();
    const QString title = Doc().GetTitle();
    frame->Router().Run(kWindowNew);
    ASSERT_EQ(frame->Children().size(), 2);
    CTracepadChildFrame* first = frame->Children()[0];
    CTracepadChildFrame* second = frame->Children()[1];
    ASSERT_EQ(&first->Document(), &second->Document());
    EXPECT_EQ(first->windowTitle(), title + QStringLiteral(":1[*]"));
    EXPECT_EQ(second->windowTitle(), title + QStringLiteral(":2[*]"));

    Type(QStringLiteral("3 n"));  // typed into the active window: both show the wall
    EXPECT_EQ(first->Document().GetSite()->GetRoom(0)->WallCount(true), 1);

    prompts.questions.clear();
    prompts.answers = {SaveAnswer::Cancel};
    frame->Router().Run(kFileClose);  // one of two windows: nothing is lost, nothing asked
    EXPECT_TRUE(prompts.questions.isEmpty());
    ASSERT_EQ(frame->Children().size(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->Children()[0]->windowTitle(), title + QStringLiteral("[*]"));
}

TEST_F(FrameTest, ExitAsksAboutAChangedSiteShownInTwoWindows) {
    frame->NewDocument();
    Type(QStringLiteral("3 n"));
    frame->Router().Run(kWindowNew);
    prompts.questions.clear();
    prompts.answers = {SaveAnswer::Cancel};
    EXPECT_FALSE(frame->close());  // both windows would close: the change must not be lost
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(frame->Children().size(), 2);
}

// The answers themselves are checked on the document manager; here Yes goes through the
// file dialog and takes the window away.
TEST_F(FrameTest, ClosingAModifiedSiteWithYesSavesItAndClosesTheWindow) {
    const QString path = Path(QStringLiteral("closed.tcd"));
    frame->NewDocument();
    const QString title = Doc().GetTitle();
    Type(QStringLiteral("3 n"));
    prompts.questions.clear();
    prompts.answers = {SaveAnswer::Yes};
    chooser.files = {{path, 1}};
    frame->Router().Run(kFileClose);
    ASSERT_FALSE(prompts.questions.isEmpty());
    EXPECT_EQ(prompts.questions[0], QStringLiteral("Save changes to %1?").arg(title));
    EXPECT_TRUE(frame->Children().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(chooser.lastProposed, title + QStringLiteral(".tcd"));
}

TEST_F(FrameTest, SaveAsNamesTheWindowAndClearsTheModifiedMark) {
    frame->NewDocument();
    Type(QStringLiteral("3 n"));
    EXPECT_TRUE(frame->isWindowModified());
    chooser.files = {{Path(QStringLiteral("named.tcd")), 1}};
    frame->Router().Run(kFileSaveAs);
    EXPECT_TRUE(frame->windowTitle().contains(QStringLiteral("named.tcd")));
    EXPECT_FALSE(frame->isWindowModified());
}

// The list itself is checked on the document manager; here the File menu's entry opens it.
TEST_F(FrameTest, ARecentFileGoneSinceIsForgottenFromTheFileMenu) {
    for (const char* name : {"site0.tcd", "site1.tcd"}) {
        frame->NewDocument();
        Type(QStringLiteral("3 n"));
        ASSERT_TRUE(Doc().DoSave(Path(QLatin1String(name))));
        frame->ActiveChild()->close();
        ASSERT_NE(frame->OpenDocument(Path(QLatin1String(name))), nullptr);
    }
    ASSERT_EQ(frame->RecentFiles().Files().size(), 2u);
    QFile::remove(Path(QStringLiteral("site1.tcd")));
    frame->Router().Run(kFileMru1);
    EXPECT_EQ(frame->RecentFiles().Files().size(), 1u);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("site1.tcd")));
}

TEST_F(FrameTest, ExportTakesTheExtensionFromTheFilterAndRemembersTheType) {
    struct Case {
        QString typed;
        int filter;
        QString written;  // empty when the export must fail
        QString exportType;
    };
    const Case cases[] = {
        {QStringLiteral("plan"), 3, QStringLiteral("plan.gif"), QStringLiteral("gif")},
        {QStringLiteral("PLAN.JPG"), 1, QStringLiteral("PLAN.JPG"), QStringLiteral("JPG")},
        {QStringLiteral("plan.foo"), 8, QString(), QStringLiteral("JPG")},
    };
    frame->NewDocument();
    Type(QStringLiteral("3 n"));
    Type(QStringLiteral("4 e"));
    int expectedFilter = 1;  // "dxf" at first
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        prompts.messages.clear();
        chooser.files = {{Path(c.typed), c.filter}};
        frame->Router().Run(kExport);
        EXPECT_EQ(chooser.lastFilters.size(), 11);
        EXPECT_EQ(chooser.lastFilterIndex, expectedFilter);
        if (c.written.isEmpty()) {
            ASSERT_EQ(prompts.messages.size(), 1u);
            EXPECT_EQ(prompts.messages[0].caption, QStringLiteral("Export Error"));
            EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Unknown file type"));
        } else {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_GT(QFileInfo(Path(c.written)).size(), 0);
        }
        EXPECT_EQ(Doc().Prefs().GetExportType(), c.exportType);
        // The next dialog opens on the type's filter; capitals match none.
        expectedFilter = c.exportType == QStringLiteral("gif") ? 3 : 1;
    }
}

// An export the disk refuses says why under "Export Error", in every format, and leaves no
// file; the type of the last export that worked stays.
TEST_F(FrameTest, AFailedExportSaysWhyAndLeavesNoFile) {
    frame->NewDocument();
    Type(QStringLiteral("3 n"));
    Type(QStringLiteral("4 e"));
    Type(QStringLiteral("3 s"));
    Doc().FinishRoom();
    QFile plain(Path(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const char* extension :
         {"dxf", "xls", "csv", "txt", "bmp", "gif", "jpg", "png", "svg", "pdf"}) {
        SCOPED_TRACE(extension);
        prompts.messages.clear();
        const QString name = QStringLiteral("plain/plan.") + QLatin1String(extension);
        chooser.files = {{Path(name), kAllFilesFilter}};
        frame->Router().Run(kExport);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].caption, QStringLiteral("Export Error"));
        EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Couldn't save file: Not a directory"));
        EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(Doc().Prefs().GetExportType(), QStringLiteral("dxf"));
    }
    EXPECT_EQ(QFileInfo(Path(QStringLiteral("plain"))).size(), 0);
}

// Buttons hidden through View > Customize are checked there (customize_dialog_test).
TEST_F(FrameTest, KeypadAndToolbarLayoutSurviveARestart) {
    frame->Keypad().show();
    frame->Keypad().move(40, 50);
    frame->findChild<QToolBar*>(QStringLiteral("Annotation"))->hide();
    DropFrame();
    MakeFrame();
    EXPECT_TRUE(frame->Keypad().isVisible());
    EXPECT_EQ(frame->Keypad().pos(), QPoint(40, 50));
    EXPECT_FALSE(frame->findChild<QToolBar*>(QStringLiteral("Annotation"))->isVisible());

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
