// The mouse rules of the plan in plan meters, without a window: what a press selects, where a
// drag comes to rest, and when a release moves nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "document/doc_test_support.h"
#include "view/core/plan_interaction.h"
#include "view/core/selection_text.h"
#include "view/core/plan_scenes.h"
#include "resources/command_ids.h"

namespace plantrek {
namespace {

using test::kSamePoint;
// 24 pixels at 60 pixels per meter.
constexpr double kReach = 0.4;

class PlanInteractionTest : public test::DocTest {
protected:
    void SetUp() override {
        test::DocTest::SetUp();
        Site& site = *NewDoc().GetSite();
        test::AddDragRooms(site);
        site.SetStartPoint({-8, -8});
        Doc().FinishRoom();  // drops the empty first room of a new document
        Doc().Commit(false);
        interaction_.emplace(&Doc());
    }
    // What a view does after every change of the document.
    void Changed() { interaction_->DocumentChanged(); }
    PlanInteraction& Mouse() { return *interaction_; }
    // After the first room is dropped, in the order added.
    Room* D() { return Doc().GetSite()->GetRoom(2); }
    PlanPoint DStart() { return D()->GetStartPoint(); }
    // D back at (-3, 5), where each drag case starts.
    void PutDBack() {
        D()->SetStartPoint({-3, 5});
        D()->SetLocation({-3, 5});
        Doc().Commit(false);
        Changed();
    }

