// The input line and the selection: what Enter does at each level, which lengths are taken,
// and relative directions.
#include "doc_test_support.h"
#include "model/site.h"

namespace plantrek::test {
namespace {

class InputLineTest : public DocTest {};

// Each empty Enter steps back one level: from a wall to its room, from a room with walls to the
// start point, from the start point to a new default room, and an empty room is removed.
TEST_F(InputLineTest, EmptyEnterStepsBackOneLevel) {
    NewDocInMeters();
    Type({"3 N", "4 E"});
    Room* room = Doc().GetCurrentRoom();
    Doc().SelectWall(room, room->GetWall(1, true));
    Type({""});
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
    EXPECT_EQ(Doc().GetCurrentRoom(), room);
    Type({""});
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    ASSERT_EQ(Doc().GetSite()->RoomCount(), 1);
    EXPECT_EQ(room->WallCount(true), 2);
    Type({""});
    ASSERT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "Room 2");
    EXPECT_EQ(Doc().GetCurrentRoom()->GetMaterial(), 0);
    Type({""});
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 1);
    // The name of the removed room is offered once more.
    Type({""});
    EXPECT_EQ(Doc().GetCurrentRoom()->GetName(), "Room 2");
    EXPECT_EQ(Doc().GetSite()->RoomCount(), 2);
}

TEST_F(InputLineTest, OnlyLengthsFromOneInchUpToNotIncluding200MetresAreTaken) {
    const std::pair<const char*, double> cases[] = {
        {"0.02 N", 0.0}, {"0.0254 N", 0.0254}, {"1,000 E", 0.0}};  // 0: refused
    for (const auto& [typed, length] : cases) {
        SCOPED_TRACE(typed);
        NewDocInMeters();
        prompts_.Clear();
        Doc().EnterInputText(QString::fromUtf8(typed));
        Room* room = Doc().GetCurrentRoom();
        if (length > 0) {
            EXPECT_TRUE(prompts_.messages.empty());
            ASSERT_EQ(room->WallCount(true), 1);
            EXPECT_DOUBLE_EQ(room->GetWall(0, true)->GetLength(), length);
            EXPECT_TRUE(Doc().IsModified());
        } else {
            EXPECT_EQ(prompts_.Said(),
                      "warning: The wall length must be between 0.03 m and 200.00 m.");
            EXPECT_EQ(room->WallCount(true), 0);
            EXPECT_FALSE(Doc().IsModified());
            EXPECT_FALSE(Doc().CanUndo());
        }
    }
}

TEST_F(InputLineTest, TheLengthMessageUsesTheCurrentUnits) {
    NewDoc();
    Type({"0 N"});
    EXPECT_EQ(prompts_.Said(), "warning: The wall length must be between 1\" and 656' 2\".");
}

TEST_F(InputLineTest, AnEntryWithoutADirectionIsAnError) {
    NewDoc();
    Type({"12'6"});
    EXPECT_EQ(prompts_.Said(),
              "error: The input \"12'6\" does not represent a valid length and direction.");
    EXPECT_EQ(Doc().GetCurrentRoom()->WallCount(true), 0);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(InputLineTest, RelativeDirectionsTurnFromTheLastWallButNotForTheFirst) {
    UseMeters();
    PutSetting(QStringLiteral("DirectionMode"), 1);
    NewDoc();
    Type({"3 90", "3 90", "3 350"});
    Room* room = Doc().GetCurrentRoom();
    EXPECT_EQ(WallsText(*room), "3@90 3@180 3@170 from 0,0");
    // Nor when editing a wall.
    Doc().SelectWall(room, room->GetWall(1, true));
    Type({"5 45"});
    EXPECT_EQ(WallsText(*room), "3@90 5@45 3@170 from 0,0");
}

TEST_F(InputLineTest, TypingOnASelectedWallReplacesItStraightAndDeselectsIt) {
    NewDocInMeters();
    Type({"3 N", "4 E", "3 S"});
    Room* room = Doc().GetCurrentRoom();
    room->GetWall(1, true)->SetArcHeight(1.0);
    Doc().SelectWall(room, room->GetWall(1, true));
    Type({"5 E"});
    EXPECT_EQ(WallsText(*room), "3@0 5@90 3@180 from 0,0");
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelRoom);
}

TEST_F(InputLineTest, SelectingAnotherRoomFinishesAnEmptyOne) {
    NewDocInMeters();
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
    NewDocInMeters();
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
    NewDocInMeters();
    EXPECT_EQ(Doc().AnnotationListForCommand(), &Doc().GetSite()->Annotations());
    Type({"3 N"});
    Room* room = Doc().GetCurrentRoom();
    EXPECT_EQ(Doc().AnnotationListForCommand(), &room->Annotations());
    Doc().SelectWall(room, room->GetWall(0, true));
    EXPECT_EQ(Doc().AnnotationListForCommand(), &Doc().GetSite()->Annotations());
}

}  // namespace
}  // namespace plantrek::test
