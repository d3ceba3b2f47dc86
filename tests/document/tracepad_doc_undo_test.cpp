// Undo and redo over whole-document snapshots.
#include <gmock/gmock.h>

#include "doc_test_support.h"
#include "document/preferences_pages.h"
#include "model/site.h"

namespace plantrek::test {
namespace {

// A new document in meters.
class UndoTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        NewDocInMeters();
    }
    void TypeWalls(int count) {
        for (int i = 1; i <= count; ++i) {
            Doc().EnterInputText(QStringLiteral("%1 N").arg(i));
        }
    }
    int UserWalls() const { return doc_->GetCurrentRoom()->WallCount(true); }
};

TEST_F(UndoTest, UndoBringsBackTheSelectionOfItsSnapshot) {
    Type({"3 N", "4 E"});
    Room* room = Doc().GetCurrentRoom();
    Doc().SelectWall(room, room->GetWall(1, true));
    // Moving the room keeps the wall selected, so this snapshot remembers the wall.
    ASSERT_TRUE(Doc().ShiftRoom(1.0, 90.0));
    Type({"", "", ""});
    ASSERT_EQ(Doc().GetCurrentRoom()->GetName(), "Room 2");

    ASSERT_TRUE(Doc().Undo());
    ASSERT_EQ(Doc().GetSelectionLevel(), kLevelWall);
    const Site& site = *Doc().GetSite();
    EXPECT_EQ(site.RoomCount(), 1);
    EXPECT_EQ(site.IndexOfRoom(Doc().GetCurrentRoom()), 0);
    EXPECT_EQ(Doc().GetCurrentRoom()->IndexOfWall(Doc().GetCurrentWall()), 1);

    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
    EXPECT_EQ(Doc().GetSite()->IndexOfRoom(Doc().GetCurrentRoom()), 0);
    EXPECT_DOUBLE_EQ(Doc().GetCurrentRoom()->GetLocation().x, 0.0);

    ASSERT_TRUE(Doc().Redo());
    ASSERT_TRUE(Doc().Redo());
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "Room 2");
}

TEST_F(UndoTest, UndoBackToANewOrOpenedSiteIsUnmodified) {
    TypeWalls(2);
    ASSERT_TRUE(Doc().DoSave(FilePath(QStringLiteral("site.tcd"))));
    NewDoc();
    TypeWalls(1);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_FALSE(Doc().IsModified());

    ASSERT_TRUE(Doc().OnOpenDocument(FilePath(QStringLiteral("site.tcd"))));
    Doc().SelectRoom(Doc().GetSite()->GetRoom(0));
    TypeWalls(1);
    EXPECT_TRUE(Doc().IsModified());
    ASSERT_TRUE(Doc().Undo());
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(UndoTest, AChangeWithoutAnUndoStepIsPartOfTheSavedState) {
    // Notes change the site without an undo step; saved afterwards, stepping back to the saved
    // state must give what the file holds.
    TypeWalls(2);
    Doc().GetCurrentRoom()->SetName(QStringLiteral("Kitchen"));
    Doc().SetModifiedFlag(true);
    ASSERT_TRUE(Doc().DoSave(FilePath(QStringLiteral("site.tcd"))));
    ASSERT_TRUE(Doc().Undo());
    ASSERT_TRUE(Doc().Redo());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), QStringLiteral("Kitchen"));
    // One more such change after the save is kept by Undo and Redo too, and is not saved.
    Doc().GetCurrentRoom()->SetName(QStringLiteral("Hall"));
    Doc().SetModifiedFlag(true);
    ASSERT_TRUE(Doc().Undo());
    ASSERT_TRUE(Doc().Redo());
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), QStringLiteral("Hall"));
}

