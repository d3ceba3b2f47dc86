#include <QDataStream>
#include <QtEndian>

#include <cmath>

#include "cli_support.h"

namespace plantrek::test {
namespace {

constexpr double kHz = 440;

// A PCM WAV file of a 440 Hz tone: 1.5 seconds, every channel alike.
QByteArray ToneWav(int channels, int rate, int bits, int tag = 1) {
    const int frames = rate * 3 / 2, frameBytes = channels * bits / 8;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4), out << quint32(36 + frames * frameBytes);
    out.writeRawData("WAVEfmt ", 8), out << quint32(16) << quint16(tag) << quint16(channels);
    out << quint32(rate) << quint32(rate * frameBytes) << quint16(frameBytes) << quint16(bits);
    out.writeRawData("data", 4), out << quint32(frames * frameBytes);
    for (int i = 0; i < frames; ++i) {
        const double v = 0.4 * std::sin(2 * M_PI * kHz * i / rate);
        for (int c = 0; c < channels; ++c) {
            bits == 8 ? out << quint8(std::lround(128 + 127 * v))
                      : out << qint16(std::lround(32767 * v));
        }
    }
    return wav;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST_F(CliTest, NotesFromWavFilesAreSavedAndWrittenOutAgain) {
    Write(Work("in0.wav"), ToneWav(1, 8000, 16));
    Write(Work("in1.wav"), ToneWav(2, 44100, 16));
    Write(Work("in2.wav"), ToneWav(1, 11025, 8));
    Write(Work("in3.wav"), ToneWav(2, 48000, 8));
    const QByteArray script =
        ":add-room Hall\n3 N\n:note-site in0.wav \"Tone 0\"\n:note-room Hall in1.wav\n"
        ":note-site in2.wav \"Tone 2\"\n:note-room Hall in3.wav\n";
    const CliResult run = RunScript(script, {"--out", "site.tcd"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject info = Info("site.tcd");
    EXPECT_EQ(info["site_notes"][1]["name"].toString(), "Tone 2");
    EXPECT_EQ(info["site_notes"][1]["bytes"].toInt(), 38 * 65);  // 1.5 s in whole blocks
    EXPECT_EQ(info["rooms"][0]["notes"][1]["name"].toString(), "");

    const CliResult notes = Run({"notes", "site.tcd", "out"});
    ASSERT_EQ(notes.exitCode, 0) << notes.err.toStdString();
    const QStringList lines = notes.OutLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "site\t1\tTone 0\t1.52\tout/site - Tone 0.wav");
    EXPECT_EQ(lines[3], "room Hall\t2\tTrack 2\t1.52\tout/Hall - Track 2.wav");
    for (const QString& line : lines) {
        const QByteArray wav = ReadDataFile(Work(line.section('\t', 4)));
        ASSERT_EQ(wav.size(), 44 + 38 * 320 * 2);  // 16-bit samples of the 38 blocks
        EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 24), 8000u);
        // Close to the tone, in phase: the signal well above what differs from it.
        double signal = 0, noise = 0;
        for (int i = 800; i < 11200; ++i) {
            const double want = 0.4 * 32767 * std::sin(2 * M_PI * kHz * i / 8000);
            const double got = qFromLittleEndian<qint16>(wav.constData() + 44 + 2 * i);
            signal += want * want;
            noise += (got - want) * (got - want);
        }
        EXPECT_GT(10 * std::log10(signal / noise), 6.0) << line.toStdString();
    }
}

TEST_F(CliTest, AFileThatIsNoPcmWavIsRefusedAndChangesNothing) {
    const QByteArray good = ToneWav(1, 8000, 16);
    QByteArray silent = good.left(44);
    qToLittleEndian<quint32>(0, silent.data() + 40);
    const std::pair<QByteArray, const char*> cases[] = {
        {"", "is empty."},
        {"plain text, not sound", "is not a WAV file."},
        {good.left(good.size() - 100), "is truncated."},
        {good.left(30), "is truncated or damaged in its format."},
        {ToneWav(1, 8000, 16, 6), "is not PCM sound (coding 6)"},
        {ToneWav(1, 96000, 16), "has 1 channel of 16 bits at 96000 Hz"},
        {ToneWav(3, 8000, 16), "has 3 channels of 16 bits at 8000 Hz"},
        {silent, "holds no sound."}};
    for (const auto& [bytes, message] : cases) {
        Write(Work("bad.wav"), bytes);
        // A refused file ends the run with status 1, as a site that does not open does: the
        // lines after it do not run and the site is not written.
        const CliResult run = RunScript("3 N\n:note-site bad.wav\n:info\n", {"--out", "noted.tcd"});
        EXPECT_EQ(run.exitCode, 1) << message;
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith("error: \"bad.wav\" ") && run.err.contains(message))
            << message << " / " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_FALSE(QFile::exists(Work("noted.tcd")));
    }
}

}  // namespace
}  // namespace plantrek::test
