#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

#include "view/handlers/wall_room_dialogs.h"

// The wall and room editing dialogs as the window shows them: modal over the owner, centred on
// it.
namespace plantrek {

class CommandRouter;

class QtWallRoomDialogs : public WallRoomDialogs {
public:
    QtWallRoomDialogs(UserPrompts& prompts, QWidget* owner) : prompts_(prompts), owner_(owner) {}

    bool Ask(const CTracepadDoc& doc, WallForm& form) override;
    bool Ask(const CTracepadDoc& doc, ProjectionForm& form) override;
    bool Ask(const CTracepadDoc& doc, ArcWallForm& form) override;
    bool Ask(const CTracepadDoc& doc, AngleWallForm& form) override;
    bool Ask(const CTracepadDoc& doc, MoveWallEndForm& form) override;
    bool Ask(const CTracepadDoc& doc, MoveForm& form) override;
    bool Ask(const CTracepadDoc& doc, RotateForm& form) override;
    bool Ask(const CTracepadDoc& doc, ReflectForm& form) override;
    bool Ask(const CTracepadDoc& doc, RoomStartForm& form) override;

private:
    UserPrompts& prompts_;
    QPointer<QWidget> owner_;
};

// The window's wall and room editing commands with their dialogs over `owner`.
void RegisterWallRoomDialogs(CommandRouter& router,
                             std::function<CTracepadDoc*()> activeDocument, UserPrompts& prompts,
                             QWidget* owner);

}  // namespace plantrek
