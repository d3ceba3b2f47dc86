// The shared-opening index gives every room the quantities it has alone, on a site where doors
// and windows sit on walls shared between small rooms and one room far larger than them.
#include <gtest/gtest.h>

#include "model/room.h"
#include "model/site.h"
#include "model/opening.h"
#include "model/room_quantities.h"
#include "model/wall.h"

namespace plantrek {
namespace {

Opening Door(double offset, double width) {
    return {OpeningKind::Door, offset, width, 2.0, 0.0, DoorHinge::Left, true};
}

Opening Window(double offset, double width) {
    return {OpeningKind::Window, offset, width, 1.0, 1.0, DoorHinge::Left, true};
}

// A row of 200 rooms of 1 m x 1 m along y = 0, each with a door (0.60 m) on its east wall (shared
// with the next room) and a window (0.30 m) on its south wall; below them a hall of 398 m x 398 m
// whose north walls are measured, with one door (0.40 m) under room 10 beside its window.
Site RowOverAHall() {
    Site site;
    for (int k = 0; k < 200; ++k) {
        Room* room = site.AddRoom(QStringLiteral("Room %1").arg(k), 0);
        room->SetLocation({static_cast<double>(k), 0.0});
        room->AddWall(1.0, 90.0)->SetOpenings({Window(0.1, 0.3)});
        room->AddWall(1.0, 0.0)->SetOpenings({Door(0.2, 0.6)});
    }
    Room* hall = site.AddRoom(QStringLiteral("Hall"), 0);
    hall->SetLocation({398.0, 0.0});
    hall->AddWall(199.0, 270.0);
    hall->AddWall(199.0, 270.0)->SetOpenings({Door(188.1, 0.4)});  // x from 10.9 to 10.5
    hall->AddWall(199.0, 180.0);
    hall->AddWall(199.0, 180.0);
    return site;
}

TEST(SharedOpeningIndexQuantities, MatchTheRoomsOneByOneAndFindEverySharedOpening) {
    const Site site = RowOverAHall();
    const SharedOpeningIndex index(site);
    std::vector<std::optional<RoomQuantities>> all;
    for (int i = 0; i < site.RoomCount(); ++i) {
        SCOPED_TRACE(i);
        all.push_back(ComputeRoomQuantities(index, *site.GetRoom(i), 2.5));
        const auto one = ComputeRoomQuantities(site, *site.GetRoom(i), 2.5);
        ASSERT_TRUE(one && all[i]);
        EXPECT_DOUBLE_EQ(all[i]->netPerimeter, one->netPerimeter);
        EXPECT_DOUBLE_EQ(all[i]->netWallArea, one->netWallArea);
        EXPECT_EQ(all[i]->thresholdCount, one->thresholdCount);
        EXPECT_DOUBLE_EQ(all[i]->thresholdWidth, one->thresholdWidth);
    }
    // Room 10: its own door, room 9's and the hall's; its own window.
    EXPECT_EQ(all[10]->thresholdCount, 3);
    EXPECT_NEAR(all[10]->netPerimeter, 4.0 - 1.6, 1e-9);
    EXPECT_NEAR(all[10]->netWallArea, 10.0 - 2 * 1.2 - 0.8 - 0.3, 1e-9);
    EXPECT_EQ(all[0]->thresholdCount, 1);
    // The hall: its door, and the 200 windows on its north walls.
    EXPECT_EQ(all[200]->thresholdCount, 1);
    EXPECT_NEAR(all[200]->netWallArea, 4 * 398.0 * 2.5 - 0.8 - 200 * 0.3, 1e-6);
}

// Room 9 taken upstairs: its door on room 10's west wall is no longer room 10's, and room 8's
// on room 9's west wall no longer room 9's.
TEST(SharedOpeningIndexQuantities, OnlyRoomsOfTheSameLevelShareOpenings) {
    Site site = RowOverAHall();
    site.MoveRoomToLevel(site.GetRoom(9), site.AddLevel(Level{QStringLiteral("Upper"), 3.0, 0.0}));
    const SharedOpeningIndex index(site);
    for (const auto& q : {ComputeRoomQuantities(index, *site.GetRoom(10), 2.5),
                          ComputeRoomQuantities(site, *site.GetRoom(10), 2.5)}) {
        ASSERT_TRUE(q);
        EXPECT_EQ(q->thresholdCount, 2);
    }
    EXPECT_EQ(ComputeRoomQuantities(index, *site.GetRoom(9), 2.5)->thresholdCount, 1);
}

}  // namespace
}  // namespace plantrek
