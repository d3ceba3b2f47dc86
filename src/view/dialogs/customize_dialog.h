#pragma once

#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

// View > Customize: each toolbar with a check box for showing it, and under it its buttons
// with check boxes for showing them. Changes take effect at once.
namespace plantrek {

class CommandRouter;
class ToolBarLayout;

class CustomizeDialog : public QDialog {
    Q_OBJECT
public:
    CustomizeDialog(ToolBarLayout& toolBars, CommandRouter& router, QWidget* parent = nullptr);

    QTreeWidget& Tree() { return *tree_; }

private:
    void Apply(QTreeWidgetItem* item);

    ToolBarLayout& toolBars_;
    QTreeWidget* tree_;
};

}  // namespace plantrek
