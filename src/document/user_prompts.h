#pragma once

#include <QString>

// How the document speaks to the person at the keyboard. The window shows message boxes, the
// command-line tool writes lines to standard error, and tests record what was said.
namespace plantrek {

enum class MessageIcon {
    Error,        // the input could not be read
    Warning,      // a value out of range, a refused operation, a failed file operation
    Information,  // a plain notice
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    virtual void ShowMessage(const QString& text, MessageIcon icon) = 0;
    // A question with the question icon and the buttons Yes and No; true for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
};

}  // namespace plantrek
