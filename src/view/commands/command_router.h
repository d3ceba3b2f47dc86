#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <initializer_list>
#include <map>
#include <vector>

#include "document/command_state.h"

class QAction;
class QMenu;
class QToolBar;
class QWidget;

// Every menu item and toolbar button of a command is one QAction that runs Run(id). What a
// command does and when it may run is registered once per id by its owner; Refresh sets every
// action from those rules, so no command is ever enabled where its rule says no.
namespace plantrek {

class CommandRouter : public QObject {
    Q_OBJECT
public:
    struct Handler {
        std::function<void()> run;
        // Without a rule the command is always enabled and never checked.
        std::function<CommandState()> state;
        bool checkable = false;
    };

    // Separators in menu and toolbar lists.
    static constexpr int kSeparator = 0;

    explicit CommandRouter(QObject* parent = nullptr);

    void SetHandler(int id, Handler handler);
    // The action of a command, made with its texts, shortcut and icon on first use.
    QAction* Action(int id);
    // Runs the command when its rule allows it now.
    void Run(int id);
    CommandState StateOf(int id) const;
    void Refresh();

    // A menu of the commands in order; it refreshes the states before it shows.
    QMenu* AddMenu(QMenu* menu, std::initializer_list<int> ids);
    void AddToolBarButtons(QToolBar* toolBar, const std::vector<int>& ids);

signals:
    void refreshed();

private:
    std::map<int, Handler> handlers_;
    std::map<int, QPointer<QAction>> actions_;
};

// The icon of a command from the program's own icons; null when it has none.
QIcon CommandIcon(int id);

}  // namespace plantrek
