#include "view/dialogs/room_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "view/dialogs/dialog_helpers.h"

namespace plantrek {

namespace {

QComboBox* EditableCombo(const QStringList& items, const QString& text) {
    auto* combo = new QComboBox;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(static_cast<int>(items.indexOf(text)));
    combo->setEditText(text);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    return combo;
}

}  // namespace

CRoomDlg::CRoomDlg(RoomForm& form, const CTracepadDoc& doc, const QStringList& templateRoomNames,
                   UserPrompts& prompts, QWidget* parent)
    : EditingDialog(doc, prompts, parent), form_(form) {
    const bool editing = form.purpose == RoomForm::Purpose::Edit;
    setWindowTitle(editing ? QStringLiteral("Edit Room") : QStringLiteral("Add Room"));
    name_ = EditableCombo(templateRoomNames, form.name);
    material_ = EditableCombo(doc.GetSite()->MaterialNames(), form.material);
    auto* grid = new QGridLayout;
    AddBuddyRow(*grid, 0, QStringLiteral("Room &name:"), name_);
    AddBuddyRow(*grid, 1, QStringLiteral("&Material:"), material_);
    if (editing) {
        area_ = ReadOnlyField(form.area);
        perimeter_ = ReadOnlyField(form.perimeter);
        AddBuddyRow(*grid, 2, QStringLiteral("Room &area:"), area_);
        AddBuddyRow(*grid, 3, QStringLiteral("Room &perimeter:"), perimeter_);
        height_ = new QLineEdit(form.height.text);
        AddBuddyRow(*grid, 4, QStringLiteral("Ceiling &height:"), height_);
        const QString hint =
            QStringLiteral("Leave empty for the default height, %1.").arg(form.defaultHeight);
        auto* note = new QLabel(hint);
        note->setWordWrap(true);
        height_->setAccessibleDescription(hint);
        grid->addWidget(note, 5, 1);
    }
    LayOutDialog(*this, grid, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    name_->setFocus();
    name_->lineEdit()->selectAll();
}

bool CRoomDlg::TakeControls() {
    form_.name = name_->currentText();
    form_.material = material_->currentText();
    if (height_ != nullptr) {
        form_.height.text = height_->text();
    }
    return Passes(form_.Check(doc_), [this](RoomForm::Field field) -> QWidget* {
        if (field == RoomForm::Field::Height) {
            return height_;
        }
        return material_;
    });
}

}  // namespace plantrek
