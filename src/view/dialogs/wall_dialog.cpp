#include "view/dialogs/wall_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "resources/string_table.h"

namespace plantrek {

WallDialog::WallDialog(const CTracepadDoc& doc, WallForm form, UserPrompts& prompts,
                       QWidget* parent)
    : DistoInputDlg(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(form_.purpose == WallForm::Purpose::Edit ? LoadString(string_id::kEditWall)
                                                            : QStringLiteral("Add Wall"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    length_ = NewLengthEdit(this);
    AddRow(fields, QStringLiteral("&Distance:"), length_);
    direction_ = NewDirectionCombo(Style(), this);
    AddRow(fields, QStringLiteral("Di&rection:"), direction_);
    layout->addLayout(fields);

    auto* group = new QGroupBox(QStringLiteral("Projection"), this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* arc = new QFormLayout;
    projection_ = NewLengthEdit(group);
    AddRow(arc, QStringLiteral("Dis&tance:"), projection_);
    projection_->setAccessibleName(QStringLiteral("Projection distance"));
    groupLayout->addLayout(arc);
    auto* sides = new QHBoxLayout;
    left_ = new QRadioButton(QStringLiteral("Project &left"), group);
    right_ = new QRadioButton(QStringLiteral("Project r&ight"), group);
    sides->addWidget(left_);
    sides->addWidget(right_);
    groupLayout->addLayout(sides);
    layout->addWidget(group);
    AddButtons(layout);

    BindLength(length_, length_, &form_.length);
    BindLength(projection_, projection_, &form_.projection);
    BindDirection(direction_, &form_.direction);
    (form_.side == ProjectionSide::Right ? right_ : left_)->setChecked(true);
    length_->setFocus();
}

bool WallDialog::TakeControls() {
    TakeBoundFields();
    form_.side = right_->isChecked() ? ProjectionSide::Right : ProjectionSide::Left;
    return Passes(form_.Check(doc_), [this](WallForm::Field field) -> QWidget* {
        switch (field) {
            case WallForm::Field::Length:
                return length_;
            case WallForm::Field::Direction:
                return direction_;
            case WallForm::Field::Projection:
                break;
        }
        return projection_;
    });
}

}  // namespace plantrek
