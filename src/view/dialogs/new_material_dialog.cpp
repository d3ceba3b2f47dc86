#include "view/dialogs/new_material_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>

#include "view/dialogs/colour_picker.h"
#include "view/dialogs/dialog_helpers.h"

namespace plantrek {

CNewMaterialDlg::CNewMaterialDlg(NewMaterialForm& form, const CTracepadDoc& doc,
                                 UserPrompts& prompts, QWidget* parent)
    : EditingDialog(doc, prompts, parent), form_(form) {
    setWindowTitle(QStringLiteral("Add Material"));
    auto* name = ReadOnlyField(form.name);
    colour_ = new CColourPicker;
    colour_->SetTrackSelection(false);
    colour_->SetDefaultColour(Site::DefaultMaterialColour());
    colour_->SetColour(form.colour);
    save_ = new QCheckBox(QStringLiteral("&Save to permanent list"));
    save_->setChecked(form.saveToPermanentList);
    auto* grid = new QGridLayout;
    AddBuddyRow(*grid, 0, QStringLiteral("Material &name:"), name);
    AddBuddyRow(*grid, 1, QStringLiteral("&Color:"), colour_);
    grid->addWidget(save_, 2, 0, 1, 2);
    LayOutDialog(*this, grid, QDialogButtonBox::Ok);
    colour_->setFocus();
}

bool CNewMaterialDlg::TakeControls() {
    form_.colour = colour_->GetColour();
    form_.saveToPermanentList = save_->isChecked();
    return Passes(form_.Check(doc_), [this](NewMaterialForm::Field) { return colour_; });
}

}  // namespace plantrek
