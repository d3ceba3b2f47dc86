// The room, material and preference dialogs, the colour button, the room summary and the About
// box, driven through their controls.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>
#include <tuple>

#include "document/forms/colour_palette.h"
#include "model/room_quantities.h"
#include "frame_fixture.h"
#include "resources/version.h"
#include "view/dialogs/about_dialog.h"
#include "view/dialogs/check_plan_dialog.h"
#include "view/dialogs/colour_picker.h"
#include "view/dialogs/material_dialog.h"
#include "view/dialogs/new_material_dialog.h"
#include "view/dialogs/preferences_dialog.h"
#include "view/dialogs/room_dialog.h"
#include "view/dialogs/room_summary_dialog.h"
#include "model/room_quantities.h"

namespace plantrek::test {
namespace {

const Colour kRed = MakeColour(255, 0, 0);

class RoomDialogTest : public ::testing::Test {
protected:
    RoomDialogTest()
        : doc(prompts, SettingsStore::AtFile(folder.filePath(QStringLiteral("s.ini"))),
              TemplateLocation{folder.path(), folder.path()}) {
        doc.OnNewDocument();
        Site& site = *doc.GetSite();
        site.AddMaterial(QStringLiteral("Tile"), 1, kRed);
        site.AddMaterial(QStringLiteral("Unused"), 2, MakeColour(0, 0, 255));
        doc.EnterInputText(QStringLiteral("4 n"));
        doc.EnterInputText(QStringLiteral("3 e"));
        doc.GetCurrentRoom()->SetName(QStringLiteral("Kitchen"));
        doc.GetCurrentRoom()->SetMaterial(1);
        doc.NewRoom(QStringLiteral("Hall"), 1);
        doc.EnterInputText(QStringLiteral("2 n"));
    }
    static void PressOk(QDialog& dialog) {
        dialog.show();
        QMetaObject::invokeMethod(&dialog, "accept");
    }

