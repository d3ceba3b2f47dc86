// The View menu, and the plan view's own commands on the Rooms menu and the toolbars.
#include "document/view_settings.h"
#include "resources/command_catalog.h"
#include "resources/command_ids.h"
#include "view/child_frame.h"
#include "view/handlers/menu_handlers.h"
#include "view/tracepad_view.h"

namespace plantrek {

void RegisterViewHandlers(CommandRouter& r, const FrameCommands& frame, ViewSettings& view) {
    using namespace command_id;
    // Zoom, snap and the note buttons belong to the active plan view: it runs them and answers
    // their rules.
    for (const CommandRow& row : CommandCatalog()) {
        if (row.owner == CommandOwner::View) {
            r.SetHandler(row.id, OnActiveChild(frame, [id = row.id](CTracepadChildFrame& c) {
                c.Plan().Run(id);
            }));
        }
    }
    // Drag mode, wall lengths and the faint level below are the program's, the same in every
    // window.
    r.SetHandler(kDragMode, {[&view] { view.SetDragMode(!view.DragMode()); }});
    r.SetHandler(kWallLengths, {[&view] { view.SetShowWallLengths(!view.ShowWallLengths()); }});
    r.SetHandler(kShowLevelBelow,
                 {[&view] { view.SetShowLevelBelow(!view.ShowLevelBelow()); }});
    r.SetHandler(kKeypad, {frame.toggleKeypad});
    r.SetHandler(kViewStatusBar, {frame.toggleStatusBar});
    r.SetHandler(kCustomize, {frame.customize});
    r.SetHandler(kReconnectDisto, {frame.reconnect});
}

}  // namespace plantrek
