// The plan view driven as a user drives it: real mouse, wheel and key events on the widget.
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "document/doc_test_support.h"
#include "document/files/site_file.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/core/plan_scenes.h"
#include "view/tracepad_view.h"

namespace plantrek {
namespace {

using namespace command_id;

using test::AddRect;
using test::kSamePoint;

class TracepadViewTest : public test::DocTest {
protected:
    // Rooms A and B side by side with a 0.1 m gap, C above A closed by an added west wall, the
    // site's start point 25/60 m east of C: 60 pixels per meter in an 800 × 600 window.
    void PickScene() {
        Site& site = *NewDoc().GetSite();
        AddRect(site, "A", {0, 0}, 4, 4);
        AddRect(site, "B", {4.1, 0}, 4, 4);
        AddRect(site, "C", {0, 5}, 4, 3, 3);
        site.SetStartPoint({4 + 25.0 / 60, 6.5});
        Show();
        ASSERT_DOUBLE_EQ(view_->Viewport().Transform().scale, 60.0);
    }
    void DragScene() {
        test::AddDragRooms(*NewDoc().GetSite());
        Show();
    }
    void Show() {
        Doc().FinishRoom();  // drops the empty "Room 1" of a new document
        view_ = std::make_unique<CTracepadView>(&Doc());
        view_->resize(800, 600);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
    }
    // After Show, in the order added (the new document's empty room is gone).
    Room* RoomAt(int index) { return Doc().GetSite()->GetRoom(index); }
    QPoint At(PlanPoint p) const {
        const DevicePoint d = view_->Viewport().WindowTransform().ToDevice(p);
        return {d.x, d.y};
    }
    QWidget* Area() const { return view_->viewport(); }
    // The plan as a site file holds it: saved and read back.
    Site Saved() {
        const QString path = folder_.filePath(QStringLiteral("saved.tcd"));
        Site saved;
        EXPECT_TRUE(SaveSiteFile(*Doc().GetSite(), path).ok);
        EXPECT_TRUE(LoadSiteFile(path, saved).ok);
        return saved;
    }
    // "A", "A/0" (a wall by index), "start", or "" for nothing selected.
    QString Selected() {
        switch (Doc().GetSelectionLevel()) {
        case kLevelStartPoint:
            return QStringLiteral("start");
        case kLevelRoom:
            return Doc().GetCurrentRoom()->GetName();
        case kLevelWall:
            return Doc().GetCurrentRoom()->GetName() + QStringLiteral("/") +
                   QString::number(Doc().GetCurrentRoom()->IndexOfWall(Doc().GetCurrentWall()));
        default:
            return {};
        }
    }

