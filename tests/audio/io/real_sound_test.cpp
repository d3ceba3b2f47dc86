#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>

#include "audio/audio_activity.h"
#include "audio/io/audio_player.h"
#include "audio/io/audio_recorder.h"
#include "audio/io/gsm_codec.h"
#include "audio/io/qt_sound_device.h"
#include "audio_io_support.h"

namespace plantrek {
namespace {

// A PulseAudio server of this test's own, whose only device is a null sink: what is played into
// it can be recorded back from its monitor. Qt lists no monitors among the inputs, so the monitor
// is offered again as an ordinary source.
class PrivateSoundServer {
public:
    ~PrivateSoundServer() {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(5000)) {
                server_.kill();
                server_.waitForFinished(5000);
            }
        }
    }

    // The reason when no server could be started.
    QString Start() {
        const QString pulseaudio = QStandardPaths::findExecutable("pulseaudio");
        const QString pactl = QStandardPaths::findExecutable("pactl");
        if (pulseaudio.isEmpty() || pactl.isEmpty() || !dir_.isValid()) {
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
        for (const QStringList& args : {QStringList{"set-default-sink", "plantrek_null"},
                                        QStringList{"set-default-source", "plantrek_mic"}}) {
            QProcess control;
            control.start(pactl, QStringList{"-s", "unix:" + socket_} + args);
            if (!control.waitForFinished(10000) || control.exitCode() != 0) {
                return "the sound server did not take its settings";
            }
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

void RunEventsFor(int ms, const std::function<bool()>& until = [] { return false; }) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired() && !until()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

TEST(RealSound, ANotePlayedIntoTheNullSinkIsRecordedFromItsMonitor) {
    PrivateSoundServer server;
    const QString problem = server.Start();
    if (!problem.isEmpty()) {
        GTEST_SKIP() << "no sound server: " << problem.toStdString();
    }
    // Two seconds of 440 Hz.
    std::vector<int16_t> tone(2 * kGsmSampleRate);
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<int16_t>(10000 * std::sin(2 * M_PI * 440 * double(i) / kGsmSampleRate));
    }
    GsmEncoder encoder;
    QByteArray gsm;
    encoder.Encode(tone, gsm);
    Annotation note;
    ASSERT_TRUE(note.File()->Append(gsm));

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
    RunEventsFor(20000, [&] { return finished.done; });
    EXPECT_TRUE(finished.done);
    player.Stop();
    RunEventsFor(500);
    recorder.Stop();
    EXPECT_FALSE(AudioActivity::IsPlaying() || AudioActivity::IsRecording());

    const qint64 size = recording.AudioSize();
    ASSERT_GT(size, kAudioBufferBytes);
    EXPECT_EQ(size % kGsmBlockBytes, 0);
    QByteArray stored(size, '\0');
    ASSERT_EQ(recording.File()->ReadAt(0, stored.data(), size), size);
    GsmDecoder decoder;
    std::vector<int16_t> heard(size / kGsmBlockBytes * kGsmBlockSamples);
    for (qint64 b = 0; b * kGsmBlockBytes < size; ++b) {
        decoder.DecodeBlock(stored.sliced(b * kGsmBlockBytes, kGsmBlockBytes),
                            std::span<int16_t, kGsmBlockSamples>(&heard[b * kGsmBlockSamples],
                                                                 kGsmBlockSamples));
    }
    const double at440 = Strength(heard, 440);
    const double at1000 = Strength(heard, 1000);
    std::printf("recorded %.2f s; 440 Hz %.1f, 1000 Hz %.1f\n", double(heard.size()) / 8000,
                at440, at1000);
    EXPECT_GT(at440, 10 * at1000);
    EXPECT_GT(at440, 300.0);
}

}  // namespace
}  // namespace plantrek
