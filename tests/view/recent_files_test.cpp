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

}  // namespace
}  // namespace plantrek
