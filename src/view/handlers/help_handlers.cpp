// The Help menu: the topics and the About box.
#include "resources/command_ids.h"
#include "view/handlers/menu_handlers.h"

namespace plantrek {

void RegisterHelpHandlers(CommandRouter& r, const FrameCommands& frame) {
    using namespace command_id;
    // F1, the menu item and the older help ids all open the help topics.
    for (const int id : {kHelpFinder, kHelpIndex, kHelp}) {
        r.SetHandler(id, {frame.help});
    }
    r.SetHandler(kAppAbout, {frame.about});
}

}  // namespace plantrek
