// Saving a large site goes out to the file in blocks; the bytes must be those the writer
// produces line by line, and a block the disk refuses must fail the save with the system's
// reason, leaving the old file.
#include "document/files/qstring_printer.h"
#include "document/files/site_file.h"
#include "document/files/site_file_test_support.h"
#include "document/files/site_file_writer.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <limits>
#include <random>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "model/room.h"

namespace plantrek {
namespace {

using namespace site_file_test;

// About 300 KB of file: many times the block the save collects.
Site ManyRooms() {
    Site site;
    site.AddMaterial(QStringLiteral("Tile"), 1, 0x00AA00u);
    for (int i = 0; i < 300; ++i) {
        site.SetStartPoint({(i % 20) * 7.0, (i / 20) * 7.0});
        Room* room = site.AddRoom(QStringLiteral("Room %1").arg(i + 1), i % 2);
        room->AddWall(4.0 + i * 0.001, 0.0);
        room->AddWall(3.0, 90.0, i % 3 == 0 ? 0.4 : 0.0);
        room->AddWall(4.0, 180.0);
    }
    return site;
}

QByteArray WrittenLineByLine(const Site& site, const QString& fileName) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CSiteFileWriter writer(buffer, fileName);
    site.Traverse(writer);
    EXPECT_TRUE(writer.Finish());
    return bytes;
}

TEST(SiteFileLargeSaveTest, TheFileHoldsExactlyWhatTheWriterWrote) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Site site = ManyRooms();
    const QString path = dir.filePath(QStringLiteral("large.tcd"));
    ASSERT_TRUE(SaveSiteFile(site, path).ok);
    const QByteArray saved = ReadBytes(path);
    EXPECT_GT(saved.size(), 200 * 1024);
    EXPECT_TRUE(SameFileBytes(saved, WrittenLineByLine(site, QStringLiteral("large.tcd"))));

    Site reread;
    ASSERT_TRUE(LoadSiteFile(path, reread).ok);
    ASSERT_EQ(reread.RoomCount(), 300);
    ASSERT_TRUE(SaveSiteFile(reread, path).ok);
    EXPECT_TRUE(SameFileBytes(ReadBytes(path), saved));
}

TEST(SiteFileLargeSaveTest, ABlockTheDiskRefusesFailsTheSaveWithTheSystemsReason) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("site.tcd"));
    const QByteArray old("the old file");
    ASSERT_TRUE(WriteBytes(path, old));
    const Site site = ManyRooms();

    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        // Past 100 KB every write fails, in the middle of the file's blocks.
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100 * 1024, 100 * 1024};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            _exit(4);
        }
        const SiteFileResult result = SaveSiteFile(site, path);
        const QByteArray report = (result.ok ? "1" : "0") + result.errorText.toUtf8();
        _exit(write(ends[1], report.constData(), report.size()) == report.size() ? 0 : 3);
    }
    close(ends[1]);
    QByteArray report;
    char buffer[256];
    for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;) {
        report.append(buffer, got);
    }
    close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(report, "0" + QByteArray(std::strerror(EFBIG)));
    EXPECT_EQ(ReadBytes(path), old);
}

TEST(SiteFileLargeSaveTest, NumbersAreWrittenAsQtFormatsThem) {
    std::mt19937 engine(5u);
    std::uniform_real_distribution<double> wide(-1e7, 1e7);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.5e-6,
                                  1.5e-6,
                                  2.5e-6,
                                  -0.5e-6,
                                  1e300,
                                  -1e300,
                                  123.4565,
                                  0.0000005,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::nan(""),
                                  -std::nan("")};
    for (int i = 0; i < 5000; ++i) {
        values.push_back(wide(engine));
        values.push_back(std::round(wide(engine)) / 1e6);
    }
    for (const double value : values) {
        ASSERT_EQ(CSiteFileWriter::FormatNumber(value), QString::asprintf("%f", value)) << value;
    }
}

}  // namespace
}  // namespace plantrek
