#include <gtest/gtest.h>

#include <numeric>

#include "audio/audio_activity.h"
#include "audio/audio_test_data.h"
#include "audio/io/audio_player.h"
#include "audio/io/audio_recorder.h"
#include "audio_io_support.h"
#include "support/file_size_limit.h"

namespace plantrek {
namespace {

using test::WaitUntil;
// A buffer is two seconds of the note's format: 50 GSM 6.10 blocks of 65 bytes. Written out
// rather than taken from the code, so that a wrong size there shows here.
constexpr qsizetype B = 3250;

class PlayerTest : public ::testing::Test {
protected:
    Annotation NoteOf(qsizetype bytes) {
        Annotation note;
        EXPECT_TRUE(note.File()->Append(RandomBytes(bytes, 7)));
        return note;
    }
    // Hands back the oldest buffer not handed back yet, as a device that plays in order does,
    // and waits for the worker to refill it while there is audio left.
    void PlayNext(bool refill) {
        const size_t before = device.Count(device.writes);
        device.out->listener.BufferDone(device.writes[played++].first);
        EXPECT_TRUE(!refill || WaitUntil([&] { return device.Count(device.writes) > before; }));
    }

    test::ScriptedDevice device;
    test::RecordingPrompts prompts;
    AudioPlayer player{device, prompts};
    test::Finished finished;
    size_t played = 0;
};

TEST_F(PlayerTest, StreamsInBufferOrderWithTheFinalPiece) {
    for (const auto& pieces :
         std::vector<std::vector<qsizetype>>{{B, B, B, B, B, 1000}, {B, B, B, B, B, B, B}, {100}}) {
        const bool listening = pieces.size() > 1;  // without a listener the player stops itself
        player.SetListener(listening ? &finished : nullptr);
        device.writes.clear();
        played = 0;
        finished.count = 0;
        const Annotation note = NoteOf(std::accumulate(pieces.begin(), pieces.end(), qsizetype{0}));
        ASSERT_TRUE(player.Play(note));
        while (played < pieces.size()) {
            PlayNext(played + kAudioBufferCount < pieces.size());
        }
        ASSERT_TRUE(WaitUntil([&] { return finished.count == 1 || !listening; }));
        ASSERT_EQ(device.writes.size(), pieces.size());
        for (size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(device.writes[i], std::make_pair(int(i % 5), pieces[i])) << i;
        }
        // The listener stops the playback; until then it counts as playing.
        EXPECT_TRUE(listening ? AudioActivity::IsPlaying()
                              : WaitUntil([&] { return !device.out; }));
        player.Stop();
        EXPECT_FALSE(AudioActivity::IsPlaying());
        EXPECT_EQ(device.out, nullptr);
    }
}

TEST(Recorder, FillsTheBuffersInTurnAndKeepsWhatCameBack) {
    test::ScriptedDevice device;
    AudioRecorder recorder(device);
    Annotation note;
    ASSERT_FALSE(recorder.Start(note.File()));
    EXPECT_TRUE(device.started && AudioActivity::IsRecording());
    EXPECT_EQ(device.added, (std::vector<int>{4, 3, 2, 1, 0}));
    QByteArray expected;
    for (int i = 0; i < 7; ++i) {  // past the fifth, buffers come round again
        expected += RandomBytes(i == 6 ? 650 : B, i);
        device.Fill(expected.right(i == 6 ? 650 : B));
        ASSERT_TRUE(WaitUntil([&] { return device.Count(device.added) == 5; }));
    }
    recorder.Stop();
    EXPECT_FALSE(AudioActivity::IsRecording());
    EXPECT_EQ(device.in, nullptr);
    EXPECT_EQ(test::Contents(*note.File()), expected);
    // Five at the start and one again for each that came back.
    ASSERT_GE(device.capacities.size(), 12u);
    for (const int capacity : device.capacities) {
        EXPECT_EQ(capacity, B);
    }
}

// A file that can grow no more (the file size limit stands in for a full disk) ends the
// recording; what was written before stays whole.
TEST(Recorder, AFailedWriteEndsTheRecordingAndKeepsTheAudio) {
    test::ScriptedDevice device;
    AudioRecorder recorder(device);
    Annotation note;
    ASSERT_FALSE(recorder.Start(note.File()));
    {
        test::FileSizeLimit limit(2 * B);
        for (int i = 0; i < 3; ++i) {
            device.Fill(RandomBytes(B, i));
        }
        ASSERT_TRUE(WaitUntil([&] { return recorder.WriteFailed(); }));
    }
    EXPECT_FALSE(AudioActivity::IsRecording());
    recorder.Stop();
    EXPECT_EQ(device.in, nullptr);
    EXPECT_EQ(note.AudioSize(), 2 * B);
}

}  // namespace
}  // namespace plantrek
