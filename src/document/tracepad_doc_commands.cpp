// The operations the document's commands run once their dialogs are confirmed.
#include "document/tracepad_doc.h"

#include <cmath>

#include "document/preferences_pages.h"
#include "document/room_names.h"
#include "model/closing.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"

namespace plantrek {

int CTracepadDoc::GetOrAddMaterial(const QString& name, const NewMaterialDialog& dialog) {
    if (site_ == nullptr || name.isEmpty()) {
        return 0;
    }
    if (const Material* found = site_->FindMaterialByName(name)) {
        return found->GetIndex();
    }
    const int index = site_->NextMaterialIndex();
    std::optional<NewMaterialChoice> choice;
    if (dialog) {
        choice = dialog(name);
    }
    if (!choice) {
        return index;
    }
    // The dialog does not close on a colour another material has; one that slips through is
    // refused as the dialog would and counts as not confirmed, so two materials never share a
    // colour.
    if (site_->FindMaterialByColour(choice->colour) != nullptr) {
        ShowMessage(LoadString(string_id::kColourInUse), MessageIcon::Warning);
        return index;
    }
    site_->AddMaterial(name, index, choice->colour);
    if (choice->saveToPermanentList) {
        QList<TemplateMaterial> materials = prefs_.GetMaterials();
        materials.append(TemplateMaterial{name, choice->colour});
        if (!prefs_.SetMaterials(materials)) {
            ReportTemplateFailure(prefs_.TemplateError());
        }
    }
    return index;
}

bool CTracepadDoc::AddRoom(const QString& name, const QString& material,
                           const NewMaterialDialog& dialog) {
    if (site_ == nullptr || material.isEmpty()) {
        return false;
    }
    // The room being left goes first when it is empty, so that its name is free again.
    FinishCurrentRoom();
    ClearSelection();
    const int index = GetOrAddMaterial(material, dialog);
    NewRoom(NameForNewRoom(*site_, name), index);
    return true;
}

bool CTracepadDoc::ApplyRoomProperties(const QString& name, const QString& material,
                                       const NewMaterialDialog& dialog,
                                       std::optional<double> ceilingHeight) {
    if (GetSelectionLevel() != kLevelRoom || material.isEmpty()) {
        return false;
    }
    Room* room = currentRoom_;
    const QString newName = NameForEditedRoom(*site_, *room, name);
    int index = GetOrAddMaterial(material, dialog);
    // A dismissed "Add Material" leaves an index that names nothing; the room falls back to
    // the first material, as a new room does, instead of pointing at a material that is not
    // there.
    if (site_->FindMaterialByIndex(index) == nullptr) {
        index = 0;
    }
    room->SetName(newName);
    room->SetMaterial(index);
    if (ceilingHeight && std::isfinite(*ceilingHeight) && *ceilingHeight >= 0.0) {
        room->SetCeilingHeight(*ceilingHeight);
    }
    currentWall_ = nullptr;
    Commit(true);
    return true;
}

bool CTracepadDoc::RotateCurrentRoom(RoomPivot pivot, double degrees) {
    if (GetSelectionLevel() != kLevelRoom ||
        !RotateRoom(*currentRoom_, PivotPoint(*currentRoom_, pivot), degrees)) {
        return false;
    }
    Commit(true);
    return true;
}

bool CTracepadDoc::ReflectCurrentRoom(RoomPivot pivot, ReflectMode mode) {
    if (GetSelectionLevel() != kLevelRoom ||
        !ReflectRoom(*currentRoom_, PivotPoint(*currentRoom_, pivot), mode)) {
        return false;
    }
    Commit(true);
    return true;
}

bool CTracepadDoc::BringCurrentRoomToFront() {
    if (GetSelectionLevel() != kLevelRoom) {
        return false;
    }
    site_->BringToFront(currentRoom_);
    Commit(true);
    return true;
}

bool CTracepadDoc::SendCurrentRoomToBack() {
    if (GetSelectionLevel() != kLevelRoom) {
        return false;
    }
    site_->SendToBack(currentRoom_);
    Commit(true);
    return true;
}

bool CTracepadDoc::DeleteCurrentRoom() {
    if (GetSelectionLevel() != kLevelRoom) {
        return false;
    }
    Delete();
    return true;
}

bool CTracepadDoc::ApplyCloseRule(CloseRule rule) {
    switch (GetSelectionLevel()) {
        case kLevelRoom:
            SetCloseRule(*currentRoom_, rule);
            Commit(true);
            return true;
        case kLevelStartPoint:
            // Only rooms created from now on are affected; nothing in the plan changes.
            defaultCloseRule_ = rule;
            return true;
        default:
            return false;
    }
}

bool CTracepadDoc::AddProjection(double length, ProjectionSide side, double depth) {
    if (!GetCommandState(command_id::kAddProjection).enabled) {
        return false;
    }
    const bool done = GetSelectionLevel() == kLevelWall
                          ? InsertProjection(*currentRoom_, currentWall_, length, side, depth)
                          : AppendProjection(*currentRoom_, length, side, depth);
    if (!done) {
        return false;
    }
    currentWall_ = nullptr;
    Commit(true);
    return true;
}

bool CTracepadDoc::ConvertCurrentAddedWalls() {
    if (GetSelectionLevel() < kLevelRoom) {
        return false;
    }
    ConvertAddedWalls(*currentRoom_);
    currentWall_ = nullptr;
    Commit(true);
    return true;
}

bool CTracepadDoc::ReverseCurrentWalls() {
    if (GetSelectionLevel() < kLevelRoom || !ReverseWalls(*currentRoom_)) {
        return false;
    }
    Commit(true);
    return true;
}

bool CTracepadDoc::MoveCurrentRoomStart(PlanPoint corner) {
    if (GetSelectionLevel() < kLevelRoom || !SetStartPoint(*currentRoom_, corner)) {
        return false;
    }
    Commit(true);
    return true;
}

bool CTracepadDoc::ReplaceCurrentWall() {
    if (GetSelectionLevel() != kLevelWall || !ReplaceWall(*currentRoom_, currentWall_)) {
        return false;
    }
    currentWall_ = nullptr;
    Commit(true);
    return true;
}

bool CTracepadDoc::MoveCurrentWallEnd(double distance, double direction) {
    if (GetSelectionLevel() != kLevelWall) {
        return false;
    }
    const Room before = *currentRoom_;
    if (!MoveWallEnd(*currentRoom_, currentWall_, distance, direction) ||
        !ConfirmOpeningsPastWallEnd(before)) {
        return false;
    }
    currentWall_ = nullptr;
    Commit(true);
    return true;
}

bool CTracepadDoc::AngleCurrentWall(double distance) {
    if (GetSelectionLevel() != kLevelWall) {
        return false;
    }
    const Room before = *currentRoom_;
    return FinishWallEdit(AngleWall(*currentRoom_, currentWall_, distance), before);
}

bool CTracepadDoc::ArcCurrentWall(double distanceToStart, double distanceToEnd,
                                  ProjectionSide side) {
    if (GetSelectionLevel() != kLevelWall) {
        return false;
    }
    const Room before = *currentRoom_;
    return FinishWallEdit(
        ArcWall(*currentRoom_, currentWall_, distanceToStart, distanceToEnd, side), before);
}

bool CTracepadDoc::ArcCurrentWall(PlanPoint firstCorner, PlanPoint secondCorner,
                                  double firstDistance, double secondDistance,
                                  ProjectionSide side) {
    if (GetSelectionLevel() != kLevelWall) {
        return false;
    }
    const Room before = *currentRoom_;
    return FinishWallEdit(ArcWall(*currentRoom_, currentWall_, firstCorner, secondCorner,
                                  firstDistance, secondDistance, side),
                          before);
}

bool CTracepadDoc::FinishWallEdit(const EditResult& result, const Room& before) {
    if (!result) {
        switch (result.refusal) {
            case EditRefusal::CouldNotCalculatePoint:
                ShowMessage(LoadString(string_id::kCouldNotCalculatePoint), MessageIcon::Warning);
                break;
            case EditRefusal::StartPointOnWall:
                ShowMessage(LoadString(string_id::kStartPointOnWall), MessageIcon::Warning);
                break;
            case EditRefusal::None:
                break;
        }
        return false;
    }
    if (!ConfirmOpeningsPastWallEnd(before)) {
        return false;
    }
    currentWall_ = nullptr;
    Commit(true);
    return true;
}

bool CTracepadDoc::SetMaterialColour(const QString& name, Colour colour) {
    if (site_ == nullptr) {
        return false;
    }
    Material* material = site_->FindMaterialByName(name);
    if (material == nullptr) {
        return false;
    }
    material->SetColour(colour);
    Commit(true);
    return true;
}

bool CTracepadDoc::ToggleRelativeDirections() {
    PrefsInputValues input = prefs_.GetInputValues();
    input.DirectionMode = input.DirectionMode != 0 ? 0 : 1;
    prefs_.SetInputValues(input);
    Commit(true);
    return true;
}

void CTracepadDoc::ToggleDragMode() {
    prefs_.ToggleDragMode();
}

void CTracepadDoc::ToggleWallLengths() {
    PrefsDrawingValues drawing = prefs_.GetDrawingValues();
    drawing.ShowWallLengths = !drawing.ShowWallLengths;
    prefs_.SetDrawingValues(drawing);
    Commit(false);
}

void CTracepadDoc::ApplyPreferences(const PreferencesChoice& choice) {
    prefs_.SetDrawingValues(choice.drawing);
    std::optional<QString> failure;
    if (!prefs_.SetRoomNames(choice.roomNames)) {
        failure = prefs_.TemplateError();
    }
    if (!prefs_.SetMaterials(choice.materials) && !failure) {
        failure = prefs_.TemplateError();
    }
    ReportTemplateFailure(failure);
    prefs_.SetInputValues(choice.input);
    if (choice.defaultHeight) {
        prefs_.SetDefaultHeight(*choice.defaultHeight);
    }
    if (choice.nudgeStep) {
        prefs_.SetNudgeStep(*choice.nudgeStep);
    }
    emit keypadUnitsChanged(choice.input.Input);
    Commit(true);
}

}  // namespace plantrek
