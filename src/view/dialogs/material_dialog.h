#pragma once

#include "document/forms/room_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QComboBox;
class QLineEdit;

namespace plantrek {

class CColourPicker;

// "Edit Material": a material of the site chosen by name and its colour.
class CMaterialDlg : public EditingDialog {
    Q_OBJECT
public:
    CMaterialDlg(MaterialForm& form, const CTracepadDoc& doc, UserPrompts& prompts,
                 QWidget* parent = nullptr);

    QComboBox* MaterialBox() const { return material_; }
    CColourPicker* ColourButton() const { return colour_; }
    QLineEdit* AllowanceEdit() const { return allowance_; }
    QLineEdit* PackAreaEdit() const { return packArea_; }

protected:
    bool TakeControls() override;

private:
    MaterialForm& form_;
    QComboBox* material_;
    CColourPicker* colour_;
    QLineEdit* allowance_;
    QLineEdit* packArea_;
};

}  // namespace plantrek
