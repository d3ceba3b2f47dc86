#pragma once

#include <QDialog>

#include "document/forms/form_field.h"

class QBoxLayout;
class QDialogButtonBox;
class QFormLayout;
class QLabel;

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

}  // namespace plantrek
