#pragma once

#include <QKeySequence>
#include <QString>

#include "document/command_state.h"

// What the window shows for a command, read from its catalog row (the fallbacks a toolbar
// button needs), and whether the active document lets it run.
namespace plantrek {

class CClipItem;
class CTracepadDoc;

struct CommandPresentation {
    QString menuText;  // with "&" before the mnemonic, without the shortcut
    QKeySequence shortcut;
    QString prompt;    // the status bar text
    QString toolTip;   // falls back to the menu text without "&" and dots
};

CommandPresentation PresentationOf(int id);

// The rule of a command the document owns; disabled without a document.
CommandState DocumentCommandState(const CTracepadDoc* doc, int id, const CClipItem* keptItem);

}  // namespace plantrek
