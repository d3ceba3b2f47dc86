#include "view/dialogs/opening_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/tracepad_doc.h"
#include "view/dialogs/dialog_helpers.h"

namespace plantrek {

OpeningDialog::OpeningDialog(const CTracepadDoc& doc, OpeningForm form, UserPrompts& prompts,
                             QWidget* parent)
    : DistoInputDlg(doc, prompts, parent), form_(std::move(form)) {
    const bool editing = form_.purpose == OpeningForm::Purpose::Edit;
    setWindowTitle(editing ? QStringLiteral("Edit Opening")
                           : QStringLiteral("Add %1").arg(OpeningKindName(form_.kind)));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    if (editing) {
        choice_ = new QComboBox(this);
        choice_->addItems(form_.openingNames);
        choice_->setCurrentIndex(form_.index);
        AddRow(fields, QStringLiteral("&Opening:"), choice_);
        connect(choice_, &QComboBox::currentIndexChanged, this, [this](int index) {
            if (index >= 0 && index != form_.index) {
                form_.Choose(doc_, index);
                ShowForm();
            }
        });
    }
    auto* wallLength = new QLineEdit(form_.wallLength, this);
    wallLength->setReadOnly(true);
    AddRow(fields, QStringLiteral("Wall length:"), wallLength);
    offset_ = NewLengthEdit(this);
    AddRow(fields, QStringLiteral("O&ffset from the wall's start:"), offset_);
    width_ = NewLengthEdit(this);
    AddRow(fields, QStringLiteral("&Width:"), width_);
    height_ = NewLengthEdit(this);
    AddRow(fields, QStringLiteral("&Height:"), height_);
    sill_ = NewLengthEdit(this);
    sillLabel_ = AddRow(fields, QStringLiteral("&Sill height:"), sill_);
    layout->addLayout(fields);

    door_ = new QGroupBox(QStringLiteral("Door (seen from inside the room)"), this);
    auto* doorLayout = new QGridLayout(door_);
    left_ = new QRadioButton(QStringLiteral("Hinge on the &left"), door_);
    right_ = new QRadioButton(QStringLiteral("Hinge on the &right"), door_);
    inward_ = new QRadioButton(QStringLiteral("Opens &into the room"), door_);
    outward_ = new QRadioButton(QStringLiteral("Opens ou&t of the room"), door_);
    // Two groups of two: the hinge side, and the way the door swings.
    auto* hinge = new QWidget(door_);
    auto* hingeLayout = new QVBoxLayout(hinge);
    hingeLayout->setContentsMargins(0, 0, 0, 0);
    hingeLayout->addWidget(left_);
    hingeLayout->addWidget(right_);
    auto* swing = new QWidget(door_);
    auto* swingLayout = new QVBoxLayout(swing);
    swingLayout->setContentsMargins(0, 0, 0, 0);
    swingLayout->addWidget(inward_);
    swingLayout->addWidget(outward_);
    doorLayout->addWidget(hinge, 0, 0);
    doorLayout->addWidget(swing, 0, 1);
    layout->addWidget(door_);
    AddButtons(layout);

    BindLength(offset_, offset_, &form_.offset);
    BindLength(width_, width_, &form_.width);
    BindLength(height_, height_, &form_.height);
    BindLength(sill_, sill_, &form_.sill);
    ShowForm();
    (choice_ != nullptr ? static_cast<QWidget*>(choice_) : offset_)->setFocus();
}

void OpeningDialog::ShowForm() {
    offset_->setText(form_.offset.text);
    width_->setText(form_.width.text);
    height_->setText(form_.height.text);
    sill_->setText(form_.sill.text);
    const bool window = form_.kind == OpeningKind::Window;
    sillLabel_->setVisible(window);
    sill_->setVisible(window);
    sill_->setEnabled(window);
    door_->setVisible(form_.kind == OpeningKind::Door);
    (form_.hinge == DoorHinge::Right ? right_ : left_)->setChecked(true);
    (form_.opensInward ? inward_ : outward_)->setChecked(true);
    if (choice_ != nullptr) {
        setWindowTitle(QStringLiteral("Edit %1").arg(OpeningKindName(form_.kind)));
    }
    adjustSize();
}

bool OpeningDialog::TakeControls() {
    TakeBoundFields();
    form_.hinge = right_->isChecked() ? DoorHinge::Right : DoorHinge::Left;
    form_.opensInward = inward_->isChecked();
    return Passes(form_.Check(doc_), [this](OpeningForm::Field field) -> QWidget* {
        switch (field) {
            case OpeningForm::Field::Width:
                return width_;
            case OpeningForm::Field::Height:
                return height_;
            case OpeningForm::Field::Sill:
                return sill_;
            case OpeningForm::Field::Offset:
                break;
        }
        return offset_;
    });
}

}  // namespace plantrek
