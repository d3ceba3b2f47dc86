#include "document/settings_store.h"

#include <QSettings>

#include "document/view_settings.h"

#include <limits>

namespace plantrek {

struct SettingsStore::Shared {
    QString iniPath;  // empty: the user's own settings
    std::optional<bool> displayKeypad;
    std::unique_ptr<ViewSettings> view;
};

SettingsStore::SettingsStore() {
    static const std::shared_ptr<Shared> user = std::make_shared<Shared>();
    shared_ = user;
}

SettingsStore SettingsStore::AtFile(const QString& iniPath) {
    auto shared = std::make_shared<Shared>();
    shared->iniPath = iniPath;
    return SettingsStore(std::move(shared));
}

std::unique_ptr<QSettings> SettingsStore::Open() const {
    if (shared_->iniPath.isEmpty()) {
        return std::make_unique<QSettings>(QStringLiteral("Corvane Software"),
                                           QStringLiteral("Plantrek"));
    }
    return std::make_unique<QSettings>(shared_->iniPath, QSettings::IniFormat);
}

bool SettingsStore::DisplayKeypad() const {
    if (!shared_->displayKeypad.has_value()) {
        const auto settings = Open();
        const auto stored = ReadIntegerSetting(*settings, settings_name::kDisplayKeypad);
        shared_->displayKeypad = stored.has_value() && *stored != 0;
    }
    return *shared_->displayKeypad;
}

void SettingsStore::SetDisplayKeypad(bool display) const {
    shared_->displayKeypad = display;
}

ViewSettings& SettingsStore::View() const {
    if (!shared_->view) {
        // The opener holds a store without this object, not the shared state that owns it.
        shared_->view = std::make_unique<ViewSettings>(
            [store = shared_->iniPath.isEmpty() ? SettingsStore() : AtFile(shared_->iniPath)] {
                return store.Open();
            });
    }
    return *shared_->view;
}

std::optional<qint32> ReadIntegerSetting(const QSettings& settings, const char* name) {
    const QVariant value = settings.value(QLatin1String(name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    bool ok = false;
    qint64 number = 0;
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            number = value.toLongLong(&ok);
            break;
        case QMetaType::QString:
            number = value.toString().trimmed().toLongLong(&ok);
            break;
        default:
            // Booleans, lists and the like are not what this value holds.
            return std::nullopt;
    }
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > static_cast<qint64>(std::numeric_limits<quint32>::max())) {
        return std::nullopt;
    }
    return static_cast<qint32>(static_cast<quint32>(number));
}

std::optional<QString> ReadStringSetting(const QSettings& settings, const char* name) {
    const QVariant value = settings.value(QLatin1String(name));
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString();
}

KeypadSettings ReadKeypadSettings(const SettingsStore& store) {
    KeypadSettings keypad;
    keypad.display = store.DisplayKeypad();
    const auto settings = store.Open();
    if (const auto x = ReadIntegerSetting(*settings, settings_name::kKeypadX)) {
        keypad.x = *x;
    }
    if (const auto y = ReadIntegerSetting(*settings, settings_name::kKeypadY)) {
        keypad.y = *y;
    }
    return keypad;
}

void WriteKeypadSettings(const SettingsStore& store, bool display, int x, int y) {
    store.SetDisplayKeypad(display);
    const auto settings = store.Open();
    settings->setValue(QLatin1String(settings_name::kDisplayKeypad), display ? 1 : 0);
    settings->setValue(QLatin1String(settings_name::kKeypadX), x);
    settings->setValue(QLatin1String(settings_name::kKeypadY), y);
}

RoomSummaryWidths ReadRoomSummaryWidths(const SettingsStore& store) {
    RoomSummaryWidths widths;
    const auto settings = store.Open();
    widths.name =
        ReadIntegerSetting(*settings, settings_name::kRoomSummaryName).value_or(widths.name);
    widths.area =
        ReadIntegerSetting(*settings, settings_name::kRoomSummaryArea).value_or(widths.area);
    widths.perimeter = ReadIntegerSetting(*settings, settings_name::kRoomSummaryPerimeter)
                           .value_or(widths.perimeter);
    return widths;
}

void WriteRoomSummaryWidths(const SettingsStore& store, const RoomSummaryWidths& widths) {
    const auto settings = store.Open();
    settings->setValue(QLatin1String(settings_name::kRoomSummaryName), widths.name);
    settings->setValue(QLatin1String(settings_name::kRoomSummaryArea), widths.area);
    settings->setValue(QLatin1String(settings_name::kRoomSummaryPerimeter), widths.perimeter);
}

}  // namespace plantrek
