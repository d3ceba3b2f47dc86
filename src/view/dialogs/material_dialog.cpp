#include "view/dialogs/material_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>

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
    connect(material_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        form_.Choose(doc_, name);
        colour_->SetColour(form_.colour);
    });
    auto* grid = new QGridLayout;
    AddBuddyRow(*grid, 0, QStringLiteral("&Material:"), material_);
    AddBuddyRow(*grid, 1, QStringLiteral("&Color:"), colour_);
    LayOutDialog(*this, grid, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

bool CMaterialDlg::TakeControls() {
    form_.name = material_->currentText();
    form_.colour = colour_->GetColour();
    return Passes(form_.Check(doc_), [this](MaterialForm::Field) { return colour_; });
}

}  // namespace plantrek
