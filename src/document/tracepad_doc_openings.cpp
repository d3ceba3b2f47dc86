// Doors, windows and passages on the selected wall, a room's ceiling height and a material's
// order figures: the operations behind their dialogs and script commands.
#include "document/tracepad_doc.h"

#include <cmath>

#include "model/opening_rules.h"

namespace plantrek {

QString OpeningKindName(OpeningKind kind) {
    switch (kind) {
        case OpeningKind::Window:
            return QStringLiteral("Window");
        case OpeningKind::Passage:
            return QStringLiteral("Opening");
        case OpeningKind::Door:
            break;
    }
    return QStringLiteral("Door");
}

double CTracepadDoc::DefaultHeight() const {
    return prefs_.GetDefaultHeight();
}

double CTracepadDoc::DefaultHeightOf(const Room& room) const {
    return site_ != nullptr ? site_->DefaultHeightOf(room, DefaultHeight()) : DefaultHeight();
}

int CTracepadDoc::GetCurrentOpening() const {
    if (currentWall_ == nullptr || openingWall_ != currentWall_ || currentOpening_ < 0 ||
        currentOpening_ >= static_cast<int>(currentWall_->GetOpenings().size())) {
        return -1;
    }
    return currentOpening_;
}

int CTracepadDoc::TargetOpening() const {
    const int selected = GetCurrentOpening();
    if (selected >= 0 || currentWall_ == nullptr) {
        return selected;
    }
    return currentWall_->GetOpenings().size() == 1 ? 0 : -1;
}

void CTracepadDoc::SelectOpening(Room* room, Wall* wall, int index) {
    if (site_ == nullptr || site_->IndexOfRoom(room) < 0 || room->IndexOfWall(wall) < 0) {
        return;
    }
    if (index < -1 || index >= static_cast<int>(wall->GetOpenings().size())) {
        index = -1;
    }
    if (room == currentRoom_ && wall == currentWall_ && index == GetCurrentOpening()) {
        return;
    }
    if (room != currentRoom_) {
        FinishCurrentRoom();
    }
    currentRoom_ = room;
    currentWall_ = wall;
    openingWall_ = wall;
    currentOpening_ = index;
    ChangeCurrentLevel(room->GetLevel());
    Commit(false);
}

bool CTracepadDoc::AddOpeningToCurrentWall(const Opening& opening) {
    const int wall = currentRoom_ != nullptr ? currentRoom_->IndexOfWall(currentWall_) : -1;
    if (GetSelectionLevel() != kLevelWall ||
        CheckOpening(*currentRoom_, wall, opening, Units(), DefaultHeightOf(*currentRoom_))) {
        return false;
    }
    const int index = plantrek::AddOpening(*currentRoom_, wall, opening);
    openingWall_ = currentWall_;
    currentOpening_ = index;
    Commit(true);
    return true;
}

bool CTracepadDoc::ReplaceOpening(int index, const Opening& opening) {
    const int wall = currentRoom_ != nullptr ? currentRoom_->IndexOfWall(currentWall_) : -1;
    if (GetSelectionLevel() != kLevelWall || index < 0 ||
        index >= static_cast<int>(currentWall_->GetOpenings().size()) ||
        currentWall_->GetOpenings()[static_cast<std::size_t>(index)] == opening ||
        CheckOpening(*currentRoom_, wall, opening, Units(), DefaultHeightOf(*currentRoom_), index)) {
        return false;
    }
    const int placed = plantrek::ReplaceOpening(*currentRoom_, wall, index, opening);
    openingWall_ = currentWall_;
    currentOpening_ = placed;
    Commit(true);
    return true;
}

bool CTracepadDoc::DeleteTargetOpening() {
    const int index = GetSelectionLevel() == kLevelWall ? TargetOpening() : -1;
    if (index < 0) {
        return false;
    }
    RemoveOpening(*currentRoom_, currentRoom_->IndexOfWall(currentWall_), index);
    currentOpening_ = -1;
    Commit(true);
    return true;
}

bool CTracepadDoc::ConfirmOpeningsPastWallEnd(const Room& before) {
    const std::vector<OpeningRef> past = OpeningsPastWallEnd(*currentRoom_);
    if (past.empty()) {
        return true;
    }
    QStringList names;
    for (const OpeningRef& ref : past) {
        const Opening& opening =
            currentRoom_->GetWall(ref.wallIndex, true)->GetOpenings()[static_cast<std::size_t>(
                ref.openingIndex)];
        names.append(QStringLiteral("the %1 at %2 on wall %3")
                         .arg(OpeningKindName(opening.kind).toLower(),
                              Units().FormatLength(opening.offset))
                         .arg(ref.wallIndex + 1));
    }
    const QString question =
        QStringLiteral("This change leaves %1 where the wall can no longer hold it. Remove %2 "
                       "and make the change? No leaves the room as it was.")
            .arg(names.join(QStringLiteral(", ")),
                 past.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"));
    if (prompts_.AskYesNo(question)) {
        RemoveOpeningsPastWallEnd(*currentRoom_);
        return true;
    }
    const int wall = currentRoom_->IndexOfWall(currentWall_);
    *currentRoom_ = before;
    currentWall_ = currentRoom_->GetWall(wall, true);
    sharedSite_.reset();
    return false;
}

bool CTracepadDoc::SetRoomHeight(Room* room, double height) {
    if (site_ == nullptr || site_->IndexOfRoom(room) < 0 || !std::isfinite(height) ||
        height < 0.0) {
        return false;
    }
    if (room->GetCeilingHeight() == height) {
        return true;
    }
    room->SetCeilingHeight(height);
    Commit(true);
    return true;
}

bool CTracepadDoc::SetMaterial(const QString& name, Colour colour, double wastePercent,
                               double packArea) {
    Material* material = site_ != nullptr ? site_->FindMaterialByName(name) : nullptr;
    if (material == nullptr || !std::isfinite(wastePercent) || wastePercent < 0.0 ||
        !std::isfinite(packArea) || packArea < 0.0) {
        return false;
    }
    material->SetColour(colour);
    material->SetWastePercent(wastePercent);
    material->SetPackArea(packArea);
    Commit(true);
    return true;
}

}  // namespace plantrek
