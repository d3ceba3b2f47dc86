// The wall and room editing dialogs driven through their controls, alone and from the window.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>
#include <memory>

#include "document/forms/projection_form.h"
#include "document/measurement_router.h"
#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/dialogs/angle_wall_dialog.h"
#include "view/dialogs/arc_wall_dialog.h"
#include "view/dialogs/move_dialog.h"
#include "view/dialogs/projection_dialog.h"
#include "view/dialogs/room_turn_dialogs.h"
#include "view/dialogs/select_corners_dialog.h"
#include "view/dialogs/wall_dialog.h"

namespace plantrek::test {
namespace {

using namespace command_id;

void Click(QDialog* dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

void TypeInto(QWidget* field, const QString& text) {
    auto* combo = qobject_cast<QComboBox*>(field);
    QLineEdit* edit = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(field);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void ClickCorner(CornerPicture* picture, PlanPoint corner, int dx = 10, int dy = 10) {
    const DevicePoint p = picture->Transform().ToDevice(corner);
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(p.x + dx, p.y + dy));
}

// A metric document whose selected room runs N 4 m, E 3 m, S 4 m, W 3 m from (0, 0).
class DialogTest : public FrameTest {
protected:
    DialogTest() {
        frame->NewDocument();
        PrefsInputValues input = Doc().Prefs().GetInputValues();
        input.Input = 1;
        Doc().Prefs().SetInputValues(input);
        for (const char* wall : {"4 n", "3 e", "4 s", "3 w"}) {
            Type(QString::fromLatin1(wall));
        }
        prompts.messages.clear();
    }
    Room& TheRoom() { return *Doc().GetCurrentRoom(); }
    void SelectWall(int index) { Doc().SelectWall(&TheRoom(), TheRoom().GetWall(index, true)); }
    // Runs the command; `drive` works the modal dialog it opens, which is closed afterwards
    // should the script leave it open.
    template <typename Dialog>
    void RunWith(int command, std::function<void(Dialog&)> drive) {
        bool found = false;
        QTimer::singleShot(0, frame.get(), [&] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                found = true;
                drive(*dialog);
            }
            if (QWidget* left = QApplication::activeModalWidget()) {
                left->close();
            }
        });
        frame->Router().Run(command);
        EXPECT_TRUE(found);
    }
};

struct Opened {
    std::unique_ptr<EditingDialog> dialog;
    QWidget* fault;  // the field that should have the focus after the refusal
};

struct RefusalCase {
    const char* name;
    int wall;  // selected first; -1 the room
    std::function<Opened(CTracepadDoc&, UserPrompts&)> open;
    QString message;  // empty when the dialog accepts
};

const QString kWallRange = QStringLiteral("The wall length must be between 0.03 m and 200.00 m.");
const QString kDistanceRange = QStringLiteral("The distance must be between 0.03 m and 200.00 m.");
const QString kNoPoint = QStringLiteral(
    "Could not calculate a point based on the given distances. You might try basing the "
    "measurement off of a different point.");
const QString kAzimuths = QStringLiteral(
    "a compass point (N, NE, E, SE, S, SW, W or NW) or a bearing from 0 to 360 degrees");

// Which texts each form refuses, and with which message, is the forms' own test; here each
// dialog's fields are read, and a refusal keeps the dialog open on the field at fault.
TEST_F(DialogTest, RefusalsKeepTheDialogOpenWithTheFocusOnTheFieldAtFault) {
    const RefusalCase cases[] = {
        {"half the length as projection, right", -1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new WallDialog(d, WallForm::FromDocument(d, WallForm::Purpose::Add), p, nullptr);
             TypeInto(w->LengthEdit(), QStringLiteral("3"));
             TypeInto(w->DirectionCombo(), QStringLiteral("N"));
             TypeInto(w->ProjectionEdit(), QStringLiteral("1.5"));
             QTest::mouseClick(w->RightButton(), Qt::LeftButton);
             return Opened{std::unique_ptr<EditingDialog>(w), w->ProjectionEdit()};
         }, QStringLiteral("The projection must be less than 1.50 m.")},
        {"wall length with a decimal comma", -1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new WallDialog(d, WallForm::FromDocument(d, WallForm::Purpose::Add), p, nullptr);
             TypeInto(w->LengthEdit(), QStringLiteral("2,5"));
             TypeInto(w->DirectionCombo(), QStringLiteral("N"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->LengthEdit()};
         }, QStringLiteral("\"2,5\" has a comma that does not separate thousands. Decimals take a "
                           "point, as in 2.5; a comma may only stand between groups of three "
                           "digits, as in 1,250.")},
        {"wall direction unreadable", -1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new WallDialog(d, WallForm::FromDocument(d, WallForm::Purpose::Add), p, nullptr);
             TypeInto(w->LengthEdit(), QStringLiteral("3"));
             TypeInto(w->DirectionCombo(), QStringLiteral("XYZ"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->DirectionCombo()};
         }, QStringLiteral("\"XYZ\" is not a direction. Please enter %1.").arg(kAzimuths)},
        {"projection length", 1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new ProjectionDialog(d, ProjectionForm::FromDocument(d), p, nullptr);
             TypeInto(w->LengthCombo(), QStringLiteral("200"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->LengthCombo()};
         }, kWallRange},
        {"arc without corners", 0, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new ArcWallDialog(d, ArcWallForm::FromDocument(d), p, nullptr);
             QTest::mouseClick(w->RoomPointsButton(), Qt::LeftButton);
             TypeInto(w->FirstEdit(), QStringLiteral("2"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->SelectButton()};
         }, QStringLiteral("You need to select the corners before continuing.")},
        {"arc distance", 0, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new ArcWallDialog(d, ArcWallForm::FromDocument(d), p, nullptr);
             TypeInto(w->FirstEdit(), QStringLiteral("2"));
             TypeInto(w->SecondEdit(), QStringLiteral("0"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->SecondEdit()};
         }, kDistanceRange},
        {"arc through no point", 0, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new ArcWallDialog(d, ArcWallForm::FromDocument(d), p, nullptr);
             TypeInto(w->FirstEdit(), QStringLiteral("1"));  // 1 m and 1 m from a 4 m wall's ends
             TypeInto(w->SecondEdit(), QStringLiteral("1"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->FirstEdit()};
         }, kNoPoint},
        {"angle out of reach", 1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new AngleWallDialog(d, AngleWallForm::FromDocument(d), p, nullptr);
             TypeInto(w->DistanceEdit(), QStringLiteral("10"));  // the far end is at most 7 m away
             return Opened{std::unique_ptr<EditingDialog>(w), w->DistanceEdit()};
         }, kNoPoint},
        {"move distance", -1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new MoveDialog(d, MoveForm::FromDocument(d, MoveForm::Target::Room), p, nullptr);
             TypeInto(w->DistanceEdit(), QStringLiteral("0"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->DistanceEdit()};
         }, kDistanceRange},
        {"move room without a direction", -1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new MoveDialog(d, MoveForm::FromDocument(d, MoveForm::Target::Room), p, nullptr);
             TypeInto(w->DistanceEdit(), QStringLiteral("1"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->DirectionCombo()};
         }, QStringLiteral("Please enter a direction: %1.").arg(kAzimuths)},
        {"move end direction", 1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new MoveWallEndDialog(d, MoveWallEndForm::FromDocument(d), p, nullptr);
             TypeInto(w->DistanceEdit(), QStringLiteral("1"));
             TypeInto(w->DirectionCombo(), QStringLiteral("N45E"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->DirectionCombo()};
         }, QStringLiteral("\"N45E\" is not a direction. Please enter %1.").arg(kAzimuths)},
        {"move end distance", 1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new MoveWallEndDialog(d, MoveWallEndForm::FromDocument(d), p, nullptr);
             TypeInto(w->DistanceEdit(), QStringLiteral("0"));
             return Opened{std::unique_ptr<EditingDialog>(w), w->DistanceEdit()};
         }, kWallRange},
        {"empty rotation", -1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new RotateRoomDialog(d, RotateForm::FromDocument(d), p, nullptr);
             return Opened{std::unique_ptr<EditingDialog>(w), w->RotationEdit()};
         }, QStringLiteral("Please enter a valid angle.")},
        {"rotation -45", -1, [](CTracepadDoc& d, UserPrompts& p) {
             auto* w = new RotateRoomDialog(d, RotateForm::FromDocument(d), p, nullptr);
             TypeInto(w->RotationEdit(), QStringLiteral("-45"));
             return Opened{std::unique_ptr<EditingDialog>(w), nullptr};
         }, QString()},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.wall >= 0) {
            SelectWall(c.wall);
        }
        prompts.messages.clear();
        Opened opened = c.open(Doc(), prompts);
        QDialog& dialog = *opened.dialog;
        dialog.show();
        Click(&dialog, QDialogButtonBox::Ok);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            continue;
        }
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, c.message);
        EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(dialog.isVisible());
        QWidget* focus = dialog.focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_TRUE(focus == opened.fault || opened.fault->isAncestorOf(focus));
        if (auto* edit = qobject_cast<QLineEdit*>(focus); edit && !edit->text().isEmpty()) {
            EXPECT_EQ(edit->selectedText(), edit->text());
        }
        Doc().SelectRoom(&TheRoom());
    }
}

