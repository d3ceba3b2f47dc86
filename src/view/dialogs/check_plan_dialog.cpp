#include "view/dialogs/check_plan_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace plantrek {

CCheckPlanDlg::CCheckPlanDlg(const std::vector<PlanFindingLine>& lines,
                             std::function<void(int line)> choose, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Check Plan"));
    auto* label = new QLabel(lines.empty() ? NoPlanFindingsText()
                                           : QStringLiteral("&Overlaps and gaps between rooms:"));
    list_ = new QListWidget;
    list_->setAccessibleName(QStringLiteral("Overlaps and gaps"));
    label->setBuddy(list_);
    for (const PlanFindingLine& line : lines) {
        list_->addItem(line.text);
    }
    list_->setVisible(!lines.empty());
    list_->setMinimumWidth(list_->sizeHintForColumn(0) + 40);
    connect(list_, &QListWidget::currentRowChanged, this, [choose = std::move(choose)](int row) {
        if (row >= 0 && choose) {
            choose(row);
        }
    });
    // The first finding is shown at once, as moving onto it would show it.
    list_->setCurrentRow(lines.empty() ? -1 : 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    (lines.empty() ? static_cast<QWidget*>(buttons) : list_)->setFocus();
}

}  // namespace plantrek
