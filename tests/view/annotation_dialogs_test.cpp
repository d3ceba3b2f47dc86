#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "audio/audio_activity.h"
#include "audio/audio_test_data.h"
#include "frame_fixture.h"
#include "view/dialogs/annotation_dialog.h"
#include "view/dialogs/recording_dialog.h"
#include "view/dialogs/rename_annotation_dialog.h"

namespace plantrek {
namespace {

using test::WaitFor;

struct NoRecording : RecordingDialogRunner {
    int Run(const AudioRecorder&, const FreeSpaceSource&) override { return kRecordingCancelled; }
};

class AnnotationDialogTest : public ::testing::Test {
protected:
    AnnotationDialogTest() { dialog.show(); }
    ~AnnotationDialogTest() override { player.Stop(); }

    QStringList Lines() const {
        QStringList lines;
        for (int i = 0; i < dialog.List()->count(); ++i) {
            lines << dialog.List()->item(i)->text();
        }
        return lines;
    }
    // Play, Stop, Record, Rename, Delete.
    std::vector<bool> Enabled() const {
        return {dialog.PlayButton()->isEnabled(), dialog.StopButton()->isEnabled(),
                dialog.RecordButton()->isEnabled(), dialog.RenameButton()->isEnabled(),
                dialog.DeleteButton()->isEnabled()};
    }
    // Answers the next modal dialog with the given action once it shows.
    template <typename Dialog>
    void WhenShown(std::function<void(Dialog&)> answer) {
        QTimer::singleShot(0, [answer] {
            auto* shown = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            answer(*shown);
        });
    }

    static AnnotationList ThreeNotes() {
        AnnotationList notes;
        for (const char* name : {"Kitchen", "", ""}) {
            Annotation note;
            EXPECT_TRUE(note.File()->Append(RandomBytes(1000, 3)));
            note.SetName(QString::fromLatin1(name));
            notes.InsertAt(note, -1);
        }
        return notes;
    }

    AnnotationList notes = ThreeNotes();
    test::ScriptedDevice device;
    test::RecordingPrompts prompts;
    test::FixedFreeSpace space;
    AudioPlayer player{device, prompts};
    AudioRecorder recorder{device};
    NoRecording noRecording;
    AudioServices audio{player, recorder, space, prompts, noRecording};
    int modified = 0;
    AnnotationDialog dialog{notes, audio, [this] { ++modified; }, nullptr};
};

TEST_F(AnnotationDialogTest, ButtonsWhilePlayingAfterStopAndAtTheEnd) {
    EXPECT_EQ(Lines(), QStringList({"Kitchen", "Track 2", "Track 3"}));
    EXPECT_EQ(dialog.List()->currentRow(), 0);
    const std::vector<bool> idle{true, false, true, true, true};
    const std::vector<bool> playing{false, true, false, false, false};
    EXPECT_EQ(Enabled(), idle);

    dialog.List()->setCurrentRow(2);
    QTest::mouseClick(dialog.PlayButton(), Qt::LeftButton);
    EXPECT_EQ(Enabled(), playing);
    EXPECT_EQ(notes.CurrentIndex(), 2);
    ASSERT_EQ(device.Count(device.writes), 1u);
    dialog.Tick();  // the timer leaves a playing dialog alone
    EXPECT_EQ(Enabled(), playing);

    QTest::mouseClick(dialog.StopButton(), Qt::LeftButton);
    EXPECT_EQ(Enabled(), idle);
    EXPECT_FALSE(AudioActivity::IsPlaying());

    // A note that plays to its end brings the buttons back by itself.
    QTest::mouseClick(dialog.PlayButton(), Qt::LeftButton);
    ASSERT_EQ(Enabled(), playing);
    device.out->listener.BufferDone(device.writes.back().first);
    EXPECT_TRUE(WaitFor([&] { return dialog.PlayButton()->isEnabled(); }));
    EXPECT_EQ(Enabled(), idle);
    EXPECT_FALSE(AudioActivity::IsPlaying());

    // Too little room to record, or nothing selected, shows in the next tick.
    space.minutes = 1.5;
    dialog.List()->clearSelection();
    dialog.Tick();
    EXPECT_EQ(Enabled(), std::vector<bool>({false, false, false, false, false}));
    EXPECT_EQ(modified, 0);
}

TEST_F(AnnotationDialogTest, RenameKeepsTheTrackNameForAnEmptyText) {
    struct Case {
        const char* typed;
        QStringList lines;
    };
    for (const Case& c : {Case{"", {"Kitchen", "Track 2", "Track 3"}},
                          Case{"Hall", {"Kitchen", "Track 2", "Hall"}}}) {
        dialog.List()->setCurrentRow(2);
        QString offered;
        WhenShown<RenameAnnotationDialog>([&](RenameAnnotationDialog& rename) {
            offered = rename.NameEdit()->text();
            rename.NameEdit()->clear();
            QTest::keyClicks(rename.NameEdit(), QString::fromLatin1(c.typed));
            rename.accept();
        });
        QTest::mouseClick(dialog.RenameButton(), Qt::LeftButton);
        EXPECT_EQ(offered, "Track 3");
        EXPECT_EQ(Lines(), c.lines) << c.typed;
        EXPECT_EQ(dialog.List()->currentRow(), 2);
    }
    EXPECT_EQ(modified, 2);

    WhenShown<RenameAnnotationDialog>([](RenameAnnotationDialog& rename) { rename.reject(); });
    QTest::mouseClick(dialog.RenameButton(), Qt::LeftButton);
    EXPECT_EQ(modified, 2);
}

TEST_F(AnnotationDialogTest, DeleteAsksFirst) {
    for (const bool yes : {false, true}) {
        dialog.List()->setCurrentRow(1);
        prompts.answer = yes;
        prompts.shown.clear();
        QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0],
                  std::make_pair(QStringLiteral("Delete Annotation?"),
                                 QStringLiteral("Do you really want to delete this track")));
        EXPECT_EQ(Lines(), yes ? QStringList({"Kitchen", "Track 2"})
                               : QStringList({"Kitchen", "Track 2", "Track 3"}));
        EXPECT_EQ(modified, yes ? 1 : 0);
    }
}

