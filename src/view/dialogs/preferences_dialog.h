#pragma once

#include <QDialog>
#include <QStringList>

#include "document/forms/preferences_form.h"
#include "view/dialogs/disto_input_dlg.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The preferences sheet: the "Input", "Drawing", "Rooms" and "Materials" pages, filled from the
// form when it opens and read back into it on OK. Cancel leaves the form as it was.
namespace plantrek {

class CColourPicker;
class UserPrompts;

// A list page's "Delete": the selected line goes and the line that took its place (or the new
// last line) is selected.
class CListPage : public QWidget {
    Q_OBJECT
public:
    explicit CListPage(QWidget* parent = nullptr);
    QListWidget* List() const { return list_; }
    QPushButton* DeleteButton() const { return delete_; }
    QStringList Lines() const;

protected:
    QListWidget* list_;
    QPushButton* delete_;
};

class CRoomsPage : public CListPage {
    Q_OBJECT
public:
    CRoomsPage(const QStringList& names, UserPrompts& prompts, QWidget* parent = nullptr);
    QLineEdit* NameField() const { return field_; }
    QPushButton* AddButton() const { return add_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Add();

    UserPrompts& prompts_;
    QStringList names_;  // the list's lines, kept in the page's sorted order
    QLineEdit* field_;
    QPushButton* add_;
};

class CPrefsDlg : public EditingDialog {
    Q_OBJECT
public:
    CPrefsDlg(PreferencesForm& form, const CTracepadDoc& doc, UserPrompts& prompts,
              QWidget* parent = nullptr);

    QTabWidget* Pages() const { return pages_; }
    QRadioButton* FeetButton() const { return feet_; }
    QRadioButton* MetersButton() const { return meters_; }
    QRadioButton* AzimuthButton() const { return azimuth_; }
    QRadioButton* QuadrantButton() const { return quadrant_; }
    CColourPicker* WallColourButton() const { return wall_; }
    CColourPicker* SelectedColourButton() const { return selected_; }
    CColourPicker* AddedColourButton() const { return added_; }
    QCheckBox* ShowNamesBox() const { return showNames_; }
    QLineEdit* DefaultHeightEdit() const { return defaultHeight_; }
    QLineEdit* NudgeStepEdit() const { return nudgeStep_; }
    CRoomsPage* RoomsPage() const { return rooms_; }
    CListPage* MaterialsPage() const { return materials_; }

protected:
    bool TakeControls() override;

private:
    QWidget* InputPage();
    QWidget* DrawingPage();

    PreferencesForm& form_;
    QTabWidget* pages_;
    QRadioButton* feet_ = nullptr;
    QRadioButton* meters_ = nullptr;
    QRadioButton* azimuth_ = nullptr;
    QRadioButton* quadrant_ = nullptr;
    CColourPicker* wall_ = nullptr;
    CColourPicker* selected_ = nullptr;
    CColourPicker* added_ = nullptr;
    QCheckBox* showNames_ = nullptr;
    QLineEdit* defaultHeight_ = nullptr;
    QLineEdit* nudgeStep_ = nullptr;
    CRoomsPage* rooms_;
    CListPage* materials_;
};

}  // namespace plantrek
