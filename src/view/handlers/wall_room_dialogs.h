#pragma once

#include <functional>
#include <memory>

// The dialogs of the Wall menu and of the room's move, rotate, reflect and start point
// commands, as the handlers see them: each fills a form and answers whether it was confirmed.
// The window shows real dialogs; handler tests script the answers.
namespace plantrek {

class AngleWallForm;
class ArcWallForm;
class CTracepadDoc;
class MoveForm;
class MoveWallEndForm;
class ProjectionForm;
class ReflectForm;
class RoomStartForm;
class RotateForm;
class UserPrompts;
class WallForm;

class WallRoomDialogs {
public:
    virtual ~WallRoomDialogs() = default;
    // Each shows its dialog filled from the form; true when it closed with OK and checked
    // values, which are then in the form. The document is only read.
    virtual bool Ask(const CTracepadDoc& doc, WallForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, ProjectionForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, ArcWallForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, AngleWallForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, MoveWallEndForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, MoveForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, RotateForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, ReflectForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, RoomStartForm& form) = 0;
};

// What the wall and room handlers work with.
struct EditingContext {
    std::function<CTracepadDoc*()> activeDocument;
    UserPrompts* prompts = nullptr;
    std::shared_ptr<WallRoomDialogs> dialogs;
};

}  // namespace plantrek
