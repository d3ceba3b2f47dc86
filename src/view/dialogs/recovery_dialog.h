#pragma once

#include <QDialog>

#include <vector>

#include "document/user_prompts.h"

class QComboBox;
class QStatusBar;

// "Recover Sites": at start-up, one line per site that a program left unsaved when it ended,
// each with its choice: Recover, Discard, or Later (kept for the next start).
namespace plantrek {

class RecoveryStore;

class RecoveryDialog : public QDialog {
public:
    RecoveryDialog(const std::vector<RecoveryLine>& lines, QWidget* parent);
    // The choice of every line; Later for all when the dialog was cancelled.
    std::vector<RecoveryChoice> Choices() const;
    QComboBox* ChoiceBox(int line) const { return choices_.at(static_cast<std::size_t>(line)); }

    // How a line reads: "Mill Lane.tcd, changed 07/12/2026 20:31, 14 rooms".
    static QString LineText(const RecoveryLine& line);

private:
    std::vector<QComboBox*> choices_;
};

// The dialog as the program asks it, modal over the window.
class QtRecoveryPrompt : public RecoveryPrompt {
public:
    explicit QtRecoveryPrompt(QWidget* parent) : parent_(parent) {}
    std::vector<RecoveryChoice> AskRecovery(const std::vector<RecoveryLine>& lines) override;

private:
    QWidget* parent_;
};

// Says in the status bar when recovery states cannot be written, once until they can again.
void ShowRecoveryFailures(RecoveryStore& store, QStatusBar& statusBar);

}  // namespace plantrek
