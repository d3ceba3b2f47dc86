#pragma once

#include <QPointer>
#include <QWidget>

#include "document/settings_store.h"
#include "view/handlers/form_dialogs.h"

// The form dialogs as the window shows them: modal over the owner, centred on it.
namespace plantrek {

class QtFormDialogs : public FormDialogs {
public:
    QtFormDialogs(QWidget* owner, UserPrompts& prompts, SettingsStore store);

    bool Ask(const CTracepadDoc& doc, WallForm& form) override;
    bool Ask(const CTracepadDoc& doc, ProjectionForm& form) override;
    bool Ask(const CTracepadDoc& doc, ArcWallForm& form) override;
    bool Ask(const CTracepadDoc& doc, AngleWallForm& form) override;
    bool Ask(const CTracepadDoc& doc, MoveWallEndForm& form) override;
    bool Ask(const CTracepadDoc& doc, MoveForm& form) override;
    bool Ask(const CTracepadDoc& doc, RotateForm& form) override;
    bool Ask(const CTracepadDoc& doc, ReflectForm& form) override;
    bool Ask(const CTracepadDoc& doc, RoomStartForm& form) override;
    bool Ask(const CTracepadDoc& doc, OpeningForm& form) override;
    bool Ask(const CTracepadDoc& doc, RoomForm& form) override;
    bool Ask(const CTracepadDoc& doc, NewMaterialForm& form) override;
    bool Ask(const CTracepadDoc& doc, MaterialForm& form) override;
    bool Ask(const CTracepadDoc& doc, PreferencesForm& form) override;
    bool Ask(const CTracepadDoc& doc, LevelForm& form) override;
    bool Ask(const CTracepadDoc& doc, MoveToLevelForm& form) override;
    void ShowRoomSummary(const CTracepadDoc& doc) override;
    void ShowCheckPlan(const std::vector<PlanFindingLine>& lines,
                       const std::function<void(int line)>& choose) override;

private:
    QPointer<QWidget> owner_;
    UserPrompts& prompts_;
    SettingsStore store_;
};

}  // namespace plantrek
