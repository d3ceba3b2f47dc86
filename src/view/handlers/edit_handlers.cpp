// The Edit menu's commands that need no dialog.
#include "document/clip_item.h"
#include "document/tracepad_doc.h"
#include "resources/command_ids.h"
#include "view/handlers/menu_handlers.h"

namespace plantrek {

void RegisterEditHandlers(CommandRouter& r, const FrameCommands& frame, CClipHolder& clip) {
    using namespace command_id;
    r.SetHandler(kEditUndo, OnActiveDocument(frame, [](CTracepadDoc& d) { d.Undo(); }));
    r.SetHandler(kEditRedo, OnActiveDocument(frame, [](CTracepadDoc& d) { d.Redo(); }));
    // Paste becomes possible once something is kept.
    r.SetHandler(kEditCut, OnActiveDocument(frame, [&r, &clip](CTracepadDoc& d) {
        if (clip.Cut(d)) {
            r.Refresh();
        }
    }));
    r.SetHandler(kEditCopy, OnActiveDocument(frame, [&r, &clip](CTracepadDoc& d) {
        if (clip.Copy(d)) {
            r.Refresh();
        }
    }));
    r.SetHandler(kEditPaste, OnActiveDocument(frame, [&clip](CTracepadDoc& d) { clip.Paste(d); }));
    r.SetHandler(kEditClear, OnActiveDocument(frame, [](CTracepadDoc& d) { d.Delete(); }));
    r.SetHandler(kRelativeDirections,
                 OnActiveDocument(frame, [](CTracepadDoc& d) { d.ToggleRelativeDirections(); }));
}

}  // namespace plantrek
