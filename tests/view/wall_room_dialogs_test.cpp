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
#include "view/dialogs/level_dialogs.h"
#include "view/dialogs/move_dialog.h"
#include "view/dialogs/opening_dialog.h"
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
        Doc().Prefs().SetInputValues(PrefsInputValues{1, 0, 1, 0, 0});  // metres
        TypeEach({"4 n", "3 e", "4 s", "3 w"});
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

// Opens a dialog into `owner` and fills its fields; returns the field that should hold the focus
// after the refusal, or nullptr when the dialog accepts.
using Opener = std::function<QWidget*(CTracepadDoc&, UserPrompts&, std::unique_ptr<EditingDialog>&)>;

template <typename Dialog, typename Form>
Dialog* Own(std::unique_ptr<EditingDialog>& owner, CTracepadDoc& d, UserPrompts& p, Form form) {
    auto* dialog = new Dialog(d, std::move(form), p, nullptr);
    owner.reset(dialog);
    return dialog;
}

// Which texts each form refuses, and with which message, is the forms' own test; here each
// dialog's fields are read, and a refusal keeps the dialog open on the field at fault (one that
// is not the field the dialog opens on, for each dialog that has several).
TEST_F(DialogTest, RefusalsKeepTheDialogOpenWithTheFocusOnTheFieldAtFault) {
    using P = WallForm::Purpose;
    const struct {
        const char* name;
        int wall;  // selected first; -1 the room
        Opener open;
    } cases[] = {
        {"half the length as projection, right", -1, [](auto& d, auto& p, auto& o) {
             auto* w = Own<WallDialog>(o, d, p, WallForm::FromDocument(d, P::Add));
             TypeInto(w->LengthEdit(), QStringLiteral("3"));
             TypeInto(w->DirectionCombo(), QStringLiteral("N"));
             TypeInto(w->ProjectionEdit(), QStringLiteral("1.5"));
             QTest::mouseClick(w->RightButton(), Qt::LeftButton);
             return w->ProjectionEdit();
         }},
        {"wall direction unreadable", -1, [](auto& d, auto& p, auto& o) {
             auto* w = Own<WallDialog>(o, d, p, WallForm::FromDocument(d, P::Add));
             TypeInto(w->LengthEdit(), QStringLiteral("3"));
             TypeInto(w->DirectionCombo(), QStringLiteral("XYZ"));
             return w->DirectionCombo();
         }},
        {"projection depth", 1, [](auto& d, auto& p, auto& o) {
             auto* w = Own<ProjectionDialog>(o, d, p, ProjectionForm::FromDocument(d));
             TypeInto(w->DepthCombo(), QStringLiteral("0"));
             return w->DepthCombo();
         }},
        {"arc distance", 0, [](auto& d, auto& p, auto& o) {
             auto* w = Own<ArcWallDialog>(o, d, p, ArcWallForm::FromDocument(d));
             TypeInto(w->FirstEdit(), QStringLiteral("2"));
             TypeInto(w->SecondEdit(), QStringLiteral("0"));
             return w->SecondEdit();
         }},
        {"move end direction", 1, [](auto& d, auto& p, auto& o) {
             auto* w = Own<MoveWallEndDialog>(o, d, p, MoveWallEndForm::FromDocument(d));
             TypeInto(w->DistanceEdit(), QStringLiteral("1"));
             TypeInto(w->DirectionCombo(), QStringLiteral("N45E"));
             return w->DirectionCombo();
         }},
        {"door width", 1, [](auto& d, auto& p, auto& o) {
             auto* w = Own<OpeningDialog>(o, d, p, OpeningForm::FromDocument(d, OpeningForm::Purpose::Add));
             TypeInto(w->WidthEdit(), QStringLiteral("0"));
             return w->WidthEdit();
         }},
        {"window sill", 1, [](auto& d, auto& p, auto& o) {
             auto* w = Own<OpeningDialog>(o, d, p, OpeningForm::FromDocument(d, OpeningForm::Purpose::Add, OpeningKind::Window));
             TypeInto(w->SillEdit(), QStringLiteral("2"));
             return w->SillEdit();
         }},
        {"level height", -1, [](auto& d, auto& p, auto& o) {
             auto* w = Own<LevelDialog>(o, d, p, LevelForm::FromDocument(d, LevelForm::Purpose::Add));
             TypeInto(w->HeightEdit(), QStringLiteral("0.1"));
             return w->HeightEdit();
         }},
        {"level below the datum", -1, [](auto& d, auto& p, auto& o) -> QWidget* {
             auto* w = Own<LevelDialog>(o, d, p, LevelForm::FromDocument(d, LevelForm::Purpose::Add));
             TypeInto(w->ElevationEdit(), QStringLiteral("-2.5"));
             return nullptr;
         }},
        {"rotation -45", -1, [](auto& d, auto& p, auto& o) -> QWidget* {
             auto* w = Own<RotateRoomDialog>(o, d, p, RotateForm::FromDocument(d));
             TypeInto(w->RotationEdit(), QStringLiteral("-45"));
             return nullptr;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.wall >= 0) {
            SelectWall(c.wall);
        }
        prompts.messages.clear();
        std::unique_ptr<EditingDialog> dialog;
        QWidget* const fault = c.open(Doc(), prompts, dialog);
        dialog->show();
        Click(dialog.get(), QDialogButtonBox::Ok);
        if (fault == nullptr) {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
            continue;
        }
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(dialog->isVisible());
        QWidget* focus = dialog->focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_TRUE(focus == fault || fault->isAncestorOf(focus));
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

TEST_F(DialogTest, SelectCornersPicksTheCornerNearTheClickAndKeepsTheStartPointOtherwise) {
    for (const auto& [clicked, offset, start] : {std::tuple{PlanPoint{1.5, 2.0}, 0, PlanPoint{0, 0}},
                                                 {PlanPoint{3.0, 4.0}, 10, PlanPoint{3, 4}}}) {
        RunWith<SelectCornersDialog>(kMoveRoomStart, [&](SelectCornersDialog& dialog) {
            ClickCorner(dialog.Picture(), clicked, offset, offset);  // the middle: no corner near
            Click(&dialog, QDialogButtonBox::Ok);
        });
        EXPECT_LT(Distance(TheRoom().GetStartPoint(), start), 1e-9);
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

}  // namespace
}  // namespace plantrek::test
