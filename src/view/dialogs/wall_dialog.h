#pragma once

#include "document/forms/wall_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

// "Add Wall", and the same dialog titled "Edit Wall": the length, the direction and the
// projection that bows the wall.
namespace plantrek {

class WallDialog : public DistoInputDlg {
    Q_OBJECT
public:
    WallDialog(const CTracepadDoc& doc, WallForm form, UserPrompts& prompts, QWidget* parent);
    const WallForm& Form() const { return form_; }

    QLineEdit* LengthEdit() const { return length_; }
    QComboBox* DirectionCombo() const { return direction_; }
    QLineEdit* ProjectionEdit() const { return projection_; }
    QRadioButton* RightButton() const { return right_; }

protected:
    bool TakeControls() override;

private:
    WallForm form_;
    QLineEdit* length_;
    QComboBox* direction_;
    QLineEdit* projection_;
    QRadioButton* left_;
    QRadioButton* right_;
};

}  // namespace plantrek
