// Cut, Copy, Paste and Delete at each selection level.
#include <gmock/gmock.h>

#include "doc_test_support.h"
#include "model/site.h"
#include "resources/command_ids.h"

namespace plantrek::test {
namespace {

class ClipTest : public DocTest {
protected:
    // Room 1: N 3, E 4, S 3 (closed by a system wall), selected; start point at (5, 5).
    void SetUp() override {
        DocTest::SetUp();
        NewDocInMeters();
        Type({"3 N", "4 E", "3 S"});
        room_ = Doc().GetCurrentRoom();
    }
    void SelectLevel(int level) {
        switch (level) {
            case kLevelStartPoint:
                Doc().FinishRoom();
                break;
            case kLevelRoom:
                Doc().SelectRoom(room_);
                break;
            case kLevelWall:
                Doc().SelectWall(room_, room_->GetWall(1, true));
                break;
        }
        ASSERT_EQ(Doc().GetSelectionLevel(), level);
    }
    int Pushes() const { return doc_->UndoHistory().Count(); }

    Room* room_ = nullptr;
};

struct ClipRuleCase {
    int level;
    bool canCopy;
    bool pasteWall;
    bool pasteRoom;
};

class ClipRuleTest : public ClipTest, public ::testing::WithParamInterface<ClipRuleCase> {};

TEST_P(ClipRuleTest, CopyAndPasteAreOfferedByLevel) {
    const ClipRuleCase& rule = GetParam();
    SelectLevel(rule.level);
    EXPECT_EQ(Doc().CanCopy(), rule.canCopy);
    EXPECT_EQ(Doc().CanPaste(ClipKind::Wall), rule.pasteWall);
    EXPECT_EQ(Doc().CanPaste(ClipKind::Room), rule.pasteRoom);
    EXPECT_EQ(Doc().Copy() != nullptr, rule.canCopy);
    EXPECT_EQ(Doc().GetCommandState(command_id::kEditCut).enabled, rule.canCopy);
    EXPECT_EQ(Doc().GetCommandState(command_id::kEditClear).enabled, rule.canCopy);
    EXPECT_FALSE(Doc().GetCommandState(command_id::kEditPaste).enabled);  // nothing kept
    const auto wall = CClipItem::OfWall(*room_->GetWall(0, true));
    const auto room = CClipItem::OfRoom(*room_);
    EXPECT_EQ(Doc().GetCommandState(command_id::kEditPaste, wall.get()).enabled, rule.pasteWall);
    EXPECT_EQ(Doc().GetCommandState(command_id::kEditPaste, room.get()).enabled, rule.pasteRoom);
    // What may not be pasted here is not.
    for (const auto* item :
         {rule.pasteWall ? nullptr : wall.get(), rule.pasteRoom ? nullptr : room.get()}) {
        if (item != nullptr) {
            const int pushes = Pushes();
            Doc().Paste(*item);
            EXPECT_EQ(Pushes(), pushes);
            EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ClipRuleTest,
                         ::testing::Values(ClipRuleCase{kLevelStartPoint, false, false, true},
                                           ClipRuleCase{kLevelRoom, true, true, true},
                                           ClipRuleCase{kLevelWall, true, true, false}));

TEST_F(ClipTest, AWallPastedOnAWallTakesEveryValueAndStaysSelected) {
    Wall arc;
    arc.SetPolar(2.0, 45.0);
    arc.SetArcHeight(0.5);
    const auto item = CClipItem::OfWall(arc);
    SelectLevel(kLevelWall);
    const int pushes = Pushes();
    Doc().Paste(*item);
    EXPECT_EQ(Doc().GetCurrentWall(), room_->GetWall(1, true));
    EXPECT_EQ(WallsText(*room_), "3@0 2@45~0.5 3@180 from 0,0");
    EXPECT_EQ(Pushes(), pushes + 1);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(ClipTest, ARoomPastedOnARoomReplacesItsContentsOnly) {
    // The source: a 2 m triangle-ish room, rule angled, elsewhere.
    Room source(PlanPoint{10.0, 10.0});
    source.SetName("Source");
    source.SetMaterial(7);
    source.SetCloseRule(CloseRule::Angled);
    source.AddWall(2.0, 0.0);
    source.AddWall(2.0, 90.0);
    const auto item = CClipItem::OfRoom(source);

    room_->SetStartPoint(room_->GetLocation() + PlanPoint{0.0, 3.0});  // the second corner
    const PlanPoint start = room_->GetStartPoint();
    SelectLevel(kLevelRoom);
    Doc().Paste(*item);
    EXPECT_EQ(Doc().GetCurrentRoom(), room_);
    EXPECT_EQ(room_->GetName(), "Room 1");
    EXPECT_EQ(room_->GetMaterial(), 0);
    EXPECT_EQ(room_->GetCloseRule(), CloseRule::Angled);
    EXPECT_EQ(WallsText(*room_), "2@0 2@90 from 0,3");  // from the start point it had
    EXPECT_DOUBLE_EQ(room_->GetLocation().x, start.x);
}

TEST_F(ClipTest, ARoomFromAnotherSiteKeepsItsNameButNotAMaterialThisSiteLacks) {
    Room source(PlanPoint{});
    source.SetName("Porch");
    source.SetMaterial(9);
    source.AddWall(2.0, 45.0);
    const auto item = CClipItem::OfRoom(source);
    SelectLevel(kLevelStartPoint);
    Doc().Paste(*item);
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "Porch");
    EXPECT_EQ(Doc().GetCurrentRoom()->GetMaterial(), 0);
}

TEST_F(ClipTest, DeleteRemovesTheSelectedWallOrRoom) {
    SelectLevel(kLevelWall);
    Doc().Delete();
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
    EXPECT_EQ(room_->WallCount(true), 2);
    Doc().Delete();
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 0);
    const int pushes = Pushes();
    Doc().Delete();
    EXPECT_EQ(Pushes(), pushes);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
}

TEST_F(ClipTest, DeleteRoomActsOnlyOnARoomWithoutASelectedWall) {
    SelectLevel(kLevelWall);
    EXPECT_FALSE(Doc().DeleteCurrentRoom());
    EXPECT_EQ(room_->WallCount(true), 3);
    SelectLevel(kLevelRoom);
    EXPECT_TRUE(Doc().DeleteCurrentRoom());
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 0);
}

}  // namespace
}  // namespace plantrek::test
