// The operations the document's commands run on OK.
#include <gmock/gmock.h>

#include "doc_test_support.h"
#include "document/preferences_pages.h"
#include "model/site.h"

namespace plantrek::test {
namespace {

// An "Add Material" dialog that records what it was asked and answers as told.
struct MaterialDialog {
    std::optional<NewMaterialChoice> answer;
    QStringList asked;

    NewMaterialDialog Get() {
        return [this](const QString& name) {
            asked.append(name);
            return answer;
        };
    }
};

class CommandTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        NewDocInMeters();
    }
};

TEST_F(CommandTest, AddRoomFindsAKnownMaterialIgnoringCase) {
    MaterialDialog dialog;
    ASSERT_TRUE(Doc().AddRoom("Hall", "DEFAULT", dialog.Get()));
    EXPECT_TRUE(dialog.asked.isEmpty());
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "Hall");
    EXPECT_EQ(Doc().GetCurrentRoom()->GetMaterial(), 0);
    // The empty Room 1 was left and so removed.
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
}

TEST_F(CommandTest, AddRoomWithANewMaterialAddsItAndCanKeepItPermanently) {
    WriteTemplate({}, {{"Wood", 0x336699}});
    doc_.reset();  // a document that reads the template written
    NewDoc();
    MaterialDialog dialog;
    dialog.answer = NewMaterialChoice{0x00ff00, true};
    ASSERT_TRUE(Doc().AddRoom("Hall", "Tile", dialog.Get()));
    EXPECT_EQ(dialog.asked, QStringList{"Tile"});
    const Material* tile = Doc().GetSite()->FindMaterialByName("Tile");
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->GetIndex(), 2);
    EXPECT_EQ(tile->GetColour(), 0x00ff00u);
    EXPECT_EQ(Doc().GetCurrentRoom()->GetMaterial(), 2);
    EXPECT_EQ(ReadTemplate().materials,
              (QList<TemplateMaterial>{{"Wood", 0x336699}, {"Tile", 0x00ff00}}));

    dialog.answer = NewMaterialChoice{0x0000ff, false};
    ASSERT_TRUE(Doc().AddRoom("Porch", "Stone", dialog.Get()));
    EXPECT_EQ(Doc().GetCurrentRoom()->GetMaterial(), 3);
    EXPECT_EQ(ReadTemplate().materials.size(), 2);
}

TEST_F(CommandTest, ADismissedAddMaterialLeavesTheRoomOnTheFirstMaterial) {
    MaterialDialog dialog;
    ASSERT_TRUE(Doc().AddRoom("Hall", "Tile", dialog.Get()));
    EXPECT_EQ(Doc().GetCurrentRoom()->GetMaterial(), 0);
    EXPECT_EQ(Doc().GetSite()->MaterialCount(), 1);
    // A colour that another material has is never taken: it is refused as the dialog would.
    dialog.answer = NewMaterialChoice{Site::DefaultMaterialColour(), true};
    ASSERT_TRUE(Doc().AddRoom("Porch", "Tile", dialog.Get()));
    EXPECT_EQ(Doc().GetSite()->MaterialCount(), 1);
    EXPECT_EQ(prompts_.Texts(), QStringList{"This color is being used by another material. "
                                            "Please select another color."});
    EXPECT_TRUE(ReadTemplate().materials.isEmpty());
}

TEST_F(CommandTest, AddRoomNeedsAMaterialAndKeepsNamesUnique) {
    Type({"3 N", "4 E"});
    MaterialDialog dialog;
    EXPECT_FALSE(Doc().AddRoom("Hall", "", dialog.Get()));
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
    ASSERT_TRUE(Doc().AddRoom("room 1", "Default", dialog.Get()));
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "room 1 2");
    ASSERT_TRUE(Doc().AddRoom("", "Default", dialog.Get()));
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "Room 2");
}

