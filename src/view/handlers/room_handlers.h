#pragma once

#include <functional>

#include "document/command_state.h"
#include "view/handlers/form_dialogs.h"

// The Rooms menu's dialog commands (Add Room, Room Properties, Edit Materials, Room Summary)
// and Preferences: each fills its form from the document, asks its dialog, and checks and
// applies the form on OK.
namespace plantrek {

class CommandRouter;

// `stateOf` is the document's rule for a command id (disabled without a document).
void RegisterRoomHandlers(CommandRouter& router, const EditingContext& context,
                          std::function<CommandState(int id)> stateOf);

}  // namespace plantrek
