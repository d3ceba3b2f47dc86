#include "view/dialogs/preferences_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "document/prefs.h"
#include "document/user_prompts.h"
#include "model/units.h"
#include "resources/string_table.h"
#include "view/dialogs/colour_picker.h"
#include "view/dialogs/dialog_helpers.h"

namespace plantrek {

namespace {

QGroupBox* RadioGroup(const QString& title, QRadioButton* first, QRadioButton* second) {
    auto* group = new QGroupBox(title);
    auto* column = new QVBoxLayout(group);
    column->addWidget(first);
    column->addWidget(second);
    // Each group is its own exclusive pair.
    auto* buttons = new QButtonGroup(group);
    buttons->addButton(first);
    buttons->addButton(second);
    return group;
}

CColourPicker* ColourButton(Colour colour, Colour automatic) {
    auto* picker = new CColourPicker;
    picker->SetTrackSelection(false);
    picker->SetDefaultColour(automatic);
    picker->SetColour(colour);
    return picker;
}

}  // namespace

CListPage::CListPage(QWidget* parent) : QWidget(parent) {
    list_ = new QListWidget;
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    delete_ = new QPushButton(QStringLiteral("&Delete"));
    connect(delete_, &QPushButton::clicked, this, [this] {
        const int row = list_->currentRow();
        if (row < 0 || list_->selectedItems().isEmpty()) {
            return;
        }
        delete list_->takeItem(row);
        if (list_->count() > 0) {
            list_->setCurrentRow(std::min(row, list_->count() - 1));
        }
    });
}

QStringList CListPage::Lines() const {
    QStringList lines;
    for (int i = 0; i < list_->count(); ++i) {
        lines.append(list_->item(i)->text());
    }
    return lines;
}

CRoomsPage::CRoomsPage(const QStringList& names, UserPrompts& prompts, QWidget* parent)
    : CListPage(parent), prompts_(prompts), names_(names) {
    list_->addItems(names_);
    list_->setAccessibleName(QStringLiteral("Room names"));
    field_ = new QLineEdit;
    field_->setAccessibleName(QStringLiteral("New room name"));
    field_->installEventFilter(this);
    add_ = new QPushButton(QStringLiteral("&Add"));
    connect(add_, &QPushButton::clicked, this, &CRoomsPage::Add);
    auto* grid = new QGridLayout(this);
    grid->addWidget(list_, 0, 0);
    grid->addWidget(delete_, 0, 1, Qt::AlignTop);
    grid->addWidget(field_, 1, 0);
    grid->addWidget(add_, 1, 1);
}

bool CRoomsPage::eventFilter(QObject* watched, QEvent* event) {
    // Return in the name field adds the name instead of closing the sheet.
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Add();
            return true;
        }
    }
    return CListPage::eventFilter(watched, event);
}

void CRoomsPage::Add() {
    // The list may have lost lines to "Delete" since the last add.
    names_ = Lines();
    if (const auto refusal = AddRoomNameToPage(names_, field_->text())) {
        ShowRefusal(prompts_, *refusal, field_);
        return;
    }
    if (field_->text().isEmpty()) {
        return;
    }
    const QString added = field_->text();
    list_->clear();
    list_->addItems(names_);
    list_->setCurrentRow(static_cast<int>(names_.indexOf(added)));
    field_->clear();
}