    QTemporaryDir folder;
    RecordingWindowPrompts prompts;
    CTracepadDoc doc;
};

// The messages are the forms' test; here the box shows and the dialog stays open on the field at
// fault.
TEST_F(RoomDialogTest, RefusalsKeepTheDialogOpenOnTheFieldAtFault) {
    RoomForm room = RoomForm::FromDocument(doc, RoomForm::Purpose::Add);
    NewMaterialForm added = NewMaterialForm::FromDocument(doc, QStringLiteral("Oak"));
    MaterialForm edited = MaterialForm::FromDocument(doc, QStringLiteral("Default"));
    const std::function<std::unique_ptr<QDialog>(QWidget*&)> cases[] = {
        [&](QWidget*& field) {  // an empty material
            auto dialog = std::make_unique<CRoomDlg>(room, doc, QStringList(), prompts);
            dialog->MaterialBox()->setEditText(QString());
            field = dialog->MaterialBox();
            return dialog;
        },
        [&](QWidget*& field) {  // a new material with a taken colour
            auto dialog = std::make_unique<CNewMaterialDlg>(added, doc, prompts);
            dialog->ColourButton()->SetColour(kRed);
            field = dialog->ColourButton();
            return dialog;
        },
        [&](QWidget*& field) {  // an edited material given another's colour
            auto dialog = std::make_unique<CMaterialDlg>(edited, doc, prompts);
            dialog->ColourButton()->SetColour(kRed);
            field = dialog->ColourButton();
            return dialog;
        },
    };
    for (const auto& open : cases) {
        prompts.messages.clear();
        QWidget* field = nullptr;
        auto dialog = open(field);
        PressOk(*dialog);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(dialog->focusWidget(), field);
    }
}

TEST_F(RoomDialogTest, EditRoomShowsTheRoomAndHandsBackWhatWasTyped) {
    RoomForm form = RoomForm::FromDocument(doc, RoomForm::Purpose::Edit);
    CRoomDlg dialog(form, doc, {QStringLiteral("Bath"), QStringLiteral("Kitchen")}, prompts);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Edit Room"));
    EXPECT_EQ(dialog.NameBox()->currentText(), QStringLiteral("Hall"));
    EXPECT_EQ(dialog.MaterialBox()->currentText(), QStringLiteral("Tile"));
    EXPECT_EQ(dialog.PerimeterField()->text(),
              doc.Units().FormatLength(doc.GetCurrentRoom()->GetPerimeter()));

    dialog.show();
    dialog.NameBox()->setFocus();
    dialog.NameBox()->lineEdit()->selectAll();
    QTest::keyClicks(dialog.NameBox(), QStringLiteral("Kitchen"));
    dialog.MaterialBox()->setCurrentIndex(0);
    PressOk(dialog);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    // What the form then does with a taken name is the document's own test.
    EXPECT_EQ(form.name, QStringLiteral("Kitchen"));
    EXPECT_EQ(form.material, dialog.MaterialBox()->itemText(0));
}

// Which names the page refuses is the document's test (preference_pages_test); here its buttons
// and box, and OK handing back every page.
TEST_F(RoomDialogTest, RoomsPageRefusesADuplicateAndDeletingTheLastLineSelectsTheNewLast) {
    PreferencesForm form = PreferencesForm::FromDocument(doc);
    form.choice.roomNames = {QStringLiteral("Bath"), QStringLiteral("Hall")};
    CPrefsDlg dialog(form, doc, prompts);
    dialog.show();
    CRoomsPage& rooms = *dialog.RoomsPage();
    auto add = [&](const QString& text) {
        rooms.NameField()->setText(text);
        QTest::mouseClick(rooms.AddButton(), Qt::LeftButton);
    };
    add(QStringLiteral("Attic"));
    EXPECT_EQ(rooms.Lines(), QStringList({"Attic", "Bath", "Hall"}));
    EXPECT_TRUE(rooms.NameField()->text().isEmpty());
    add(QStringLiteral("Attic"));
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(rooms.NameField()->selectedText(), QStringLiteral("Attic"));
    EXPECT_EQ(rooms.Lines().size(), 3);

    rooms.List()->setCurrentRow(2);
    QTest::mouseClick(rooms.DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(rooms.List()->currentRow(), 1);
    dialog.MetersButton()->click();
    dialog.ShowNamesBox()->setChecked(false);
    PressOk(dialog);
    EXPECT_EQ(form.choice.roomNames, QStringList({"Attic", "Bath"}));
    EXPECT_EQ(form.choice.input.Input, kInputMetres);
    EXPECT_FALSE(form.choice.drawing.ShowNames);
}

TEST_F(RoomDialogTest, ColourPaletteIsWalkedByKeyboardAndFollowsTheHighlightOnlyWhenAsked) {
    for (const bool follow : {true, false}) {
        SCOPED_TRACE(follow);
        CColourPicker picker;
        picker.SetTrackSelection(follow);
        picker.SetColour(kRed);
        QSignalSpy chosen(&picker, &CColourPicker::colourChosen);
        picker.show();
        QTest::mouseClick(&picker, Qt::LeftButton);
        CColourPalettePopup* palette = picker.OpenPalette();
        ASSERT_NE(palette, nullptr);
        EXPECT_EQ(palette->Highlight(), 16);  // the button's own colour, red
        QTest::keyClick(palette->Entry(16), Qt::Key_Up);    // Dark red
        QTest::keyClick(palette->Entry(8), Qt::Key_Right);  // Orange
        EXPECT_EQ(palette->Entry(palette->Highlight())->toolTip(), QStringLiteral("Orange"));
        EXPECT_EQ(picker.ShownColour(), follow ? MakeColour(255, 104, 32) : kRed);
        QTest::keyClick(palette->Entry(9), Qt::Key_Escape);
        EXPECT_EQ(picker.GetColour(), kRed);
        EXPECT_TRUE(chosen.isEmpty());

        QTest::mouseClick(&picker, Qt::LeftButton);
        palette = picker.OpenPalette();
        QTest::keyClick(palette->Entry(16), Qt::Key_Down);  // Pink
        QTest::keyClick(palette->Entry(24), Qt::Key_Down);  // Plum
        QTest::keyClick(palette->Entry(32), Qt::Key_Down);  // More Colours...
        QTest::keyClick(palette->Entry(40), Qt::Key_Up);    // Rose
        QTest::keyClick(palette->Entry(32), Qt::Key_Return);
        EXPECT_EQ(picker.GetColour(), MakeColour(255, 228, 225));
        ASSERT_EQ(chosen.size(), 1);
    }
}

TEST_F(RoomDialogTest, RoomSummaryListsUsedMaterialsWithSumsAndReportsItsWidths) {
    // The tile with 10 % for waste, in packs of a fifth of its area: 5.5 packs' worth, 6 packs.
    const double tileArea = doc.GetSite()->GetRoom(0)->GetArea();
    doc.GetSite()->FindMaterialByIndex(1)->SetWastePercent(10.0);
    doc.GetSite()->FindMaterialByIndex(1)->SetPackArea(tileArea / 5.0);
    // The kitchen (a by b) 2.5 m high with a door a/4 wide and 2 m high; the hall is not closed.
    Room& kitchen = *doc.GetSite()->GetRoom(0);
    const double a = kitchen.GetWall(0, true)->GetLength();
    const double b = kitchen.GetWall(1, true)->GetLength();
    kitchen.SetCeilingHeight(2.5);
    kitchen.GetWall(0, true)->SetOpenings({Opening{OpeningKind::Door, a / 4, a / 4, 2.0}});
    CRoomSummaryDlg dialog(*doc.GetSite(), doc.Units(), {120, 1, 80}, 2.4);
    QTreeWidget& list = *dialog.List();
    ASSERT_EQ(list.topLevelItemCount(), 1);  // neither Default nor Unused has a room
    QTreeWidgetItem* tile = list.topLevelItem(0);
    EXPECT_EQ(tile->text(0), QStringLiteral("Tile"));
    ASSERT_EQ(tile->childCount(), 2);
    EXPECT_EQ(tile->child(0)->text(0), QStringLiteral("Kitchen"));
    EXPECT_EQ(tile->child(1)->text(0), QStringLiteral("Hall"));
    const Site& site = *doc.GetSite();
    const double sum = site.GetRoom(0)->GetArea() + site.GetRoom(1)->GetArea();
    EXPECT_EQ(tile->text(1), doc.Units().FormatArea(sum));
    EXPECT_EQ(tile->text(3), QStringLiteral("10%"));
    EXPECT_EQ(tile->text(4), doc.Units().FormatArea(tileArea * 1.1));
    EXPECT_EQ(tile->text(5), QStringLiteral("6"));
    EXPECT_TRUE(tile->child(0)->text(4).isEmpty());
    const LengthUnits& units = doc.Units();
    const double perimeter = 2 * (a + b);
    const QStringList kitchenFigures = {
        units.FormatLength(2.5),
        units.FormatLength(perimeter - a / 4),
        units.FormatArea(perimeter * 2.5),
        units.FormatArea(perimeter * 2.5 - a / 4 * 2.0),
        FormatVolume(a * b * 2.5, units),
        QStringLiteral("1 (%1)").arg(units.FormatLength(a / 4))};
    for (int c = 6; c < 12; ++c) {
        EXPECT_EQ(tile->child(0)->text(c), kitchenFigures[c - 6]) << c;
        EXPECT_TRUE(tile->child(1)->text(c).isEmpty()) << c;  // the open hall has none
        EXPECT_EQ(tile->text(c), c == 6 ? QString() : kitchenFigures[c - 6]) << c;
    }
    list.setColumnWidth(0, 150);
    const RoomSummaryWidths widths = dialog.Widths();
    EXPECT_EQ(widths.name, 150);
    EXPECT_GT(widths.area, 1);  // widened so that the sums are not cut off
    EXPECT_EQ(widths.perimeter, 80);
}

// A loft upstairs at the level's 2.2 m beside the kitchen downstairs at the program's 2.4 m.
TEST_F(RoomDialogTest, RoomSummaryTotalsEachLevelBesideTheWholeSite) {
    ASSERT_TRUE(doc.AddLevel({QStringLiteral("Upstairs"), 3.0, 2.2}));
    doc.NewRoom(QStringLiteral("Loft"), 1);
    doc.EnterInputText(QStringLiteral("2 n"));
    doc.EnterInputText(QStringLiteral("2 e"));
    const Site& site = *doc.GetSite();
    const double kitchen = site.GetRoom(0)->GetArea();
    const double loft = site.GetRoom(2)->GetArea();
    ASSERT_GT(loft, 0.0);
    CRoomSummaryDlg dialog(site, doc.Units(), {120, 1, 80}, 2.4);
    const QTreeWidget& list = *dialog.List();
    EXPECT_EQ(list.headerItem()->text(12), QStringLiteral("Level"));
    EXPECT_EQ(list.topLevelItem(0)->child(2)->text(12), QStringLiteral("Upstairs"));
    const QTreeWidgetItem* all = list.topLevelItem(list.topLevelItemCount() - 1);
    ASSERT_EQ(all->childCount(), 2);
    const LengthUnits& units = doc.Units();
    const std::tuple<const QTreeWidgetItem*, const char*, double, double> rows[] = {
        {all, "All Levels", kitchen + loft, kitchen * 2.4 + loft * 2.2},
        {all->child(0), "Ground Floor", kitchen, kitchen * 2.4},
        {all->child(1), "Upstairs", loft, loft * 2.2}};
    for (const auto& [item, name, area, volume] : rows) {
        EXPECT_EQ(item->text(0), QString::fromLatin1(name));
        EXPECT_EQ(item->text(1), units.FormatArea(area)) << name;
        EXPECT_EQ(item->text(10), FormatVolume(volume, units)) << name;
    }
}

TEST(CheckPlanDialog, MovingThroughTheListChoosesEachLineAndAnEmptyListSaysAllIsWell) {
    std::vector<int> chosen;
    CCheckPlanDlg dialog({{QStringLiteral("A and B overlap (1.000 sm)"), 1},
                          {QStringLiteral("A and C: walls 0.020 m apart"), 2}},
                         [&](int line) { chosen.push_back(line); });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(chosen, std::vector<int>{0}) << "the first line is shown at once";
    QTest::keyClick(dialog.List(), Qt::Key_Down);
    QTest::keyClick(dialog.List(), Qt::Key_Up);
    EXPECT_EQ(chosen, (std::vector<int>{0, 1, 0}));

    CCheckPlanDlg clean({}, [&](int line) { chosen.push_back(line); });
    EXPECT_FALSE(clean.List()->isVisibleTo(&clean));
    EXPECT_EQ(clean.findChild<QLabel*>()->text(), QStringLiteral("No overlaps or gaps found."));
}

// The version and build, and the GPL's notices for an interactive program: the licence, where
// to read it, no warranty.
TEST(AboutDialog, ShowsTheVersionTheBuildAndTheLicenceNotices) {
    CAboutDlg dialog;
    QString shown = QStringLiteral("|");
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        shown += label->text().simplified() + u'|';
    }
    for (const QString& notice :
         {QStringLiteral("|Plantrek Version 1.1|"), QStringLiteral("|Build:|"),
          u'|' + AboutBuildText().simplified() + u'|',
          QStringLiteral("GNU General Public License, version 3 or later"),
          QStringLiteral("LICENSE"), QStringLiteral("no warranty")}) {
        EXPECT_TRUE(shown.contains(notice)) << shown.toStdString();
    }
}

}  // namespace
}  // namespace plantrek::test
