#pragma once

#include <utility>

#include "document/forms/ask_check_apply.h"
#include "document/tracepad_doc.h"
#include "view/commands/command_router.h"
#include "view/handlers/form_dialogs.h"

// The shape every dialog command shares: a form from the document, the dialog, and on OK the
// form's check and operation. The command's rule is the document's.
namespace plantrek {

// `make` builds the form from the document; `opening` may refuse the command before the dialog
// shows (it returns false after saying why).
template <typename Form, typename Make, typename Opening>
CommandRouter::Handler DialogCommand(const EditingContext& context, int id, Make make,
                                     Opening opening) {
    return CommandRouter::Handler{
        [context, make, opening] {
            CTracepadDoc* doc = context.activeDocument ? context.activeDocument() : nullptr;
            if (doc == nullptr || !opening(*doc)) {
                return;
            }
            Form form = make(*doc);
            AskCheckApply(*doc, *context.prompts, form,
                          [&](Form& f) { return context.dialogs->Ask(*doc, f); });
        },
        [context, id] {
            const CTracepadDoc* doc = context.activeDocument ? context.activeDocument() : nullptr;
            return doc != nullptr ? doc->GetCommandState(id) : CommandState{};
        }};
}

template <typename Form, typename Make>
CommandRouter::Handler DialogCommand(const EditingContext& context, int id, Make make) {
    return DialogCommand<Form>(context, id, std::move(make),
                               [](const CTracepadDoc&) { return true; });
}

}  // namespace plantrek
