// Undo and redo write the settings only when the step changes them: a step of the plan alone
// must neither wait for the disk nor overwrite what another window stored meanwhile.
#include "doc_test_support.h"
#include "document/preferences_pages.h"

namespace plantrek::test {
namespace {

class UndoSettingsTest : public DocTest {};

TEST_F(UndoSettingsTest, StepsOfThePlanLeaveTheStoredSettingsAlone) {
    UseMeters();
    NewDoc();
    Type({"3 N", "4 E"});
    // Another window stores a colour while this document still holds the old one.
    PutSetting(QStringLiteral("WallColor"), 0x123456);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(StoredSetting(QStringLiteral("WallColor")).toInt(), 0x123456);
    ASSERT_TRUE(Doc().Redo());
    EXPECT_EQ(StoredSetting(QStringLiteral("WallColor")).toInt(), 0x123456);
    EXPECT_EQ(Doc().GetCurrentRoom()->WallCount(true), 2);
}

TEST_F(UndoSettingsTest, AStepOverAPreferenceChangeStillWritesBothGroups) {
    UseMeters();
    NewDoc();
    PreferencesChoice choice = PreferencesFromPrefs(Doc().Prefs());
    choice.drawing.ShowNames = false;
    choice.input.Input = 0;
    Doc().ApplyPreferences(choice);
    ASSERT_EQ(StoredSetting(QStringLiteral("Input")).toInt(), 0);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(StoredSetting(QStringLiteral("Input")).toInt(), 1);
    EXPECT_EQ(StoredSetting(QStringLiteral("ShowNames")).toInt(), 1);
    ASSERT_TRUE(Doc().Redo());
    EXPECT_EQ(StoredSetting(QStringLiteral("Input")).toInt(), 0);
    EXPECT_EQ(StoredSetting(QStringLiteral("ShowNames")).toInt(), 0);
}

}  // namespace
}  // namespace plantrek::test
