#pragma once

#include "document/forms/projection_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QComboBox;
class QRadioButton;

// "Add Projection": the length and depth as preset lists that also take typed text, and the
// side.
namespace plantrek {

class ProjectionDialog : public DistoInputDlg {
    Q_OBJECT
public:
    ProjectionDialog(const CTracepadDoc& doc, ProjectionForm form, UserPrompts& prompts,
                     QWidget* parent);
    const ProjectionForm& Form() const { return form_; }

    QComboBox* LengthCombo() const { return length_; }
    QComboBox* DepthCombo() const { return depth_; }
    QRadioButton* RightButton() const { return right_; }

protected:
    bool TakeControls() override;

private:
    ProjectionForm form_;
    QComboBox* length_;
    QComboBox* depth_;
    QRadioButton* left_;
    QRadioButton* right_;
};

}  // namespace plantrek
