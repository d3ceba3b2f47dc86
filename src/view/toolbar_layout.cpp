#include "view/toolbar_layout.h"

#include <QMainWindow>
#include <QSettings>
#include <QToolBar>

#include "view/commands/command_router.h"

namespace plantrek {

namespace {

const QString kHiddenButtonsGroup = QStringLiteral("CommandBarButtons");

}  // namespace

ToolBarLayout::ToolBarLayout(QMainWindow& frame, CommandRouter& router)
    : frame_(frame), router_(router) {}

std::vector<int> ToolBarLayout::CommandsOf(const QString& name) const {
    const auto commands = commands_.find(name);
    return commands != commands_.end() ? commands->second : std::vector<int>();
}

QToolBar* ToolBarLayout::Find(const QString& name) const {
    for (QToolBar* bar : ToolBars()) {
        if (bar->objectName() == name) {
            return bar;
        }
    }
    return nullptr;
}

QList<QToolBar*> ToolBarLayout::ToolBars() const {
    return frame_.findChildren<QToolBar*>(Qt::FindDirectChildrenOnly);
}

void ToolBarLayout::Fill(const QString& name) {
    QToolBar* bar = Find(name);
    const auto commands = commands_.find(name);
    if (bar == nullptr || commands == commands_.end()) {
        return;  // "Measurements" holds the input line, not buttons
    }
    bar->clear();
    std::vector<int> shown;
    for (int id : commands->second) {
        if (id == CommandRouter::kSeparator || !hidden_[name].contains(id)) {
            shown.push_back(id);
        }
    }
    router_.AddToolBarButtons(bar, shown);
}

bool ToolBarLayout::ButtonShown(const QString& name, int id) const {
    const auto hidden = hidden_.find(name);
    return hidden == hidden_.end() || !hidden->second.contains(id);
}

void ToolBarLayout::SetButtonShown(const QString& name, int id, bool shown) {
    if (shown) {
        hidden_[name].remove(id);
    } else {
        hidden_[name].insert(id);
    }
    Fill(name);
}

void ToolBarLayout::Read(QSettings& settings) {
    settings.beginGroup(kHiddenButtonsGroup);
    for (auto& [name, ids] : commands_) {
        for (const QString& id : settings.value(name).toStringList()) {
            hidden_[name].insert(id.toInt());
        }
        Fill(name);
    }
    settings.endGroup();
}

void ToolBarLayout::Write(QSettings& settings) const {
    settings.remove(kHiddenButtonsGroup);
    settings.beginGroup(kHiddenButtonsGroup);
    for (const auto& [name, hidden] : hidden_) {
        QStringList ids;
        for (int id : hidden) {
            ids.append(QString::number(id));
        }
        if (!ids.isEmpty()) {
            settings.setValue(name, ids);
        }
    }
    settings.endGroup();
}

}  // namespace plantrek
