#include "view/dialogs/customize_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "view/commands/command_router.h"
#include "view/toolbar_layout.h"

namespace plantrek {

namespace {

// Each item keeps its toolbar's object name and, for a button, its command (0 for the toolbar).
constexpr int kCommandRole = Qt::UserRole;
constexpr int kToolBarRole = Qt::UserRole + 1;

}  // namespace

CustomizeDialog::CustomizeDialog(ToolBarLayout& toolBars, CommandRouter& router, QWidget* parent)
    : QDialog(parent), toolBars_(toolBars) {
    setWindowTitle(QStringLiteral("Customize"));
    auto* layout = new QVBoxLayout(this);
    tree_ = new QTreeWidget(this);
    tree_->setHeaderLabel(QStringLiteral("Toolbars and their buttons"));
    tree_->setAccessibleName(QStringLiteral("Toolbars and their buttons"));
    for (QToolBar* bar : toolBars.ToolBars()) {
        // A toolbar that comes and goes by itself (the level list) is not the person's to hide.
        if (!bar->toggleViewAction()->isVisible()) {
            continue;
        }
        const QString name = bar->objectName();
        auto* barItem = new QTreeWidgetItem(tree_, {bar->windowTitle()});
        barItem->setCheckState(0, bar->isVisible() ? Qt::Checked : Qt::Unchecked);
        barItem->setData(0, kCommandRole, 0);
        barItem->setData(0, kToolBarRole, name);
        for (int id : toolBars.CommandsOf(name)) {
            if (id == CommandRouter::kSeparator) {
                continue;
            }
            QAction* action = router.Action(id);
            auto* item = new QTreeWidgetItem(barItem, {action->toolTip()});
            item->setIcon(0, action->icon());
            item->setData(0, kCommandRole, id);
            item->setData(0, kToolBarRole, name);
            item->setCheckState(0, toolBars.ButtonShown(name, id) ? Qt::Checked : Qt::Unchecked);
        }
    }
    tree_->expandAll();
    connect(tree_, &QTreeWidget::itemChanged, this, &CustomizeDialog::Apply);
    layout->addWidget(tree_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(360, 480);
}

void CustomizeDialog::Apply(QTreeWidgetItem* item) {
    const bool on = item->checkState(0) == Qt::Checked;
    const int id = item->data(0, kCommandRole).toInt();
    const QString name = item->data(0, kToolBarRole).toString();
    QToolBar* bar = toolBars_.Find(name);
    if (bar == nullptr) {
        return;
    }
    if (id == 0) {
        bar->setVisible(on);
    } else {
        toolBars_.SetButtonShown(name, id, on);
    }
}

}  // namespace plantrek