TEST_F(UndoTest, TheFirstSnapshotOfANewDocumentLacksTheTemplateMaterials) {
    WriteTemplate({}, {{"Tile", 0x00ff00}, {"Carpet", 0x0000ff}});
    doc_.reset();  // a document that reads the template written
    NewDoc();
    ASSERT_EQ(Doc().GetSite()->MaterialNames(), (QStringList{"Default", "Tile", "Carpet"}));
    EXPECT_EQ(Doc().GetSite()->FindMaterialByName("Carpet")->GetIndex(), 2);
    EXPECT_FALSE(Doc().CanUndo());
    Type({"3 N"});
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(Doc().GetSite()->MaterialNames(), QStringList{"Default"});
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "Room 1");
    EXPECT_EQ(UserWalls(), 0);
    ASSERT_TRUE(Doc().Redo());
    EXPECT_EQ(Doc().GetSite()->MaterialCount(), 3);
}

TEST_F(UndoTest, UndoRewritesTheTemplateListsOfItsSnapshot) {
    const NewMaterialDialog keep = [](const QString&) {
        return std::optional<NewMaterialChoice>(NewMaterialChoice{0x00aa00, true});
    };
    ASSERT_TRUE(Doc().AddRoom("Hall", "Tile", keep));
    ASSERT_EQ(ReadTemplate().materials.size(), 1);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_TRUE(ReadTemplate().materials.isEmpty());
    EXPECT_EQ(Doc().GetSite()->FindMaterialByName("Tile"), nullptr);
    ASSERT_TRUE(Doc().Redo());
    EXPECT_EQ(ReadTemplate().materials.value(0), (TemplateMaterial{"Tile", 0x00aa00}));
}

TEST_F(UndoTest, UndoBringsBackTheRuleForNewRooms) {
    Type({"3 N", ""});
    ASSERT_TRUE(Doc().ApplyCloseRule(CloseRule::Angled));
    Type({""});
    EXPECT_EQ(Doc().GetCurrentRoom()->GetCloseRule(), CloseRule::Angled);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(Doc().GetDefaultCloseRule(), CloseRule::Square);
}

// Undo and redo write the settings only when the step changes them: a step of the plan alone
// must neither wait for the disk nor overwrite what another window stored meanwhile.
TEST_F(UndoTest, StepsOfThePlanLeaveTheStoredSettingsAlone) {
    Type({"3 N", "4 E"});
    // Another window stores a colour while this document still holds the old one.
    PutSetting(QStringLiteral("WallColor"), 0x123456);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(StoredSetting(QStringLiteral("WallColor")).toInt(), 0x123456);
    ASSERT_TRUE(Doc().Redo());
    EXPECT_EQ(StoredSetting(QStringLiteral("WallColor")).toInt(), 0x123456);
    EXPECT_EQ(Doc().GetCurrentRoom()->WallCount(true), 2);
}

TEST_F(UndoTest, AStepOverAPreferenceChangeStillWritesBothGroups) {
    std::vector<int> units;  // what the keypad is told
    QObject::connect(&Doc(), &CTracepadDoc::keypadUnitsChanged,
                     [&units](int input) { units.push_back(input); });
    PreferencesChoice choice = PreferencesFromPrefs(Doc().Prefs());
    choice.drawing.ShowNames = false;
    choice.input.Input = 0;
    Doc().ApplyPreferences(choice);
    ASSERT_EQ(StoredSetting(QStringLiteral("Input")).toInt(), 0);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_TRUE(Doc().Units().IsMetric());
    EXPECT_EQ(units, (std::vector<int>{0, 1}));
    EXPECT_EQ(StoredSetting(QStringLiteral("Input")).toInt(), 1);
    EXPECT_EQ(StoredSetting(QStringLiteral("ShowNames")).toInt(), 1);
    ASSERT_TRUE(Doc().Redo());
    EXPECT_EQ(StoredSetting(QStringLiteral("Input")).toInt(), 0);
    EXPECT_EQ(StoredSetting(QStringLiteral("ShowNames")).toInt(), 0);
}

}  // namespace
}  // namespace plantrek::test
