#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "audio/annotation_list.h"
#include "audio/audio_activity.h"
#include "audio/io/audio_player.h"
#include "audio/io/audio_recorder.h"
#include "audio/io/sound_device.h"
#include "audio/audio_test_data.h"
#include "audio_io_support.h"

namespace plantrek {
namespace {

using test::WaitFor;

struct Finished : PlaybackListener {
    void PlaybackFinished() override { ++count; }
    int count = 0;
};

class PlayerTest : public ::testing::Test {
protected:
    Annotation NoteOf(qsizetype bytes) {
        Annotation note;
        EXPECT_TRUE(note.File()->Append(RandomBytes(bytes, 7)));
        return note;
    }
    // Hands back the oldest buffer the device has not handed back yet, as a device that plays in
    // order does, and waits for the worker to refill it while there is audio left.
    void PlayNext(bool refill = true) {
        const size_t before = device.WriteCount();
        const int index = device.writes[played++].first;
        device.out->listener.BufferDone(index);
        if (refill) {
            EXPECT_TRUE(WaitFor([&] { return device.WriteCount() > before; }));
        }
    }

    test::ScriptedDevice device;
    test::RecordingPrompts prompts;
    AudioPlayer player{device, prompts};
    Finished finished;
    size_t played = 0;
};

TEST_F(PlayerTest, StreamsInBufferOrderWithTheFinalPiece) {
    struct Case {
        qsizetype bytes;
        std::vector<qsizetype> pieces;
    };
    const qsizetype B = kAudioBufferBytes;
    for (const Case& c : {Case{B * 5 + 1000, {B, B, B, B, B, 1000}},
                          Case{B * 7, {B, B, B, B, B, B, B}},  // ends with a whole buffer
                          Case{100, {100}}}) {
        SCOPED_TRACE(c.bytes);
        device.writes.clear();
        played = 0;
        finished.count = 0;
        player.SetListener(&finished);
        const Annotation note = NoteOf(c.bytes);
        ASSERT_TRUE(player.Play(note));
        EXPECT_TRUE(AudioActivity::IsPlaying());
        while (played < c.pieces.size()) {
            PlayNext(played + kAudioBufferCount < c.pieces.size());
        }
        ASSERT_TRUE(WaitFor([&] { return finished.count == 1; }));
        ASSERT_EQ(device.writes.size(), c.pieces.size());
        for (size_t i = 0; i < c.pieces.size(); ++i) {
            EXPECT_EQ(device.writes[i].first, int(i % kAudioBufferCount));
            EXPECT_EQ(device.writes[i].second, c.pieces[i]);
        }
        // The listener stops the playback; until then it counts as playing.
        EXPECT_TRUE(AudioActivity::IsPlaying());
        player.Stop();
        EXPECT_FALSE(AudioActivity::IsPlaying());
        EXPECT_EQ(device.out, nullptr);
    }
}

TEST_F(PlayerTest, WithoutAListenerThePlayerStopsItself) {
    const Annotation note = NoteOf(kAudioBufferBytes * 2);
    ASSERT_TRUE(player.Play(note));
    PlayNext(false);
    PlayNext(false);
    EXPECT_TRUE(WaitFor([&] { return !AudioActivity::IsPlaying() && device.out == nullptr; }));
}

TEST_F(PlayerTest, StopAndDeleteInTheMiddleCloseTheDevice) {
    for (bool deleteNote : {false, true}) {
        device.writes.clear();
        played = 0;
        AnnotationList list;
        list.InsertAt(NoteOf(kAudioBufferBytes * 20));
        ASSERT_TRUE(player.Play(*list.At(0)));
        PlayNext();
        PlayNext();
        if (deleteNote) {
            EXPECT_TRUE(list.Delete(0));
        } else {
            player.Stop();
        }
        EXPECT_FALSE(AudioActivity::IsPlaying());
        EXPECT_EQ(device.out, nullptr);
        EXPECT_EQ(device.writes.size(), 7u);
    }
}

TEST_F(PlayerTest, NoDeviceGivesThePlayErrorWithTheReason) {
    device.failure = "No sound output device.";
    const Annotation note = NoteOf(100);
    EXPECT_FALSE(player.Play(note));
    EXPECT_FALSE(AudioActivity::IsPlaying());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].first, "Play Error");
    EXPECT_EQ(prompts.shown[0].second,
              "An error occurred when trying to play:\nNo sound output device.\nMake sure sound "
              "playback is enabled on your computer.");
}

TEST(Recorder, FillsTheBuffersInTurnAndKeepsWhatCameBack) {
    test::ScriptedDevice device;
    AudioRecorder recorder(device);
    Annotation note;
    ASSERT_FALSE(recorder.Start(note.File()));
    EXPECT_TRUE(device.started);
    EXPECT_TRUE(AudioActivity::IsRecording());
    EXPECT_EQ(device.added, (std::vector<int>{4, 3, 2, 1, 0}));
    QByteArray expected;
    for (int i = 0; i < 7; ++i) {  // past the fifth, buffers come round again
        const QByteArray piece = RandomBytes(i == 6 ? 650 : kAudioBufferBytes, i);
        expected += piece;
        device.Fill(piece);
        ASSERT_TRUE(WaitFor([&] { return device.AddedCount() == 5; }));
    }
    recorder.Stop();
    EXPECT_FALSE(AudioActivity::IsRecording());
    EXPECT_EQ(device.in, nullptr);
    QByteArray stored(note.AudioSize(), '\0');
    ASSERT_EQ(note.File()->ReadAt(0, stored.data(), stored.size()), expected.size());
    EXPECT_EQ(stored, expected);
}

// A file that can grow no more (the process's file size limit stands in for a full disk)
// ends the recording; what was written before stays.
TEST(Recorder, AFailedWriteEndsTheRecordingAndKeepsTheAudio) {
    test::ScriptedDevice device;
    AudioRecorder recorder(device);
    Annotation note;
    ASSERT_FALSE(recorder.Start(note.File()));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old;
    limit.rlim_cur = 2 * kAudioBufferBytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    for (int i = 0; i < 3; ++i) {
        device.Fill(RandomBytes(kAudioBufferBytes, i));
    }
    const bool failed = WaitFor([&] { return recorder.WriteFailed(); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_TRUE(failed);
    EXPECT_FALSE(AudioActivity::IsRecording());
    recorder.Stop();
    EXPECT_EQ(device.in, nullptr);
    EXPECT_EQ(note.AudioSize(), 2 * kAudioBufferBytes);
}

}  // namespace
}  // namespace plantrek
