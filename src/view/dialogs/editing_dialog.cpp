#include "view/dialogs/editing_dialog.h"

#include "view/dialogs/dialog_helpers.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "document/tracepad_doc.h"
#include "document/user_prompts.h"

namespace plantrek {

EditingDialog::EditingDialog(const CTracepadDoc& doc, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), doc_(doc), prompts_(prompts) {}

void EditingDialog::accept() {
    if (TakeControls()) {
        QDialog::accept();
    }
}

void EditingDialog::Refuse(const QString& message, QWidget* field) {
    ShowRefusal(prompts_, message, field);
}

QDialogButtonBox* EditingDialog::AddButtons(QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}

QLabel* EditingDialog::AddRow(QFormLayout* layout, const QString& label, QWidget* control) {
    auto* text = new QLabel(label, this);
    text->setBuddy(control);
    control->setAccessibleName(AccessibleNameFor(label));
    layout->addRow(text, control);
    return text;
}

const LengthUnits& EditingDialog::Units() const {
    return doc_.Units();
}

const AngleStyle& EditingDialog::Style() const {
    return doc_.Style();
}

}  // namespace plantrek
