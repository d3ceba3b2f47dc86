#include "view/commands/command_bars.h"

#include <QMenu>

#include "view/commands/command_router.h"

namespace plantrek {

void FillMenu(CommandRouter& router, QMenu& menu, CommandBar bar) {
    bool first = true;
    int group = 0;
    for (const CommandBarItem& item : CommandsOn(bar)) {
        if (!first && item.group != group) {
            menu.addSeparator();
        }
        first = false;
        group = item.group;
        if (item.submenu != CommandBar::None) {
            QMenu* submenu = menu.addMenu(QString::fromUtf8(BarInfo(item.submenu).title));
            FillMenu(router, *submenu, item.submenu);
        } else {
            menu.addAction(router.Action(item.id));
        }
    }
    QObject::connect(&menu, &QMenu::aboutToShow, &router, &CommandRouter::Refresh);
}

std::vector<int> ToolBarCommands(CommandBar bar) {
    std::vector<int> ids;
    int group = 0;
    for (const CommandBarItem& item : CommandsOn(bar)) {
        if (!ids.empty() && item.group != group) {
            ids.push_back(CommandRouter::kSeparator);
        }
        group = item.group;
        ids.push_back(item.id);
    }
    return ids;
}

CommandBar ContextMenuOf(SelectionLevel level) {
    switch (level) {
    case kLevelStartPoint:
        return CommandBar::PointContextMenu;
    case kLevelRoom:
        return CommandBar::RoomContextMenu;
    case kLevelWall:
        return CommandBar::WallContextMenu;
    case kLevelNone:
        break;
    }
    return CommandBar::None;
}

std::unique_ptr<QMenu> BuildContextMenu(CommandRouter& router, SelectionLevel level,
                                        QWidget* parent) {
    const CommandBar bar = ContextMenuOf(level);
    if (bar == CommandBar::None) {
        return nullptr;
    }
    auto menu = std::make_unique<QMenu>(QString::fromUtf8(BarInfo(bar).title), parent);
    FillMenu(router, *menu, bar);
    router.Refresh();
    return menu;
}

}  // namespace plantrek
