#pragma once

#include <QDialog>
#include <QStringList>

#include "document/forms/room_form.h"

class QComboBox;
class QLineEdit;

// "Add Room" and "Edit Room": the name offered from the template's room names, the material
// from the site's materials; "Edit Room" also shows the room's area and perimeter.
namespace plantrek {

class UserPrompts;

class CRoomDlg : public QDialog {
    Q_OBJECT
public:
    CRoomDlg(RoomForm& form, const CTracepadDoc& doc, const QStringList& templateRoomNames,
             UserPrompts& prompts, QWidget* parent = nullptr);

    QComboBox* NameBox() const { return name_; }
    QComboBox* MaterialBox() const { return material_; }
    QLineEdit* AreaField() const { return area_; }
    QLineEdit* PerimeterField() const { return perimeter_; }

    void accept() override;

private:
    RoomForm& form_;
    const CTracepadDoc& doc_;
    UserPrompts& prompts_;
    QComboBox* name_;
    QComboBox* material_;
    QLineEdit* area_ = nullptr;
    QLineEdit* perimeter_ = nullptr;
};

}  // namespace plantrek
