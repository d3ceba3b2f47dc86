#include "document/prefs.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

#include "document/view_settings.h"

namespace plantrek {

namespace {

// Ceiling heights are stored in tenths of a millimetre, so that both 2.50 m and 8' 0" are
// whole numbers; anything outside a tenth of a millimetre to 100 m is taken as none.
constexpr double kHeightStep = 0.0001;
constexpr qint32 kMaxStoredHeight = 1000000;
// The nudge step is kept in micrometres, so that a quarter inch is stored exactly.
constexpr double kNudgeUnit = 0.000001;
constexpr qint32 kMaxStoredNudge = 1000000;

void ReadInteger(const QSettings& settings, const char* name, int& value) {
    if (const auto stored = ReadIntegerSetting(settings, name)) {
        value = *stored;
    }
}

void ReadColour(const QSettings& settings, const char* name, quint32& colour) {
    if (const auto stored = ReadIntegerSetting(settings, name)) {
        colour = static_cast<quint32>(*stored);
    }
}

template <typename Flag>
void ReadFlag(const QSettings& settings, const char* name, Flag& flag) {
    if (const auto stored = ReadIntegerSetting(settings, name)) {
        flag = static_cast<Flag>(*stored != 0);
    }
}

void WriteInteger(QSettings& settings, const char* name, qint64 value) {
    settings.setValue(QLatin1String(name), static_cast<int>(value));
}

void WriteColour(QSettings& settings, const char* name, quint32 colour) {
    // Stored as the same 32 bits in a signed value, as a DWORD would be.
    settings.setValue(QLatin1String(name), static_cast<int>(static_cast<qint32>(colour)));
}

}  // namespace

CPrefs::CPrefs(SettingsStore store, TemplateLocation location)
    : store_(std::move(store)), location_(std::move(location)) {}

void CPrefs::LoadValues() const {
    if (valuesLoaded_) {
        return;
    }
    namespace n = settings_name;
    const auto settings = store_.Open();
    ReadInteger(*settings, n::kInput, input_.Input);
    ReadInteger(*settings, n::kAngleStyle, input_.AngleStyle);
    ReadInteger(*settings, n::kCom, input_.COM);
    ReadFlag(*settings, n::kDirectionMode, input_.DirectionMode);
    ReadFlag(*settings, n::kQuickMode, input_.QuickMode);
    ReadColour(*settings, n::kWallColor, drawing_.WallColor);
    ReadColour(*settings, n::kSelectedColor, drawing_.SelectedColor);
    ReadColour(*settings, n::kAddedColor, drawing_.AddedColor);
    ReadColour(*settings, n::kRemovedColor, drawing_.RemovedColor);
    ReadFlag(*settings, n::kShowNames, drawing_.ShowNames);
    if (const auto type = ReadStringSetting(*settings, n::kExportType)) {
        exportType_ = *type;
    }
    if (const auto height = ReadIntegerSetting(*settings, n::kDefaultHeight)) {
        defaultHeight_ = *height > 0 && *height <= kMaxStoredHeight ? *height : 0;
    }
    if (const auto step = ReadIntegerSetting(*settings, n::kNudgeStep)) {
        nudgeStep_ = *step > 0 && *step <= kMaxStoredNudge ? *step : 0;
    }
    store_.DisplayKeypad();
    valuesLoaded_ = true;
}

void CPrefs::SaveValues() {
    namespace n = settings_name;
    const auto settings = store_.Open();
    WriteInteger(*settings, n::kDragMode, store_.View().DragMode() ? 1 : 0);
    WriteInteger(*settings, n::kDisplayKeypad, store_.DisplayKeypad() ? 1 : 0);
    WriteInteger(*settings, n::kInput, input_.Input);
    WriteInteger(*settings, n::kAngleStyle, input_.AngleStyle);
    WriteInteger(*settings, n::kCom, input_.COM);
    WriteInteger(*settings, n::kDirectionMode, input_.DirectionMode != 0 ? 1 : 0);
    WriteInteger(*settings, n::kQuickMode, input_.QuickMode != 0 ? 1 : 0);
    WriteColour(*settings, n::kWallColor, drawing_.WallColor);
    WriteColour(*settings, n::kSelectedColor, drawing_.SelectedColor);
    WriteColour(*settings, n::kAddedColor, drawing_.AddedColor);
    WriteColour(*settings, n::kRemovedColor, drawing_.RemovedColor);
    WriteInteger(*settings, n::kShowNames, drawing_.ShowNames ? 1 : 0);
    WriteInteger(*settings, n::kShowWallLengths, store_.View().ShowWallLengths() ? 1 : 0);
    settings->setValue(QLatin1String(n::kExportType), exportType_);
    // Written only once chosen, so that the starting value keeps following the units.
    if (defaultHeight_ > 0) {
        WriteInteger(*settings, n::kDefaultHeight, defaultHeight_);
    } else {
        settings->remove(QLatin1String(n::kDefaultHeight));
    }
    if (nudgeStep_ > 0) {
        WriteInteger(*settings, n::kNudgeStep, nudgeStep_);
    } else {
        settings->remove(QLatin1String(n::kNudgeStep));
    }
}

PrefsInputValues CPrefs::GetInputValues() const {
    LoadValues();
    return input_;
}

PrefsDrawingValues CPrefs::GetDrawingValues() const {
    LoadValues();
    PrefsDrawingValues values = drawing_;
    values.ShowWallLengths = store_.View().ShowWallLengths();
    return values;
}

bool CPrefs::GetDragMode() const {
    return store_.View().DragMode();
}

QString CPrefs::GetExportType() const {
    LoadValues();
    return exportType_;
}

double CPrefs::GetDefaultHeight() const {
    LoadValues();
    if (defaultHeight_ > 0) {
        return defaultHeight_ * kHeightStep;
    }
    return input_.UsesMetres() ? 2.5 : 8.0 * 0.3048;
}

double CPrefs::GetNudgeStep() const {
    LoadValues();
    if (nudgeStep_ > 0) {
        return nudgeStep_ * kNudgeUnit;
    }
    return input_.UsesMetres() ? 0.01 : 0.25 * 0.0254;
}

// Every setter loads first: the values it writes alongside its own must be the stored ones,
// not the defaults of a copy that has not been read yet.
void CPrefs::SetInputValues(const PrefsInputValues& values) {
    LoadValues();
    input_ = values;
    SaveValues();
}

void CPrefs::SetDrawingValues(const PrefsDrawingValues& values) {
    LoadValues();
    drawing_ = values;
    store_.View().SetShowWallLengths(values.ShowWallLengths);
    SaveValues();
}

void CPrefs::ToggleDragMode() {
    LoadValues();
    ViewSettings& view = store_.View();
    view.SetDragMode(!view.DragMode());
    SaveValues();
}

void CPrefs::SetExportType(const QString& type) {
    LoadValues();
    exportType_ = type;
    SaveValues();
}

void CPrefs::SetDefaultHeight(double metres) {
    LoadValues();
    const double steps = std::round(metres / kHeightStep);
    defaultHeight_ = std::isfinite(steps) && steps > 0.0
                         ? static_cast<qint32>(std::min<double>(steps, kMaxStoredHeight))
                         : 0;
    SaveValues();
}

void CPrefs::SetNudgeStep(double metres) {
    LoadValues();
    const double steps = std::round(metres / kNudgeUnit);
    nudgeStep_ = std::isfinite(steps) && steps > 0.0
                     ? static_cast<qint32>(std::min<double>(steps, kMaxStoredNudge))
                     : 0;
    SaveValues();
}

void CPrefs::LoadLists() const {
    if (listsLoaded_) {
        return;
    }
    // A missing or unreadable file leaves the lists as they are.
    CSiteTemplate::Read(location_.ReadPath(), lists_);
    listsLoaded_ = true;
}

bool CPrefs::SaveLists() {
    templateError_.clear();
    return CSiteTemplate::Write(location_.WritePath(), lists_, &templateError_);
}

QStringList CPrefs::GetRoomNames() const {
    LoadLists();
    return lists_.roomNames;
}

QList<TemplateMaterial> CPrefs::GetMaterials() const {
    LoadLists();
    return lists_.materials;
}

// As with the values, the list not being set must be the stored one before the file is
// rewritten, or setting one list would wipe the other.
bool CPrefs::SetRoomNames(const QStringList& names) {
    LoadLists();
    lists_.roomNames = names;
    return SaveLists();
}

bool CPrefs::SetMaterials(const QList<TemplateMaterial>& materials) {
    LoadLists();
    lists_.materials = materials;
    return SaveLists();
}

}  // namespace plantrek
