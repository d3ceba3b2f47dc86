#pragma once

#include <functional>
#include <memory>

#include "audio/io/annotation_session.h"
#include "view/tracepad_view.h"

// The notes in the window: the sound the frame owns (one recording or playback at a time in
// the program), "Edit Room Annotation..." and "Edit Site Annotation..." opening the
// "Annotation" dialog, and the plan view's five note buttons.
namespace plantrek {

class CommandRouter;
class WindowPrompts;

struct AnnotationCommandContext {
    std::function<CTracepadDoc*()> activeDocument;
    // Shows the "Annotation" dialog on the list; modified is called when the list changed.
    std::function<void(AnnotationList& list, std::function<void()> modified)> showDialog;
};

void RegisterAnnotationHandlers(CommandRouter& router, AnnotationCommandContext context);

// The plan view's note buttons on the list its selection names. The end of a playback started
// there reaches the view; refresh brings every command's state up to date.
CTracepadView::AnnotationHooks ViewAnnotationHooks(CTracepadView& view, AudioServices& audio,
                                                   std::function<void()> refresh);

}  // namespace plantrek
