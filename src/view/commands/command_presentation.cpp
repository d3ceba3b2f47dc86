#include "view/commands/command_presentation.h"

#include "document/tracepad_doc.h"
#include "resources/command_catalog.h"

namespace plantrek {

CommandPresentation PresentationOf(int id) {
    CommandPresentation result;
    const CommandRow* row = FindCommand(id);
    if (row == nullptr) {
        return result;
    }
    result.menuText = row->MenuText();
    if (result.menuText.isEmpty()) {
        // A toolbar button's action still needs a name for the customise list and for screen
        // readers.
        result.menuText = row->Prompt();
    }
    result.shortcut = QKeySequence(row->Shortcut(), QKeySequence::PortableText);
    result.prompt = row->Prompt();
    result.toolTip = row->ToolTip();
    if (result.toolTip.isEmpty()) {
        result.toolTip = row->PlainName();
    }
    return result;
}

CommandState DocumentCommandState(const CTracepadDoc* doc, int id, const CClipItem* keptItem) {
    if (doc == nullptr) {
        return {};
    }
    return doc->GetCommandState(id, keptItem);
}

}  // namespace plantrek
