#pragma once

#include <QString>

// How the sound side speaks to the person: the window shows message boxes with these captions,
// the command-line tool and tests record the lines.
namespace plantrek {

class AudioPrompts {
public:
    virtual ~AudioPrompts() = default;
    // A message with the stop icon.
    virtual void ShowStop(const QString& caption, const QString& text) = 0;
    // A question with the warning icon and the buttons Yes and No; true for Yes.
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
};

QString PlayErrorText(const QString& reason);
QString RecordErrorText(const QString& reason);
QString PlayErrorCaption();
QString RecordErrorCaption();

}  // namespace plantrek
