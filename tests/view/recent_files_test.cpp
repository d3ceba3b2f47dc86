// The File menu's list of recent files: four entries, newest first, kept across starts.
#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "document/recent_files.h"

namespace plantrek {
namespace {

TEST(RecentFiles, KeepsTheFourNewestAcrossStarts) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const SettingsStore store = SettingsStore::AtFile(dir.filePath(QStringLiteral("settings.ini")));
    const auto path = [&](const char* name) {
        return QDir::cleanPath(dir.filePath(QString::fromLatin1(name)));
    };
    QStringList newestFirst;
    {
        RecentFileList recent(store);
        for (const char* name :
             {"one.tcd", "two.tcd", "three.tcd", "four.tcd", "five.tcd", "six.tcd"}) {
            recent.Add(path(name));
        }
        newestFirst = {path("six.tcd"), path("five.tcd"), path("four.tcd"), path("three.tcd")};
        EXPECT_EQ(recent.Files(), newestFirst);
        // Opening one again brings it to the top without taking a second place.
        recent.Add(path("four.tcd"));
        newestFirst = {path("four.tcd"), path("six.tcd"), path("five.tcd"), path("three.tcd")};
        EXPECT_EQ(recent.Files(), newestFirst);
    }
    RecentFileList later(store);
    EXPECT_EQ(later.Files(), newestFirst);
    later.Remove(path("six.tcd"));
    EXPECT_EQ(RecentFileList(store).Files(),
              (QStringList{path("four.tcd"), path("five.tcd"), path("three.tcd")}));
}

TEST(RecentFiles, MenuTextsNumberTheFilesAndShortenLongPaths) {
    const QString sep = QDir::separator();
    const auto native = [](const char* path) {
        return QDir::toNativeSeparators(QString::fromLatin1(path));
    };
    EXPECT_EQ(RecentFileMenuText(1, QStringLiteral("/sites/b.tcd")),
              QStringLiteral("&1 ") + native("/sites/b.tcd"));
    // Over forty characters: the last folder and the name.
    EXPECT_EQ(RecentFileMenuText(2, QStringLiteral("/home/surveyor/jobs/2026/north street/b.tcd")),
              QStringLiteral("&2 ...") + sep + native("north street/b.tcd"));
    // An ampersand in a name is shown as one, not made the item's mnemonic.
    EXPECT_EQ(RecentFileMenuText(4, QStringLiteral("/sites/Smith & Sons.tcd")),
              QStringLiteral("&4 ") + native("/sites/Smith && Sons.tcd"));
}

}  // namespace
}  // namespace plantrek
