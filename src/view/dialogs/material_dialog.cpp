#include "view/dialogs/material_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>

#include "view/dialogs/colour_picker.h"
#include "view/dialogs/dialog_helpers.h"

namespace plantrek {

CMaterialDlg::CMaterialDlg(MaterialForm& form, const CTracepadDoc& doc, UserPrompts& prompts,
                           QWidget* parent)
    : QDialog(parent), form_(form), doc_(doc), prompts_(prompts) {
    setWindowTitle(QStringLiteral("Edit Material"));
    material_ = new QComboBox;
    material_->addItems(doc.GetSite()->MaterialNames());
    material_->setCurrentIndex(material_->findText(form.name, Qt::MatchFixedString));
    colour_ = new CColourPicker;
    colour_->SetTrackSelection(false);
    colour_->SetDefaultColour(Site::DefaultMaterialColour());
    colour_->SetColour(material_->count() > 0 ? form.colour : Site::DefaultMaterialColour());
    connect(material_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        colour_->SetColour(MaterialForm::FromDocument(doc_, name).colour);
    });
    auto* grid = new QGridLayout;
    AddBuddyRow(*grid, 0, QStringLiteral("&Material:"), material_);
    AddBuddyRow(*grid, 1, QStringLiteral("&Color:"), colour_);
    LayOutDialog(*this, grid, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

void CMaterialDlg::accept() {
    form_.name = material_->currentText();
    form_.colour = colour_->GetColour();
    if (const auto refusal = form_.Check(doc_)) {
        ShowRefusal(prompts_, refusal->message, colour_);
        return;
    }
    QDialog::accept();
}

}  // namespace plantrek
