// The Window menu's commands (the window list itself is the frame's).
#include "resources/command_ids.h"
#include "view/handlers/menu_handlers.h"

namespace plantrek {

void RegisterWindowHandlers(CommandRouter& r, const FrameCommands& frame) {
    using namespace command_id;
    r.SetHandler(kWindowNew, OnActiveChild(frame, [open = frame.newWindow](CTracepadChildFrame&) {
        open();
    }));
    r.SetHandler(kWindowCascade, {frame.cascade});
    r.SetHandler(kWindowTile, {frame.tile});
    r.SetHandler(kWindowArrange, {frame.arrangeIcons});
}

}  // namespace plantrek
