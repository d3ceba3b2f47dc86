#include "view/dialogs/projection_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace plantrek {

namespace {

QComboBox* NewPresetCombo(const QStringList& presets, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(presets);
    combo->setMinimumContentsLength(10);
    return combo;
}

}  // namespace

ProjectionDialog::ProjectionDialog(const CTracepadDoc& doc, ProjectionForm form,
                                   UserPrompts& prompts, QWidget* parent)
    : DistoInputDlg(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(QStringLiteral("Add Projection"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QFormLayout;
    length_ = NewPresetCombo(ProjectionForm::LengthPresets(Units()), this);
    AddRow(top, QStringLiteral("&Length:"), length_);
    layout->addLayout(top);
    auto* sides = new QHBoxLayout;
    left_ = new QRadioButton(QStringLiteral("Project l&eft"), this);
    right_ = new QRadioButton(QStringLiteral("Project &right"), this);
    sides->addWidget(left_);
    sides->addWidget(right_);
    layout->addLayout(sides);
    auto* bottom = new QFormLayout;
    depth_ = NewPresetCombo(ProjectionForm::DepthPresets(Units()), this);
    AddRow(bottom, QStringLiteral("&Depth:"), depth_);
    layout->addLayout(bottom);
    AddButtons(layout);

    BindLength(length_, length_->lineEdit(), &form_.length);
    BindLength(depth_, depth_->lineEdit(), &form_.depth);
    (form_.side == ProjectionSide::Right ? right_ : left_)->setChecked(true);
    length_->setFocus();
}

bool ProjectionDialog::TakeControls() {
    TakeBoundFields();
    form_.side = right_->isChecked() ? ProjectionSide::Right : ProjectionSide::Left;
    return Passes(form_.Check(doc_), [this](ProjectionForm::Field field) -> QWidget* {
        return field == ProjectionForm::Field::Length ? length_ : depth_;
    });
}

}  // namespace plantrek
