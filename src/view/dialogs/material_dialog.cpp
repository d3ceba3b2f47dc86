#include "view/dialogs/material_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "view/dialogs/colour_picker.h"
#include "view/dialogs/dialog_helpers.h"

namespace plantrek {

CMaterialDlg::CMaterialDlg(MaterialForm& form, const CTracepadDoc& doc, UserPrompts& prompts,
                           QWidget* parent)
    : EditingDialog(doc, prompts, parent), form_(form) {
    setWindowTitle(QStringLiteral("Edit Material"));
    material_ = new QComboBox;
    material_->addItems(doc.GetSite()->MaterialNames());
    material_->setCurrentIndex(material_->findText(form.name, Qt::MatchFixedString));
    colour_ = new CColourPicker;
    colour_->SetTrackSelection(false);
    colour_->SetDefaultColour(Site::DefaultMaterialColour());
    colour_->SetColour(material_->count() > 0 ? form.colour : Site::DefaultMaterialColour());
    allowance_ = new QLineEdit(form.allowance);
    packArea_ = new QLineEdit(form.packArea);
    connect(material_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        form_.Choose(doc_, name);
        colour_->SetColour(form_.colour);
        allowance_->setText(form_.allowance);
        packArea_->setText(form_.packArea);
    });
    auto* grid = new QGridLayout;
    AddBuddyRow(*grid, 0, QStringLiteral("&Material:"), material_);
    AddBuddyRow(*grid, 1, QStringLiteral("&Color:"), colour_);
    AddBuddyRow(*grid, 2, QStringLiteral("&Waste allowance (%):"), allowance_);
    AddBuddyRow(*grid, 3, QStringLiteral("Area per &pack (%1):").arg(form.areaUnit), packArea_);
    const QString hint = QStringLiteral("Leave either empty for none.");
    allowance_->setAccessibleDescription(hint);
    packArea_->setAccessibleDescription(hint);
    grid->addWidget(new QLabel(hint), 4, 1);
    LayOutDialog(*this, grid, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

bool CMaterialDlg::TakeControls() {
    form_.name = material_->currentText();
    form_.colour = colour_->GetColour();
    form_.allowance = allowance_->text();
    form_.packArea = packArea_->text();
    return Passes(form_.Check(doc_), [this](MaterialForm::Field field) -> QWidget* {
        switch (field) {
            case MaterialForm::Field::Allowance:
                return allowance_;
            case MaterialForm::Field::PackArea:
                return packArea_;
            case MaterialForm::Field::Colour:
                break;
        }
        return colour_;
    });
}

}  // namespace plantrek
