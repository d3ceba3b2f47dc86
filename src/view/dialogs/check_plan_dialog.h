#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "document/plan_findings.h"

class QListWidget;

// "Check Plan": the rooms that overlap or stop just short of a neighbour, one line each.
// Choosing a line, by the mouse or by moving through the list with the keys, selects its room
// in the plan behind while the list stays open.
namespace plantrek {

class CCheckPlanDlg : public QDialog {
    Q_OBJECT
public:
    CCheckPlanDlg(const std::vector<PlanFindingLine>& lines, std::function<void(int line)> choose,
                  QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }

private:
    QListWidget* list_;
};

}  // namespace plantrek
