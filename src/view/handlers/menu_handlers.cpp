#include "view/handlers/menu_handlers.h"

#include "view/child_frame.h"

namespace plantrek {

CommandRouter::Handler OnActiveChild(const FrameCommands& frame,
                                     std::function<void(CTracepadChildFrame&)> run) {
    return {[active = frame.activeChild, run = std::move(run)] {
        if (CTracepadChildFrame* child = active()) {
            run(*child);
        }
    }};
}

CommandRouter::Handler OnActiveDocument(const FrameCommands& frame,
                                        std::function<void(CTracepadDoc&)> run) {
    return {[active = frame.activeDocument, run = std::move(run)] {
        if (CTracepadDoc* doc = active()) {
            run(*doc);
        }
    }};
}

}  // namespace plantrek
