#include "view/view_context_menu.h"

#include <QAction>
#include <QMenu>

#include "resources/command_catalog.h"
#include "resources/command_ids.h"

namespace plantrek {

namespace {

using Kind = ContextMenuEntry::Kind;
using namespace command_id;

ContextMenuEntry Item(int id) {
    return {Kind::Command, id, {}, {}};
}

ContextMenuEntry Separator() {
    return {Kind::Separator, 0, {}, {}};
}

void Fill(QMenu& menu, const std::vector<ContextMenuEntry>& entries,
          const ContextMenuSource& source) {
    for (const ContextMenuEntry& entry : entries) {
        switch (entry.kind) {
        case Kind::Separator:
            menu.addSeparator();
            break;
        case Kind::Submenu:
            Fill(*menu.addMenu(entry.title), entry.entries, source);
            break;
        case Kind::Command: {
            const CommandRow* row = FindCommand(entry.id);
            if (row == nullptr) {
                break;
            }
            const bool byRule = (row->flags & kMenuTextByRule) != 0 && source.textByRule;
            QAction* action = menu.addAction(byRule ? source.textByRule(entry.id) : row->MenuText());
            action->setData(entry.id);
            action->setStatusTip(row->Prompt());
            const CommandState state = source.state ? source.state(entry.id) : CommandState{true};
            action->setEnabled(state.enabled);
            action->setCheckable(state.checked);
            action->setChecked(state.checked);
            break;
        }
        }
    }
}

}  // namespace

std::unique_ptr<ContextMenuLayout> ContextMenuFor(int selectionLevel) {
    switch (selectionLevel) {
    case 1:
        return std::make_unique<ContextMenuLayout>(ContextMenuLayout{
            QStringLiteral("Point"),
            {Item(kMoveStartPoint), Item(kAddRoom), Separator(), Item(kEditSiteAnnotation),
             Separator(), Item(kSnapSelection)}});
    case 2:
        return std::make_unique<ContextMenuLayout>(ContextMenuLayout{
            QStringLiteral("Room"),
            {Item(kRoomProperties), Item(kEditRoomAnnotation),
             ContextMenuEntry{Kind::Submenu, 0, QStringLiteral("Adjust Room"),
                              {Item(kMoveRoom), Item(kRotateRoom), Item(kReflectRoom),
                               Separator(), Item(kBringToFront), Item(kSendToBack)}},
             Item(kDeleteRoom), Separator(), Item(kAddWall), Item(kAddProjection),
             Item(kReverseWalls), Item(kConvertAddedWalls), Item(kMoveRoomStart), Separator(),
             Item(kCloseSquare), Item(kCloseReverseSquare), Item(kCloseAngled), Separator(),
             Item(kSnapSelection)}});
    case 3:
        return std::make_unique<ContextMenuLayout>(ContextMenuLayout{
            QStringLiteral("Wall"),
            {Item(kEditWall), Item(kReplaceWall), Separator(), Item(kMoveWallEnd),
             Item(kAngleWall), Item(kArcWall)}});
    default:
        return nullptr;
    }
}

std::unique_ptr<QMenu> BuildContextMenu(const ContextMenuLayout& layout,
                                        const ContextMenuSource& source, QWidget* parent) {
    auto menu = std::make_unique<QMenu>(layout.title, parent);
    Fill(*menu, layout.entries, source);
    return menu;
}

}  // namespace plantrek
