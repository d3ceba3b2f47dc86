#pragma once

#include <memory>
#include <vector>

#include "document/tracepad_doc.h"
#include "resources/command_catalog.h"

class QMenu;
class QWidget;

// Menus, toolbars and the plan's context menus as the catalog places the commands: every item
// is the router's own action for the command, so it runs and shows its state one way only.
namespace plantrek {

class CommandRouter;

// Adds the bar's commands to the menu, a separator between groups and its submenus in place;
// the menu refreshes the states before it shows.
void FillMenu(CommandRouter& router, QMenu& menu, CommandBar bar);

// A toolbar's commands with CommandRouter::kSeparator between groups.
std::vector<int> ToolBarCommands(CommandBar bar);

// The context menu a right click on a selection of this level opens; None for no selection.
CommandBar ContextMenuOf(SelectionLevel level);

// The context menu for the level, titled from the catalog, with states refreshed; null for a
// level without one.
std::unique_ptr<QMenu> BuildContextMenu(CommandRouter& router, SelectionLevel level,
                                        QWidget* parent);

}  // namespace plantrek
