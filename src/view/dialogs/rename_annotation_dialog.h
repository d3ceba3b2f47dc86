#pragma once

#include <QDialog>

class QLineEdit;

// "Rename Annotation": the note's new name.
namespace plantrek {

class RenameAnnotationDialog : public QDialog {
    Q_OBJECT
public:
    RenameAnnotationDialog(const QString& shown, QWidget* parent);
    QString Name() const;
    QLineEdit* NameEdit() const { return name_; }

private:
    QLineEdit* name_;
};

}  // namespace plantrek
