#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "document/command_state.h"
#include "document/forms/preferences_form.h"
#include "document/forms/room_form.h"

// The Rooms menu's dialog commands (Add Room, Room Properties, Edit Materials, Room Summary),
// Preferences and the About box: each fills its form from the document, asks its dialog and
// applies the form on OK.
namespace plantrek {

class CommandRouter;
class CTracepadDoc;

// The dialogs these commands open. The window shows real ones; tests script the answers.
class RoomDialogs {
public:
    virtual ~RoomDialogs() = default;
    // "Add Room" or "Edit Room"; true for OK with the form holding the answer.
    virtual bool AskRoom(RoomForm& form, const CTracepadDoc& doc) = 0;
    // "Add Material" for a material name the site does not have; nothing when dismissed.
    virtual std::optional<NewMaterialChoice> AskNewMaterial(NewMaterialForm& form,
                                                            const CTracepadDoc& doc) = 0;
    virtual bool AskMaterial(MaterialForm& form, const CTracepadDoc& doc) = 0;
    virtual bool AskPreferences(PreferencesForm& form) = 0;
    virtual void ShowRoomSummary(const CTracepadDoc& doc) = 0;
    virtual void ShowAbout() = 0;
};

struct RoomCommandContext {
    std::function<CTracepadDoc*()> activeDocument;
    // The document's rule for a command id (disabled without a document).
    std::function<CommandState(int id)> stateOf;
};

void RegisterRoomHandlers(CommandRouter& router, RoomCommandContext context,
                          std::shared_ptr<RoomDialogs> dialogs);

}  // namespace plantrek
