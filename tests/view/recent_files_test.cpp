// The File menu's recent-file entries: numbered, long paths shortened (the list itself is
// checked with the document manager).
#include <gtest/gtest.h>
#include <QDir>

#include "document/recent_files.h"

namespace plantrek {
namespace {

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
