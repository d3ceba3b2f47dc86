#pragma once

#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace plantrek {

class ViewSettings;

// Where the program keeps its settings: the maker's key for this user (the registry on
// Windows, an INI file elsewhere), or an INI file of the caller's choosing so that tests and
// portable set-ups never touch the user's own values.
//
// Copies share state: the application-wide DisplayKeypad flag lives here, read from the
// settings once and then kept in memory, so a document loading its preferences cannot undo a
// keypad toggle that has not been written yet; so do the view settings every window shows.
class SettingsStore {
public:
    // The user's own settings; every such store is the same one.
    SettingsStore();
    static SettingsStore AtFile(const QString& iniPath);

    std::unique_ptr<QSettings> Open() const;

    bool DisplayKeypad() const;
    void SetDisplayKeypad(bool display) const;
    // The view settings every window shows alike, one object for all copies of this store.
    ViewSettings& View() const;

private:
    struct Shared;
    explicit SettingsStore(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

    std::shared_ptr<Shared> shared_;
};

// Value names, exactly as stored.
namespace settings_name {
inline constexpr const char* kInput = "Input";
inline constexpr const char* kAngleStyle = "AngleStyle";
inline constexpr const char* kCom = "COM";
inline constexpr const char* kDirectionMode = "DirectionMode";
inline constexpr const char* kQuickMode = "QuickMode";
inline constexpr const char* kWallColor = "WallColor";
inline constexpr const char* kSelectedColor = "SelectedColor";
inline constexpr const char* kAddedColor = "AddedColor";
inline constexpr const char* kRemovedColor = "RemovedColor";
inline constexpr const char* kShowNames = "ShowNames";
inline constexpr const char* kShowWallLengths = "WallLengths";
inline constexpr const char* kDragMode = "DragMode";
inline constexpr const char* kShowLevelBelow = "LevelBelow";
inline constexpr const char* kExportType = "ExportType";
inline constexpr const char* kDefaultHeight = "DefaultHeight";  // tenths of a millimetre
inline constexpr const char* kNudgeStep = "NudgeStep";  // micrometres
inline constexpr const char* kDisplayKeypad = "DisplayKeypad";
inline constexpr const char* kKeypadX = "KeypadX";
inline constexpr const char* kKeypadY = "KeypadY";
inline constexpr const char* kRoomSummaryName = "RoomSummaryName";
inline constexpr const char* kRoomSummaryArea = "RoomSummaryArea";
inline constexpr const char* kRoomSummaryPerimeter = "RoomSummaryPerimeter";
}  // namespace settings_name

// A stored 32-bit integer, or nothing when the value is missing or is no integer of that size
// (values up to 0xFFFFFFFF are taken as the same 32 bits, as colours are stored).
std::optional<qint32> ReadIntegerSetting(const QSettings& settings, const char* name);
// A stored string, or nothing when the value is missing or not a string.
std::optional<QString> ReadStringSetting(const QSettings& settings, const char* name);

struct KeypadSettings {
    bool display = false;
    std::optional<int> x;  // only when stored
    std::optional<int> y;
};

KeypadSettings ReadKeypadSettings(const SettingsStore& store);
// Stores all three values and makes display the application's current flag.
void WriteKeypadSettings(const SettingsStore& store, bool display, int x, int y);

// Column widths in pixels of the room summary list.
struct RoomSummaryWidths {
    int name = 90;
    int area = 65;
    int perimeter = 65;

    friend bool operator==(const RoomSummaryWidths&, const RoomSummaryWidths&) = default;
};

RoomSummaryWidths ReadRoomSummaryWidths(const SettingsStore& store);
void WriteRoomSummaryWidths(const SettingsStore& store, const RoomSummaryWidths& widths);

}  // namespace plantrek
