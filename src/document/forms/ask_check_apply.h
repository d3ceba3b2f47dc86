#pragma once

#include <utility>

#include "document/tracepad_doc.h"
#include "document/user_prompts.h"

// The one path of every command that edits the document through a form, in the window and on
// the command line alike: the form is filled (by a dialog, or by a script line's words), then
// checked, then applied. A form that fails its check is never applied, whatever filled it: the
// refusal is shown with the warning icon and the document is left as it was.
namespace plantrek {

// `ask(form)` fills the form and answers whether the person confirmed it. True when the form
// was confirmed, passed its check and was applied.
template <typename Form, typename Ask>
bool AskCheckApply(CTracepadDoc& doc, UserPrompts& prompts, Form& form, Ask&& ask) {
    if (!std::forward<Ask>(ask)(form)) {
        return false;
    }
    if (const auto refusal = form.Check(doc)) {
        prompts.ShowMessage(refusal->message, MessageIcon::Warning);
        return false;
    }
    form.Apply(doc);
    return true;
}

}  // namespace plantrek
