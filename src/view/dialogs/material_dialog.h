#pragma once

#include <QDialog>

#include "document/forms/room_form.h"

class QComboBox;

namespace plantrek {

class CColourPicker;
class UserPrompts;

// "Edit Material": a material of the site chosen by name and its colour.
class CMaterialDlg : public QDialog {
    Q_OBJECT
public:
    CMaterialDlg(MaterialForm& form, const CTracepadDoc& doc, UserPrompts& prompts,
                 QWidget* parent = nullptr);

    QComboBox* MaterialBox() const { return material_; }
    CColourPicker* ColourButton() const { return colour_; }

    void accept() override;

private:
    MaterialForm& form_;
    const CTracepadDoc& doc_;
    UserPrompts& prompts_;
    QComboBox* material_;
    CColourPicker* colour_;
};

}  // namespace plantrek