    std::unique_ptr<CTracepadView> view_;
    QTemporaryDir folder_;
};

// Which item wins where is the hit test's (plan_hit_test_test); here the mouse reaches it, and
// the menus are the menu bar's own actions (ContextMenusShowTheMenuBarsActions).
TEST_F(TracepadViewTest, ClicksSelectDoubleClicksEditAndRightClicksShowTheMenu) {
    PickScene();
    CommandRouter router;
    view_->SetCommandRouter(&router);
    QString shown;
    view_->SetMenuPresenter([&](QMenu& menu, QPoint) { shown = menu.title(); });
    const struct {
        const char* what;
        PlanPoint point;
        const char* selected;
        int doubleClick;   // the command a double click asks the window for, or 0
        const char* menu;  // the title of the menu a right click shows, or none
    } cases[] = {
        // 20 px from the start point and 5 px from C's east wall.
        {"start point over wall", {4 + 5.0 / 60, 6.5}, "start", kMoveStartPoint, "Point"},
        {"added wall selects its room", {0, 6.5}, "C", kRoomProperties, "Room"},
        {"user wall", {2, 0}, "A/0", kEditWall, "Wall"},
        {"nothing keeps the selection", {6, 7}, "A/0", 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTest::mouseClick(Area(), Qt::LeftButton, {}, At(c.point));
        EXPECT_EQ(Selected(), QString::fromUtf8(c.selected));
        QSignalSpy requested(view_.get(), &CTracepadView::commandRequested);
        QTest::mouseDClick(Area(), Qt::LeftButton, {}, At(c.point));
        EXPECT_EQ(requested.size(), c.doubleClick != 0 ? 1 : 0);
        if (!requested.isEmpty()) {
            EXPECT_EQ(requested[0][0].toInt(), c.doubleClick);
        }
        shown = QStringLiteral("none");
        QTest::mousePress(Area(), Qt::RightButton, {}, At(c.point));
        EXPECT_EQ(shown, QString::fromLatin1(c.menu != nullptr ? c.menu : "none"));
    }
    Doc().SelectRoom(RoomAt(1));
    EXPECT_EQ(view_->accessibleDescription(), QStringLiteral("Selected: \"B\""));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(view_->accessibleName(), QStringLiteral("Plan"));
}

TEST_F(TracepadViewTest, DragSnapsOntoACornerBeforeANearerWallOfAThirdRoom) {
    DragScene();
    QTest::mousePress(Area(), Qt::LeftButton, {}, At({-2, 6}));
    ASSERT_EQ(Selected(), QStringLiteral("D"));
    // Start point (-3, 5) follows the mouse to (4.15, 4.15): 0.21 m from A's corner (4, 4),
    // 0.15 m from T's west wall.
    QTest::mouseMove(Area(), At({1, 5}));
    QTest::mouseMove(Area(), At({5.15, 5.15}));
    const QImage during = view_->grab().toImage();
    EXPECT_EQ(during.pixel(At({4, 5})) & 0xFFFFFF, 0x808080u) << "grey outline at the snap";
    EXPECT_EQ(RoomAt(2)->GetStartPoint().x, -3.0) << "nothing moves before the release";

    QTest::mouseRelease(Area(), Qt::LeftButton, {}, At({5.15, 5.15}));
    const PlanPoint start = RoomAt(2)->GetStartPoint();
    EXPECT_LT(Distance(start, {4.0, 4.0}), kSamePoint);
    EXPECT_NE(view_->grab().toImage().pixel(At({4, 5})) & 0xFFFFFF, 0x808080u);
}

// D's far corner (north-east of its start point) dropped 10 px from A's south-west corner
// meets it exactly; while dragging, the corner is marked and the label tells the distance.
TEST_F(TracepadViewTest, DragPutsAFarCornerExactlyOnANeighboursCorner) {
    DragScene();
    const auto* readout = view_->findChild<QLabel*>(QStringLiteral("snapReadout"));
    ASSERT_NE(readout, nullptr);
    QTest::mousePress(Area(), Qt::LeftButton, {}, At({-2, 6}));
    ASSERT_EQ(Selected(), QStringLiteral("D"));
    // Moved by (1, -7) D's far corner (-1, 7) would be on (0, 0); 6 px east and 8 px south.
    const QPoint release = At({-1, -1}) + QPoint(6, 8);
    QTest::mouseMove(Area(), At({-1.5, 2}));
    QTest::mouseMove(Area(), release);
    EXPECT_TRUE(readout->isVisible());
    EXPECT_TRUE(readout->text().startsWith(QStringLiteral("Corner meets a corner of \"A\", ")));
    const QImage during = view_->grab().toImage();
    EXPECT_EQ(during.pixel(At({0, 0}) + QPoint(5, 0)) & 0xFFFFFF, 0xD000D0u) << "the mark";

    QTest::mouseRelease(Area(), Qt::LeftButton, {}, release);
    EXPECT_FALSE(readout->isVisible());
    const PlanPoint corner = RoomAt(2)->GetWallEnds(1).second;
    EXPECT_NEAR(corner.x, 0.0, 1e-6);
    EXPECT_NEAR(corner.y, 0.0, 1e-6);
    // The file keeps the room where it was dropped, to its precision of a micrometre.
    EXPECT_LT(Distance(Saved().GetRoom(2)->GetLocation(), RoomAt(2)->GetLocation()), 1e-6);
}

// Ctrl+arrow moves the selected room by the step, Ctrl+Shift+arrow by ten; a run of presses is
// one undo step, ended by releasing Ctrl. The step follows the units until one is chosen.
TEST_F(TracepadViewTest, CtrlArrowsNudgeTheRoomOneUndoStepPerRun) {
    for (const bool metres : {true, false}) {
        SCOPED_TRACE(metres ? "metres" : "feet");
        DragScene();
        Doc().Prefs().SetInputValues(PrefsInputValues{metres ? kInputMetres : kInputFeetAndInches,
                                                      0, 1, 0, 0});
        const double step = metres ? 0.01 : 0.25 * 0.0254;
        Doc().SelectRoom(RoomAt(2));
        Doc().Commit(true);  // the rooms as they were added, for undo to return to
        view_->setFocus();
        const auto start = [&] { return RoomAt(2)->GetStartPoint(); };
        // Ctrl held down through the run (a key click of QTest would release it each time).
        const auto arrow = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QKeyEvent press(QEvent::KeyPress, key, modifiers);
            QApplication::sendEvent(view_.get(), &press);
            QKeyEvent release(QEvent::KeyRelease, key, modifiers);
            QApplication::sendEvent(view_.get(), &release);
        };
        QTest::keyPress(view_.get(), Qt::Key_Control);
        arrow(Qt::Key_Right, Qt::ControlModifier);
        arrow(Qt::Key_Right, Qt::ControlModifier);
        arrow(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyRelease(view_.get(), Qt::Key_Control);
        EXPECT_LT(Distance(start(), {-3 + 2 * step, 5 + 10 * step}), kSamePoint);
        EXPECT_LT(Distance(Saved().GetRoom(2)->GetStartPoint(), {-3 + 2 * step, 5 + 10 * step}),
                  1e-6);
        QTest::keyClick(view_.get(), Qt::Key_Down, Qt::ControlModifier);
        EXPECT_LT(Distance(start(), {-3 + 2 * step, 5 + 9 * step}), kSamePoint);
        ASSERT_TRUE(Doc().Undo());
        EXPECT_LT(Distance(start(), {-3 + 2 * step, 5 + 10 * step}), kSamePoint);
        ASSERT_TRUE(Doc().Undo());
        EXPECT_LT(Distance(start(), {-3, 5}), kSamePoint);
    }
}

// Which target wins is the hit test's (SnapTest); here the command reaches the selection.
TEST_F(TracepadViewTest, SnapCommandReachesTheNearestCornerHoweverFar) {
    DragScene();
    Doc().GetSite()->SetStartPoint({0, 0});
    Doc().SelectRoom(RoomAt(2));  // D, whose start point is 3 m from A's corner (0, 4)
    EXPECT_EQ(view_->MenuText(kSnapSelection), QStringLiteral("&Snap Room"));
    ASSERT_TRUE(view_->Run(kSnapSelection));
    EXPECT_LT(Distance(RoomAt(2)->GetStartPoint(), {0, 4}), kSamePoint);

    DragScene();  // with no room selected the site's start point goes to D's corner (-3, 7)
    Doc().GetSite()->SetStartPoint({-5, 9});
    EXPECT_EQ(view_->MenuText(kSnapSelection), QStringLiteral("&Snap Start Point"));
    ASSERT_TRUE(view_->Run(kSnapSelection));
    EXPECT_LT(Distance(Doc().GetSite()->GetStartPoint(), {-3, 7}), kSamePoint);
}

// The zoom steps themselves are the viewport's test; here the wheel and the keys reach it. That
// every window redraws a changed document is window_behaviour_test's.
TEST_F(TracepadViewTest, WheelAndKeysZoomAndScroll) {
    PickScene();
    // Ctrl + wheel zooms around the mouse: the plan point under it stays.
    const QPoint mouse(200, 450);
    const PlanPoint under = view_->Viewport().WindowToPlan(mouse);
    const auto wheel = [&](Qt::KeyboardModifiers modifiers, int delta) {
        QWheelEvent event(mouse, Area()->mapToGlobal(mouse), {}, {0, delta}, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Area(), &event);
    };
    wheel(Qt::ControlModifier, 120);
    ASSERT_EQ(view_->Viewport().Zoom(), 2);
    const PlanPoint still = view_->Viewport().WindowToPlan(mouse);
    EXPECT_LT(Distance(still, under), 3 / view_->Viewport().Transform().scale);  // a pixel or two
    EXPECT_EQ(view_->GetCommandState(kZoomToFit), (CommandState{true, false}));

    // The plain wheel and the keys scroll.
    const int top = view_->verticalScrollBar()->value();
    wheel({}, -120);
    EXPECT_GT(view_->verticalScrollBar()->value(), top);
    const int left = view_->horizontalScrollBar()->value();
    view_->setFocus();
    QTest::keyClick(view_.get(), Qt::Key_Right);
    EXPECT_GT(view_->horizontalScrollBar()->value(), left);
    EXPECT_EQ(view_->Viewport().ScrollPosition(),
              QPoint(view_->horizontalScrollBar()->value(), view_->verticalScrollBar()->value()));
}

}  // namespace
}  // namespace plantrek
