#include "view/commands/command_router.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QToolBar>

#include "view/commands/command_presentation.h"

namespace plantrek {

CommandRouter::CommandRouter(QObject* parent) : QObject(parent) {}

void CommandRouter::SetHandler(int id, Handler handler) {
    handlers_[id] = std::move(handler);
}

void CommandRouter::SetRuleAnswer(RuleScope scope, RuleAnswer answer) {
    answers_[scope] = std::move(answer);
}

std::vector<int> CommandRouter::HandledIds() const {
    std::vector<int> ids;
    for (const auto& entry : handlers_) {
        ids.push_back(entry.first);
    }
    return ids;
}

QAction* CommandRouter::Action(int id) {
    auto& slot = actions_[id];
    if (slot) {
        return slot;
    }
    const CommandPresentation text = PresentationOf(id);
    auto* action = new QAction(text.menuText, this);
    action->setShortcut(text.shortcut);
    action->setStatusTip(text.prompt);
    action->setToolTip(text.toolTip);
    action->setIcon(CommandIcon(id));
    action->setData(id);
    if (const CommandRow* row = FindCommand(id)) {
        action->setCheckable(IsCheckable(row->rule));
    }
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    slot = action;
    return action;
}

CommandState CommandRouter::StateOf(int id) const {
    const auto handler = handlers_.find(id);
    if (handler == handlers_.end() || !handler->second.run) {
        return {};
    }
    if (handler->second.state) {
        return handler->second.state();
    }
    const CommandRow* row = FindCommand(id);
    if (row == nullptr) {
        return {true, false};
    }
    const RuleScope scope = ScopeOf(row->rule);
    if (scope == RuleScope::Any) {
        return {true, false};
    }
    const auto answer = answers_.find(scope);
    return answer != answers_.end() ? answer->second(id, row->rule) : CommandState{};
}

void CommandRouter::Run(int id) {
    // A shortcut can reach an action whose state is stale; the rule is asked again here.
    if (!StateOf(id).enabled) {
        Refresh();
        return;
    }
    const auto run = handlers_.at(id).run;
    run();
    Refresh();
}

void CommandRouter::Refresh() {
    for (auto& [id, action] : actions_) {
        if (!action) {
            continue;
        }
        const CommandState state = StateOf(id);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) {
            action->setChecked(state.checked);
        }
    }
    emit refreshed();
}

void CommandRouter::AddToolBarButtons(QToolBar* toolBar, const std::vector<int>& ids) {
    // A separator only between two buttons, whatever was left out.
    bool separatorDue = false;
    for (int id : ids) {
        if (id == kSeparator) {
            separatorDue = !toolBar->actions().isEmpty();
            continue;
        }
        if (separatorDue) {
            toolBar->addSeparator();
            separatorDue = false;
        }
        toolBar->addAction(Action(id));
    }
}

QIcon CommandIcon(int id) {
    const QString path = QStringLiteral(":/icons/%1.svg").arg(id);
    if (!QFile::exists(path)) {
        return QIcon();
    }
    return QIcon(path);
}

}  // namespace plantrek
