// The rules of the preference pages: the sorted room names and the materials kept.
#include <gmock/gmock.h>

#include "document/files/qstring_printer.h"
#include "document/preferences_pages.h"

namespace plantrek {
namespace {

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
