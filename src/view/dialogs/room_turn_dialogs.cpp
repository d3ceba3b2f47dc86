#include "view/dialogs/room_turn_dialogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace plantrek {

namespace {

// A framed pair of choices, the first checked unless `second` is.
QGroupBox* NewChoice(QWidget* parent, const QString& title, QRadioButton* first,
                     QRadioButton* second, bool secondChosen) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    first->setParent(group);
    second->setParent(group);
    layout->addWidget(first);
    layout->addWidget(second);
    (secondChosen ? second : first)->setChecked(true);
    return group;
}

}  // namespace

RotateRoomDialog::RotateRoomDialog(const CTracepadDoc& doc, RotateForm form,
                                   UserPrompts& prompts, QWidget* parent)
    : EditingDialog(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(QStringLiteral("Rotate Room"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&Rotation:"), this);
    rotation_ = new QLineEdit(form_.rotation, this);
    label->setBuddy(rotation_);
    rotation_->setAccessibleName(QStringLiteral("Rotation in degrees clockwise"));
    row->addWidget(label);
    row->addWidget(rotation_, 1);
    row->addWidget(new QLabel(QStringLiteral("degrees clockwise"), this));
    layout->addLayout(row);
    centre_ = new QRadioButton(QStringLiteral("&Center of room"));
    startPoint_ = new QRadioButton(QStringLiteral("Room &start point"));
    layout->addWidget(NewChoice(this, QStringLiteral("Around"), centre_, startPoint_,
                                form_.pivot == RoomPivot::RoomStartPoint));
    AddButtons(layout);
    rotation_->setFocus();
}

bool RotateRoomDialog::TakeControls() {
    form_.rotation = rotation_->text();
    form_.pivot = startPoint_->isChecked() ? RoomPivot::RoomStartPoint : RoomPivot::CentreOfRoom;
    return Passes(form_.Check(doc_), [this](RotateForm::Field) -> QWidget* { return rotation_; });
}

ReflectRoomDialog::ReflectRoomDialog(const CTracepadDoc& doc, ReflectForm form,
                                     UserPrompts& prompts, QWidget* parent)
    : EditingDialog(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(QStringLiteral("Reflect Room"));
    auto* layout = new QVBoxLayout(this);
    vertical_ = new QRadioButton(QStringLiteral("&Vertical"));
    horizontal_ = new QRadioButton(QStringLiteral("&Horizontal"));
    layout->addWidget(NewChoice(this, QStringLiteral("Reflection"), vertical_, horizontal_,
                                form_.mode == ReflectMode::Horizontal));
    centre_ = new QRadioButton(QStringLiteral("&Center of room"));
    startPoint_ = new QRadioButton(QStringLiteral("Room &start point"));
    layout->addWidget(NewChoice(this, QStringLiteral("Around"), centre_, startPoint_,
                                form_.pivot == RoomPivot::RoomStartPoint));
    AddButtons(layout);
    vertical_->setFocus();
}

bool ReflectRoomDialog::TakeControls() {
    form_.mode = horizontal_->isChecked() ? ReflectMode::Horizontal : ReflectMode::Vertical;
    form_.pivot = startPoint_->isChecked() ? RoomPivot::RoomStartPoint : RoomPivot::CentreOfRoom;
    return Passes(form_.Check(doc_), [](ReflectForm::Field) -> QWidget* { return nullptr; });
}

}  // namespace plantrek
