// The names rooms take, and the rules of the preference pages.
#include <gmock/gmock.h>

#include "document/room_names.h"
#include "document/files/qstring_printer.h"
#include "document/preferences_pages.h"
#include "model/site.h"

namespace plantrek {
namespace {

class RoomNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        site_.AddMaterial("Tile", 1, 0x00ff00);
        kitchen_ = site_.AddRoom("Kitchen", 0);
        hall_ = site_.AddRoom("Hall", 0);
        site_.AddRoom("Hall 2", 0);
    }

    Site site_;
    Room* kitchen_ = nullptr;
    Room* hall_ = nullptr;
};

TEST_F(RoomNameTest, RenamingToAnotherRoomsNameTakesTheNextFreeNumberFromTwo) {
    EXPECT_EQ(NameForEditedRoom(site_, *kitchen_, "hall"), "hall 3");
    EXPECT_EQ(NameForEditedRoom(site_, *kitchen_, "KITCHEN"), "KITCHEN");
    EXPECT_EQ(NameForEditedRoom(site_, *hall_, "Hall"), "Hall");
    EXPECT_EQ(NameForEditedRoom(site_, *kitchen_, "Pantry"), "Pantry");
    EXPECT_EQ(NameForEditedRoom(site_, *kitchen_, ""), "Kitchen");
}

TEST_F(RoomNameTest, ANewRoomNeverTakesAnExistingOrEmptyName) {
    EXPECT_EQ(NameForNewRoom(site_, "Kitchen"), "Kitchen 2");
    EXPECT_EQ(NameForNewRoom(site_, "Porch"), "Porch");
    EXPECT_EQ(NameForNewRoom(site_, ""), "Room 1");
    site_.AddRoom("room 1", 0);
    EXPECT_EQ(DefaultRoomName(site_), "Room 2");
}

TEST(PreferencePagesTest, TheRoomsPageRefusesOnlyAnExactDuplicate) {
    QStringList names{"Kitchen"};
    EXPECT_FALSE(AddRoomNameToPage(names, "").has_value());
    EXPECT_EQ(names, QStringList{"Kitchen"});
    EXPECT_EQ(AddRoomNameToPage(names, "Kitchen"),
              "There is already a room with that name. Please enter a new name.");
    EXPECT_FALSE(AddRoomNameToPage(names, "kitchen").has_value());
    EXPECT_FALSE(AddRoomNameToPage(names, "Bath").has_value());
    EXPECT_EQ(names, (QStringList{"Bath", "Kitchen", "kitchen"}));
}

TEST(PreferencePagesTest, TheMaterialsPageKeepsTheListedOnesInTheirOrder) {
    const QList<TemplateMaterial> materials{{"Wood", 1}, {"Tile", 2}, {"Stone", 3}};
    EXPECT_EQ(KeepListedMaterials(materials, {"Stone", "Wood"}),
              (QList<TemplateMaterial>{{"Wood", 1}, {"Stone", 3}}));
    EXPECT_TRUE(KeepListedMaterials(materials, {}).isEmpty());
}

}  // namespace
}  // namespace plantrek
