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
    : QDialog(parent), form_(form), doc_(doc), prompts_(prompts) {
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

void CNewMaterialDlg::accept() {
    form_.colour = colour_->GetColour();
    form_.saveToPermanentList = save_->isChecked();
    if (const auto refusal = form_.Check(doc_)) {
        ShowRefusal(prompts_, refusal->message, colour_);
        return;
    }
    QDialog::accept();
}

}  // namespace plantrek
