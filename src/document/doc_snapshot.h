#pragma once

#include <QList>
#include <QStringList>

#include <memory>

#include "document/files/site_template.h"
#include "document/prefs.h"
#include "document/undo_stack.h"
#include "model/room.h"
#include "model/site.h"

// One saved state of a document for undo: the whole site, where the selection was, the rule
// for new rooms and the user's preferences and permanent lists as they stood.
namespace plantrek {

class CDocSnapshot : public CUndoSnapshot {
public:
    // Never changed once taken: the recovery store writes the same copy from its own thread.
    std::shared_ptr<const Site> site;
    int roomIndex = -1;  // the selected room, when a room or one of its walls was selected
    int wallIndex = -1;  // the selected wall among the room's user walls, when one was
    int openingIndex = -1;  // the selected opening of that wall, when one was
    int currentLevel = 0;
    CloseRule defaultCloseRule = CloseRule::Square;
    PrefsInputValues input;
    PrefsDrawingValues drawing;
    double defaultHeight = 0.0;  // the default ceiling height (m)
    double nudgeStep = 0.0;      // Ctrl+arrow's step (m)
    QStringList templateRoomNames;
    QList<TemplateMaterial> templateMaterials;
};

}  // namespace plantrek
