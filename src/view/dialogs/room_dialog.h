#pragma once

#include <QStringList>

#include "document/forms/room_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QComboBox;
class QLineEdit;

// "Add Room" and "Edit Room": the name offered from the template's room names, the material
// from the site's materials; "Edit Room" also shows the room's area and perimeter.
namespace plantrek {

class CRoomDlg : public EditingDialog {
    Q_OBJECT
public:
    CRoomDlg(RoomForm& form, const CTracepadDoc& doc, const QStringList& templateRoomNames,
             UserPrompts& prompts, QWidget* parent = nullptr);

    QComboBox* NameBox() const { return name_; }
    QComboBox* MaterialBox() const { return material_; }
    QLineEdit* AreaField() const { return area_; }
    QLineEdit* PerimeterField() const { return perimeter_; }
    QLineEdit* HeightEdit() const { return height_; }

protected:
    bool TakeControls() override;

private:
    RoomForm& form_;
    QComboBox* name_;
    QComboBox* material_;
    QLineEdit* area_ = nullptr;
    QLineEdit* perimeter_ = nullptr;
    QLineEdit* height_ = nullptr;
};

}  // namespace plantrek
