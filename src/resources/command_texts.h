#pragma once

#include <QString>

#include <optional>

// What a command shows: its menu text ("&" marks the mnemonic, a tab the shortcut) and its
// status text (the prompt, then after a line end the tool tip).
namespace plantrek {

struct CommandText {
    QString menu;
    QString status;
};

// Nothing for an id the table does not hold.
std::optional<CommandText> CommandTextFor(int id);

// The status text up to its line end: the prompt shown in the status bar.
QString CommandPrompt(int id);
// The status text after its line end; empty when there is none.
QString CommandToolTip(int id);
// The menu text without its mnemonic mark, shortcut and trailing dots: "Move Room".
QString CommandPlainName(int id);

}  // namespace plantrek
