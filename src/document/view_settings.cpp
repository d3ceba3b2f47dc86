#include "document/view_settings.h"

#include <QSettings>

#include "document/settings_store.h"

namespace plantrek {

namespace {

void ReadFlag(const QSettings& settings, const char* name, bool& flag) {
    if (const auto stored = ReadIntegerSetting(settings, name)) {
        flag = *stored != 0;
    }
}

}  // namespace

ViewSettings::ViewSettings(SettingsOpener open, QObject* parent)
    : QObject(parent), open_(std::move(open)) {}

void ViewSettings::Load() const {
    if (loaded_) {
        return;
    }
    const auto settings = open_();
    ReadFlag(*settings, settings_name::kShowWallLengths, showWallLengths_);
    ReadFlag(*settings, settings_name::kDragMode, dragMode_);
    ReadFlag(*settings, settings_name::kShowLevelBelow, showLevelBelow_);
    loaded_ = true;
}

bool ViewSettings::ShowWallLengths() const {
    Load();
    return showWallLengths_;
}

bool ViewSettings::DragMode() const {
    Load();
    return dragMode_;
}

bool ViewSettings::ShowLevelBelow() const {
    Load();
    return showLevelBelow_;
}

void ViewSettings::Store(const char* name, bool value) {
    open_()->setValue(QLatin1String(name), value ? 1 : 0);
    emit changed();
}

void ViewSettings::SetShowWallLengths(bool show) {
    if (ShowWallLengths() != show) {
        showWallLengths_ = show;
        Store(settings_name::kShowWallLengths, show);
    }
}

void ViewSettings::SetDragMode(bool on) {
    if (DragMode() != on) {
        dragMode_ = on;
        Store(settings_name::kDragMode, on);
    }
}

void ViewSettings::SetShowLevelBelow(bool show) {
    if (ShowLevelBelow() != show) {
        showLevelBelow_ = show;
        Store(settings_name::kShowLevelBelow, show);
    }
}

}  // namespace plantrek
