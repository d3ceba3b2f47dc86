#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "audio/audio_activity.h"
#include "audio/audio_test_data.h"
#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/dialogs/annotation_dialog.h"
#include "view/dialogs/recording_dialog.h"
#include "view/dialogs/rename_annotation_dialog.h"

namespace plantrek {
namespace {

using namespace command_id;

void AddNote(AnnotationList& list, const QString& name) {
    Annotation note;
    EXPECT_TRUE(note.File()->Append(RandomBytes(1000, 3)));
    note.SetName(name);
    list.InsertAt(note, -1);
}

QStringList Lines(const QListWidget& list) {
    QStringList lines;
    for (int i = 0; i < list.count(); ++i) {
        lines << list.item(i)->text();
    }
    return lines;
}

class AnnotationDialogTest : public ::testing::Test {
protected:
    AnnotationDialogTest() { dialog.show(); }

    static AnnotationList ThreeNotes() {
        AnnotationList notes;
        for (const char* name : {"Kitchen", "", ""}) {
            AddNote(notes, QString::fromLatin1(name));
        }
        return notes;
    }
    QStringList Lines() const { return plantrek::Lines(*dialog.List()); }
    // Play, Stop, Record, Rename, Delete.
    std::vector<bool> Enabled() const {
        return {dialog.PlayButton()->isEnabled(), dialog.StopButton()->isEnabled(),
                dialog.RecordButton()->isEnabled(), dialog.RenameButton()->isEnabled(),
                dialog.DeleteButton()->isEnabled()};
    }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    AnnotationList notes = ThreeNotes();
    test::ScriptedDevice device;
    test::RecordingPrompts prompts;
    test::FixedFreeSpace space;
    AudioPlayer player{device, prompts};
    AudioRecorder recorder{device};
    test::NoRecording noRecording;
    AudioServices audio{player, recorder, space, prompts, noRecording};
    int modified = 0;
    AnnotationDialog dialog{notes, audio, [this] { ++modified; }, nullptr};
    const std::vector<bool> idle{true, false, true, true, true};
    const std::vector<bool> playing{false, true, false, false, false};
};

// Which buttons each state offers, the track names and the question before a delete are the
// annotation session's test; here the dialog's buttons and list follow it.
TEST_F(AnnotationDialogTest, ButtonsFollowPlayingAndTheListFollowsRenameAndDelete) {
    EXPECT_EQ(Lines(), QStringList({"Kitchen", "Track 2", "Track 3"}));
    EXPECT_EQ(Enabled(), idle);
    dialog.List()->setCurrentRow(2);
    Click(dialog.PlayButton());
    EXPECT_EQ(Enabled(), playing);
    EXPECT_EQ(notes.CurrentIndex(), 2);
    dialog.Tick();  // the timer leaves a playing dialog alone
    EXPECT_EQ(Enabled(), playing);
    Click(dialog.StopButton());
    EXPECT_EQ(Enabled(), idle);
    EXPECT_FALSE(AudioActivity::IsPlaying());
    // A note that plays to its end brings the buttons back by itself.
    Click(dialog.PlayButton());
    device.out->listener.BufferDone(0);
    EXPECT_TRUE(test::WaitFor([&] { return Enabled() == idle; }));
    EXPECT_EQ(modified, 0);

    QString offered;
    QTimer::singleShot(0, [&] {
        auto* rename = qobject_cast<RenameAnnotationDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(rename, nullptr);
        offered = rename->NameEdit()->text();
        rename->NameEdit()->setText(QStringLiteral("Hall"));
        rename->accept();
    });
    Click(dialog.RenameButton());
    EXPECT_EQ(offered, "Track 3");
    dialog.List()->setCurrentRow(1);
    Click(dialog.DeleteButton());
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(Lines(), QStringList({"Kitchen", "Hall"}));
    EXPECT_EQ(modified, 2);
}

// The texts for every amount of room are the recording clock's test; here the dialog shows the
// time, blinks, and ends itself when the room runs out, or before it shows when there is none.
TEST_F(AnnotationDialogTest, RecordingShowsTheTimeBlinksAndEndsWhenRoomRunsOut) {
    space.minutes = 1.5;
    dialog.Tick();
    EXPECT_FALSE(dialog.RecordButton()->isEnabled());  // too little room to start
    RecordingDialog recording(space, [] { return false; }, nullptr);
    EXPECT_EQ(recording.TimeLabel()->text(), "Only 1 minute!");
    recording.open();
    for (int tick = 1; tick < 99; ++tick) {
        recording.Tick();
        ASSERT_EQ(recording.IconShown(), tick % 2 == 0) << tick;
    }
    ASSERT_TRUE(recording.isVisible());
    space.minutes = 0.5;
    recording.Tick();  // the 99th: the time is computed again
    EXPECT_EQ(recording.TimeLabel()->text(), "Less than 1 minute!");
    EXPECT_FALSE(recording.isVisible());
    EXPECT_EQ(recording.result(), kRecordingEndedItself);
    RecordingDialog none(space, [] { return false; }, nullptr);
    EXPECT_EQ(none.Run(), kRecordingEndedItself);

    space.minutes = 500;
    // Escape is Cancel Recording, not an error that keeps the recording.
    RecordingDialog again(space, [] { return false; }, nullptr);
    again.open();
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_EQ(again.result(), kRecordingCancelled);
}

class AnnotationHandlerTest : public test::FrameTest {
protected:
    // Runs the command and returns the lines its dialog showed, closing it.
    QStringList DialogLines(int id) {
        QStringList lines;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<AnnotationDialog*>(QApplication::activeModalWidget())) {
                lines = plantrek::Lines(*dialog->List());
                dialog->close();
            }
        });
        frame->Router().Run(id);
        return lines;
    }
};

