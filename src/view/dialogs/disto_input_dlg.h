#pragma once

#include <QDialog>

#include <optional>
#include <vector>

#include "document/forms/form_field.h"
#include "document/measurement_router.h"

class QBoxLayout;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;

// The base of every dialog that edits a form. OK copies the controls into the dialog's form and
// runs the form's check; a refusal is shown with the warning icon, the field at fault gets the
// focus with its text selected, and the dialog stays open. The document is only read, for its
// units and for the check.
namespace plantrek {

class AngleStyle;
class CTracepadDoc;
class LengthUnits;
class UserPrompts;

class EditingDialog : public QDialog {
    Q_OBJECT
public:
    void accept() override;

protected:
    EditingDialog(const CTracepadDoc& doc, UserPrompts& prompts, QWidget* parent);

    // Copies the controls into the form and checks it; false after Refuse.
    virtual bool TakeControls() = 0;

    // The warning, then the field at fault focused with its text selected.
    void Refuse(const QString& message, QWidget* field);
    template <typename Field, typename WidgetFor>
    bool Passes(const FormCheck<Field>& check, WidgetFor widgetFor) {
        if (!check) {
            return true;
        }
        Refuse(check->message, widgetFor(check->field));
        return false;
    }

    // "OK" and "Cancel" at the foot of the layout.
    QDialogButtonBox* AddButtons(QBoxLayout* layout);
    // A row of a form layout whose label is the control's buddy and names it for screen
    // readers.
    QLabel* AddRow(QFormLayout* layout, const QString& label, QWidget* control);

    const LengthUnits& Units() const;
    const AngleStyle& Style() const;

    const CTracepadDoc& doc_;
    UserPrompts& prompts_;
};

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
