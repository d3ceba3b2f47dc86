#include "document/files/qstring_printer.h"
#include "document/files/site_file_reader.h"
#include "document/files/site_file_test_support.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace plantrek {
namespace {

using namespace site_file_test;

// Every addition at once: doors both ways, a window, a passage, a height of its own, a material
// allowance and pack size, an opening on a wall whose neighbour is a closing wall, and three
// levels, one below the datum, with the rooms on the two outer ones.
Site ExtendedSite() {
    Site site = GoldenSite();
    site.AddLevel(Level{QStringLiteral("Upper <Floor> & \"Attic\""), 2.75, 0.0});
    site.AddLevel(Level{QStringLiteral("Basement"), -2.5, 2.2});
    site.MoveRoomToLevel(site.GetRoom(0), 2);
    site.MoveRoomToLevel(site.GetRoom(1), 0);
    Material* carpet = site.FindMaterialByIndex(1);
    carpet->SetWastePercent(12.5);
    carpet->SetPackArea(2.4);
    site.FindMaterialByIndex(3)->SetPackArea(1.75);
    Room* kitchen = site.GetRoom(0);
    kitchen->SetCeilingHeight(2.4384);
    kitchen->GetWall(1, true)->SetOpenings(
        {{OpeningKind::Door, 0.25, 0.9, 2.032, 0.0, DoorHinge::Right, false},
         {OpeningKind::Window, 1.5, 1.2, 1.0, 0.9, DoorHinge::Left, true},
         {OpeningKind::Passage, 2.8, 1.0, 2.1, 0.0, DoorHinge::Left, true}});
    kitchen->GetWall(2, true)->SetOpenings(
        {{OpeningKind::Door, 1.0, 0.8, 2.0, 0.0, DoorHinge::Left, true}});
    return site;
}

class SiteFileOpeningsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Saved(const Site& site) {
        const QString path = dir_.filePath(QStringLiteral("site.tcd"));
        EXPECT_TRUE(SaveSiteFile(site, path).ok);
        return path;
    }

    QTemporaryDir dir_;
};

TEST_F(SiteFileOpeningsTest, EverythingAddedComesBackAndSavesToTheSameBytes) {
    const Site site = ExtendedSite();
    const QString first = Saved(site);
    const QByteArray firstBytes = ReadBytes(first);
    const QString text = TextOfFile(firstBytes);
    EXPECT_TRUE(
        text.contains("\t\t\t<wall x=\"5.500000\" y=\"0.750000\" type=\"user\"/>\n"
                      "\t\t\t<wallOpening "));
    EXPECT_TRUE(text.contains("ceilingHeight=\"2.438400\""));
    EXPECT_TRUE(text.contains("wastePercent=\"12.500000\""));
    EXPECT_TRUE(text.contains("levelIndex=\"2\""));
    EXPECT_TRUE(text.contains("levelElevation=\"-2.500000\""));
    EXPECT_TRUE(text.contains("levelName=\"Upper &lt;Floor&gt; &amp; &quot;Attic&quot;\""));

    Site opened;
    ASSERT_TRUE(LoadSiteFile(first, opened).ok);
    const Room& kitchen = *opened.GetRoom(0);
    EXPECT_EQ(kitchen.GetCeilingHeight(), 2.4384);
    EXPECT_EQ(opened.GetRoom(1)->GetCeilingHeight(), 0.0);
    for (int wall = 0; wall < 3; ++wall) {
        EXPECT_EQ(kitchen.GetWall(wall, true)->GetOpenings(),
                  site.GetRoom(0)->GetWall(wall, true)->GetOpenings())
            << wall;
    }
    EXPECT_EQ(opened.FindMaterialByIndex(1)->GetWastePercent(), 12.5);
    EXPECT_EQ(opened.FindMaterialByIndex(1)->GetPackArea(), 2.4);
    EXPECT_EQ(opened.FindMaterialByIndex(3)->GetWastePercent(), 0.0);
    EXPECT_EQ(opened.FindMaterialByIndex(3)->GetPackArea(), 1.75);
    EXPECT_EQ(opened.Levels(), site.Levels());
    EXPECT_EQ(kitchen.GetLevel(), 2);
    EXPECT_EQ(opened.GetRoom(1)->GetLevel(), 0);

    opened.SetName(site.GetName());
    EXPECT_TRUE(SameFileBytes(ReadBytes(Saved(opened)), firstBytes));
}

