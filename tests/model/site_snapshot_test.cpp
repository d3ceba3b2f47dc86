// Snapshots share the rooms that did not change since the previous one. A change the comparison
// misses would put an old room into undo and into the recovery file, so every kind of change a
// command can make to a room is tried here.
#include <gtest/gtest.h>

#include <functional>

#include "model/model_test_support.h"
#include "model/site.h"
#include "model/site_visitor.h"

namespace plantrek {
namespace {

Site TwoRooms() {
    Site site;
    for (const char* name : {"Hall", "Kitchen"}) {
        auto room = std::make_unique<Room>(test::RoomOfWalls({{4.0, 0.0}, {3.0, 90.0}}));
        room->SetName(QString::fromUtf8(name));
        site.InsertRoomAfter(std::move(room), nullptr);
    }
    return site;
}

struct RoomChange {
    const char* what;
    std::function<void(Room&)> apply;
};

class SnapshotSeesChange : public testing::TestWithParam<RoomChange> {};

TEST_P(SnapshotSeesChange, OnlyTheChangedRoomIsCopiedAndUndoBringsItBack) {
    Site site = TwoRooms();
    const auto before = site.Snapshot();
    GetParam().apply(*site.GetRoom(1));
    const auto after = site.Snapshot();

    EXPECT_EQ(after->Rooms()[0], before->Rooms()[0]) << "an unchanged room is shared";
    ASSERT_NE(after->Rooms()[1], before->Rooms()[1]) << GetParam().what << " was not seen";
    EXPECT_TRUE(after->GetRoom(1)->SameContentAs(*site.GetRoom(1)));

    const Room* kept = site.GetRoom(0);
    site.RestoreSnapshot(*before);
    EXPECT_EQ(site.GetRoom(0), kept) << "an unchanged room stays where it is";
    EXPECT_TRUE(site.GetRoom(1)->SameContentAs(*before->GetRoom(1)));
    EXPECT_FALSE(site.GetRoom(1)->SameContentAs(*after->GetRoom(1)));
    EXPECT_EQ(site.Snapshot()->Rooms()[1], before->Rooms()[1]);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfChange, SnapshotSeesChange,
    testing::Values(
        RoomChange{"name", [](Room& r) { r.SetName(QStringLiteral("Pantry")); }},
        RoomChange{"material", [](Room& r) { r.SetMaterial(3); }},
        RoomChange{"close rule", [](Room& r) { r.SetCloseRule(CloseRule::Angled); }},
        RoomChange{"location", [](Room& r) { r.SetLocation({0.5, 0.0}); }},
        RoomChange{"start point", [](Room& r) { r.SetStartPoint({4.0, 0.0}); }},
        RoomChange{"height", [](Room& r) { r.SetCeilingHeight(2.4); }},
        RoomChange{"note", [](Room& r) { r.Annotations().AddFromText(QString(), QStringLiteral("Note 1"), 0); }},
        // Through the wall itself, without telling the room.
        RoomChange{"wall length", [](Room& r) { r.GetWall(0, true)->SetPolar(4.5, 0.0); }},
        RoomChange{"wall as vector", [](Room& r) { r.GetWall(1, true)->SetCartesian(0.0, 3.1); }},
        RoomChange{"arc", [](Room& r) { r.GetWall(0, true)->SetArcHeight(0.3); }},
        RoomChange{"opening",
                   [](Room& r) {
                       r.GetWall(0, true)->SetOpenings({Opening{OpeningKind::Door, 1.0, 0.9, 2.0}});
                   }},
        RoomChange{"wall added", [](Room& r) { r.AddWall(1.0, 180.0); }},
        RoomChange{"wall removed", [](Room& r) { r.RemoveWall(r.GetWall(1, true)); }}),
    [](const testing::TestParamInfo<RoomChange>& info) {
        QString name = QString::fromUtf8(info.param.what);
        name.replace(' ', '_');
        return name.toStdString();
    });

TEST(SiteSnapshotTest, RestoresRoomsAddedRemovedAndReordered) {
    Site site = TwoRooms();
    const auto two = site.Snapshot();
    site.AddRoom(QStringLiteral("Study"), 0)->AddWall(2.0, 0.0);
    site.SendToBack(site.GetRoom(2));
    site.RemoveRoom(site.GetRoom(1));
    const auto reordered = site.Snapshot();

    site.RestoreSnapshot(*two);
    ASSERT_EQ(site.RoomCount(), 2);
    EXPECT_EQ(site.GetRoom(0)->GetName(), QStringLiteral("Hall"));
    EXPECT_EQ(site.GetRoom(1)->GetName(), QStringLiteral("Kitchen"));
    site.RestoreSnapshot(*reordered);
    ASSERT_EQ(site.RoomCount(), 2);
    EXPECT_EQ(site.GetRoom(0)->GetName(), QStringLiteral("Study"));
    EXPECT_EQ(site.GetRoom(1)->GetName(), QStringLiteral("Kitchen"));
    EXPECT_EQ(site.GetRoom(0)->WallCount(true), 1);
}

// A snapshot is read by the recovery store's thread while the window goes on: reading it must
// write nothing into it, so its closings and walls are worked out before it is handed out.
TEST(SiteSnapshotTest, ASnapshotIsWorkedOutBeforeItIsHandedOut) {
    Site site = TwoRooms();
    site.GetRoom(0)->GetWall(0, true)->SetCartesian(4.0, 0.0);
    const auto snapshot = site.Snapshot();
    for (const auto& room : snapshot->Rooms()) {
        EXPECT_NE(room->StoredCloseState(), CloseState::NotComputed);
        for (int i = 0; i < room->WallCount(); ++i) {
            EXPECT_EQ(room->GetWall(i)->GetValidFlags(), Wall::kPolarValid | Wall::kCartesianValid);
        }
    }
}

}  // namespace
}  // namespace plantrek
