#pragma once

#include "document/forms/level_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QComboBox;
class QLineEdit;

// "Add Level" and "Level Properties": the level's name, its elevation (a reading from the
// meter may fill either length) and its rooms' ceiling height, empty for the program's; and
// "Move Room to Level": the levels, highest first as in the window's level list.
namespace plantrek {

class LevelDialog : public DistoInputDlg {
    Q_OBJECT
public:
    LevelDialog(const CTracepadDoc& doc, LevelForm form, UserPrompts& prompts, QWidget* parent);
    const LevelForm& Form() const { return form_; }
    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* ElevationEdit() const { return elevation_; }
    QLineEdit* HeightEdit() const { return height_; }

protected:
    bool TakeControls() override;

private:
    LevelForm form_;
    QLineEdit* name_;
    QLineEdit* elevation_;
    QLineEdit* height_;
};

class MoveToLevelDialog : public EditingDialog {
    Q_OBJECT
public:
    MoveToLevelDialog(const CTracepadDoc& doc, MoveToLevelForm form, UserPrompts& prompts,
                      QWidget* parent);
    const MoveToLevelForm& Form() const { return form_; }
    QComboBox* LevelBox() const { return level_; }

protected:
    bool TakeControls() override;

private:
    MoveToLevelForm form_;
    QComboBox* level_;
};

}  // namespace plantrek
