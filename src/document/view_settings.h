#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QSettings;

// The view settings the program shows the same in every window: whether wall lengths are
// written on the plan, whether drag mode is on and whether the level below shows faintly. There is one object per settings store;
// every document's preferences and every plan view go through it, and each change is stored
// at once and announced so that every window and check mark follows.
namespace plantrek {

class ViewSettings : public QObject {
    Q_OBJECT
public:
    using SettingsOpener = std::function<std::unique_ptr<QSettings>()>;

    // The values are read through the opener the first time they are asked for.
    explicit ViewSettings(SettingsOpener open, QObject* parent = nullptr);

    bool ShowWallLengths() const;
    bool DragMode() const;
    // Whether a plan draws the rooms of the level below its own faintly (on until turned off).
    bool ShowLevelBelow() const;
    // Each setter stores and announces a value that changes; an unchanged one does nothing.
    void SetShowWallLengths(bool show);
    void SetDragMode(bool on);
    void SetShowLevelBelow(bool show);

signals:
    void changed();

private:
    void Load() const;
    void Store(const char* name, bool value);

    SettingsOpener open_;
    mutable bool loaded_ = false;
    mutable bool showWallLengths_ = false;
    mutable bool dragMode_ = false;
    mutable bool showLevelBelow_ = true;
};

}  // namespace plantrek
