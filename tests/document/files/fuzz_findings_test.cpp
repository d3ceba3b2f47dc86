// Inputs the fuzzers turned up (tests/data/fuzz), kept so that they stay harmless: each opens
// cleanly or fails cleanly, holds only finite numbers, and what opens saves and opens again
// with the same rooms.
#include "document/files/qstring_printer.h"
#include "document/files/site_file.h"
#include "document/files/site_file_test_support.h"
#include "document/files/site_template.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include <cmath>

#include "model/room.h"
#include "model/wall.h"

namespace plantrek {
namespace {

using namespace site_file_test;

bool Finite(PlanPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

::testing::AssertionResult AllFinite(const Site& site) {
    if (!Finite(site.GetStartPoint())) {
        return ::testing::AssertionFailure() << "the start point";
    }
    for (const auto& room : site.Rooms()) {
        if (!Finite(room->GetLocation()) || !Finite(room->GetStartPoint())) {
            return ::testing::AssertionFailure() << "room " << room->GetName().toStdString();
        }
        for (int i = 0; i < room->WallCount(); ++i) {
            const Wall* wall = room->GetWall(i);
            if (!Finite(wall->GetVector()) || !std::isfinite(wall->GetArcHeight())) {
                return ::testing::AssertionFailure()
                       << "wall " << i << " of " << room->GetName().toStdString();
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(FuzzFindingsTest, SiteFilesOpenOrFailCleanlyAndSaveWithTheirRooms) {
    const QFileInfoList findings =
        QDir(TestDataPath(QStringLiteral("fuzz/site_file"))).entryInfoList(QDir::Files, QDir::Name);
    ASSERT_FALSE(findings.isEmpty());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QFileInfo& finding : findings) {
        const QString path = finding.filePath();
        SCOPED_TRACE(path.toStdString());
        Site site;
        if (!LoadSiteFile(path, site).ok) {
            EXPECT_EQ(site.RoomCount(), 0);
            continue;
        }
        EXPECT_TRUE(AllFinite(site));
        const QString saved = dir.filePath(QStringLiteral("saved.tcd"));
        ASSERT_TRUE(SaveSiteFile(site, saved).ok);
        Site reread;
        ASSERT_TRUE(LoadSiteFile(saved, reread).ok);
        ASSERT_EQ(reread.RoomCount(), site.RoomCount());
        for (int i = 0; i < site.RoomCount(); ++i) {
            EXPECT_EQ(reread.GetRoom(i)->GetName(), site.GetRoom(i)->GetName());
        }
        EXPECT_TRUE(AllFinite(reread));
    }
}

}  // namespace
}  // namespace plantrek