// When the commands are offered is the document's test (command_state_test).
TEST_F(AnnotationHandlerTest, EditCommandsOpenTheNotesAndThePlanViewPlaysThem) {
    frame->NewDocument();
    TypeEach({"3 n", "4 e", "3 s"});
    Doc().SelectRoom(Doc().GetSite()->GetRoom(0));
    AddNote(Doc().GetCurrentRoom()->Annotations(), QString());
    AddNote(Doc().GetCurrentRoom()->Annotations(), QStringLiteral("Window sill"));
    AddNote(Doc().GetSite()->Annotations(), QStringLiteral("Entrance"));
    EXPECT_EQ(DialogLines(kEditRoomAnnotation), QStringList({"Track 1", "Window sill"}));
    EXPECT_EQ(DialogLines(kEditSiteAnnotation), QStringList({"Entrance"}));

    frame->Router().Run(kPlayAnnotation);
    ASSERT_TRUE(AudioActivity::IsPlaying());
    frame->Router().Refresh();
    EXPECT_TRUE(frame->Router().Action(kStopAnnotation)->isEnabled());

    // The end of the note reaches the view, which stops and brings the buttons back.
    sound.out->listener.BufferDone(0);
    EXPECT_TRUE(test::WaitFor([&] { return !AudioActivity::IsPlaying(); }));
    EXPECT_TRUE(frame->Router().Action(kPlayAnnotation)->isEnabled());
    EXPECT_FALSE(frame->Router().Action(kStopAnnotation)->isEnabled());

    // No sound device: the box with the system's reason, and nothing playing.
    sound.failure = QStringLiteral("No audio device");
    frame->Router().Run(kPlayAnnotation);
    EXPECT_FALSE(AudioActivity::IsPlaying());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(std::tie(prompts.messages[0].caption, prompts.messages[0].text,
                       prompts.messages[0].icon),
              std::make_tuple(PlayErrorCaption(), PlayErrorText(sound.failure), MessageIcon::Error));
}

}  // namespace
}  // namespace plantrek
