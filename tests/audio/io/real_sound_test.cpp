#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>

#include "audio/audio_activity.h"
#include "audio/io/audio_player.h"
#include "audio/io/audio_recorder.h"
#include "audio/io/qt_sound_device.h"
#include "audio_io_support.h"

namespace plantrek {
namespace {

// A PulseAudio server of this test's own, whose only devices are a null sink and its monitor:
// what is played is recorded back. Qt lists no monitors among the inputs, so the monitor is
// offered again as an ordinary source.
class PrivateSoundServer {
public:
    ~PrivateSoundServer() {
        server_.kill();
        server_.waitForFinished(5000);
    }

    // The reason when no server could be started.
    QString Start() {
        const QString pulseaudio = QStandardPaths::findExecutable("pulseaudio");
        if (pulseaudio.isEmpty() || !dir_.isValid()) {
            return "pulseaudio is not installed";
        }
        socket_ = dir_.filePath("native");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", dir_.path());
        env.insert("HOME", dir_.path());
        server_.setProcessEnvironment(env);
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start(pulseaudio,
                      {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                       "--realtime=no", "--high-priority=no", "--log-target=stderr",
                       "-L", "module-null-sink sink_name=plantrek_null",
                       "-L", "module-remap-source master=plantrek_null.monitor source_name=plantrek_mic",
                       "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket_});
        const QDeadlineTimer deadline(15000);
        while (!QFileInfo::exists(socket_)) {
            if (deadline.hasExpired() || server_.state() == QProcess::NotRunning) {
                return "the sound server did not start: " + QString::fromLocal8Bit(server_.readAll());
            }
            server_.waitForReadyRead(50);
        }
        qputenv("PULSE_SERVER", ("unix:" + socket_).toLocal8Bit());
        return {};
    }

private:
    QTemporaryDir dir_;
    QString socket_;
    QProcess server_;
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

struct Finished : PlaybackListener {
    void PlaybackFinished() override { done = true; }
    bool done = false;
};

TEST(RealSound, ANotePlayedIntoTheNullSinkIsRecordedFromItsMonitor) {
    PrivateSoundServer server;
    const QString problem = server.Start();
    if (!problem.isEmpty()) {
        GTEST_SKIP() << "no sound server: " << problem.toStdString();
    }
    std::vector<int16_t> tone(2 * kGsmSampleRate);  // two seconds of 440 Hz
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<int16_t>(10000 * std::sin(2 * M_PI * 440 * double(i) / 8000));
    }
    Annotation note;
    ASSERT_TRUE(note.File()->Append(test::Encode(tone)));

    QtSoundDevice device;
    test::RecordingPrompts prompts;
    AudioPlayer player(device, prompts);
    AudioRecorder recorder(device);
    Annotation recording;
    const auto refused = recorder.Start(recording.File());
    ASSERT_FALSE(refused) << refused->toStdString();
    Finished finished;
    player.SetListener(&finished);
    ASSERT_TRUE(player.Play(note)) << prompts.shown.back().second.toStdString();
    EXPECT_TRUE(test::WaitFor([&] { return finished.done; }, 20000));
    player.Stop();
    test::WaitFor([] { return false; }, 500);  // the end of the note reaches the recording
    recorder.Stop();
    EXPECT_FALSE(AudioActivity::IsPlaying() || AudioActivity::IsRecording());

    const qint64 size = recording.AudioSize();
    ASSERT_GT(size, kAudioBufferBytes);
    EXPECT_EQ(size % kGsmBlockBytes, 0);
    QByteArray stored(size, '\0');
    ASSERT_EQ(recording.File()->ReadAt(0, stored.data(), size), size);
    const std::vector<int16_t> heard = test::Decode(stored);
    const double at440 = Strength(heard, 440);
    const double at1000 = Strength(heard, 1000);
    EXPECT_GT(at440, 10 * at1000);
    EXPECT_GT(at440, 300.0);
}

}  // namespace
}  // namespace plantrek
