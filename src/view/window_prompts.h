#pragma once

#include <QString>
#include <QStringList>

#include "document/user_prompts.h"

class QWidget;

// The window's message boxes and file dialogs behind the interfaces the documents are managed
// through.
namespace plantrek {

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
