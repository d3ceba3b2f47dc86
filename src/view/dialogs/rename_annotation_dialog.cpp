#include "view/dialogs/rename_annotation_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace plantrek {

RenameAnnotationDialog::RenameAnnotationDialog(const QString& shown, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Rename Annotation"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    name_ = new QLineEdit(shown, this);
    name_->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    auto* label = new QLabel(QStringLiteral("&Name:"), this);
    label->setBuddy(name_);
    name_->setAccessibleName(QStringLiteral("Name"));
    fields->addRow(label, name_);
    layout->addLayout(fields);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    name_->selectAll();
    name_->setFocus();
    setFixedHeight(sizeHint().height());
}

QString RenameAnnotationDialog::Name() const {
    return name_->text();
}

}  // namespace plantrek
