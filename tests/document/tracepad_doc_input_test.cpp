// The input line and the selection: what Enter does at each level, which lengths are taken,
// and relative directions.
#include <gmock/gmock.h>

#include "doc_test_support.h"
#include "model/site.h"

namespace plantrek::test {
namespace {

using ::testing::ElementsAre;

class InputLineTest : public DocTest {};

TEST_F(InputLineTest, EmptyEnterOnAWallDeselectsIt) {
    UseMeters();
    NewDoc();
    Type({"3 N", "4 E"});
    Room* room = Doc().GetCurrentRoom();
    Doc().SelectWall(room, room->GetWall(1, true));
    ASSERT_EQ(Doc().GetSelectionLevel(), kLevelWall);
    Doc().EnterInputText(QString());
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
    EXPECT_EQ(Doc().GetCurrentRoom(), room);
    EXPECT_EQ(room->WallCount(true), 2);
}

TEST_F(InputLineTest, EmptyEnterOnAnEmptyRoomRemovesIt) {
    NewDoc();
    ASSERT_EQ(Doc().GetSite()->RoomCount(), 1);
    Doc().EnterInputText(QString());
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 0);
}

TEST_F(InputLineTest, EmptyEnterOnARoomWithWallsOnlyDeselectsIt) {
    UseMeters();
    NewDoc();
    Type({"3 N", ""});
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    ASSERT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_EQ(Doc().GetSite()->GetRoom(0)->WallCount(true), 1);
}

TEST_F(InputLineTest, EmptyEnterOnTheStartPointStartsTheNextDefaultRoom) {
    UseMeters();
    NewDoc();
    Type({"3 N", "", ""});
    ASSERT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "Room 2");
    EXPECT_EQ(Doc().GetCurrentRoom()->GetMaterial(), 0);
    EXPECT_TRUE(Doc().IsModified());
    // Leaving the empty room again removes it, so the name is offered once more.
    Type({"", ""});
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "Room 2");
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 2);
}

struct LengthCase {
    const char* typed;
    bool accepted;
    double length;
};

class LengthLimitTest : public DocTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(LengthLimitTest, OnlyLengthsFromOneInchUpToNotIncluding200MetresAreTaken) {
    UseMeters();
    NewDoc();
    Doc().EnterInputText(QString::fromUtf8(GetParam().typed));
    Room* room = Doc().GetCurrentRoom();
    if (GetParam().accepted) {
        EXPECT_TRUE(prompts_.messages.empty());
        ASSERT_EQ(room->WallCount(true), 1);
        EXPECT_DOUBLE_EQ(room->GetWall(0, true)->GetLength(), GetParam().length);
        EXPECT_TRUE(Doc().IsModified());
    } else {
        ASSERT_EQ(prompts_.messages.size(), 1u);
        EXPECT_EQ(prompts_.messages[0].text,
                  "The wall length must be between 0.03 m and 200.00 m.");
        EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(room->WallCount(true), 0);
        EXPECT_FALSE(Doc().IsModified());
        EXPECT_FALSE(Doc().CanUndo());
    }
}

INSTANTIATE_TEST_SUITE_P(Metres, LengthLimitTest,
                         ::testing::Values(LengthCase{"0 N", false, 0.0},
                                           LengthCase{"0.02 N", false, 0.0},
                                           LengthCase{"0.0254 N", true, 0.0254},
                                           LengthCase{"200 N", false, 0.0},
                                           LengthCase{"200.001 N", false, 0.0},
                                           LengthCase{"199.99999 N", true, 199.99999},
                                           LengthCase{"1,000 E", false, 0.0}));

TEST_F(InputLineTest, TheLengthMessageUsesTheCurrentUnits) {
    NewDoc();
    Type({"0 N"});
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, "The wall length must be between 1\" and 656' 2\".");
}

TEST_F(InputLineTest, AnEntryWithoutADirectionIsAnError) {
    NewDoc();
    Type({"12'6"});
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text,
              "The input \"12'6\" does not represent a valid length and direction.");
    EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(Doc().GetCurrentRoom()->WallCount(true), 0);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(InputLineTest, FeetAndInchesAreTheDefaultUnits) {
    NewDoc();
    Type({"12'6 N", "6 E"});
    Room* room = Doc().GetCurrentRoom();
    ASSERT_EQ(room->WallCount(true), 2);
    EXPECT_NEAR(room->GetWall(0, true)->GetLength(), 3.81, 1e-12);
    EXPECT_NEAR(room->GetWall(1, true)->GetLength(), 0.1524, 1e-12);
    EXPECT_DOUBLE_EQ(room->GetWall(1, true)->GetDirection(), 90.0);
}

