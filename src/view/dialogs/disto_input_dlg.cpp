#include "view/dialogs/disto_input_dlg.h"

#include "view/dialogs/dialog_helpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "document/tracepad_doc.h"
#include "document/user_prompts.h"

namespace plantrek {

QLineEdit* NewLengthEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    // Room for a length in feet, inches and 32nds at any font size.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000' 00 00/00\"")));
    return edit;
}

QComboBox* NewDirectionCombo(const AngleStyle& style, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    QStringList names;
    for (int i = 0; i < style.CompassPointCount(); ++i) {
        combo->addItem(style.CompassPointName(i));
        names.append(style.CompassPointName(i));
    }
    combo->setCurrentIndex(-1);
    // Typing completes from the names in alphabetical order, where each name comes before the
    // longer names it begins: "S" stays south instead of becoming "SE", the first in the list.
    names.sort(Qt::CaseInsensitive);
    auto* completer = new QCompleter(names, combo);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    combo->setCompleter(completer);
    return combo;
}

void DistoInputDlg::BindLength(QWidget* control, QLineEdit* edit, TextField* field) {
    edit->setText(field->text);
    lengths_.push_back({control, edit, field});
}

void DistoInputDlg::BindDirection(QComboBox* combo, TextField* field) {
    combo->setEditText(field->text);
    direction_ = combo;
    directionField_ = field;
}

void DistoInputDlg::TakeBoundFields() {
    for (const LengthBinding& binding : lengths_) {
        binding.field->text = binding.edit->text();
    }
    if (direction_ != nullptr) {
        directionField_->text = direction_->currentText();
    }
}

void DistoInputDlg::TakeMeasurement(double length, double bearing) {
    if (lengths_.empty()) {
        return;
    }
    QWidget* focus = focusWidget();
    const LengthBinding* target = &lengths_.front();
    for (const LengthBinding& binding : lengths_) {
        if (focus != nullptr && binding.control->isEnabled() &&
            (binding.control == focus || binding.control->isAncestorOf(focus))) {
            target = &binding;
        }
    }
    // The field keeps the reading exactly, not rounded to the digits it shows.
    target->field->Show(Units().FormatLength(length), length);
    target->edit->setText(target->field->text);
    target->edit->selectAll();
    if (direction_ != nullptr) {
        directionField_->Show(Style().FormatDirection(bearing), bearing);
        direction_->setEditText(directionField_->text);
    }
}

}  // namespace plantrek