TEST_F(CommandTest, RoomPropertiesRenameByTheRenameRule) {
    Type({"3 N", "4 E", "", ""});
    Type({"2 N", "2 E"});  // Room 2
    MaterialDialog dialog;
    Room* second = Doc().GetCurrentRoom();
    ASSERT_TRUE(Doc().ApplyRoomProperties("ROOM 1", "Default", dialog.Get()));
    EXPECT_EQ(second->GetName(), "ROOM 1 2");
    ASSERT_TRUE(Doc().ApplyRoomProperties("room 1 2", "Default", dialog.Get()));
    EXPECT_EQ(second->GetName(), "room 1 2");
    ASSERT_TRUE(Doc().ApplyRoomProperties("", "Default", dialog.Get()));
    EXPECT_EQ(second->GetName(), "room 1 2");
    EXPECT_FALSE(Doc().ApplyRoomProperties("Kitchen", "", dialog.Get()));
    EXPECT_EQ(second->GetName(), "room 1 2");
}

// Replacing a wall of a closed room is the command-line scenario's (commands.script).
TEST_F(CommandTest, ReplaceWallActsOnlyOnAClosedRoom) {
    Type({"3 N", "4 E"});
    Room* room = Doc().GetCurrentRoom();
    room->SetCloseRule(CloseRule::ReverseSquare);
    Doc().SelectWall(room, room->GetWall(1, true));
    const int pushes = Doc().UndoHistory().Count();
    EXPECT_FALSE(Doc().ReplaceCurrentWall());
    EXPECT_EQ(Doc().UndoHistory().Count(), pushes);
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelWall);
}

TEST_F(CommandTest, PreferencesOkWritesEverythingAndCommits) {
    WriteTemplate({"Kitchen", "bath"}, {{"Wood", 0x336699}, {"Tile", 0x00ff00}});
    doc_.reset();  // a document that reads the template written
    NewDoc();
    std::vector<int> keypad;
    QObject::connect(&Doc(), &CTracepadDoc::keypadUnitsChanged,
                     [&keypad](int input) { keypad.push_back(input); });
    PreferencesChoice choice = PreferencesFromPrefs(Doc().Prefs());
    EXPECT_EQ(choice.roomNames, (QStringList{"bath", "Kitchen"}));
    choice.input.Input = 0;
    choice.input.AngleStyle = 1;
    choice.drawing.ShowNames = false;
    choice.drawing.AddedColor = 0x0000aa;
    ASSERT_FALSE(AddRoomNameToPage(choice.roomNames, "Attic").has_value());
    choice.materials = KeepListedMaterials(choice.materials, {"Tile"});
    Doc().ApplyPreferences(choice);

    EXPECT_EQ(StoredSetting("Input").toInt(), 0);
    EXPECT_EQ(StoredSetting("AngleStyle").toInt(), 1);
    EXPECT_EQ(StoredSetting("ShowNames").toInt(), 0);
    EXPECT_EQ(StoredSetting("AddedColor").toInt(), 0xaa);
    EXPECT_EQ(ReadTemplate().roomNames, (QStringList{"Attic", "bath", "Kitchen"}));
    EXPECT_EQ(ReadTemplate().materials, (QList<TemplateMaterial>{{"Tile", 0x00ff00}}));
    EXPECT_EQ(keypad, std::vector<int>{0});
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(Doc().CanUndo());
    EXPECT_FALSE(Doc().Units().IsMetric());
    // Quadrant bearings are read from now on.
    Type({"", "10' S30W"});
    EXPECT_NEAR(Doc().GetSite()->GetStartPoint().x, -5 * 0.3048, 1e-6);
    EXPECT_NEAR(Doc().GetSite()->GetStartPoint().y, -10 * 0.3048 * std::sqrt(0.75), 1e-6);
}

TEST_F(CommandTest, AnUnwritableTemplateFolderIsReported) {
    // A file where the template's folder should be.
    QFile blocker(dir_.filePath("user"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    MaterialDialog dialog;
    dialog.answer = NewMaterialChoice{0x00ff00, true};
    ASSERT_TRUE(Doc().AddRoom("Hall", "Tile", dialog.Get()));
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(prompts_.messages[0].text.isEmpty());
    // The site has its material all the same.
    EXPECT_NE(Doc().GetSite()->FindMaterialByName("Tile"), nullptr);
}

}  // namespace
}  // namespace plantrek::test
