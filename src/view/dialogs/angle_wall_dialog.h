#pragma once

#include "document/forms/arc_wall_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QLineEdit;

// "Angle Wall": the diagonal from the room's start point to the end of the selected wall.
namespace plantrek {

class AngleWallDialog : public DistoInputDlg {
    Q_OBJECT
public:
    AngleWallDialog(const CTracepadDoc& doc, AngleWallForm form, UserPrompts& prompts,
                    QWidget* parent);
    const AngleWallForm& Form() const { return form_; }
    QLineEdit* DistanceEdit() const { return distance_; }

protected:
    bool TakeControls() override;

private:
    AngleWallForm form_;
    QLineEdit* distance_;
};

}  // namespace plantrek
