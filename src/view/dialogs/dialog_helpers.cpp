#include "view/dialogs/dialog_helpers.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "document/user_prompts.h"

namespace plantrek {

void ShowRefusal(UserPrompts& prompts, const QString& message, QWidget* field) {
    prompts.ShowMessage(message, MessageIcon::Warning);
    if (field == nullptr) {
        return;
    }
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
        combo->lineEdit()->selectAll();
    }
}

QString AccessibleNameFor(QString label) {
    label.remove(QLatin1Char('&'));
    if (label.endsWith(QLatin1Char(':'))) {
        label.chop(1);
    }
    return label;
}

QLabel* AddBuddyRow(QGridLayout& grid, int row, const QString& label, QWidget* field) {
    auto* text = new QLabel(label);
    text->setBuddy(field);
    field->setAccessibleName(AccessibleNameFor(label));
    grid.addWidget(text, row, 0);
    grid.addWidget(field, row, 1);
    return text;
}

QLineEdit* ReadOnlyField(const QString& text) {
    auto* field = new QLineEdit(text);
    field->setReadOnly(true);
    return field;
}

void LayOutDialog(QDialog& dialog, QGridLayout* grid, QDialogButtonBox::StandardButtons buttons) {
    auto* box = new QDialogButtonBox(buttons);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* column = new QVBoxLayout(&dialog);
    column->addLayout(grid);
    column->addStretch(1);
    column->addWidget(box);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace plantrek