TEST_F(DialogTest, AMeterReadingFillsTheFocusedFieldAndItsEnterKeyConfirms) {
    const int steps = Doc().UndoHistory().Position();
    QString length;
    QString direction;
    RunWith<WallDialog>(kAddWall, [&](WallDialog& dialog) {
        frame->Measurements().OnMeasurement(0, QStringLiteral("00002000"), 6);  // 2 m, E
        length = dialog.LengthEdit()->text();
        direction = dialog.DirectionCombo()->currentText();
        dialog.ProjectionEdit()->setFocus();
        frame->Measurements().OnMeasurement(0, QStringLiteral("00000500"), 2);  // 0.5 m, N
        frame->Measurements().OnEnter();
    });
    EXPECT_EQ(length, QStringLiteral("2.00 m"));
    EXPECT_EQ(direction, QStringLiteral("E"));
    ASSERT_EQ(TheRoom().WallCount(true), 5);
    const Wall& wall = *TheRoom().GetWall(4, true);
    EXPECT_DOUBLE_EQ(wall.GetLength(), 2.0);
    EXPECT_DOUBLE_EQ(wall.GetDirection(), 0.0);  // the last key pressed
    EXPECT_DOUBLE_EQ(wall.GetArcHeight(), 0.5);
    EXPECT_EQ(Doc().UndoHistory().Position(), steps + 1);
}

