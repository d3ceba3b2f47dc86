#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

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

// What managing documents asks of the person besides messages: the not-saved question and
// file dialogs. Tests replace them with recorders and never wait on a modal window.
enum class SaveAnswer { Yes, No, Cancel };

class WindowPrompts : public UserPrompts {
public:
    // A box with a caption of its own ("Export Error").
    virtual void ShowCaptioned(const QString& caption, const QString& text, MessageIcon icon) = 0;
    // "Save changes to Plantrek1?" with Yes, No and Cancel.
    virtual SaveAnswer AskYesNoCancel(const QString& text) = 0;
    // A Yes/No question with a caption and icon of its own ("Delete Annotation?"); true for
    // Yes. Prompts that keep no captions ask it as a plain question.
    virtual bool AskCaptioned(const QString& caption, const QString& text, MessageIcon icon) {
        (void)caption;
        (void)icon;
        return AskYesNo(text);
    }
};

// A chosen file and, for save dialogs with several filters, the filter chosen (from 1).
struct ChosenFile {
    QString path;
    int filterIndex = 1;
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Starts in the given folder. Empty when cancelled.
    virtual QString ChooseOpenFile(const QString& filter, const QString& folder) = 0;
    // filters are Qt name filters ("Plantrek Files (*.tcd)"); the dialog opens on
    // filterIndex (from 1) and asks before overwriting. defaultSuffix, when given, is appended
    // to a name typed without one. Empty path when cancelled.
    virtual ChosenFile ChooseSaveFile(const QString& caption, const QString& proposedName,
                                      const QStringList& filters, int filterIndex,
                                      const QString& defaultSuffix) = 0;
};

// "Recover Sites" at start-up: one line per site that a program left behind when it ended
// without saving, and the user's choice for each.
enum class RecoveryChoice { Recover, Discard, Later };

struct RecoveryLine {
    QString name;  // the file's path, or the title of an unnamed site
    QDateTime changed;
    int rooms = 0;
    // The file at the path was saved after the last change the state holds.
    bool savedFileNewer = false;
    // Recover, or Discard when the saved file is newer.
    RecoveryChoice Proposed() const {
        return savedFileNewer ? RecoveryChoice::Discard : RecoveryChoice::Recover;
    }
};

class RecoveryPrompt {
public:
    virtual ~RecoveryPrompt() = default;
    // A choice per line, in order; fewer (none when dismissed) leave the rest for later.
    virtual std::vector<RecoveryChoice> AskRecovery(const std::vector<RecoveryLine>& lines) = 0;
};

}  // namespace plantrek
