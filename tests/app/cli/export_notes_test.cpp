// plantrek-cli export: a sample house (six closed rooms in four materials, a bay window, an open
// deck) written in the format its name asks for, in the units asked for, and the errors; and
// notes taken from WAV files and written out again.
#include <QDataStream>
#include <QDir>
#include <QImage>
#include <QSettings>
#include <QtEndian>

#include <cmath>

#include "cli_support.h"
#include "support/file_size_limit.h"

namespace plantrek::test {
namespace {

QString SamplePath(const QString& name) {
    return QStringLiteral(PLANTREK_CLI_DATA "/../export_cli/") + name;
}

class ExportCliTest : public CliTest {
protected:
    // Runs "export" with the arguments split at spaces, SITE standing for the sample house.
    CliResult Export(const QString& arguments) const {
        QStringList split = arguments.split(u' ');
        split.replaceInStrings(QRegularExpression("^SITE$"), SamplePath("house.tcd"));
        return Run(QStringList{"export"} + split);
    }
};

// What is in each format is read back by the export tests; here the name alone must choose it
// (the export layer's failure tests take every extension through the same choice).
TEST_F(ExportCliTest, ExtensionChoosesTheFormatInAnyCase) {
    const std::pair<const char*, QByteArray> cases[] = {
        {"plan.jpg", "\xff\xd8\xff"}, {"plan.BMP", "BM"}, {"plan.pdf", "%PDF-"}};
    for (const auto& [file, magic] : cases) {
        const CliResult result = Export(QString("SITE %1 --units meters").arg(file));
        ASSERT_EQ(result.exitCode, 0) << file << result.err.toStdString();
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
        EXPECT_TRUE(ReadDataFile(Work(QString::fromLatin1(file))).startsWith(magic)) << file;
    }
    // The selected room (named in any case) is drawn differently.
    ASSERT_EQ(Export("SITE selected.bmp --select-room KITCHEN").exitCode, 0);
    EXPECT_NE(ReadDataFile(Work("selected.bmp")), ReadDataFile(Work("plan.BMP")));
}

// The summary in the units asked for, byte for byte; --units is for this run only, and without
// it the user's own setting (feet) counts.
TEST_F(ExportCliTest, SummariesInTheUnitsOfTheRunOnly) {
    {
        QSettings user(UserSettingsPath(), QSettings::IniFormat);
        user.setValue(QStringLiteral("Input"), 0);
    }
    ASSERT_EQ(Export("SITE rooms.csv --units meters").exitCode, 0);
    EXPECT_EQ(ReadDataFile(Work("rooms.csv")), ReadDataFile(SamplePath("house_meters.csv")));
    QSettings user(UserSettingsPath(), QSettings::IniFormat);
    EXPECT_EQ(user.value(QStringLiteral("Input")).toInt(), 0);
    EXPECT_FALSE(user.contains(QStringLiteral("ExportType")));
    ASSERT_EQ(Export("SITE ROOMS.TXT").exitCode, 0);
    EXPECT_EQ(ReadDataFile(Work("ROOMS.TXT")), ReadDataFile(SamplePath("house_feet.txt")));
}

// The room schedule: a row per room in the site's order, an empty row, a row per material; the
// kitchen (3.50 m x 4.00 m, no openings) at the default 2.50 m.
TEST_F(ExportCliTest, ScheduleListsEveryRoomThenEveryMaterial) {
    ASSERT_EQ(Export("SITE rooms.csv --schedule --units meters").exitCode, 0);
    const QStringList lines = QString::fromUtf8(ReadDataFile(Work("rooms.csv"))).split(u'\n');
    ASSERT_EQ(lines.size(), 1 + 7 + 1 + 1 + 5 + 1);
    EXPECT_TRUE(lines[0].startsWith("\"Room\",\"Material\",\"Height (m)\",\"Floor Area (sm)\""));
    EXPECT_TRUE(lines.contains("\"Kitchen\",\"Ceramic Tile\",2.5,14,15,15,37.5,37.5,35,0,0"));
    EXPECT_TRUE(lines[9].startsWith("\"Material\",\"Rooms\""));
}

TEST_F(ExportCliTest, ErrorsSayWhyAndWriteNothing) {
    const QString takes = "plantrek-cli: export takes a site file and an output file\n";
    const struct {
        const char* arguments;
        int exitCode;
        QString err;  // the whole of standard error
    } cases[] = {
        {"SITE plan.webp", 1, "error: Unknown file type\n"},
        {"SITE nowhere/plan.dxf", 1, "error: Couldn't save file: No such file or directory\n"},
        {"absent.tcd plan.dxf", 1,
         "warning: The file \"absent.tcd\" could not be opened.\\nNo such file or directory\n"},
        {"SITE plan.jpg --select-room Garage", 2,
         "plantrek-cli: there is no room named \"Garage\"\n"},
        {"SITE plan.csv --units yards", 2,
         "plantrek-cli: --units takes feet or meters, not \"yards\"\n"},
        {"SITE plan.jpg --zoom 2", 2, "plantrek-cli: unknown option \"--zoom\"\n"},
        {"SITE plan.pdf --scale 50", 2,
         "plantrek-cli: --scale takes a scale such as 1:50, not \"50\"\n"},
        {"SITE plan.pdf --page B99", 2,
         "plantrek-cli: --page takes a paper size such as A4, A3 or Letter, not \"B99\"\n"},
        {"SITE plan.dxf --schedule", 2,
         "plantrek-cli: --schedule writes an .xls, .csv or .txt file, not \"plan.dxf\"\n"},
        {"SITE", 2, takes},
        {"SITE a.dxf b.dxf", 2, takes}};
    for (const auto& c : cases) {
        const CliResult result = Export(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments;
        EXPECT_EQ(QString::fromUtf8(result.err), c.err);
        EXPECT_EQ(QDir(Work()).entryList(QDir::Files), QStringList()) << c.arguments;
    }
}

// The file manager's thumbnail: the plan within SIZE pixels; a size it cannot honour is refused.
TEST_F(ExportCliTest, ThumbnailFitsTheSizeAsked) {
    const QString site = SamplePath(QStringLiteral("house.tcd"));
    ASSERT_EQ(Run({"thumbnail", site, Work("thumb.png"), "128"}).exitCode, 0);
    const QImage thumb(Work("thumb.png"));
    ASSERT_FALSE(thumb.isNull());
    EXPECT_EQ(std::max(thumb.width(), thumb.height()), 128);
    EXPECT_EQ(Run({"thumbnail", site, Work("bad.png"), "0"}).exitCode, 2);
    EXPECT_EQ(Run({"thumbnail", site, Work("bad.png"), "huge"}).exitCode, 2);
    // It is written as the exports are (their failures are checked there): a disk that fills up
    // is reported with its reason, and the earlier thumbnail stays, alone.
    {
        FileSizeLimit limit(300);
        ASSERT_TRUE(limit.Active());
        const CliResult full = Run({"thumbnail", site, Work("thumb.png"), "256"});
        EXPECT_EQ(full.exitCode, 1);
        EXPECT_EQ(full.err, QByteArray("error: Couldn't save file: File too large\n"));
    }
    EXPECT_EQ(QImage(Work("thumb.png")).size(), thumb.size());
    EXPECT_EQ(QDir(Work()).entryList(QDir::Files | QDir::Hidden), QStringList{"thumb.png"});
}

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
