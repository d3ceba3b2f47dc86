// The GSM codec, the deadline on a sound device's thread, the player, recorder and notes window
// session on a scripted device, and a real sound server.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cmath>
#include <numeric>
#include <tuple>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

#include "audio/audio_activity.h"
#include "audio/audio_test_data.h"
#include "audio/io/annotation_session.h"
#include "audio/io/audio_player.h"
#include "audio/io/audio_recorder.h"
#include "audio/io/deadline_call.h"
#include "audio/io/qt_sound_device.h"
#include "audio/io/recording_time.h"
#include "audio_io_support.h"
#include "support/file_size_limit.h"

namespace plantrek {
namespace {

// Ten seconds are 16250 bytes.
TEST(GsmCodec, WholeBlocks) {
    for (const auto& [samples, bytes] : std::vector<std::pair<size_t, qsizetype>>{
             {0, 0}, {1, 65}, {320, 65}, {321, 130}, {80000, 16250}}) {
        EXPECT_EQ(test::Encode(std::vector<int16_t>(samples, 1000)).size(), bytes) << samples;
    }
}

// A sound device's thread with an object on it; blocking its loop stands for a stuck sound
// system.
TEST(CallWithDeadline, WaitsForWorkThatFinishesAndGivesUpOnWorkThatDoesNot) {
    QThread thread;
    QObject context;
    QSemaphore release;
    thread.start();
    context.moveToThread(&thread);
    const auto stop = qScopeGuard([&] { thread.quit(), thread.wait(); });
    std::atomic<int> worked = 0;
    std::atomic<int> undone = 0;
    const auto work = [&] { ++worked; };
    const auto undo = [&] { ++undone; };
    EXPECT_TRUE(CallWithDeadline(&context, work, undo, 5000));
    EXPECT_EQ(worked, 1);

    QMetaObject::invokeMethod(
        &context, [&] { release.acquire(); }, Qt::QueuedConnection);
    EXPECT_FALSE(CallWithDeadline(&context, work, undo, 50));
    EXPECT_EQ(worked, 1);
    // Once the thread moves again, the abandoned work runs and is undone.
    release.release();
    EXPECT_TRUE(CallWithDeadline(
        &context, [] {}, [] {}, 5000));
    EXPECT_EQ(worked, 2);
    EXPECT_EQ(undone, 1);
}

using test::WaitUntil;
// A buffer is two seconds of the note's format: 50 GSM 6.10 blocks of 65 bytes. Written out
// rather than taken from the code, so that a wrong size there shows here.
constexpr qsizetype B = 3250;

class PlayerTest : public ::testing::Test {
protected:
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
        Annotation note;
        ASSERT_TRUE(note.File()->Append(
            RandomBytes(std::accumulate(pieces.begin(), pieces.end(), qsizetype{0}), 7)));
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

// A PulseAudio server of this test's own, whose only devices are a null sink and its monitor:
// what is played is recorded back. Qt lists no monitors among the inputs, so the monitor is
// offered again as an ordinary source.
struct PrivateSoundServer {
    ~PrivateSoundServer() {
        server.kill();
        server.waitForFinished(5000);
    }

    // The reason when no server could be started.
    QString Start() {
        const QString pulseaudio = QStandardPaths::findExecutable("pulseaudio");
        if (pulseaudio.isEmpty() || !dir.isValid()) {
            return "pulseaudio is not installed";
        }
        const QString socket = dir.filePath("native");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", dir.path());
        env.insert("HOME", dir.path());
        server.setProcessEnvironment(env);
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start(pulseaudio,
                     {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                      "--realtime=no", "--high-priority=no", "--log-target=stderr", "-L",
                      "module-null-sink sink_name=plantrek_null", "-L",
                      "module-remap-source master=plantrek_null.monitor source_name=plantrek_mic",
                      "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        for (const QDeadlineTimer deadline(15000); !QFileInfo::exists(socket);) {
            if (deadline.hasExpired() ||
                (!server.waitForReadyRead(50) && server.state() == QProcess::NotRunning)) {
                return "the sound server did not start: " +
                       QString::fromLocal8Bit(server.readAll());
            }
        }
        qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
        return {};
    }

    QTemporaryDir dir;
    QProcess server;
};

// The strength of one frequency in the samples (Goertzel).
double Strength(const std::vector<int16_t>& s, double hz) {
    const double k = 2 * std::cos(2 * M_PI * hz / kGsmSampleRate);
    double a = 0, b = 0;
    for (int16_t x : s) {
        const double c = x + k * a - b;
        b = a;
        a = c;
    }
    return std::sqrt(a * a + b * b - k * a * b) / double(s.size());
}

TEST(RealSound, ANotePlayedIntoTheNullSinkIsRecordedFromItsMonitor) {
    PrivateSoundServer server;
    const QString problem = server.Start();
    if (!problem.isEmpty()) {
        GTEST_SKIP() << "no sound server: " << problem.toStdString();
    }
    Annotation note;
    ASSERT_TRUE(note.File()->Append(test::Encode(test::Tone(2, 440, 10000))));

    QtSoundDevice device;
    test::RecordingPrompts prompts;
    AudioPlayer player(device, prompts);
    AudioRecorder recorder(device);
    Annotation recording;
    const auto refused = recorder.Start(recording.File());
    ASSERT_FALSE(refused) << refused->toStdString();
    test::Finished finished;
    player.SetListener(&finished);
    ASSERT_TRUE(player.Play(note)) << prompts.shown.back().second.toStdString();
    EXPECT_TRUE(test::WaitUntil([&] { return finished.count > 0; }, 20000));
    player.Stop();
    test::WaitUntil([] { return false; }, 500);  // the end of the note reaches the recording
    recorder.Stop();
    EXPECT_FALSE(AudioActivity::IsPlaying() || AudioActivity::IsRecording());

    ASSERT_GT(recording.AudioSize(), kAudioBufferBytes);
    const std::vector<int16_t> heard = test::Decode(test::Contents(*recording.File()));
    EXPECT_GT(Strength(heard, 440), std::max(300.0, 10 * Strength(heard, 1000)));

#ifdef Q_OS_UNIX
    // A server that stops answering: opening gives up at the deadline instead of waiting with
    // the window, and the device opens again once the server answers.
    struct : WaveOutListener {
        void BufferDone(int) override {}
    } listener;
    QtSoundDevice impatient(1000);
    const qint64 pid = server.server.processId();
    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGSTOP), 0);
    QString error;
    EXPECT_FALSE(impatient.OpenOutput(listener, &error));
    EXPECT_EQ(error, kErrorSoundNoAnswer);
    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGCONT), 0);
    std::unique_ptr<WaveOut> reopened;
    EXPECT_TRUE(test::WaitUntil(
        [&] {
            reopened = device.OpenOutput(listener, &error);
            return reopened != nullptr;
        },
        20000))
        << error.toStdString();
#endif
}

}  // namespace
}  // namespace plantrek