CPrefsDlg::CPrefsDlg(PreferencesForm& form, const CTracepadDoc& doc, UserPrompts& prompts,
                     QWidget* parent)
    : EditingDialog(doc, prompts, parent), form_(form) {
    setWindowTitle(LoadString(string_id::kPreferences));
    pages_ = new QTabWidget;
    pages_->addTab(InputPage(), QStringLiteral("Input"));
    pages_->addTab(DrawingPage(), QStringLiteral("Drawing"));
    rooms_ = new CRoomsPage(form.choice.roomNames, prompts);
    pages_->addTab(rooms_, QStringLiteral("Rooms"));

    materials_ = new CListPage;
    for (const TemplateMaterial& material : form.choice.materials) {
        materials_->List()->addItem(material.name);
    }
    materials_->List()->setAccessibleName(QStringLiteral("Materials"));
    auto* materialsGrid = new QGridLayout(materials_);
    materialsGrid->addWidget(materials_->List(), 0, 0);
    materialsGrid->addWidget(materials_->DeleteButton(), 0, 1, Qt::AlignTop);
    pages_->addTab(materials_, QStringLiteral("Materials"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(pages_);
    column->addWidget(buttons);
}

QWidget* CPrefsDlg::InputPage() {
    auto* page = new QWidget;
    feet_ = new QRadioButton(QStringLiteral("&Feet/inches"));
    meters_ = new QRadioButton(QStringLiteral("&Meters"));
    azimuth_ = new QRadioButton(QStringLiteral("A&zimuth"));
    quadrant_ = new QRadioButton(QStringLiteral("&Quadrant"));
    const PrefsInputValues& input = form_.choice.input;
    (input.UsesMetres() ? meters_ : feet_)->setChecked(true);
    (input.AngleStyle == kQuadrantStyleCode ? quadrant_ : azimuth_)->setChecked(true);
    auto* column = new QVBoxLayout(page);
    column->addWidget(RadioGroup(QStringLiteral("Input Units"), feet_, meters_));
    column->addWidget(RadioGroup(QStringLiteral("Angle Input"), azimuth_, quadrant_));
    // Typed in the units chosen above.
    auto* heights = new QGridLayout;
    defaultHeight_ = new QLineEdit(form_.defaultHeight.text);
    AddBuddyRow(*heights, 0, QStringLiteral("Default ceiling &height:"), defaultHeight_);
    const QString hint = QStringLiteral(
        "For rooms without a height of their own, in the units chosen above. Leave empty for "
        "2.50 m or 8' 0\".");
    auto* note = new QLabel(hint);
    note->setWordWrap(true);
    defaultHeight_->setAccessibleDescription(hint);
    heights->addWidget(note, 1, 0, 1, 2);
    nudgeStep_ = new QLineEdit(form_.nudgeStep.text);
    AddBuddyRow(*heights, 2, QStringLiteral("&Nudge step:"), nudgeStep_);
    const QString nudgeHint = QStringLiteral(
        "How far Ctrl+arrow moves the selected room; Ctrl+Shift+arrow moves ten times as far. "
        "Leave empty for 1 cm or 1/4\".");
    auto* nudgeNote = new QLabel(nudgeHint);
    nudgeNote->setWordWrap(true);
    nudgeStep_->setAccessibleDescription(nudgeHint);
    heights->addWidget(nudgeNote, 3, 0, 1, 2);
    column->addLayout(heights);
    column->addStretch(1);
    return page;
}

QWidget* CPrefsDlg::DrawingPage() {
    auto* page = new QWidget;
    const PrefsDrawingValues& drawing = form_.choice.drawing;
    const PrefsDrawingValues defaults;
    wall_ = ColourButton(drawing.WallColor, defaults.WallColor);
    selected_ = ColourButton(drawing.SelectedColor, defaults.SelectedColor);
    added_ = ColourButton(drawing.AddedColor, defaults.AddedColor);
    showNames_ = new QCheckBox(QStringLiteral("Show room &names"));
    showNames_->setChecked(drawing.ShowNames);
    auto* grid = new QGridLayout(page);
    AddBuddyRow(*grid, 0, QStringLiteral("&Regular walls:"), wall_);
    AddBuddyRow(*grid, 1, QStringLiteral("&Selected walls:"), selected_);
    AddBuddyRow(*grid, 2, QStringLiteral("A&dded walls:"), added_);
    grid->addWidget(showNames_, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    return page;
}

bool CPrefsDlg::TakeControls() {
    PreferencesChoice& choice = form_.choice;
    // The page sets the units and the style; the other input values pass through as read.
    choice.input.Input = meters_->isChecked() ? kInputMetres : kInputFeetAndInches;
    choice.input.AngleStyle = quadrant_->isChecked() ? kQuadrantStyleCode : kAzimuthStyleCode;
    choice.drawing.WallColor = wall_->GetColour();
    choice.drawing.SelectedColor = selected_->GetColour();
    choice.drawing.AddedColor = added_->GetColour();
    choice.drawing.ShowNames = showNames_->isChecked();
    choice.roomNames = rooms_->Lines();
    choice.materials = KeepListedMaterials(choice.materials, materials_->Lines());
    form_.defaultHeight.text = defaultHeight_->text();
    form_.nudgeStep.text = nudgeStep_->text();
    return Passes(form_.Check(doc_), [this](PreferencesForm::Field field) -> QWidget* {
        pages_->setCurrentIndex(0);
        return field == PreferencesForm::Field::NudgeStep ? nudgeStep_ : defaultHeight_;
    });
}

}  // namespace plantrek
