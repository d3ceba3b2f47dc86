#pragma once

#include <QPointer>

#include "document/forms/arc_wall_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Arc Wall": two distances to a point of the arc, measured from the wall's ends or from two
// corners of the room chosen in "Select Corners", and the side the wall bows to.
namespace plantrek {

class SelectCornersDialog;

class ArcWallDialog : public DistoInputDlg {
    Q_OBJECT
public:
    ArcWallDialog(const CTracepadDoc& doc, ArcWallForm form, UserPrompts& prompts,
                  QWidget* parent);
    const ArcWallForm& Form() const { return form_; }

    QRadioButton* RoomPointsButton() const { return roomPoints_; }
    QPushButton* SelectButton() const { return select_; }
    QLineEdit* FirstEdit() const { return first_; }
    QLineEdit* SecondEdit() const { return second_; }
    QRadioButton* RightButton() const { return right_; }
    // "Select Corners" while it is open.
    SelectCornersDialog* CornersDialog() const { return corners_; }

protected:
    bool TakeControls() override;

private:
    void ShowReference();
    void SelectCorners();

    ArcWallForm form_;
    QRadioButton* wallEnds_;
    QRadioButton* roomPoints_;
    QPushButton* select_;
    QLabel* firstLabel_;
    QLabel* secondLabel_;
    QLineEdit* first_;
    QLineEdit* second_;
    QRadioButton* left_;
    QRadioButton* right_;
    QPointer<SelectCornersDialog> corners_;
};

}  // namespace plantrek
