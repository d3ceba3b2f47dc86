// The levels of a building: switching between them, adding, changing and deleting them, and
// moving a room from one to another.
#include "document/tracepad_doc.h"

#include <algorithm>

namespace plantrek {

void CTracepadDoc::ChangeCurrentLevel(int level) {
    if (site_ != nullptr && !site_->IsLevel(level)) {
        level = std::max(0, std::min(level, site_->LevelCount() - 1));
    }
    if (level != currentLevel_) {
        currentLevel_ = level;
        emit currentLevelChanged(level);
    }
}

void CTracepadDoc::SetCurrentLevel(int level) {
    if (site_ == nullptr || !site_->IsLevel(level) || level == currentLevel_) {
        return;
    }
    if (currentRoom_ != nullptr && currentRoom_->GetLevel() != level) {
        FinishCurrentRoom();
        ClearSelection();
        // The room on top of the new level, as a click on it would select it.
        const auto& rooms = site_->Rooms();
        for (auto room = rooms.rbegin(); room != rooms.rend(); ++room) {
            if ((*room)->GetLevel() == level) {
                currentRoom_ = room->get();
                break;
            }
        }
    }
    ChangeCurrentLevel(level);
    Commit(false);
}

bool CTracepadDoc::AddLevel(const Level& level) {
    if (site_ == nullptr) {
        return false;
    }
    FinishCurrentRoom();
    ClearSelection();
    ChangeCurrentLevel(site_->AddLevel(level));
    Commit(true);
    return true;
}

bool CTracepadDoc::SetLevelProperties(int index, const Level& level) {
    if (site_ == nullptr || !site_->IsLevel(index) || site_->GetLevel(index) == level) {
        return false;
    }
    const bool wasCurrent = index == currentLevel_;
    const int place = site_->SetLevel(index, level);
    // The current level keeps its own place in the new order.
    if (wasCurrent) {
        ChangeCurrentLevel(place);
    } else if (currentRoom_ != nullptr) {
        ChangeCurrentLevel(currentRoom_->GetLevel());
    } else if (index < currentLevel_ && place >= currentLevel_) {
        ChangeCurrentLevel(currentLevel_ - 1);
    } else if (index > currentLevel_ && place <= currentLevel_) {
        ChangeCurrentLevel(currentLevel_ + 1);
    }
    Commit(true);
    return true;
}

bool CTracepadDoc::DeleteLevel(int index) {
    if (site_ == nullptr || !site_->IsLevel(index) || site_->LevelCount() == 1) {
        return false;
    }
    if (currentRoom_ != nullptr && currentRoom_->GetLevel() == index) {
        ClearSelection();
    }
    site_->RemoveLevel(index);
    if (currentRoom_ != nullptr) {
        ChangeCurrentLevel(currentRoom_->GetLevel());
    } else if (currentLevel_ >= index) {
        ChangeCurrentLevel(std::max(0, currentLevel_ == index ? index - 1 : currentLevel_ - 1));
    }
    Commit(true);
    return true;
}

bool CTracepadDoc::MoveCurrentRoomToLevel(int level) {
    if (site_ == nullptr || currentRoom_ == nullptr || !site_->IsLevel(level) ||
        currentRoom_->GetLevel() == level) {
        return false;
    }
    site_->MoveRoomToLevel(currentRoom_, level);
    currentWall_ = nullptr;
    ChangeCurrentLevel(level);
    Commit(true);
    return true;
}

}  // namespace plantrek
