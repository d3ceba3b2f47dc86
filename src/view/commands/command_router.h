#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "document/command_state.h"
#include "resources/command_catalog.h"

class QAction;
class QMenu;
class QToolBar;
class QWidget;

// Every menu item and toolbar button of a command is one QAction that runs Run(id). What a
// command does is registered once per id; when it may run is its catalog row's rule, answered
// by the object the rule belongs to (SetRuleAnswer). Refresh sets every action from those
// rules, so no command is ever enabled where its rule says no.
namespace plantrek {

class CommandRouter : public QObject {
    Q_OBJECT
public:
    struct Handler {
        Handler(std::function<void()> run = {}, std::function<CommandState()> state = {})
            : run(std::move(run)), state(std::move(state)) {}

        std::function<void()> run;
        // The rule's answer when the handler knows it better than the rule's owner; empty for
        // the owner's answer.
        std::function<CommandState()> state;
    };
    // The state of a command under its catalog rule, from the object that rule belongs to.
    using RuleAnswer = std::function<CommandState(int id, CommandRule rule)>;

    // Separators in menu and toolbar lists.
    static constexpr int kSeparator = 0;

    explicit CommandRouter(QObject* parent = nullptr);

    void SetHandler(int id, Handler handler);
    void SetRuleAnswer(RuleScope scope, RuleAnswer answer);
    bool HasHandler(int id) const { return handlers_.count(id) != 0; }
    // The ids that have a handler, in order.
    std::vector<int> HandledIds() const;
    // The action of a command, made with its texts, shortcut and icon on first use.
    QAction* Action(int id);
    // Runs the command when its rule allows it now.
    void Run(int id);
    CommandState StateOf(int id) const;
    void Refresh();

    void AddToolBarButtons(QToolBar* toolBar, const std::vector<int>& ids);

signals:
    void refreshed();

private:
    std::map<int, Handler> handlers_;
    std::map<RuleScope, RuleAnswer> answers_;
    std::map<int, QPointer<QAction>> actions_;
};

// The icon of a command from the program's own icons; null when it has none.
QIcon CommandIcon(int id);

}  // namespace plantrek