    std::optional<PlanInteraction> interaction_;
};

#define EXPECT_AT(actual, ex, ey) EXPECT_LT(Distance((actual), PlanPoint((ex), (ey))), kSamePoint)

// A drag along one axis is as much a movement as any other; a snap target within reach of
// where the start point would rest pulls it there.
TEST_F(PlanInteractionTest, ADragMovesTheRoomByHowFarTheMouseWent) {
    const struct {
        const char* what;
        PlanPoint to;      // where the mouse is released, pressed at (-2, 6)
        PlanPoint dStart;  // where D's start point comes to rest
    } cases[] = {
        {"straight east", {-1, 6}, {-2, 5}},
        {"straight north", {-2, 7.5}, {-3, 6.5}},
        {"diagonal", {-1, 7}, {-2, 6}},
        // Rests at (4.15, 4.15): A's corner 0.21 m away wins over T's wall 0.15 m away.
        {"onto a corner", {5.15, 5.15}, {4, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PutDBack();
        ASSERT_TRUE(Mouse().Press({-2, 6}, kReach));
        ASSERT_TRUE(Mouse().IsDragging());
        EXPECT_EQ(Mouse().DraggedRoom(), D());
        Mouse().Move(c.to, kReach);
        EXPECT_AT(DStart(), -3, 5);  // nothing moves before the release
        EXPECT_AT(PlanPoint(-3, 5) + Mouse().Displacement(), c.dStart.x, c.dStart.y);
        EXPECT_TRUE(Mouse().Release(c.to, kReach));
        EXPECT_FALSE(Mouse().IsDragging());
        EXPECT_AT(DStart(), c.dStart.x, c.dStart.y);
        EXPECT_TRUE(Doc().IsModified());
    }
}

// Any corner of the dragged room snaps onto any corner of another room, and any straight wall
// flush onto a parallel wall, sliding along it; corners win over walls, and the start point
// wins a tie. The readout tells how far apart they were at the mouse.
TEST_F(PlanInteractionTest, ARoomSnapsByAnyCornerOrWall) {
    const struct {
        const char* what;
        PlanPoint dAt;     // where D's start point would rest without snapping
        PlanPoint dStart;  // where it comes to rest
        SnapKind kind;
        double gap;
        bool overlap;
        const char* text;
    } cases[] = {
        // D's south-east corner 0.18 m from A's north-west corner (0, 4).
        {"far corner onto a corner", {-1.9, 4.15}, {-2, 4}, SnapKind::Corner, std::hypot(0.1, 0.15),
         false, "Corner meets a corner of \"A\", 0.180 m apart"},
        // D's north wall 0.1 m short of A's south wall, then 0.05 m past it, further east.
        {"wall flush", {1, -2.1}, {1, -2}, SnapKind::Wall, 0.1, false,
         "Wall flush with a wall of \"A\", gap 0.100 m"},
        {"wall sliding, overlapping", {1.5, -1.95}, {1.5, -2}, SnapKind::Wall, 0.05, true,
         "Wall flush with a wall of \"A\", overlap 0.050 m"},
        {"nothing within reach", {-3, 8}, {-3, 8}, SnapKind::None, 0, false, ""},
        // The start point 0.21 m from A's corner (4, 4) ties with D's north-west corner and T's;
        // D's west wall is 0.15 m from T's, but a corner is stronger.
        {"the start point onto a corner", {4.15, 4.15}, {4, 4}, SnapKind::Corner,
         std::hypot(0.15, 0.15), false, "Corner meets a corner of \"A\", 0.212 m apart"},
        {"the start point onto a wall", {-0.3, 1}, {0, 1}, SnapKind::Wall, 0.3, false,
         "Start point meets a wall of \"A\", 0.300 m apart"},
    };
    const MetricUnits metric(100);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PutDBack();
        ASSERT_TRUE(Mouse().Press({-2, 6}, kReach));
        const PlanPoint to = c.dAt + PlanPoint(1, 1);
        Mouse().Move(to, kReach);
        const RoomSnap& snap = Mouse().CurrentSnap();
        EXPECT_EQ(snap.kind, c.kind);
        EXPECT_NEAR(snap.gap, c.gap, kSamePoint);
        EXPECT_EQ(snap.overlap, c.overlap);
        EXPECT_EQ(SnapText(snap, metric).toStdString(), c.text);
        EXPECT_EQ(Mouse().Release(to, kReach), true);
        EXPECT_AT(DStart(), c.dStart.x, c.dStart.y);
    }
}

// A press and release in one place moves nothing, even with a snap target within reach; a drag
// that comes back to where it started is still a drag, and snaps.
TEST_F(PlanInteractionTest, AClickWithoutMovementMovesNothing) {
    Doc().GetSite()->SetStartPoint({-3.2, 5});  // 0.2 m from D's start point
    Doc().Commit(false);
    Changed();
    ASSERT_TRUE(Mouse().Press({-2, 6}, kReach));
    EXPECT_FALSE(Mouse().Release({-2, 6}, kReach));
    EXPECT_EQ(Doc().GetCurrentRoom(), D());
    EXPECT_AT(DStart(), -3, 5);
    EXPECT_FALSE(Doc().IsModified());

    ASSERT_TRUE(Mouse().Press({-2, 6}, kReach));
    Mouse().Move({-1, 6}, kReach);
    EXPECT_TRUE(Mouse().Release({-2, 6}, kReach));
    EXPECT_AT(DStart(), -3.2, 5);
}

TEST_F(PlanInteractionTest, ACancelledDragOrAPressOnNothingMovesNothing) {
    ASSERT_TRUE(Mouse().Press({-2, 6}, kReach));
    Mouse().Move({0, 9}, kReach);
    Mouse().Cancel();
    EXPECT_FALSE(Mouse().Release({0, 9}, kReach));
    EXPECT_AT(DStart(), -3, 5);

    EXPECT_FALSE(Mouse().Press({-6, 12}, kReach));
    EXPECT_FALSE(Mouse().IsDragging());
    EXPECT_EQ(Doc().GetCurrentRoom(), D()) << "a click on nothing keeps the selection";
    EXPECT_FALSE(Mouse().Release({-5, 12}, kReach));
    EXPECT_FALSE(Doc().IsModified());
}

// Without a room selected the site's start point is dragged, and it snaps to rooms' corners.
TEST_F(PlanInteractionTest, TheSitesStartPointIsDraggedOntoACorner) {
    ASSERT_TRUE(Mouse().Press({-8, -8}, kReach));
    EXPECT_EQ(Doc().GetSelectionLevel(), kLevelStartPoint);
    EXPECT_EQ(Mouse().DraggedRoom(), nullptr);
    // Straight north, to nowhere near a corner; then straight east, to 0.22 m from D's.
    EXPECT_TRUE(Mouse().Release({-8, 5.2}, kReach));
    EXPECT_AT(Doc().GetSite()->GetStartPoint(), -8, 5.2);
    Changed();
    ASSERT_TRUE(Mouse().Press({-8, 5.2}, kReach));
    EXPECT_TRUE(Mouse().Release({-3.1, 5.2}, kReach));
    EXPECT_AT(Doc().GetSite()->GetStartPoint(), -3, 5);
}

// The snap command and what a double click asks for are checked through the view, with the
// same rooms (tracepad_view_test).

// A click on a door selects the door, not its wall; a drag slides it along the wall and passes
// over places where it would overlap the window; the slide is one step; a double click edits
// the opening and Delete deletes it alone.
class PlanOpeningTest : public test::DocTest {};

TEST_F(PlanOpeningTest, AnOpeningIsSelectedSlidAlongItsWallAndDeleted) {
    CTracepadDoc& doc = NewDocInMeters();
    Type({"4 E", "3 N"});
    Room& room = *doc.GetCurrentRoom();
    doc.SelectWall(&room, room.GetWall(0, true));
    ASSERT_TRUE(doc.AddOpeningToCurrentWall(Opening{OpeningKind::Door, 1.0, 0.8, 2.0}));
    ASSERT_TRUE(doc.AddOpeningToCurrentWall(Opening{OpeningKind::Window, 2.5, 1.0, 1.0, 1.0}));
    doc.SelectRoom(&room);
    const auto [start, end] = room.GetWallEnds(0);
    const auto at = [start = start, end = end](double d) { return start + (end - start) * (d / 4); };
    PlanInteraction mouse(&doc);
    ASSERT_TRUE(mouse.Press(at(1.4), kReach));
    EXPECT_EQ(doc.GetCurrentOpening(), 0);
    mouse.Move(at(1.9), kReach);
    const int steps = doc.UndoHistory().Count();
    EXPECT_TRUE(mouse.Release(at(2.4), kReach));  // 2.0 to 2.8 would overlap the window
    EXPECT_EQ(doc.UndoHistory().Count(), steps + 1);
    const OpeningList& openings = room.GetWall(0, true)->GetOpenings();
    ASSERT_EQ(openings.size(), 2u);
    EXPECT_NEAR(openings[0].offset, 1.5, 1e-9);
    EXPECT_EQ(mouse.DoubleClickCommand(), command_id::kEditOpening);
    EXPECT_EQ(SelectionText(doc), "Selected: door 0.80 m wide, 1.50 m from the start of the "
                                  "4.00 m @ E wall in \"Room 1\"");
    doc.Delete();
    EXPECT_EQ(room.WallCount(true), 2);
    ASSERT_EQ(room.GetWall(0, true)->GetOpenings().size(), 1u);
    EXPECT_EQ(room.GetWall(0, true)->GetOpenings()[0].kind, OpeningKind::Window);
}

}  // namespace
}  // namespace plantrek