// A program that knows only the original elements reads the same plan from the file, every room
// of every level: saved again, it is the checked-in file of the same site without the additions.
TEST_F(SiteFileOpeningsTest, AReaderWithoutTheAdditionsGetsTheSameRoomsWallsAndMaterials) {
    const QString path = dir_.filePath(QStringLiteral("golden.tcd"));
    ASSERT_TRUE(SaveSiteFile(ExtendedSite(), path).ok);
    Site plain;
    plain.SetName(QStringLiteral("Site"));
    CSiteLoadContext context(plain);
    CXmlElementReader reader(path);
    context.RegisterHandlers(reader, false);
    ASSERT_TRUE(reader.Parse());
    ASSERT_TRUE(SaveSiteFile(plain, path).ok);
    EXPECT_TRUE(SameFileBytes(ReadBytes(path), ReadBytes(TestDataPath("site_files/golden.tcd"))));
}

// Hand-written levels: in any order, nameless or named twice, with numbers that are none; rooms
// name them by their place in the file.
TEST_F(SiteFileOpeningsTest, LevelsReadInAnyOrderAndRoomsFollowThem) {
    const QString path = dir_.filePath("in.tcd");
    const QString room =
        "<room name=\"%1\" levelIndex=\"%2\"><wall x=\"0\" y=\"1\" type=\"user\"/></room>";
    ASSERT_TRUE(WriteBytes(
        path, SiteDocument("<siteLevel levelName=\"Top\" levelElevation=\"6\" levelHeight=\"3\"/>"
                           "<siteLevel levelName=\"Cellar\" levelElevation=\"-3\"/>"
                           "<siteLevel levelName=\"top\" levelElevation=\"x\" levelHeight=\"-2\"/>"
                           "<siteLevel levelElevation=\"3\" levelHeight=\"nan\"/>" +
                           room.arg("A", "0") + room.arg("B", "1") + room.arg("C", "3") +
                           room.arg("D", "4") + room.arg("E", "-1") + room.arg("F", "2"))));
    Site site;
    ASSERT_TRUE(LoadSiteFile(path, site).ok);
    EXPECT_EQ(site.Levels(), (std::vector<Level>{{"Cellar", -3.0, 0.0},
                                                 {"Level 2", 0.0, 0.0},
                                                 {"Level 3", 3.0, 0.0},
                                                 {"Top", 6.0, 3.0}}));
    ASSERT_EQ(site.RoomCount(), 6);
    const int expected[] = {3, 0, 2, 3, 3, 1};  // D and E name no level: the file's first
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(site.GetRoom(i)->GetLevel(), expected[i]) << i;
    }
}

TEST_F(SiteFileOpeningsTest, OpeningsOnlyJoinTheUserWallTheyFollow) {
    const QString opening =
        "<wallOpening openingKind=\"%1\" openingOffset=\"%2\" "
        "openingWidth=\"%3\" openingHeight=\"2\"/>\n";
    const QString door = opening.arg("door");
    Site site;
    const QString path = dir_.filePath("in.tcd");
    ASSERT_TRUE(WriteBytes(
        path,
        SiteDocument(door.arg("0", "1") +                        // outside every room
                     "<room name=\"A\">" + door.arg("0", "1") +  // before any wall
                     "<wall x=\"0\" y=\"4\" type=\"user\"/>" + door.arg("2.5", "1") +
                     door.arg("0.5", "1") + opening.arg("hatch", "1.5", "0.5") +
                     door.arg("3", "0") + door.arg("3", "nan") + opening.arg("window", "1", "1") +
                     "<wall x=\"4\" y=\"4\" type=\"system\"/>" + door.arg("1", "1") + "</room>")));
    ASSERT_TRUE(LoadSiteFile(path, site).ok);
    ASSERT_EQ(site.RoomCount(), 1);
    ASSERT_EQ(site.GetRoom(0)->WallCount(true), 1);
    const OpeningList& openings = site.GetRoom(0)->GetWall(0, true)->GetOpenings();
    ASSERT_EQ(openings.size(), 3u);
    EXPECT_EQ(openings[0].offset, 0.5);  // in order of offset, whatever the file's order
    EXPECT_EQ(openings[1].kind, OpeningKind::Window);
    EXPECT_EQ(openings[1].sill, 0.0);
    EXPECT_EQ(openings[2], (Opening{OpeningKind::Door, 2.5, 1.0, 2.0, 0.0, DoorHinge::Left, true}));
}

}  // namespace
}  // namespace plantrek
