#include "view/dialogs/arc_wall_dialog.h"

#include "view/dialogs/dialog_helpers.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

#include "document/tracepad_doc.h"
#include "view/dialogs/select_corners_dialog.h"

namespace plantrek {

ArcWallDialog::ArcWallDialog(const CTracepadDoc& doc, ArcWallForm form, UserPrompts& prompts,
                             QWidget* parent)
    : DistoInputDlg(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(QStringLiteral("Arc Wall"));
    auto* layout = new QVBoxLayout(this);
    wallEnds_ = new QRadioButton(QStringLiteral("Use the &ends of the arced wall"), this);
    layout->addWidget(wallEnds_);
    auto* pointsRow = new QHBoxLayout;
    roomPoints_ = new QRadioButton(QStringLiteral("Use two room &points"), this);
    select_ = new QPushButton(QStringLiteral("&Select"), this);
    select_->setAccessibleName(QStringLiteral("Select corners"));
    select_->setAutoDefault(false);
    pointsRow->addWidget(roomPoints_);
    pointsRow->addStretch();
    pointsRow->addWidget(select_);
    layout->addLayout(pointsRow);

    auto* distances = new QFormLayout;
    first_ = NewLengthEdit(this);
    second_ = NewLengthEdit(this);
    firstLabel_ = AddRow(distances, QString(), first_);
    secondLabel_ = AddRow(distances, QString(), second_);
    layout->addLayout(distances);

    auto* group = new QGroupBox(QStringLiteral("Direction"), this);
    auto* sides = new QHBoxLayout(group);
    left_ = new QRadioButton(QStringLiteral("Project &left"), group);
    right_ = new QRadioButton(QStringLiteral("Project &right"), group);
    sides->addWidget(left_);
    sides->addWidget(right_);
    layout->addWidget(group);
    AddButtons(layout);

    BindLength(first_, first_, &form_.firstDistance);
    BindLength(second_, second_, &form_.secondDistance);
    (form_.useRoomPoints ? roomPoints_ : wallEnds_)->setChecked(true);
    (form_.side == ProjectionSide::Right ? right_ : left_)->setChecked(true);
    connect(roomPoints_, &QRadioButton::toggled, this, &ArcWallDialog::ShowReference);
    connect(select_, &QPushButton::clicked, this, &ArcWallDialog::SelectCorners);
    ShowReference();
    first_->setFocus();
}

void ArcWallDialog::ShowReference() {
    const bool points = roomPoints_->isChecked();
    select_->setEnabled(points);
    firstLabel_->setText(points ? QStringLiteral("Distance to &first point:")
                                : QStringLiteral("Distance to wall s&tart:"));
    secondLabel_->setText(points ? QStringLiteral("Distance to se&cond point:")
                                 : QStringLiteral("Distance to wall e&nd:"));
    for (QLabel* label : {firstLabel_, secondLabel_}) {
        label->buddy()->setAccessibleName(AccessibleNameFor(label->text()));
    }
}

void ArcWallDialog::SelectCorners() {
    const Room* room = doc_.GetCurrentRoom();
    if (room == nullptr) {
        return;
    }
    // The picks are made on a copy that becomes the dialog's only when "Select Corners" is
    // confirmed.
    auto pending = std::make_shared<ArcWallForm>(form_);
    CornerPicks picks;
    picks.wanted = 2;
    picks.pick = [pending](PlanPoint corner) { pending->PickCorner(corner); };
    picks.marked = [pending](int i) { return i == 0 ? pending->firstCorner : pending->secondCorner; };
    corners_ = new SelectCornersDialog(doc_, *room, std::move(picks), prompts_, this);
    corners_->setAttribute(Qt::WA_DeleteOnClose);
    connect(corners_, &QDialog::accepted, this, [this, pending] {
        form_.firstCorner = pending->firstCorner;
        form_.secondCorner = pending->secondCorner;
        form_.secondPickedNext = pending->secondPickedNext;
    });
    corners_->open();
}

bool ArcWallDialog::TakeControls() {
    TakeBoundFields();
    form_.useRoomPoints = roomPoints_->isChecked();
    form_.side = right_->isChecked() ? ProjectionSide::Right : ProjectionSide::Left;
    return Passes(form_.Check(doc_), [this](ArcWallForm::Field field) -> QWidget* {
        switch (field) {
            case ArcWallForm::Field::Corners: return select_;
            case ArcWallForm::Field::FirstDistance: return first_;
            case ArcWallForm::Field::SecondDistance: return second_;
        }
        return nullptr;
    });
}

}  // namespace plantrek
