#include <QtEndian>

#include <cmath>
#include <tuple>

#include "cli_support.h"

namespace plantrek::test {
namespace {

constexpr double kHz = 440;

// A PCM WAV file of a 440 Hz tone: 1.5 seconds, every channel alike.
QByteArray ToneWav(int channels, int rate, int bits, int tag = 1) {
    QByteArray data;
    for (int i = 0; i < rate * 3 / 2; ++i) {
        const double v = 0.4 * std::sin(2 * M_PI * kHz * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (bits == 8) {
                data.append(char(std::lround(128 + 127 * v)));
            } else {
                const auto s = qToLittleEndian<qint16>(qint16(std::lround(32767 * v)));
                data.append(reinterpret_cast<const char*>(&s), 2);
            }
        }
    }
    QByteArray wav("RIFF\0\0\0\0WAVEfmt \x10\0\0\0", 20);
    const auto put = [&wav](auto value) {
        value = qToLittleEndian(value);
        wav.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    put(quint16(tag)), put(quint16(channels)), put(quint32(rate));
    put(quint32(rate * channels * bits / 8)), put(quint16(channels * bits / 8)), put(quint16(bits));
    wav.append("data", 4), put(quint32(data.size()));
    wav += data;
    qToLittleEndian<quint32>(quint32(wav.size() - 8), wav.data() + 4);
    return wav;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST_F(CliTest, NotesFromWavFilesAreSavedAndWrittenOutAgain) {
    QByteArray script = ":add-room Hall\n3 N\n";
    int i = 0;
    for (const auto& [channels, rate, bits] : {std::tuple{1, 8000, 16}, std::tuple{2, 44100, 16},
                                               std::tuple{1, 11025, 8}, std::tuple{2, 48000, 8}}) {
        Write(Work(QString("in%1.wav").arg(i)), ToneWav(channels, rate, bits));
        script +=
            QString(i % 2 ? ":note-room Hall in%1.wav\n" : ":note-site in%1.wav \"Tone %1\"\n")
                .arg(i)
                .toUtf8();
        ++i;
    }
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
