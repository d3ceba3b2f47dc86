#include "document/files/qstring_printer.h"
#include "document/files/site_file.h"
#include "document/files/site_file_test_support.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>
#include <utility>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "model/room.h"
#include "support/file_size_limit.h"

namespace plantrek {
namespace {

using namespace site_file_test;

// A site with what the small one lacks: walls in every quarter, long ones included (a bearing
// taken through a length would move their ends), arcs both ways, text outside ASCII, a colour
// with its top byte set, a negative material index and notes of several pieces.
Site SurveyedSite() {
    Site site;
    site.SetName(QStringLiteral("Müller & Söhne \"Nord\""));
    site.AddMaterial(QStringLiteral("Ceramic 日本"), -5, 0xFF123456u);
    site.AddMaterial(QStringLiteral("Screed 'raw'"), 12, 0x00FFFFFFu);
    site.SetStartPoint({-12.345678, 98.7654321});
    AddNote(site.Annotations(), AudioBytes(3000, 1), QStringLiteral("Overview 🏠"));
    AddNote(site.Annotations(), AudioBytes(1, 2), QString());

    Room* hall = site.AddRoom(QStringLiteral("Hall <ground>"), -5);
    hall->AddWall(47.3, 213.7);
    hall->AddWall(23.9, 301.25, -2.5);
    hall->AddWall(61.05, 90.0);
    hall->AddWall(12.5, 147.0, 0.8);
    hall->SetCloseRule(CloseRule::Angled);
    AddNote(hall->Annotations(), AudioBytes(1200, 3), QStringLiteral("Crack"));

    site.SetStartPoint({100.0, -100.0});
    Room* store = site.AddRoom(QStringLiteral("Store"), 12);
    store->AddWall(150.0, 180.0);
    store->AddWall(75.25, 270.0);
    store->SetCloseRule(CloseRule::ReverseSquare);

    Room* open = site.AddRoom(QStringLiteral("Open"), 12);
    open->AddWall(5.0, 33.0);
    return site;
}

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

class SiteFileSaveTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Folder(const QString& name) {
        QDir(dir_.path()).mkpath(name);
        return dir_.filePath(name);
    }

    QTemporaryDir dir_;
};

TEST_F(SiteFileSaveTest, SaveOpenSaveGivesTheSameBytes) {
    // The small site's file is checked byte for byte by the writer's and the next test.
    const std::pair<const char*, Site> cases[] = {
        {"surveyed", SurveyedSite()}, {"large", ManyRooms()}, {"new", Site()}};
    for (const auto& [label, site] : cases) {
        const QString first = QDir(Folder(QStringLiteral("first"))).filePath("site.tcd");
        const QString second = QDir(Folder(QStringLiteral("second"))).filePath("site.tcd");
        ASSERT_TRUE(SaveSiteFile(site, first).ok) << label;
        Site opened;
        const SiteFileResult loaded = LoadSiteFile(first, opened);
        ASSERT_TRUE(loaded.ok) << label << ": " << loaded.errorText.toStdString();
        EXPECT_EQ(opened.RoomCount(), site.RoomCount()) << label;
        // The name of a read site is the one the caller gave it, not the file's.
        opened.SetName(site.GetName());
        ASSERT_TRUE(SaveSiteFile(opened, second).ok) << label;
        EXPECT_TRUE(SameFileBytes(ReadBytes(second), ReadBytes(first))) << label;
    }
}

TEST_F(SiteFileSaveTest, TheCheckedInFileOpensAndSavesUnchanged) {
    const QString golden = TestDataPath(QStringLiteral("site_files/golden.tcd"));
    Site site;
    site.SetName(QStringLiteral("Site"));
    ASSERT_TRUE(LoadSiteFile(golden, site).ok);
    ASSERT_EQ(site.RoomCount(), 2);
    EXPECT_EQ(site.GetRoom(0)->GetName(), "Kitchen & \"Bob's\" <1>");
    ASSERT_EQ(site.GetRoom(0)->Annotations().Count(), 1);
    EXPECT_EQ(site.GetRoom(0)->Annotations().At(0)->Name(), "Tap drips");
    EXPECT_EQ(site.GetRoom(0)->Annotations().At(0)->AudioSize(), 285);
    EXPECT_FALSE(site.GetRoom(1)->IsClosed());
    const QString path = QDir(Folder(QStringLiteral("out"))).filePath("golden.tcd");
    ASSERT_TRUE(SaveSiteFile(site, path).ok);
    EXPECT_TRUE(SameFileBytes(ReadBytes(path), ReadBytes(golden)));
}

// The system's own words for an error, as file operations report them.
QString SystemReason(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// What a forked child reports back: whether the save succeeded and why not.
struct ChildSave {
    bool exited = false;
    bool ok = false;
    QString errorText;
};

// Runs a save in a child process, so that limits and identities it takes on stay there.
ChildSave SaveInChild(const std::function<void()>& prepare, const Site& site, const QString& path) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        prepare();
        const SiteFileResult result = SaveSiteFile(site, path);
        const QByteArray report = (result.ok ? "1" : "0") + result.errorText.toUtf8();
        const ssize_t written = write(pipeEnds[1], report.constData(), report.size());
        _exit(written == report.size() ? 0 : 3);
    }
    close(pipeEnds[1]);
    QFile pipeEnd;
    pipeEnd.open(pipeEnds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray report = pipeEnd.readAll();
    pipeEnd.close();
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0 && !report.isEmpty(),
            report.startsWith('1'), QString::fromUtf8(report.mid(1))};
}

// A save that fails reports the system's reason and keeps the old file, with no temporary file
// left. A file-size limit stands in for a full disk, at the first block of a small site or in
// the middle of a large one's; the superuser writes anywhere, so for the read-only folder the
// child gives that up first.
TEST_F(SiteFileSaveTest, AFailedSaveKeepsTheOldFile) {
    const auto sizeLimit = [](rlim_t bytes) {
        return [bytes] {
            if (!(new test::FileSizeLimit(bytes))->Active()) {  // for the rest of the child's life
                _exit(4);
            }
        };
    };
    const struct {
        const char* label;
        bool readOnly;
        std::function<void()> prepare;
        Site site;
        int error;
    } cases[] = {
        {"read-only folder", true,
         [] {
             if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
                 _exit(4);
             }
         },
         GoldenSite(), EACCES},
        {"full at the first block", false, sizeLimit(8192), SurveyedSite(), EFBIG},
        {"full in the middle", false, sizeLimit(100 * 1024), ManyRooms(), EFBIG},
    };
    const QByteArray old = ReadBytes(TestDataPath(QStringLiteral("site_files/golden.tcd")));
    ASSERT_FALSE(old.isEmpty());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const QString folder = Folder(QString::fromLatin1(c.label));
        const QString path = QDir(folder).filePath(QStringLiteral("site.tcd"));
        ASSERT_TRUE(WriteBytes(path, old));
        if (c.readOnly) {
            ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
        }
        const ChildSave save = SaveInChild(c.prepare, c.site, path);
        chmod(QFile::encodeName(folder).constData(), 0755);
        ASSERT_TRUE(save.exited);
        EXPECT_FALSE(save.ok);
        EXPECT_EQ(save.errorText, SystemReason(c.error));
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"site.tcd"});
    }
}

TEST_F(SiteFileSaveTest, SaveIntoAMissingFolderFails) {
    const QString path = dir_.filePath(QStringLiteral("missing/site.tcd"));
    const SiteFileResult result = SaveSiteFile(GoldenSite(), path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, SystemReason(ENOENT));
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath(QStringLiteral("missing"))));
}

}  // namespace
}  // namespace plantrek
