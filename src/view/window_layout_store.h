#pragma once

#include "document/settings_store.h"

class QMainWindow;
class QWidget;

// Where the main window, its toolbars and the keypad stood, kept in the settings from one run
// to the next under the keys earlier runs wrote ("MainFrameGeometry", "CommandBars", the
// hidden toolbar buttons and the keypad's place).
namespace plantrek {

class ToolBarLayout;

class WindowLayoutStore {
public:
    explicit WindowLayoutStore(SettingsStore store) : store_(std::move(store)) {}

    // Puts the window, its toolbars and the keypad where they were. Returns false when the
    // keypad has no place yet (the first run): the window places it once it shows.
    bool Restore(QMainWindow& frame, ToolBarLayout& toolBars, QWidget& keypad) const;
    void Save(const QMainWindow& frame, const ToolBarLayout& toolBars, const QWidget& keypad) const;

private:
    SettingsStore store_;
};

}  // namespace plantrek
