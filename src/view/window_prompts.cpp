#include "view/window_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace plantrek {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::Information;
}

QString ProgramName() {
    return QApplication::applicationName();
}

}  // namespace

void QtWindowPrompts::ShowMessage(const QString& text, MessageIcon icon) {
    ShowCaptioned(ProgramName(), text, icon);
}

void QtWindowPrompts::ShowCaptioned(const QString& caption, const QString& text,
                                    MessageIcon icon) {
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtWindowPrompts::AskYesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, ProgramName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

bool QtWindowPrompts::AskCaptioned(const QString& caption, const QString& text,
                                   MessageIcon icon) {
    // Over the dialog that asks, when one is open.
    QWidget* modal = QApplication::activeModalWidget();
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No,
                    modal != nullptr ? modal : parent_);
    return box.exec() == QMessageBox::Yes;
}

SaveAnswer QtWindowPrompts::AskYesNoCancel(const QString& text) {
    QMessageBox box(QMessageBox::Question, ProgramName(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes: return SaveAnswer::Yes;
        case QMessageBox::No: return SaveAnswer::No;
        default: return SaveAnswer::Cancel;
    }
}

QString QtFileChooser::ChooseOpenFile(const QString& filter, const QString& folder) {
    return QFileDialog::getOpenFileName(parent_, QStringLiteral("Open"), folder, filter);
}

ChosenFile QtFileChooser::ChooseSaveFile(const QString& caption, const QString& proposedName,
                                         const QStringList& filters, int filterIndex,
                                         const QString& defaultSuffix) {
    QFileDialog dialog(parent_, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[filterIndex - 1]);
    }
    if (!defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(defaultSuffix);
    }
    if (!proposedName.isEmpty()) {
        dialog.selectFile(proposedName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return {dialog.selectedFiles().constFirst(),
            static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

}  // namespace plantrek
