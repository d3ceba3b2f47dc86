#pragma once

#include <QKeySequence>
#include <QString>

#include "document/command_state.h"

// What the window shows for a command and whether the active document lets it run. The one
// place the window reads command texts and document rules from; the command catalog will take
// its place.
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