TEST(RecordingDialogTest, TimeTextsAndTheRecordButton) {
    struct Case {
        double minutes;
        const char* text;
        bool canRecord;
    };
    test::FixedFreeSpace space;
    test::ScriptedDevice device;
    test::RecordingPrompts prompts;
    AudioPlayer player{device, prompts};
    AudioRecorder recorder{device};
    NoRecording noRecording;
    AudioServices audio{player, recorder, space, prompts, noRecording};
    AnnotationList notes;
    for (const Case& c : {Case{1.5, "Only 1 minute!", false}, Case{59, "Over 59 minutes", true},
                          Case{90, "Over 1 hours", true}, Case{150, "Over 2 hours", true},
                          Case{180, "Over 2 hours", true}}) {
        space.minutes = c.minutes;
        RecordingDialog recording(space, [] { return false; }, nullptr);
        EXPECT_EQ(recording.TimeLabel()->text(), c.text) << c.minutes;
        AnnotationDialog annotations(notes, audio, [] {}, nullptr);
        EXPECT_EQ(annotations.RecordButton()->isEnabled(), c.canRecord) << c.minutes;
    }
    // Under a minute the dialog ends before it shows, keeping what was recorded.
    space.minutes = 0.5;
    RecordingDialog recording(space, [] { return false; }, nullptr);
    EXPECT_EQ(recording.Run(), kRecordingEndedItself);
    EXPECT_EQ(recording.TimeLabel()->text(), "Less than 1 minute!");
}

TEST(RecordingDialogTest, BlinksChecksEveryFiftySecondsAndEndsWhenRoomRunsOut) {
    test::FixedFreeSpace space;
    bool writeFailed = false;
    for (const char* cause : {"space", "file"}) {
        space.minutes = 500;
        writeFailed = false;
        RecordingDialog recording(space, [&] { return writeFailed; }, nullptr);
        recording.open();
        std::vector<bool> icon;
        for (int tick = 1; tick < 99; ++tick) {
            recording.Tick();
            icon.push_back(recording.IconShown());
        }
        EXPECT_EQ(std::vector<bool>(icon.begin(), icon.begin() + 4),
                  std::vector<bool>({false, true, false, true}));
        EXPECT_TRUE(recording.isVisible());
        if (QByteArray(cause) == "space") {
            space.minutes = 0.5;
            recording.Tick();  // the 99th: the time is computed again
            EXPECT_EQ(recording.TimeLabel()->text(), "Less than 1 minute!");
        } else {
            writeFailed = true;
            recording.Tick();
        }
        EXPECT_FALSE(recording.isVisible()) << cause;
        EXPECT_EQ(recording.result(), kRecordingEndedItself) << cause;
    }
}

TEST(RecordingDialogTest, EscapeCancelsLikeCancelRecording) {
    test::FixedFreeSpace space;
    for (const auto& [press, result] :
         std::vector<std::pair<std::function<void(RecordingDialog&)>, int>>{
             {[](RecordingDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }, kRecordingSaved},
             {[](RecordingDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, kRecordingCancelled},
         }) {
        RecordingDialog recording(space, [] { return false; }, nullptr);
        recording.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&recording));
        press(recording);
        EXPECT_FALSE(recording.isVisible());
        EXPECT_EQ(recording.result(), result);
    }
}

}  // namespace
}  // namespace plantrek
