#pragma once

#include <QDialog>

#include "document/forms/room_form.h"

class QCheckBox;

namespace plantrek {

class CColourPicker;
class UserPrompts;

// "Add Material": asked when a room names a material the site does not have yet.
class CNewMaterialDlg : public QDialog {
    Q_OBJECT
public:
    CNewMaterialDlg(NewMaterialForm& form, const CTracepadDoc& doc, UserPrompts& prompts,
                    QWidget* parent = nullptr);

    CColourPicker* ColourButton() const { return colour_; }
    QCheckBox* SaveBox() const { return save_; }

    void accept() override;

private:
    NewMaterialForm& form_;
    const CTracepadDoc& doc_;
    UserPrompts& prompts_;
    CColourPicker* colour_;
    QCheckBox* save_;
};

}  // namespace plantrek
