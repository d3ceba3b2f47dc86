#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "document/command_state.h"

class QMenu;
class QWidget;

// The menus a right click on the plan opens: "Point" on the site's start point, "Room" on a
// room and "Wall" on a wall. Each is a list of command ids with separators and one submenu;
// texts come from the command catalog, states from whoever owns the command.
namespace plantrek {

struct ContextMenuEntry {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    int id = 0;                              // Command
    QString title;                           // Submenu
    std::vector<ContextMenuEntry> entries;   // Submenu
};

struct ContextMenuLayout {
    QString title;
    std::vector<ContextMenuEntry> entries;
};

// The menu for the selection level (as the document counts it); none for level 0.
std::unique_ptr<ContextMenuLayout> ContextMenuFor(int selectionLevel);

// How a command's item looks: the state to show, and the text where the catalog leaves it to
// the window (the snap command names what it snaps).
struct ContextMenuSource {
    std::function<CommandState(int id)> state;
    std::function<QString(int id)> textByRule;
};

// A QMenu of actions whose data() is the command id; the caller connects triggered.
std::unique_ptr<QMenu> BuildContextMenu(const ContextMenuLayout& layout,
                                        const ContextMenuSource& source, QWidget* parent);

}  // namespace plantrek
