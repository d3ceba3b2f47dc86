// The mouse rules of the plan in plan meters, without a window: what a press selects, where a
// drag comes to rest, and when a release moves nothing.
#include <gtest/gtest.h>

#include <optional>

#include "document/doc_test_support.h"
#include "view/core/plan_interaction.h"
#include "view/core/plan_scenes.h"

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
        D()->SetStartPoint({-3, 5});
        D()->SetLocation({-3, 5});
        Doc().Commit(false);
        Changed();
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

}  // namespace
}  // namespace plantrek