TEST_F(InputLineTest, RelativeDirectionsTurnFromTheLastWallButNotForTheFirst) {
    UseMeters();
    PutSetting(QStringLiteral("DirectionMode"), 1);
    NewDoc();
    Type({"3 90", "3 90", "3 350"});
    Room* room = Doc().GetCurrentRoom();
    ASSERT_EQ(room->WallCount(true), 3);
    EXPECT_DOUBLE_EQ(room->GetWall(0, true)->GetDirection(), 90.0);
    EXPECT_DOUBLE_EQ(room->GetWall(1, true)->GetDirection(), 180.0);
    EXPECT_DOUBLE_EQ(room->GetWall(2, true)->GetDirection(), 170.0);
}

TEST_F(InputLineTest, WithoutRelativeDirectionsEachDirectionIsTakenAsTyped) {
    UseMeters();
    NewDoc();
    Type({"3 90", "3 90"});
    Room* room = Doc().GetCurrentRoom();
    EXPECT_DOUBLE_EQ(room->GetWall(1, true)->GetDirection(), 90.0);
}

TEST_F(InputLineTest, RelativeDirectionsDoNotApplyWhenEditingAWall) {
    UseMeters();
    PutSetting(QStringLiteral("DirectionMode"), 1);
    NewDoc();
    Type({"3 N", "4 E"});
    Room* room = Doc().GetCurrentRoom();
    Doc().SelectWall(room, room->GetWall(1, true));
    Type({"5 45"});
    EXPECT_DOUBLE_EQ(room->GetWall(1, true)->GetDirection(), 45.0);
}

TEST_F(InputLineTest, TypingOnASelectedWallReplacesItStraightAndDeselectsIt) {
    UseMeters();
    NewDoc();
    Type({"3 N", "4 E", "3 S"});
    Room* room = Doc().GetCurrentRoom();
    room->GetWall(1, true)->SetArcHeight(1.0);
    Doc().SelectWall(room, room->GetWall(1, true));
    Type({"5 E"});
    const Wall* wall = room->GetWall(1, true);
    EXPECT_DOUBLE_EQ(wall->GetLength(), 5.0);
    EXPECT_DOUBLE_EQ(wall->GetArcHeight(), 0.0);
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
    EXPECT_EQ(room->WallCount(true), 3);
}

TEST_F(InputLineTest, TypingWithOnlyTheStartPointSelectedMovesIt) {
    UseMeters();
    NewDoc();
    Type({"", "5 N", "2 E"});
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    EXPECT_DOUBLE_EQ(Doc().GetSite()->GetStartPoint().x, 2.0);
    EXPECT_DOUBLE_EQ(Doc().GetSite()->GetStartPoint().y, 5.0);
    // The next room begins there.
    Type({""});
    EXPECT_DOUBLE_EQ(Doc().GetCurrentRoom()->GetLocation().y, 5.0);
}

TEST_F(InputLineTest, SelectingAnotherRoomFinishesAnEmptyOne) {
    UseMeters();
    NewDoc();
    Type({"3 N", "4 E", "", ""});
    ASSERT_EQ(Doc().GetSite()->RoomCount(), 2);
    Room* first = Doc().GetSite()->GetRoom(0);
    Doc().SelectRoom(first);
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_EQ(Doc().GetCurrentRoom(), first);
    // Selecting a wall of the room already selected keeps the room.
    Doc().SelectWall(first, first->GetWall(0, true));
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelWall);
    Doc().SelectRoom(first);
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
}

TEST_F(InputLineTest, SelectionChangesRedrawButAreNotUndoable) {
    UseMeters();
    NewDoc();
    Type({"3 N", "4 E"});
    int redraws = 0;
    QObject::connect(&Doc(), &CTracepadDoc::changed, [&redraws] { ++redraws; });
    const int position = Doc().UndoHistory().Position();
    Room* room = Doc().GetCurrentRoom();
    Doc().SelectWall(room, room->GetWall(0, true));
    Doc().SelectWall(room, room->GetWall(0, true));  // already selected: nothing
    Doc().DeselectWall();
    Doc().FinishRoom();
    EXPECT_EQ(redraws, 3);
    EXPECT_EQ(Doc().UndoHistory().Position(), position);
    // A change redraws once.
    Type({""});
    EXPECT_EQ(redraws, 4);
}

TEST_F(InputLineTest, AnnotationsGoToTheRoomOnlyWhenItHasWalls) {
    UseMeters();
    NewDoc();
    EXPECT_EQ(Doc().AnnotationListForCommand(), &Doc().GetSite()->Annotations());
    Type({"3 N"});
    Room* room = Doc().GetCurrentRoom();
    EXPECT_EQ(Doc().AnnotationListForCommand(), &room->Annotations());
    Doc().SelectWall(room, room->GetWall(0, true));
    EXPECT_EQ(Doc().AnnotationListForCommand(), &Doc().GetSite()->Annotations());
}

}  // namespace
}  // namespace plantrek::test
