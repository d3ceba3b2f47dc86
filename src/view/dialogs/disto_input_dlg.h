#pragma once

#include <optional>
#include <vector>

#include "document/forms/form_field.h"
#include "document/meter_input_dialog.h"
#include "view/dialogs/editing_dialog.h"

class QComboBox;
class QLineEdit;

namespace plantrek {

class AngleStyle;

// A length or distance field: its text is typed or comes from the meter.
QLineEdit* NewLengthEdit(QWidget* parent);
// An editable combo box of the eight compass names that takes any typed bearing.
QComboBox* NewDirectionCombo(const AngleStyle& style, QWidget* parent);

// A dialog that takes meter readings: a reading goes into the focused length field (the first
// one when none has the focus) written in the document's units, the direction key sets the
// direction field when the dialog has one, and the meter's enter key is OK.
class DistoInputDlg : public EditingDialog, public MeterInputDialog {
    Q_OBJECT
public:
    void TakeMeasurement(double length, double bearing) override;
    void AcceptFromMeter() override { accept(); }

protected:
    using EditingDialog::EditingDialog;

    // The control shows the field's text; `edit` is the control's text (the control itself or
    // an editable combo box's line). The fields live in the derived dialog's form.
    void BindLength(QWidget* control, QLineEdit* edit, TextField* field);
    void BindDirection(QComboBox* combo, TextField* field);
    // Copies every bound control's text into its field.
    void TakeBoundFields();

private:
    struct LengthBinding {
        QWidget* control;
        QLineEdit* edit;
        TextField* field;
    };
    std::vector<LengthBinding> lengths_;
    QComboBox* direction_ = nullptr;
    TextField* directionField_ = nullptr;
};

}  // namespace plantrek
