#pragma once

#include "document/forms/opening_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// "Add Door", "Add Window", "Add Opening" and "Edit Opening": where the opening sits on the
// selected wall and its sizes, a window's sill, a door's hinge side and the way it opens. Edit
// chooses among the wall's openings.
namespace plantrek {

class OpeningDialog : public DistoInputDlg {
    Q_OBJECT
public:
    OpeningDialog(const CTracepadDoc& doc, OpeningForm form, UserPrompts& prompts,
                  QWidget* parent);
    const OpeningForm& Form() const { return form_; }

    QComboBox* OpeningCombo() const { return choice_; }
    QLineEdit* OffsetEdit() const { return offset_; }
    QLineEdit* WidthEdit() const { return width_; }
    QLineEdit* HeightEdit() const { return height_; }
    QLineEdit* SillEdit() const { return sill_; }
    QRadioButton* RightHingeButton() const { return right_; }
    QRadioButton* OutwardButton() const { return outward_; }

protected:
    bool TakeControls() override;

private:
    // Shows the form's values and the controls its kind has.
    void ShowForm();

    OpeningForm form_;
    QComboBox* choice_ = nullptr;
    QLineEdit* offset_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLabel* sillLabel_;
    QLineEdit* sill_;
    QGroupBox* door_;
    QRadioButton* left_;
    QRadioButton* right_;
    QRadioButton* inward_;
    QRadioButton* outward_;
};

}  // namespace plantrek
