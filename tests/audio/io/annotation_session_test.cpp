#include <gtest/gtest.h>

#include <tuple>

#include "audio/audio_activity.h"
#include "audio/io/annotation_session.h"
#include "audio/io/recording_time.h"
#include "audio_io_support.h"

namespace plantrek {
namespace {

struct FixedSpace : FreeSpaceSource {
    qint64 BytesAvailable() const override { return static_cast<qint64>(minutes * 60 * 1625); }
    double minutes = 500;
};

TEST(RecordingTime, TextsAndWhetherRecordingMayStart) {
    for (const auto& [minutes, text, ends, canRecord] :
         std::vector<std::tuple<double, QString, bool, bool>>{
             {0.5, "Less than 1 minute!", true, false},
             {1.5, "Only 1 minute!", false, false},
             {2.5, "Over 2 minutes", false, true},
             {59, "Over 59 minutes", false, true},
             {90, "Over 1 hours", false, true},
             {150, "Over 2 hours", false, true},
             {1e7, "Over 2 hours", false, true}}) {
        FixedSpace space;
        space.minutes = minutes;
        const RecordingTimeText shown = RecordingClock(space).Opening();
        EXPECT_EQ(std::tie(shown.text, shown.endsRecording), std::tie(text, ends)) << minutes;
        EXPECT_EQ(CanRecord(space), canRecord) << minutes;
    }
}

// Ends the recording as the person (or the clock) does.
struct ScriptedRecordingDialog : RecordingDialogRunner {
    int Run(const AudioRecorder&, const FreeSpaceSource&) override { return result; }
    int result = kRecordingSaved;
};

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Door", "Window", ""}) {
            Annotation note;
            ASSERT_TRUE(note.File()->Append(QByteArray(kAudioBufferBytes * 3, 'g')));
            note.SetName(name);
            list.InsertAt(note);
        }
    }

    test::ScriptedDevice device;
    test::RecordingPrompts prompts;
    AudioPlayer player{device, prompts};
    AudioRecorder recorder{device};
    FixedSpace space;
    ScriptedRecordingDialog dialog;
    AudioServices audio{player, recorder, space, prompts, dialog};
    AnnotationList list;
    int modified = 0;
    AnnotationSession session{list, audio, [this] { ++modified; }};
};

using Buttons = AnnotationSession::Buttons;

TEST_F(SessionTest, ButtonsRenameAndDeleteWithItsQuestion) {
    EXPECT_EQ(session.Lines(), (QStringList{"Door", "Window", "Track 3"}));
    space.minutes = 1.5;
    EXPECT_EQ(session.Opening(), (Buttons{true, false, false, true, true}));
    EXPECT_EQ(session.Tick(-1), (Buttons{false, false, false, false, false}));
    space.minutes = 500;
    EXPECT_EQ(session.Play(1), (Buttons{false, true, false, false, false}));
    EXPECT_EQ(player.Listener(), &session);
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_EQ(session.Tick(1), std::nullopt);
    EXPECT_EQ(session.Stop(), (Buttons{true, false, true, true, true}));
    EXPECT_EQ(device.out, nullptr);

    EXPECT_TRUE(session.Rename(2, ""));
    EXPECT_EQ(session.Lines()[2], "Track 3");
    EXPECT_EQ(session.RenameText(0), "Door");
    session.Play(0);
    prompts.answer = false;
    EXPECT_FALSE(session.Delete(0));
    EXPECT_FALSE(AudioActivity::IsPlaying());  // deleting stops first, whatever the answer
    prompts.answer = true;
    EXPECT_TRUE(session.Delete(0));
    EXPECT_EQ(session.Lines(), (QStringList{"Window", "Track 2"}));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1], std::make_pair(QString("Delete Annotation?"),
                                               QString("Do you really want to delete this track")));
    EXPECT_EQ(modified, 2);
}

TEST_F(SessionTest, RecordingEndsAsTheDialogSays) {
    for (const auto& [result, count, message] : {std::tuple{kRecordingSaved, 4, false},
                                                 {kRecordingCancelled, 4, false},
                                                 {kRecordingEndedItself, 5, true}}) {
        prompts.shown.clear();
        dialog.result = result;
        EXPECT_EQ(session.Record(), result != kRecordingCancelled);
        EXPECT_EQ(list.Count(), count);
        EXPECT_EQ(list.CurrentIndex(), list.Count() - 1);
        EXPECT_FALSE(AudioActivity::IsRecording());
        EXPECT_EQ(device.in, nullptr);
        ASSERT_EQ(prompts.shown.size(), message ? 1u : 0u);
        EXPECT_TRUE(!message || prompts.shown[0].second ==
                                    "An error occurred while recording.  The audio up to this "
                                    "point has been saved.");
    }
    // No device: the reason is shown, nothing is added and nothing plays.
    device.failure = "No sound device.";
    prompts.shown.clear();
    EXPECT_FALSE(session.Record());
    EXPECT_EQ(session.Play(0), (Buttons{true, false, true, true, true}));
    EXPECT_EQ(list.Count(), 5);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0].first, "Record Error");
    EXPECT_EQ(prompts.shown[1], std::make_pair(QString("Play Error"),
                                               QString("An error occurred when trying to play:\n"
                                                       "No sound device.\nMake sure sound "
                                                       "playback is enabled on your computer.")));
    device.failure.clear();
    // Deleting the note that plays stops it first.
    session.Play(0);
    EXPECT_TRUE(list.Delete(0));
    EXPECT_FALSE(AudioActivity::IsPlaying() || device.out != nullptr);
}

}  // namespace
}  // namespace plantrek
