#include "view/dialogs/move_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "document/tracepad_doc.h"
#include "resources/string_table.h"

namespace plantrek {

MoveDialog::MoveDialog(const CTracepadDoc& doc, MoveForm form, UserPrompts& prompts,
                       QWidget* parent)
    : DistoInputDlg(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(LoadString(form_.target == MoveForm::Target::Room
                                  ? string_id::kMoveCurrentRoom
                                  : string_id::kMoveStartPoint));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    distance_ = NewLengthEdit(this);
    AddRow(fields, QStringLiteral("&Distance:"), distance_);
    direction_ = NewDirectionCombo(Style(), this);
    AddRow(fields, QStringLiteral("Di&rection:"), direction_);
    layout->addLayout(fields);
    AddButtons(layout);
    BindLength(distance_, distance_, &form_.distance);
    BindDirection(direction_, &form_.direction);
    distance_->setFocus();
}

bool MoveDialog::TakeControls() {
    TakeBoundFields();
    return Passes(form_.Check(doc_), [this](MoveForm::Field field) -> QWidget* {
        return field == MoveForm::Field::Direction ? static_cast<QWidget*>(direction_) : distance_;
    });
}

MoveWallEndDialog::MoveWallEndDialog(const CTracepadDoc& doc, MoveWallEndForm form,
                                     UserPrompts& prompts, QWidget* parent)
    : DistoInputDlg(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(QStringLiteral("Move End Point"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QFormLayout;
    auto* current = new QLineEdit(form_.currentWall, this);
    current->setReadOnly(true);
    AddRow(top, QStringLiteral("Current &Wall:"), current);
    layout->addLayout(top);

    auto* group = new QGroupBox(QStringLiteral("Adjustment"), this);
    auto* fields = new QFormLayout(group);
    distance_ = NewLengthEdit(group);
    AddRow(fields, QStringLiteral("&Distance:"), distance_);
    direction_ = NewDirectionCombo(Style(), group);
    AddRow(fields, QStringLiteral("Di&rection:"), direction_);
    layout->addWidget(group);
    AddButtons(layout);
    BindLength(distance_, distance_, &form_.distance);
    BindDirection(direction_, &form_.direction);
    distance_->setFocus();
}

bool MoveWallEndDialog::TakeControls() {
    TakeBoundFields();
    return Passes(form_.Check(doc_), [this](MoveWallEndForm::Field field) -> QWidget* {
        return field == MoveWallEndForm::Field::Direction ? static_cast<QWidget*>(direction_)
                                                          : distance_;
    });
}

}  // namespace plantrek
