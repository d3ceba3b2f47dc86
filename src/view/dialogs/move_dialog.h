#pragma once

#include "document/forms/move_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QComboBox;
class QLineEdit;

// "Move", titled "Move Start Point" or "Move Current Room", and "Move End Point" for the end of
// the selected wall: a distance and a direction.
namespace plantrek {

class MoveDialog : public DistoInputDlg {
    Q_OBJECT
public:
    MoveDialog(const CTracepadDoc& doc, MoveForm form, UserPrompts& prompts, QWidget* parent);
    const MoveForm& Form() const { return form_; }
    QLineEdit* DistanceEdit() const { return distance_; }
    QComboBox* DirectionCombo() const { return direction_; }

protected:
    bool TakeControls() override;

private:
    MoveForm form_;
    QLineEdit* distance_;
    QComboBox* direction_;
};

class MoveWallEndDialog : public DistoInputDlg {
    Q_OBJECT
public:
    MoveWallEndDialog(const CTracepadDoc& doc, MoveWallEndForm form, UserPrompts& prompts,
                      QWidget* parent);
    const MoveWallEndForm& Form() const { return form_; }
    QLineEdit* DistanceEdit() const { return distance_; }
    QComboBox* DirectionCombo() const { return direction_; }

protected:
    bool TakeControls() override;

private:
    MoveWallEndForm form_;
    QLineEdit* distance_;
    QComboBox* direction_;
};

}  // namespace plantrek
