#include "view/commands/command_router.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QToolBar>

#include "view/commands/command_presentation.h"

namespace plantrek {

CommandRouter::CommandRouter(QObject* parent) : QObject(parent) {}

void CommandRouter::SetHandler(int id, Handler handler) {
    const bool checkable = handler.checkable;
    handlers_[id] = std::move(handler);
    if (auto found = actions_.find(id); found != actions_.end() && found->second) {
        found->second->setCheckable(checkable);
    }
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
    if (auto handler = handlers_.find(id); handler != handlers_.end()) {
        action->setCheckable(handler->second.checkable);
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
    if (!handler->second.state) {
        return {true, false};
    }
    return handler->second.state();
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

QMenu* CommandRouter::AddMenu(QMenu* menu, std::initializer_list<int> ids) {
    for (int id : ids) {
        if (id == kSeparator) {
            menu->addSeparator();
        } else {
            menu->addAction(Action(id));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CommandRouter::Refresh);
    return menu;
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
