// The File menu.
#include "resources/command_ids.h"
#include "view/child_frame.h"
#include "view/handlers/menu_handlers.h"

namespace plantrek {

void RegisterFileHandlers(CommandRouter& r, const FrameCommands& frame) {
    using namespace command_id;
    r.SetHandler(kFileNew, {frame.newDocument});
    r.SetHandler(kFileOpen, {frame.openDocument});
    r.SetHandler(kFileClose, OnActiveChild(frame, [](CTracepadChildFrame& child) { child.close(); }));
    r.SetHandler(kFileSave, OnActiveChild(frame, frame.save));
    r.SetHandler(kFileSaveAs, OnActiveChild(frame, frame.saveAs));
    r.SetHandler(kExport, OnActiveChild(frame, [run = frame.exportActive](CTracepadChildFrame&) {
        run();
    }));
    r.SetHandler(kFilePrint, OnActiveChild(frame, [print = frame.print](CTracepadChildFrame&) {
        print(false);
    }));
    r.SetHandler(kFilePrintPreview,
                 OnActiveChild(frame, [print = frame.print](CTracepadChildFrame&) { print(true); }));
    r.SetHandler(kFilePrintSetup, {frame.printSetup});
    for (int i = 0; i < frame.recentCount; ++i) {
        r.SetHandler(kFileMru1 + i, {[open = frame.openRecent, i] { open(i); }});
    }
    r.SetHandler(kAppExit, {frame.exit});
}

}  // namespace plantrek
