// The Help menu's topics (About is registered with the other program dialogs).
#include "resources/command_ids.h"
#include "view/handlers/menu_handlers.h"

namespace plantrek {

void RegisterHelpHandlers(CommandRouter& r, const FrameCommands& frame) {
    using namespace command_id;
    // F1, the menu item and the older help ids all open the help topics.
    for (const int id : {kHelpFinder, kHelpIndex, kHelp}) {
        r.SetHandler(id, {frame.help});
    }
}

}  // namespace plantrek
