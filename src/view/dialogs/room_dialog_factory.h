#pragma once

#include <QPointer>
#include <QWidget>

#include "document/settings_store.h"
#include "view/handlers/room_handlers.h"

// The real room, material, preference, summary and About dialogs, modal over the main window.
namespace plantrek {

class UserPrompts;

class QtRoomDialogs : public RoomDialogs {
public:
    QtRoomDialogs(QWidget* owner, UserPrompts& prompts, SettingsStore store);

    bool AskRoom(RoomForm& form, const CTracepadDoc& doc) override;
    std::optional<NewMaterialChoice> AskNewMaterial(NewMaterialForm& form,
                                                    const CTracepadDoc& doc) override;
    bool AskMaterial(MaterialForm& form, const CTracepadDoc& doc) override;
    bool AskPreferences(PreferencesForm& form) override;
    void ShowRoomSummary(const CTracepadDoc& doc) override;
    void ShowAbout() override;

private:
    QPointer<QWidget> owner_;
    UserPrompts& prompts_;
    SettingsStore store_;
};

}  // namespace plantrek