TEST_F(DialogTest, TypingACompassNameInADirectionBoxKeepsThatName) {
    WallDialog dialog(Doc(), WallForm::FromDocument(Doc(), WallForm::Purpose::Add), prompts,
                      nullptr);
    // Completion runs in the field that has the keyboard, so the dialog is made active.
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QComboBox* combo = dialog.DirectionCombo();
    combo->setFocus();
    ASSERT_TRUE(combo->lineEdit()->hasFocus());
    for (const char* name : {"S", "N", "E", "W", "SE", "SW", "NE", "NW", "s", "n"}) {
        SCOPED_TRACE(name);
        TypeInto(combo, QString::fromLatin1(name));
        EXPECT_EQ(combo->currentText().toUpper(), QString::fromLatin1(name).toUpper());
    }
    // Confirmed, south is south.
    TypeInto(dialog.LengthEdit(), QStringLiteral("3"));
    TypeInto(combo, QStringLiteral("S"));
    Click(&dialog, QDialogButtonBox::Ok);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.Form().direction.Direction(Doc().Style()), 180.0);
}

TEST_F(DialogTest, CancelChangesNothing) {
    Doc().SetModifiedFlag(false);
    const int steps = Doc().UndoHistory().Position();
    const PlanPoint location = TheRoom().GetLocation();
    RunWith<MoveDialog>(kMoveRoom, [](MoveDialog& dialog) {
        TypeInto(dialog.DistanceEdit(), QStringLiteral("1"));
        Click(&dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(Distance(TheRoom().GetLocation(), location), 0.0);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Doc().UndoHistory().Position(), steps);
}

TEST_F(DialogTest, SelectCornersPicksTheCornerNearTheClickAndKeepsTheStartPointOtherwise) {
    const struct {
        PlanPoint clicked;
        int dx;
        PlanPoint start;
    } cases[] = {
        {{1.5, 2.0}, 0, {0.0, 0.0}},  // the middle of the room: no corner within reach
        {{3.0, 4.0}, 10, {3.0, 4.0}},
    };
    for (const auto& c : cases) {
        RunWith<SelectCornersDialog>(kMoveRoomStart, [&](SelectCornersDialog& dialog) {
            ClickCorner(dialog.Picture(), c.clicked, c.dx, c.dx);
            Click(&dialog, QDialogButtonBox::Ok);
        });
        EXPECT_LT(Distance(TheRoom().GetStartPoint(), c.start), 1e-9);
    }
}

TEST_F(DialogTest, ArcWallMeasuresFromTwoCornersChosenInSelectCorners) {
    SelectWall(0);
    RunWith<ArcWallDialog>(kArcWall, [](ArcWallDialog& dialog) {
        QTest::mouseClick(dialog.RoomPointsButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.SelectButton(), Qt::LeftButton);
        SelectCornersDialog* corners = dialog.CornersDialog();
        ASSERT_NE(corners, nullptr);
        ClickCorner(corners->Picture(), {3.0, 0.0});
        ClickCorner(corners->Picture(), {3.0, 4.0});
        Click(corners, QDialogButtonBox::Ok);
        TypeInto(dialog.FirstEdit(), QStringLiteral("4.4721360"));
        TypeInto(dialog.SecondEdit(), QStringLiteral("4.4721360"));
        Click(&dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_NEAR(TheRoom().GetWall(0, true)->GetArcHeight(), 1.0, 1e-4);
}

TEST_F(DialogTest, AddProjectionTakesPresetsAndRemembersThem) {
    ProjectionForm::ForgetRemembered();
    SelectWall(1);
    RunWith<ProjectionDialog>(kAddProjection, [](ProjectionDialog& dialog) {
        EXPECT_EQ(dialog.LengthCombo()->count(), 14);
        EXPECT_EQ(dialog.LengthCombo()->currentText(), QStringLiteral("3.00 m"));
        dialog.LengthCombo()->setCurrentIndex(dialog.LengthCombo()->findText(".915 m"));
        dialog.DepthCombo()->setCurrentIndex(dialog.DepthCombo()->findText(".20 m"));
        Click(&dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(TheRoom().WallCount(true), 6);
    EXPECT_DOUBLE_EQ(ProjectionForm::RememberedLength(), 0.915);
    QString depth;
    SelectWall(0);
    RunWith<ProjectionDialog>(kAddProjection, [&](ProjectionDialog& dialog) {
        depth = dialog.DepthCombo()->currentText();
    });
    EXPECT_EQ(depth, QStringLiteral("0.20 m"));
    ProjectionForm::ForgetRemembered();
}

}  // namespace
}  // namespace plantrek::test
