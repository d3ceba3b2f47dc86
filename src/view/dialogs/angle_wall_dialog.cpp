#include "view/dialogs/angle_wall_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace plantrek {

AngleWallDialog::AngleWallDialog(const CTracepadDoc& doc, AngleWallForm form,
                                 UserPrompts& prompts, QWidget* parent)
    : DistoInputDlg(doc, prompts, parent), form_(std::move(form)) {
    setWindowTitle(QStringLiteral("Angle Wall"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        QStringLiteral("Enter the distance from the room's start point to the end of the "
                       "selected wall."),
        this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* fields = new QFormLayout;
    distance_ = NewLengthEdit(this);
    AddRow(fields, QStringLiteral("&Distance:"), distance_);
    distance_->setAccessibleDescription(text->text());
    layout->addLayout(fields);
    AddButtons(layout);
    BindLength(distance_, distance_, &form_.distance);
    distance_->setFocus();
}

bool AngleWallDialog::TakeControls() {
    TakeBoundFields();
    return Passes(form_.Check(doc_), [this](AngleWallForm::Field field) -> QWidget* {
        return field == AngleWallForm::Field::Distance ? distance_ : nullptr;
    });
}

}  // namespace plantrek
