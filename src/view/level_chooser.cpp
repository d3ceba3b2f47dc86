#include "view/level_chooser.h"

#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QSignalBlocker>
#include <QToolBar>

#include "document/tracepad_doc.h"
#include "model/site.h"
#include "view/child_frame.h"
#include "view/tracepad_view.h"

namespace plantrek {

LevelChooser::LevelChooser(QMainWindow& frame, std::function<CTracepadChildFrame*()> activeChild)
    : QObject(&frame), activeChild_(std::move(activeChild)) {
    const QString name = QStringLiteral("Levels");
    bar_ = frame.addToolBar(name);
    bar_->setObjectName(name);
    // It comes and goes with the site's levels; the person does not hide it.
    bar_->toggleViewAction()->setVisible(false);
    auto* label = new QLabel(QStringLiteral("Leve&l:"), bar_);
    label->setContentsMargins(4, 0, 4, 0);
    box_ = new QComboBox(bar_);
    box_->setObjectName(QStringLiteral("Level"));
    box_->setAccessibleName(QStringLiteral("Level"));
    box_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box_->setMinimumContentsLength(12);
    label->setBuddy(box_);
    bar_->addWidget(label);
    bar_->addWidget(box_);
    connect(box_, &QComboBox::activated, this, &LevelChooser::Choose);
    bar_->hide();
}

void LevelChooser::Update() {
    CTracepadChildFrame* child = activeChild_();
    const Site* site = child != nullptr ? child->Document().GetSite() : nullptr;
    if (site == nullptr || site->LevelCount() < 2) {
        bar_->hide();
        return;
    }
    QStringList names;
    for (auto level = site->Levels().rbegin(); level != site->Levels().rend(); ++level) {
        names.append(level->name);
    }
    const QSignalBlocker blocker(box_);
    QStringList shown;
    for (int row = 0; row < box_->count(); ++row) {
        shown.append(box_->itemText(row));
    }
    if (shown != names) {
        box_->clear();
        box_->addItems(names);
    }
    box_->setCurrentIndex(site->LevelCount() - 1 - child->Plan().Level());
    bar_->show();
}

void LevelChooser::Choose(int row) {
    CTracepadChildFrame* child = activeChild_();
    if (child != nullptr && row >= 0) {
        child->Plan().SetLevel(box_->count() - 1 - row);
    }
}

}  // namespace plantrek
