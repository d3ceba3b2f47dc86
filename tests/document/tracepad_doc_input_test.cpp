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

// Typos on the input line: refused with what is wrong and what is expected, and nothing changes.
// Each reason is the forms' test too; here the line splits the length from the direction.
struct TypoCase {
    const char* setting;  // "m" or "f", then the style code
    const char* typed;
    std::string reason;  // what follows the sentence about the input
};

class InputTypoTest : public DocTest, public ::testing::WithParamInterface<TypoCase> {};

TEST_P(InputTypoTest, IsRefusedAndChangesNothing) {
    const TypoCase& c = GetParam();
    if (c.setting[0] == 'm') {
        UseMeters();
    }
    PutSetting(QStringLiteral("AngleStyle"), c.setting[1] - '0');
    NewDoc();
    Type({"3 N"});
    const int steps = Doc().UndoHistory().Count();
    Doc().SetModifiedFlag(false);
    EXPECT_FALSE(Doc().EnterInputText(QString::fromUtf8(c.typed)));
    EXPECT_EQ(prompts_.Said(),
              QStringLiteral("error: The input \"%1\" does not represent a valid length and "
                             "direction. %2")
                  .arg(QString::fromUtf8(c.typed), QString::fromStdString(c.reason)));
    EXPECT_EQ(Doc().GetCurrentRoom()->WallCount(true), 1);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Doc().UndoHistory().Count(), steps);
}

INSTANTIATE_TEST_SUITE_P(
    Typos, InputTypoTest,
    ::testing::Values(
        TypoCase{"m0", "2,5 N",
                 "\"2,5\" has a comma that does not separate thousands. Decimals take a point, "
                 "as in 2.5; a comma may only stand between groups of three digits, as in 1,250."},
        TypoCase{"m1", "3 45",
                 "\"45\" is not a direction. Please enter a compass point (N, NE, E, SE, S, SW, W "
                 "or NW) or a quadrant bearing: N or S, an angle from 0 to 90 degrees, then E or "
                 "W, as in N45E."},
        TypoCase{"f0", "12'6' N",
                 "\"12'6'\" is not a length. Please enter feet and inches, such as 12'6 or 12' "
                 "6\", or inches alone, such as 6\"."}));

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

TEST_F(InputLineTest, TypingWithOnlyTheStartPointSelectedMovesIt) {
    NewDocInMeters();
    Type({"", "5 N", "2 E"});
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    EXPECT_DOUBLE_EQ(Doc().GetSite()->GetStartPoint().x, 2.0);
    EXPECT_DOUBLE_EQ(Doc().GetSite()->GetStartPoint().y, 5.0);
    // The next room begins there.
    Type({""});
    EXPECT_DOUBLE_EQ(Doc().GetCurrentRoom()->GetLocation().y, 5.0);
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
