// The enable and check rules of the document's commands.
#include "document/tracepad_doc.h"

#include "audio/audio_activity.h"
#include "model/editing.h"
#include "resources/command_ids.h"

namespace plantrek {

namespace {

// Walls of the room including the closing ones; the closing is brought up to date.
bool HasAnyWall(const Room& room) {
    return room.WallCount(false) > 0;
}

bool HasSystemWalls(const Room& room) {
    return room.WallCount(false) > room.WallCount(true);
}

}  // namespace

CommandState CTracepadDoc::GetCommandState(int commandId, const CClipItem* keptItem) const {
    using namespace command_id;
    const int level = GetSelectionLevel();
    const bool hasSite = site_ != nullptr;
    const bool room = level == kLevelRoom;
    const bool wall = level == kLevelWall;
    const Room* current = currentRoom_;
    auto enabled = [](bool on) { return CommandState{on, false}; };

    switch (commandId) {
        case kAddRoom:
            return enabled(hasSite);
        case kRoomProperties:
        case kMoveRoom:
        case kRotateRoom:
        case kReflectRoom:
        case kBringToFront:
        case kSendToBack:
        case kAddWall:
            return enabled(room);
        case kMoveStartPoint:
            return enabled(level == kLevelStartPoint);
        case kDeleteRoom:
        case kEditMaterials:
        case kRoomSummary:
        case kPreferences:
        case kFileSave:
        case kFileSaveAs:
            return enabled(true);
        case kCloseSquare:
            return {true, EffectiveCloseRule() == CloseRule::Square};
        case kCloseReverseSquare:
            return {true, EffectiveCloseRule() == CloseRule::ReverseSquare};
        case kCloseAngled:
            return {true, EffectiveCloseRule() == CloseRule::Angled};
        case kAddProjection:
            return enabled(wall ||
                           (room && current->WallCount(true) > 0 && CanAppendWalls(*current)));
        case kConvertAddedWalls:
            return enabled(room && HasSystemWalls(*current));
        case kReverseWalls:
        case kMoveRoomStart:
            return enabled(wall || (room && HasAnyWall(*current)));
        case kEditWall:
        case kMoveWallEnd:
        case kAngleWall:
        case kArcWall:
            return enabled(wall);
        case kReplaceWall:
            return enabled(wall && current->IsClosed());
        case kEditRoomAnnotation:
            return enabled(!AudioActivity::IsPlaying() && room && current->IsClosed());
        case kEditSiteAnnotation:
            return enabled(!AudioActivity::IsPlaying());
        case kRelativeDirections:
            return {true, prefs_.GetInputValues().DirectionMode != 0};
        case kDragMode:
            return {true, prefs_.GetDragMode()};
        case kEditUndo:
            return enabled(CanUndo());
        case kEditRedo:
            return enabled(CanRedo());
        case kEditCut:
        case kEditCopy:
        case kEditClear:
            return enabled(CanCopy());
        case kEditPaste:
            return enabled(keptItem != nullptr && CanPaste(keptItem->Kind()));
        default:
            return {};
    }
}

}  // namespace plantrek
