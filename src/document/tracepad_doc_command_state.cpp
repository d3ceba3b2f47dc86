// The document's answers to the enable and check rules the command catalog gives its commands.
#include "document/tracepad_doc.h"

#include "audio/audio_activity.h"
#include "model/editing.h"
#include "resources/command_catalog.h"

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
    const CommandRow* command = FindCommand(commandId);
    if (command == nullptr) {
        return {};
    }
    // "Always" of another owner's command is that owner's to answer.
    const RuleScope scope = ScopeOf(command->rule);
    if (scope != RuleScope::Document &&
        !(scope == RuleScope::Any && command->owner == CommandOwner::Document)) {
        return {};
    }
    const SelectionLevel level = GetSelectionLevel();
    const bool room = level == kLevelRoom;
    const bool wall = level == kLevelWall;
    const Room* current = currentRoom_;
    auto enabled = [](bool on) { return CommandState{on, false}; };

    switch (command->rule) {
        case CommandRule::Always:
            return enabled(true);
        case CommandRule::HasSite:
            return enabled(site_ != nullptr);
        case CommandRule::StartPointSelected:
            return enabled(level == kLevelStartPoint);
        case CommandRule::RoomSelected:
            return enabled(room);
        case CommandRule::WallSelected:
            return enabled(wall);
        case CommandRule::WallOfClosedRoom:
            return enabled(wall && current->IsClosed());
        case CommandRule::ProjectionPossible:
            return enabled(wall ||
                           (room && current->WallCount(true) > 0 && CanAppendWalls(*current)));
        case CommandRule::RoomHasAddedWalls:
            return enabled(room && HasSystemWalls(*current));
        case CommandRule::WallsToWorkOn:
            return enabled(wall || (room && HasAnyWall(*current)));
        case CommandRule::CloseSquare:
            return {true, EffectiveCloseRule() == CloseRule::Square};
        case CommandRule::CloseReverseSquare:
            return {true, EffectiveCloseRule() == CloseRule::ReverseSquare};
        case CommandRule::CloseAngled:
            return {true, EffectiveCloseRule() == CloseRule::Angled};
        case CommandRule::RoomAnnotation:
            return enabled(!AudioActivity::IsPlaying() && room && current->IsClosed());
        case CommandRule::SiteAnnotation:
            return enabled(!AudioActivity::IsPlaying());
        case CommandRule::RelativeDirections:
            return {true, prefs_.GetInputValues().DirectionMode != 0};
        case CommandRule::CanUndo:
            return enabled(CanUndo());
        case CommandRule::CanRedo:
            return enabled(CanRedo());
        case CommandRule::WallHasOpenings:
            return enabled(wall && !currentWall_->GetOpenings().empty());
        case CommandRule::OpeningTargeted:
            return enabled(wall && TargetOpening() >= 0);
        case CommandRule::ClipCopy:
            return enabled(CanCopy());
        case CommandRule::ClipDelete:
            return enabled(CanCopy() || GetCurrentOpening() >= 0);
        case CommandRule::ClipPaste:
            return enabled(keptItem != nullptr && CanPaste(keptItem->Kind()));
        case CommandRule::SeveralLevels:
            return enabled(site_ != nullptr && site_->LevelCount() > 1);
        case CommandRule::RoomToOtherLevel:
            return enabled((room || wall) && site_->LevelCount() > 1);
        default:
            return {};
    }
}

}  // namespace plantrek
