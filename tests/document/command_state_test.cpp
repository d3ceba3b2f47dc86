// Which document commands are enabled, and checked, for each kind of selection.
#include <gmock/gmock.h>

#include <map>
#include <set>

#include "audio/audio_activity.h"
#include "doc_test_support.h"
#include "resources/command_catalog.h"
#include "resources/command_ids.h"

namespace plantrek::test {
namespace {

using namespace command_id;

const std::set<int> kAlways{
    kAddRoom,     kDeleteRoom,  kEditMaterials,      kRoomSummary, kEditSiteAnnotation,
    kPreferences, kCloseSquare, kCloseReverseSquare, kCloseAngled, kRelativeDirections};
const std::set<int> kRoomCommands{kRoomProperties, kMoveRoom,   kRotateRoom, kReflectRoom,
                                  kBringToFront,   kSendToBack, kAddWall};

// What is typed in a new document in meters, then the rule, and whether the first wall is
// selected.
struct StateCase {
    std::vector<const char*> typed;
    CloseRule rule;
    bool wall;
    std::set<int> enabled;  // besides the commands that are always enabled
};

std::set<int> Join(std::initializer_list<std::set<int>> sets) {
    std::set<int> all;
    for (const auto& set : sets) {
        all.insert(set.begin(), set.end());
    }
    return all;
}

const CloseRule kSquare = CloseRule::Square;
// clang-format off
const StateCase kCases[] = {
    // The start point; an empty room.
    {{""}, kSquare, false, {kMoveStartPoint}},
    {{}, kSquare, false, kRoomCommands},
    // A room closed by system walls, one closed by its own, an open one.
    {{"3 N", "4 E"}, kSquare, false, Join({kRoomCommands, {kAddProjection, kConvertAddedWalls,
                                           kReverseWalls, kMoveRoomStart, kEditRoomAnnotation}})},
    {{"3 N", "3 E", "3 S", "3 W"}, kSquare, false,
     Join({kRoomCommands, {kReverseWalls, kMoveRoomStart, kEditRoomAnnotation}})},
    {{"3 N", "3 N"}, kSquare, false,
     Join({kRoomCommands, {kAddProjection, kReverseWalls, kMoveRoomStart}})},
    // A wall of a closed room, of an open one.
    {{"3 N", "4 E"}, kSquare, true, {kEditWall, kMoveWallEnd, kAngleWall, kArcWall, kReplaceWall,
                                     kAddProjection, kReverseWalls, kMoveRoomStart}},
    {{"3 N", "4 E"}, CloseRule::ReverseSquare, true, {kEditWall, kMoveWallEnd, kAngleWall,
                                     kArcWall, kAddProjection, kReverseWalls, kMoveRoomStart}},
};
// clang-format on

class CommandStateTest : public DocTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(CommandStateTest, EnableRulesFollowTheSelection) {
    NewDocInMeters();
    for (const char* entry : GetParam().typed) {
        Type({entry});
    }
    Room* room = Doc().GetCurrentRoom();
    if (GetParam().rule != kSquare) {
        room->SetCloseRule(GetParam().rule);
    }
    if (GetParam().wall) {
        Doc().SelectWall(room, room->GetWall(0, true));
    }
    const std::set<int> expected = Join({kAlways, GetParam().enabled});
    // Every command some selection enables is checked at every selection.
    std::set<int> checked = kAlways;
    for (const StateCase& c : kCases) {
        checked.insert(c.enabled.begin(), c.enabled.end());
    }
    for (int id : checked) {
        EXPECT_EQ(Doc().GetCommandState(id).enabled, expected.count(id) == 1)
            << FindCommand(id)->PlainName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Selections, CommandStateTest, ::testing::ValuesIn(kCases));

// A new document in meters with a room of two walls, selected.
class CloseCommandTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        NewDocInMeters();
        Type({"3 N", "4 E"});
    }
};

TEST_F(CloseCommandTest, WithNoRoomSelectedOnlyTheRuleForNewRoomsChanges) {
    Type({""});
    int redraws = 0;
    QObject::connect(&Doc(), &CTracepadDoc::changed, [&redraws] { ++redraws; });
    const int pushes = Doc().UndoHistory().Count();
    EXPECT_TRUE(Doc().GetCommandState(kCloseSquare).checked);
    ASSERT_TRUE(Doc().ApplyCloseRule(CloseRule::ReverseSquare));
    EXPECT_FALSE(Doc().GetCommandState(kCloseSquare).checked);
    EXPECT_TRUE(Doc().GetCommandState(kCloseReverseSquare).checked);
    EXPECT_EQ(Doc().GetSite()->GetRoom(0)->GetCloseRule(), CloseRule::Square);
    EXPECT_EQ(redraws, 0);
    EXPECT_EQ(Doc().UndoHistory().Count(), pushes);
    // The next room takes it.
    Type({""});
    EXPECT_EQ(Doc().GetCurrentRoom()->GetCloseRule(), CloseRule::ReverseSquare);
}

TEST_F(CloseCommandTest, WithARoomSelectedItsOwnRuleChangesAndIsShown) {
    ASSERT_TRUE(Doc().ApplyCloseRule(CloseRule::Angled));
    EXPECT_EQ(Doc().GetCurrentRoom()->GetCloseRule(), CloseRule::Angled);
    EXPECT_EQ(Doc().GetDefaultCloseRule(), CloseRule::Square);
    EXPECT_TRUE(Doc().GetCommandState(kCloseAngled).checked);
    EXPECT_FALSE(Doc().GetCommandState(kCloseSquare).checked);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_TRUE(Doc().GetCommandState(kCloseSquare).checked);
}

TEST_F(CloseCommandTest, WithAWallSelectedNothingChanges) {
    Room* room = Doc().GetCurrentRoom();
    Doc().SelectWall(room, room->GetWall(0, true));
    EXPECT_FALSE(Doc().ApplyCloseRule(CloseRule::Angled));
    EXPECT_EQ(room->GetCloseRule(), CloseRule::Square);
    EXPECT_EQ(Doc().GetDefaultCloseRule(), CloseRule::Square);
    // The check marks show the rule for new rooms while a wall is selected.
    EXPECT_TRUE(Doc().GetCommandState(kCloseSquare).checked);
}

TEST_F(CloseCommandTest, AnnotationCommandsWaitWhileANoteIsPlaying) {
    AudioActivity::SetPlaying(true);
    EXPECT_FALSE(Doc().GetCommandState(kEditSiteAnnotation).enabled);
    EXPECT_FALSE(Doc().GetCommandState(kEditRoomAnnotation).enabled);
    AudioActivity::SetPlaying(false);
    EXPECT_TRUE(Doc().GetCommandState(kEditRoomAnnotation).enabled);
}

}  // namespace
}  // namespace plantrek::test
