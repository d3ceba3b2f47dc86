#pragma once

#include "document/files/site_template.h"
#include "document/settings_store.h"
#include "model/drawing_values.h"

#include <QString>
#include <QStringList>

namespace plantrek {

// The "Input" setting chooses the length units everything is typed and shown in. The setting
// can hold any number; only 1 means metres.
inline constexpr int kInputFeetAndInches = 0;
inline constexpr int kInputMetres = 1;
constexpr bool InputMeansMetres(int input) {
    return input == kInputMetres;
}

// The values that go with entering walls. They travel together: the preferences sheet edits
// them as one page and undo restores them as one.
struct PrefsInputValues {
    // The length units as stored: kInputMetres, any other value feet and inches.
    int Input = kInputFeetAndInches;
    int AngleStyle = 0;
    int COM = 1;
    quint8 DirectionMode = 0;
    quint8 QuickMode = 0;

    bool UsesMetres() const { return InputMeansMetres(Input); }

    friend bool operator==(const PrefsInputValues&, const PrefsInputValues&) = default;
};

// The values that go with drawing the plan. They travel together like the input values.
using PrefsDrawingValues = DrawingValues;

// A document's copy of the user's settings and permanent lists. Values are read the first
// time they are asked for and written back whenever they change, so the stored settings hold
// whatever the last document wrote. Wall lengths and drag mode are not copied: they are the
// store's view settings, the same for every document.
class CPrefs {
public:
    explicit CPrefs(SettingsStore store = SettingsStore(),
                    TemplateLocation location = TemplateLocation::Default());

    PrefsInputValues GetInputValues() const;
    PrefsDrawingValues GetDrawingValues() const;
    bool GetDragMode() const;
    QString GetExportType() const;
    // The ceiling height of rooms that have none of their own, in metres: the stored value, or
    // 2.50 m (metres) or 8' 0" (feet and inches) until one is set.
    double GetDefaultHeight() const;
    // How far Ctrl+arrow moves the selection, in metres: the stored value, or 1 cm (metres) or
    // 1/4" (feet and inches) until one is set.
    double GetNudgeStep() const;

    // Each setter stores every value this object holds, not only the changed group.
    void SetInputValues(const PrefsInputValues& values);
    void SetDrawingValues(const PrefsDrawingValues& values);
    void ToggleDragMode();
    void SetExportType(const QString& type);
    // Stored to a tenth of a millimetre; 0 (or anything not above zero) goes back to the
    // starting value of the units in use.
    void SetDefaultHeight(double metres);
    // Stored to a micrometre, at most 1 m; 0 goes back to the starting value.
    void SetNudgeStep(double metres);

    QStringList GetRoomNames() const;
    QList<TemplateMaterial> GetMaterials() const;

    // Replace one list and rewrite the template file with both. The lists in memory are set
    // either way; false (with TemplateError telling why) when the file could not be written.
    bool SetRoomNames(const QStringList& names);
    bool SetMaterials(const QList<TemplateMaterial>& materials);
    QString TemplateError() const { return templateError_; }

    bool ValuesLoaded() const { return valuesLoaded_; }
    bool ListsLoaded() const { return listsLoaded_; }

    const SettingsStore& Store() const { return store_; }
    const TemplateLocation& Location() const { return location_; }

private:
    void LoadValues() const;
    void LoadLists() const;
    void SaveValues();
    bool SaveLists();

    SettingsStore store_;
    TemplateLocation location_;

    mutable PrefsInputValues input_;
    mutable PrefsDrawingValues drawing_;
    mutable QString exportType_ = QStringLiteral("dxf");
    mutable qint32 defaultHeight_ = 0;  // tenths of a millimetre; 0 when none is stored
    mutable qint32 nudgeStep_ = 0;      // micrometres; 0 when none is stored
    mutable bool valuesLoaded_ = false;

    mutable CSiteTemplate lists_;
    mutable bool listsLoaded_ = false;
    QString templateError_;
};

}  // namespace plantrek
