#include "model/site.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "model/model_test_support.h"
#include "model/site_visitor.h"
#include "model/units.h"

namespace plantrek {
namespace {

Room* AddRoomOfWalls(Site& site, const char* name,
                     std::initializer_list<std::pair<double, double>> walls) {
    auto room = std::make_unique<Room>(test::RoomOfWalls(walls));
    room->SetName(QString::fromUtf8(name));
    return site.InsertRoomAfter(std::move(room), nullptr);
}

TEST(SiteTest, NewSiteAndItsRooms) {
    Site site;
    ASSERT_EQ(site.MaterialCount(), 1);
    EXPECT_EQ(site.GetMaterial(0)->GetName(), QStringLiteral("Default"));
    EXPECT_EQ(site.GetMaterial(0)->GetIndex(), 0);
    EXPECT_EQ(site.GetMaterial(0)->GetColour(), MakeColour(128, 128, 255));
    EXPECT_EQ(site.NextMaterialIndex(), 1);

    site.AddMaterial(QStringLiteral("Tile"), 4, 0x123456);
    site.MoveStartPoint(5.0, 90.0);
    site.MoveStartPoint(2.0, 0.0);
    Room* tiled = site.AddRoom(QStringLiteral("A"), 4);
    EXPECT_EQ(site.AddRoom(QStringLiteral("B"), 9)->GetMaterial(), 0);  // no material 9
    EXPECT_EQ(tiled->GetMaterial(), 4);
    test::ExpectNear(tiled->GetLocation(), {5.0, 2.0}, 0.0);
    test::ExpectNear(tiled->GetStartPoint(), {5.0, 2.0}, 0.0);
    EXPECT_TRUE(site.GetRoom(2) == nullptr && site.GetRoom(-1) == nullptr);
}

TEST(SiteTest, NamesAreComparedIgnoringCase) {
    Site site;
    site.AddRoom(QStringLiteral("Room 1"), 0);
    site.AddRoom(QStringLiteral("room 3"), 0);
    EXPECT_EQ(site.NextRoomName(QStringLiteral("Room"), 1), QStringLiteral("Room 2"));
    site.AddRoom(QStringLiteral("Room 2"), 0);
    EXPECT_EQ(site.NextRoomName(QStringLiteral("Room"), 1), QStringLiteral("Room 4"));
    EXPECT_EQ(site.NextRoomName(QStringLiteral("Room"), INT_MAX),
              QStringLiteral("Room %1").arg(INT_MAX));
    Room* kitchen = site.AddRoom(QStringLiteral("Éloïse's Kitchen"), 0);
    EXPECT_EQ(site.FindRoomByName(QStringLiteral("ÉLOÏSE'S KITCHEN")), kitchen);
    EXPECT_EQ(site.FindRoomByName(QStringLiteral("Eloise's Kitchen")), nullptr);
}

TEST(SiteTest, MaterialIndexRules) {
    Site site;
    Material* wood = site.AddMaterial(QStringLiteral("Wood"), 7, 0x00ff00);
    site.AddMaterial(QStringLiteral("Stone"), 3, 0x0000ff);
    EXPECT_EQ(site.AddMaterial(QStringLiteral("Carpet"), 7, 0xffffff), wood);
    EXPECT_EQ(wood->GetName(), QStringLiteral("Wood"));
    EXPECT_EQ(wood->GetColour(), 0x00ff00u);
    EXPECT_EQ(site.NextMaterialIndex(), 8);
    EXPECT_EQ(site.MaterialNames(), QStringList({"Default", "Wood", "Stone"}));
    EXPECT_EQ(site.FindMaterialByName(QStringLiteral("wOOD")), wood);
    EXPECT_EQ(site.FindMaterialByColour(0x00ff01), nullptr);

    Room* a = site.AddRoom(QStringLiteral("A"), 7);
    site.AddRoom(QStringLiteral("B"), 0);
    Room* c = site.AddRoom(QStringLiteral("C"), 7);
    EXPECT_EQ(site.RoomsWithMaterial(7), (std::vector<const Room*>{a, c}));
    EXPECT_TRUE(site.IsMaterialUsed(*wood));
    EXPECT_FALSE(site.IsMaterialUsed(*site.FindMaterialByIndex(3)));

    // A file may carry the largest int as an index; the next one must still be unused.
    site.AddMaterial(QStringLiteral("Top"), INT_MAX, 1);
    EXPECT_EQ(site.NextMaterialIndex(), 1);
}

TEST(SiteTest, RoomOrderChangesOnlyForRoomsOfTheSite) {
    Site site;
    for (const char* name : {"A", "B", "C", "D"}) {
        site.AddRoom(QString::fromLatin1(name), 0);
    }
    const auto order = [&site] {
        std::string names;
        for (const auto& r : site.Rooms()) {
            names += r->GetName().toStdString();
        }
        return names;
    };
    Room stranger;
    site.BringToFront(site.GetRoom(1));
    EXPECT_EQ(order(), "ACDB");
    site.BringToFront(site.GetRoom(3));
    site.SendToBack(site.GetRoom(0));
    EXPECT_EQ(order(), "ACDB");
    site.SendToBack(site.GetRoom(2));
    EXPECT_EQ(order(), "DACB");
    site.BringToFront(&stranger);
    site.SendToBack(&stranger);
    site.RemoveRoom(&stranger);
    EXPECT_EQ(order(), "DACB");
    site.RemoveRoom(site.GetRoom(1));
    EXPECT_EQ(order(), "DCB");
    site.InsertRoomAfter(std::make_unique<Room>(), site.GetRoom(1))->SetName("N");
    site.InsertRoomAfter(std::make_unique<Room>(), &stranger)->SetName("E");
    EXPECT_EQ(order(), "DCNBE");
    EXPECT_EQ(site.IndexOfRoom(&stranger), -1);
}

TEST(SiteTest, CountClosedRoomsFollowsEdits) {
    Site site;
    Room* rectangle = AddRoomOfWalls(site, "A", {{3, 0}, {4, 90}, {3, 180}});
    Room* open = AddRoomOfWalls(site, "B", {{3, 0}});
    EXPECT_EQ(site.CountClosedRooms(), 1);
    open->AddWall(4.0, 90.0);
    EXPECT_EQ(site.CountClosedRooms(), 2);
    rectangle->AddWall(8.0, 270.0);  // the closing wall would run back over it
    EXPECT_EQ(site.CountClosedRooms(), 1);
}

TEST(SiteTest, CopiesAreDeep) {
    Site site;
    site.SetName(QStringLiteral("House"));
    site.SetStartPoint({1.0, 2.0});
    site.AddMaterial(QStringLiteral("Tile"), 2, 0x010203);
    Room* room = AddRoomOfWalls(site, "A", {{3, 0}, {4, 90}, {3, 180}});
    Site copy;
    copy = site;
    EXPECT_EQ(copy.GetName(), QStringLiteral("House"));
    EXPECT_EQ(copy.GetStartPoint().y, 2.0);
    ASSERT_EQ(copy.RoomCount(), 1);
    EXPECT_DOUBLE_EQ(copy.GetRoom(0)->GetArea(), 12.0);
    copy.GetRoom(0)->AddWall(1.0, 270.0);
    copy.FindMaterialByIndex(2)->SetColour(0xffffff);
    EXPECT_EQ(room->WallCount(true), 3);
    EXPECT_EQ(Site(site).FindMaterialByIndex(2)->GetColour(), 0x010203u);
}

class RecordingVisitor : public CSiteVisitor {
public:
    void VisitSiteBegin(const Site&) override { log += "<"; }
    void VisitRoomBegin(const Room& room) override { log += room.GetName().toStdString(); }
    void VisitWall(const Wall& wall) override {
        log += wall.GetKind() == WallKind::System ? "s" : "u";
    }
    void VisitRoomEnd(const Room&) override { log += "."; }
    void VisitSiteEnd(const Site&) override { log += ">"; }
    std::string log;
};

TEST(SiteTraversalTest, VisitsInDrawingOrderWithFreshClosings) {
    Site site;
    AddRoomOfWalls(site, "A", {{3, 0}, {4, 90}});
    site.SendToBack(AddRoomOfWalls(site, "B", {{3, 0}}));
    ASSERT_EQ(site.GetRoom(1)->StoredCloseState(), CloseState::NotComputed);
    RecordingVisitor visitor;
    site.Traverse(visitor);
    EXPECT_EQ(visitor.log, "<Bu.Auuss.>");
    RecordingVisitor alone;
    TraverseRoom(*site.GetRoom(1), alone);
    EXPECT_EQ(alone.log, "Auuss.");
}

TEST(SiteTraversalTest, BoundsVisitorAgreesWithGetBounds) {
    Site site;
    site.SetStartPoint({-1.0, 2.0});
    const auto expectAgreement = [&site] {
        CSiteBoundsVisitor visitor;
        site.Traverse(visitor);
        const PlanRect expected = site.GetBounds();
        EXPECT_EQ(std::tuple(visitor.MinX(), visitor.MinY(), visitor.MaxX(), visitor.MaxY()),
                  std::tuple(expected.minX, expected.minY, expected.maxX, expected.maxY));
        return expected;
    };
    PlanRect box = expectAgreement();
    EXPECT_EQ(box.minX, -1.0);
    EXPECT_EQ(box.maxY, 2.0);
    // A square walked clockwise whose south-running wall bows east by a half circle.
    Room* bowed = AddRoomOfWalls(site, "A", {{3, 0}, {3, 90}, {3, 180}, {3, 270}});
    bowed->GetWall(2, true)->SetArcHeight(1.5);
    bowed->InvalidateClosing();
    Room* arc = AddRoomOfWalls(site, "B", {{4, 30}});
    arc->GetWall(0, true)->SetArcHeight(-0.7);
    arc->SetCloseRule(CloseRule::Angled);
    arc->Translate({-2.0, 6.0});
    AddRoomOfWalls(site, "C", {{2, 225}, {2, 135}});  // closed by a system wall
    box = expectAgreement();
    EXPECT_NEAR(box.maxX, 4.5, 1e-12);
    EXPECT_GT(box.maxY, 6.0 + 4.0 * std::cos(30.0 * kDegreesToRadians));
}

// Levels stay in order of elevation and the rooms go with the level they stand on whatever
// the order becomes; removing a level takes its rooms with it and never the last level.
TEST(SiteLevelsTest, RoomsFollowTheirLevelThroughEveryChange) {
    Site site;
    EXPECT_FALSE(site.HasLevels());
    Room* ground = site.AddRoom(QStringLiteral("Hall"), 0);
    const int upper = site.AddLevel(Level{QStringLiteral("Upper"), 2.8, 2.4});
    Room* bedroom = site.AddRoom(QStringLiteral("Bed"), 0, upper);
    const int basement = site.AddLevel(Level{QStringLiteral("Basement"), -2.5, 0.0});
    ASSERT_EQ(basement, 0);
    Room* cellar = site.AddRoom(QStringLiteral("Cellar"), 0, basement);
    EXPECT_TRUE(site.HasLevels());
    EXPECT_EQ(site.GetLevel(ground->GetLevel()).name, Level::FirstLevelName());
    EXPECT_EQ(site.GetLevel(bedroom->GetLevel()).name, QStringLiteral("Upper"));
    EXPECT_EQ(site.FindLevelByName(QStringLiteral("upper")), 2);
    EXPECT_EQ(site.NextLevelName(), QStringLiteral("Level 2"));

    // Raising the basement above everything moves it last; its room goes along.
    EXPECT_EQ(site.SetLevel(0, Level{QStringLiteral("Attic"), 6.0, 0.0}), 2);
    EXPECT_EQ(site.GetLevel(cellar->GetLevel()).name, QStringLiteral("Attic"));
    EXPECT_EQ(site.GetLevel(ground->GetLevel()).name, Level::FirstLevelName());
    EXPECT_EQ(site.GetLevel(bedroom->GetLevel()).name, QStringLiteral("Upper"));
    EXPECT_DOUBLE_EQ(site.DefaultHeightOf(*bedroom, 2.5), 2.4);
    EXPECT_DOUBLE_EQ(site.DefaultHeightOf(*ground, 2.5), 2.5);

    // The copy and the snapshot keep levels; undoing a move brings the room back.
    const auto before = site.Snapshot();
    site.MoveRoomToLevel(bedroom, ground->GetLevel());
    EXPECT_EQ(site.CountRoomsOnLevel(1), 0);
    site.RestoreSnapshot(*before);
    EXPECT_EQ(site.CountRoomsOnLevel(1), 1);
    EXPECT_EQ(Site(site).Levels(), site.Levels());

    ASSERT_TRUE(site.RemoveLevel(1));
    EXPECT_EQ(site.RoomCount(), 2);
    EXPECT_EQ(site.LevelCount(), 2);
    EXPECT_EQ(site.GetLevel(site.FindRoomByName(QStringLiteral("Cellar"))->GetLevel()).name,
              QStringLiteral("Attic"));
    ASSERT_TRUE(site.RemoveLevel(1));
    EXPECT_FALSE(site.RemoveLevel(0));
    EXPECT_EQ(site.RoomCount(), 1);
}

TEST(SiteLevelsTest, WalkingALevelVisitsOnlyItsRooms) {
    Site site;
    AddRoomOfWalls(site, "A", {{3, 0}, {4, 90}, {3, 180}});
    const int upper = site.AddLevel(Level{QStringLiteral("Upper"), 3.0, 0.0});
    Room* b = AddRoomOfWalls(site, "B", {{2, 0}, {2, 90}, {2, 180}});
    b->Translate({8.0, 0.0});
    site.MoveRoomToLevel(b, upper);
    EXPECT_EQ(site.CountClosedRooms(upper), 1);
    EXPECT_EQ(site.CountClosedRooms(), 2);
    EXPECT_DOUBLE_EQ(site.GetBounds(0).Width(), 4.0);
    EXPECT_DOUBLE_EQ(site.GetBounds().Width(), 10.0);
}
}  // namespace
}  // namespace plantrek
