// Cut, Copy, Paste and Delete on the document's selection.
#include "document/tracepad_doc.h"

#include "document/room_names.h"

namespace plantrek {

std::unique_ptr<CClipItem> CTracepadDoc::Copy() const {
    if (!CanCopy()) {
        return nullptr;
    }
    switch (GetSelectionLevel()) {
        case kLevelWall:
            return CClipItem::OfWall(*currentWall_);
        case kLevelRoom:
            return CClipItem::OfRoom(*currentRoom_);
        default:
            return nullptr;
    }
}

bool CTracepadDoc::CanCopy() const {
    // An opening is deleted on its own but never kept.
    const SelectionLevel level = GetSelectionLevel();
    return level == kLevelRoom || (level == kLevelWall && GetCurrentOpening() < 0);
}

bool CTracepadDoc::CanPaste(ClipKind kind) const {
    const SelectionLevel level = GetSelectionLevel();
    if (kind == ClipKind::Wall) {
        return level == kLevelRoom || level == kLevelWall;
    }
    return level == kLevelStartPoint || level == kLevelRoom;
}

void CTracepadDoc::Delete() {
    if (GetCurrentOpening() >= 0) {
        DeleteTargetOpening();
        return;
    }
    switch (GetSelectionLevel()) {
        case kLevelRoom: {
            Room* room = currentRoom_;
            ClearSelection();
            site_->RemoveRoom(room);
            Commit(true);
            break;
        }
        case kLevelWall: {
            Wall* wall = currentWall_;
            currentWall_ = nullptr;
            currentRoom_->RemoveWall(wall);
            Commit(true);
            break;
        }
        default:
            break;
    }
}

void CTracepadDoc::Paste(const CClipItem& item) {
    const SelectionLevel level = GetSelectionLevel();
    if (item.Kind() == ClipKind::Wall && item.GetWall() != nullptr) {
        if (level == kLevelWall) {
            *currentWall_ = *item.GetWall();
            currentWall_->SetKind(WallKind::User);
            currentRoom_->InvalidateClosing();
            // The wall's new shape can take the room's start point off its corners.
            currentRoom_->ValidateStartPoint();
            Commit(true);
        } else if (level == kLevelRoom) {
            auto wall = std::make_unique<Wall>(*item.GetWall());
            wall->SetKind(WallKind::User);
            currentRoom_->InsertWallAfter(std::move(wall), nullptr);
            Commit(true);
        }
        return;
    }
    if (item.Kind() != ClipKind::Room || item.GetRoom() == nullptr) {
        return;
    }
    const Room& source = *item.GetRoom();
    if (level == kLevelRoom) {
        // The room takes the item's walls, rule and notes, and keeps its name, its material
        // and the place of its start point, and stays on its level.
        Room replacement(source);
        replacement.SetName(currentRoom_->GetName());
        replacement.SetMaterial(currentRoom_->GetMaterial());
        replacement.SetLevel(currentRoom_->GetLevel());
        replacement.Translate(currentRoom_->GetStartPoint() - replacement.GetStartPoint());
        *currentRoom_ = replacement;
        Commit(true);
    } else if (level == kLevelStartPoint) {
        auto room = std::make_unique<Room>(source);
        if (room->GetName().isEmpty() || site_->FindRoomByName(room->GetName()) != nullptr) {
            room->SetName(plantrek::DefaultRoomName(*site_));
        }
        // A room copied from another site may name a material this site does not have.
        if (site_->FindMaterialByIndex(room->GetMaterial()) == nullptr) {
            room->SetMaterial(0);
        }
        room->Translate(site_->GetStartPoint() - room->GetStartPoint());
        // A pasted room lands on the level being worked on.
        room->SetLevel(currentLevel_);
        currentRoom_ = site_->InsertRoomAfter(std::move(room), nullptr);
        currentWall_ = nullptr;
        Commit(true);
    }
}

}  // namespace plantrek
