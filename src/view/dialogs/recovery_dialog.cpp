#include "view/dialogs/recovery_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "document/recovery/recovery_store.h"

namespace plantrek {

namespace {

const char* const kChoiceTexts[] = {"Recover", "Discard", "Later"};

}  // namespace

QString RecoveryDialog::LineText(const RecoveryLine& line) {
    QString text =
        QStringLiteral("%1, changed %2, %3")
            .arg(line.name, QLocale().toString(line.changed.toLocalTime(), QLocale::ShortFormat),
                 line.rooms == 1 ? QStringLiteral("1 room")
                                 : QStringLiteral("%1 rooms").arg(line.rooms));
    if (line.savedFileNewer) {
        text += QStringLiteral(" (the saved file is newer)");
    }
    return text;
}

RecoveryDialog::RecoveryDialog(const std::vector<RecoveryLine>& lines, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Recover Sites"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Plantrek ended without saving these sites. Recover them, discard them, or "
                       "keep them for the next start."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString text = LineText(lines[i]);
        auto* label = new QLabel(text, this);
        auto* choice = new QComboBox(this);
        for (const char* item : kChoiceTexts) {
            choice->addItem(QString::fromLatin1(item));
        }
        choice->setCurrentIndex(static_cast<int>(lines[i].Proposed()));
        label->setBuddy(choice);
        // A screen reader names the choice by its site.
        choice->setAccessibleName(text);
        grid->addWidget(label, static_cast<int>(i), 0);
        grid->addWidget(choice, static_cast<int>(i), 1);
        choices_.push_back(choice);
    }
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)
        ->setToolTip(QStringLiteral("Keep every site for the next start"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    if (!choices_.empty()) {
        choices_.front()->setFocus();
    }
}

std::vector<RecoveryChoice> RecoveryDialog::Choices() const {
    std::vector<RecoveryChoice> chosen;
    for (const QComboBox* choice : choices_) {
        chosen.push_back(result() == Accepted ? static_cast<RecoveryChoice>(choice->currentIndex())
                                              : RecoveryChoice::Later);
    }
    return chosen;
}

std::vector<RecoveryChoice> QtRecoveryPrompt::AskRecovery(const std::vector<RecoveryLine>& lines) {
    RecoveryDialog dialog(lines, parent_);
    dialog.exec();
    return dialog.Choices();
}

void ShowRecoveryFailures(RecoveryStore& store, QStatusBar& statusBar) {
    QObject::connect(
        &store, &RecoveryStore::writeFailed, &statusBar, [&statusBar](const QString& reason) {
            statusBar.showMessage(
                QStringLiteral("Changes cannot be kept for recovery (%1). Save your work.")
                    .arg(reason));
        });
    QObject::connect(&store, &RecoveryStore::writesResumed, &statusBar, [&statusBar] {
        statusBar.showMessage(QStringLiteral("Changes are kept for recovery again."), 10000);
    });
}

}  // namespace plantrek
