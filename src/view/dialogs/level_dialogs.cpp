#include "view/dialogs/level_dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace plantrek {

LevelDialog::LevelDialog(const CTracepadDoc& doc, LevelForm form, UserPrompts& prompts,
                         QWidget* parent)
    : DistoInputDlg(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(form_.purpose == LevelForm::Purpose::Add ? QStringLiteral("Add Level")
                                                            : QStringLiteral("Level Properties"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    name_ = new QLineEdit(form_.name, this);
    AddRow(fields, QStringLiteral("&Name:"), name_);
    elevation_ = NewLengthEdit(this);
    AddRow(fields, QStringLiteral("&Elevation:"), elevation_);
    const QString below = QStringLiteral("How high the floor stands; a minus sign for below.");
    elevation_->setAccessibleDescription(below);
    height_ = NewLengthEdit(this);
    AddRow(fields, QStringLiteral("Ceiling &height:"), height_);
    const QString hint =
        QStringLiteral("Leave empty for the default height, %1.").arg(form_.defaultHeight);
    height_->setAccessibleDescription(hint);
    auto* note = new QLabel(hint, this);
    note->setWordWrap(true);
    fields->addRow(QString(), note);
    layout->addLayout(fields);
    AddButtons(layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    BindLength(elevation_, elevation_, &form_.elevation);
    BindLength(height_, height_, &form_.height);
    name_->setFocus();
    name_->selectAll();
}

bool LevelDialog::TakeControls() {
    form_.name = name_->text();
    TakeBoundFields();
    return Passes(form_.Check(doc_), [this](LevelForm::Field field) -> QWidget* {
        switch (field) {
            case LevelForm::Field::Elevation:
                return elevation_;
            case LevelForm::Field::Height:
                return height_;
            case LevelForm::Field::Name:
                break;
        }
        return name_;
    });
}

MoveToLevelDialog::MoveToLevelDialog(const CTracepadDoc& doc, MoveToLevelForm form,
                                     UserPrompts& prompts, QWidget* parent)
    : EditingDialog(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(QStringLiteral("Move Room to Level"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    auto* room = new QLineEdit(form_.room, this);
    room->setReadOnly(true);
    AddRow(fields, QStringLiteral("&Room:"), room);
    level_ = new QComboBox(this);
    for (auto name = form_.levels.crbegin(); name != form_.levels.crend(); ++name) {
        level_->addItem(*name);
    }
    level_->setCurrentIndex(static_cast<int>(form_.levels.size()) - 1 - form_.chosen);
    AddRow(fields, QStringLiteral("&Level:"), level_);
    layout->addLayout(fields);
    AddButtons(layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    level_->setFocus();
}

bool MoveToLevelDialog::TakeControls() {
    form_.chosen = level_->currentIndex() < 0
                       ? -1
                       : static_cast<int>(form_.levels.size()) - 1 - level_->currentIndex();
    return Passes(form_.Check(doc_), [this](MoveToLevelForm::Field) { return level_; });
}

}  // namespace plantrek
