#pragma once

#include "document/forms/room_transform_forms.h"
#include "view/dialogs/disto_input_dlg.h"

class QLineEdit;
class QRadioButton;

// "Rotate Room" and "Reflect Room": how the selected room turns or mirrors, and about which
// point.
namespace plantrek {

class RotateRoomDialog : public EditingDialog {
    Q_OBJECT
public:
    RotateRoomDialog(const CTracepadDoc& doc, RotateForm form, UserPrompts& prompts,
                     QWidget* parent);
    const RotateForm& Form() const { return form_; }
    QLineEdit* RotationEdit() const { return rotation_; }
    QRadioButton* StartPointButton() const { return startPoint_; }

protected:
    bool TakeControls() override;

private:
    RotateForm form_;
    QLineEdit* rotation_;
    QRadioButton* centre_;
    QRadioButton* startPoint_;
};

class ReflectRoomDialog : public EditingDialog {
    Q_OBJECT
public:
    ReflectRoomDialog(const CTracepadDoc& doc, ReflectForm form, UserPrompts& prompts,
                      QWidget* parent);
    const ReflectForm& Form() const { return form_; }
    QRadioButton* HorizontalButton() const { return horizontal_; }
    QRadioButton* StartPointButton() const { return startPoint_; }

protected:
    bool TakeControls() override;

private:
    ReflectForm form_;
    QRadioButton* vertical_;
    QRadioButton* horizontal_;
    QRadioButton* centre_;
    QRadioButton* startPoint_;
};

}  // namespace plantrek
