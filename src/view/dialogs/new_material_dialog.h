#pragma once

#include "document/forms/room_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QCheckBox;

namespace plantrek {

class CColourPicker;

// "Add Material": asked when a room names a material the site does not have yet.
class CNewMaterialDlg : public EditingDialog {
    Q_OBJECT
public:
    CNewMaterialDlg(NewMaterialForm& form, const CTracepadDoc& doc, UserPrompts& prompts,
                    QWidget* parent = nullptr);

    CColourPicker* ColourButton() const { return colour_; }
    QCheckBox* SaveBox() const { return save_; }

protected:
    bool TakeControls() override;

private:
    NewMaterialForm& form_;
    CColourPicker* colour_;
    QCheckBox* save_;
};

}  // namespace plantrek
