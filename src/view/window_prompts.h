#pragma once

#include <QString>
#include <QStringList>

#include "document/user_prompts.h"

class QWidget;

// Every box and file dialog the window shows goes through these two interfaces, so tests
// replace them with recorders and never wait on a modal window.
namespace plantrek {

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

// Message boxes over the given window.
class QtWindowPrompts : public WindowPrompts {
public:
    explicit QtWindowPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const QString& text, MessageIcon icon) override;
    bool AskYesNo(const QString& text) override;
    void ShowCaptioned(const QString& caption, const QString& text, MessageIcon icon) override;
    SaveAnswer AskYesNoCancel(const QString& text) override;
    bool AskCaptioned(const QString& caption, const QString& text, MessageIcon icon) override;

private:
    QWidget* parent_;
};

class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    QString ChooseOpenFile(const QString& filter, const QString& folder) override;
    ChosenFile ChooseSaveFile(const QString& caption, const QString& proposedName,
                              const QStringList& filters, int filterIndex,
                              const QString& defaultSuffix) override;

private:
    QWidget* parent_;
};

}  // namespace plantrek
