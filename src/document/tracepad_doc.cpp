#include "document/tracepad_doc.h"

#include <QFileInfo>

#include <cmath>

#include "document/doc_snapshot.h"
#include "document/files/site_file.h"
#include "document/length_checks.h"
#include "document/room_names.h"
#include "document/user_prompts.h"
#include "model/closing.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

constexpr int kUndoCapacity = 10;

std::unique_ptr<Site> NewSite() {
    auto site = std::make_unique<Site>();
    site->SetName(LoadString(string_id::kSiteName));
    return site;
}

QString FileNewTitle() {
    return DocumentTemplateString(DocumentTemplatePart::FileNewName);
}

}  // namespace

CTracepadDoc::CTracepadDoc(UserPrompts& prompts, SettingsStore store,
                           TemplateLocation templateLocation, QObject* parent)
    : QObject(parent),
      prompts_(prompts),
      prefs_(std::move(store), std::move(templateLocation)),
      units_(CreateLengthUnitsMap()),
      styles_(CreateAngleStyleMap()),
      site_(NewSite()),
      title_(FileNewTitle()) {
    undo_.Reset(this, kUndoCapacity);
}

CTracepadDoc::~CTracepadDoc() {
    // The history goes first: its snapshots are deleted through this document.
    undo_.Reset(this, kUndoCapacity);
    ClearSelection();
    site_.reset();
}

// ---------------------------------------------------------------------------------------------
// State

SelectionLevel CTracepadDoc::GetSelectionLevel() const {
    if (site_ == nullptr) {
        return kLevelNone;
    }
    if (currentRoom_ == nullptr) {
        return kLevelStartPoint;
    }
    return currentWall_ == nullptr ? kLevelRoom : kLevelWall;
}

const LengthUnits& CTracepadDoc::Units() const {
    const int code = prefs_.GetInputValues().UsesMetres() ? kMetricUnitCode : kImperialUnitCode;
    return *units_.at(code);
}

const AngleStyle& CTracepadDoc::Style() const {
    // A stored style code that names no style (the settings can hold anything) reads as
    // azimuth rather than leaving the document without a way to read directions.
    const auto found = styles_.find(prefs_.GetInputValues().AngleStyle);
    if (found == styles_.end()) {
        return *styles_.at(kAzimuthStyleCode);
    }
    return *found->second;
}

const LengthUnits* CTracepadDoc::UnitsForDeviceCode(int code) const {
    const auto found = units_.find(code);
    return found != units_.end() ? found->second.get() : nullptr;
}

CloseRule CTracepadDoc::EffectiveCloseRule() const {
    if (GetSelectionLevel() == kLevelRoom) {
        return currentRoom_->GetCloseRule();
    }
    return defaultCloseRule_;
}

QString CTracepadDoc::DefaultRoomName() const {
    return site_ != nullptr ? plantrek::DefaultRoomName(*site_) : QString();
}

void CTracepadDoc::ShowMessage(const QString& text, MessageIcon icon) const {
    prompts_.ShowMessage(text, icon);
}

// ---------------------------------------------------------------------------------------------
// Files

void CTracepadDoc::Reset() {
    ClearSelection();
    ChangeCurrentLevel(0);
    site_ = NewSite();
    sharedSite_.reset();
    undo_.Reset(this, kUndoCapacity);
    emit keypadUnitsChanged(prefs_.GetInputValues().Input);
}

void CTracepadDoc::AddTemplateMaterials(bool onlyMissingNames) {
    for (const TemplateMaterial& material : prefs_.GetMaterials()) {
        if (onlyMissingNames && site_->FindMaterialByName(material.name) != nullptr) {
            continue;
        }
        site_->AddMaterial(material.name, site_->NextMaterialIndex(), material.colour);
    }
}

void CTracepadDoc::SetPath(const QString& path) {
    pathName_ = path;
    title_ = path.isEmpty() ? FileNewTitle() : QFileInfo(path).fileName();
}

void CTracepadDoc::OnNewDocument() {
    Reset();
    SetPath(QString());
    // The first snapshot is taken with the first room, before the template's materials join
    // the site: undoing back to it takes them out again.
    NewRoom(DefaultRoomName(), 0);
    AddTemplateMaterials(false);
    sharedSite_.reset();
    MarkSaved();
    emit changed();
}

bool CTracepadDoc::OnOpenDocument(const QString& path) {
    auto loaded = NewSite();
    const SiteFileResult result = LoadSiteFile(path, *loaded);
    if (!result.ok) {
        // Nothing half-read stays: the document is left as a new one.
        QString text = QStringLiteral("The file \"%1\" could not be opened.").arg(path);
        if (!result.errorText.isEmpty()) {
            text += QLatin1Char('\n') + result.errorText;
        }
        ShowMessage(text, MessageIcon::Warning);
        OnNewDocument();
        return false;
    }
    Reset();
    site_ = std::move(loaded);
    // A read site keeps the name every new site is given; the file's own is not read.
    site_->SetName(LoadString(string_id::kSiteName));
    AddTemplateMaterials(true);
    SetPath(path);
    Commit(true);
    MarkSaved();
    emit changed();
    return true;
}

void CTracepadDoc::OnRecoverDocument(const Site& site, const QString& path, const QString& title) {
    Reset();
    *site_ = site;
    site_->SetName(LoadString(string_id::kSiteName));
    SetPath(path);
    title_ = title;
    // Modified for good: no undo step leads back to a state that is in a file.
    Commit(true);
}

void CTracepadDoc::SetModifiedFlag(bool modified) {
    modified_ = modified;
    if (modified) {
        // The change (a note) has no undo step of its own: it joins the present entry, so that
        // Undo and then Redo come back to it, and that entry is no longer the saved state.
        undo_.ForgetCleanPresent();
        if (!undo_.RefreshPresent()) {
            sharedSite_.reset();
        }
    }
}

std::shared_ptr<const Site> CTracepadDoc::SharedSite() {
    if (sharedSite_ == nullptr && site_ != nullptr) {
        sharedSite_ = site_->Snapshot();
    }
    return sharedSite_;
}

bool CTracepadDoc::DoSave(const QString& path) {
    if (site_ == nullptr) {
        return false;
    }
    if (site_->CountClosedRooms() != site_->RoomCount() &&
        !prompts_.AskYesNo(LoadString(string_id::kRoomsNotClosed))) {
        return false;
    }
    const SiteFileResult result = SaveSiteFile(*site_, path);
    if (!result.ok) {
        ShowMessage(SaveFailureText(path, result), MessageIcon::Warning);
        return false;
    }
    SetPath(path);
    // The present entry may predate changes made without an undo step (notes); it is taken
    // again so that stepping back to it gives the state now in the file.
    undo_.RefreshPresent();
    MarkSaved();
    return true;
}

void CTracepadDoc::MarkSaved() {
    undo_.MarkClean();
    modified_ = false;
}

bool CTracepadDoc::Save() {
    if (pathName_.isEmpty()) {
        return false;
    }
    return DoSave(pathName_);
}

QString CTracepadDoc::ProposedSaveAsName() const {
    const QString extension = DocumentTemplateString(DocumentTemplatePart::FilterExtension);
    if (title_.endsWith(extension, Qt::CaseInsensitive)) {
        return title_;
    }
    return title_ + extension;
}

// ---------------------------------------------------------------------------------------------
// Selection

void CTracepadDoc::ClearSelection() {
    currentRoom_ = nullptr;
    currentWall_ = nullptr;
    openingWall_ = nullptr;
    currentOpening_ = -1;
}

void CTracepadDoc::FinishCurrentRoom() {
    if (site_ == nullptr || currentRoom_ == nullptr) {
        return;
    }
    if (currentRoom_->WallCount(true) == 0) {
        Room* empty = currentRoom_;
        ClearSelection();
        site_->RemoveRoom(empty);
        sharedSite_.reset();
    }
}

void CTracepadDoc::SelectRoom(Room* room) {
    if (site_ == nullptr || site_->IndexOfRoom(room) < 0) {
        return;
    }
    if (room == currentRoom_ && currentWall_ == nullptr) {
        return;
    }
    if (room != currentRoom_) {
        FinishCurrentRoom();
    }
    currentRoom_ = room;
    currentWall_ = nullptr;
    ChangeCurrentLevel(room->GetLevel());
    Commit(false);
}

void CTracepadDoc::SelectWall(Room* room, Wall* wall) {
    SelectOpening(room, wall, -1);
}

void CTracepadDoc::FinishRoom() {
    if (site_ == nullptr) {
        return;
    }
    FinishCurrentRoom();
    ClearSelection();
    Commit(false);
}

void CTracepadDoc::DeselectWall() {
    if (site_ == nullptr) {
        return;
    }
    currentWall_ = nullptr;
    Commit(false);
}

// ---------------------------------------------------------------------------------------------
// Operations

void CTracepadDoc::NewRoom(const QString& name, int materialIndex) {
    if (site_ == nullptr) {
        return;
    }
    FinishCurrentRoom();
    Room* room = site_->AddRoom(name, materialIndex, currentLevel_);
    room->SetCloseRule(defaultCloseRule_);
    currentRoom_ = room;
    currentWall_ = nullptr;
    Commit(true);
}

bool CTracepadDoc::AppendWall(double length, double direction, double arcHeight) {
    if (GetSelectionLevel() != kLevelRoom || !std::isfinite(length) || !std::isfinite(direction) ||
        !std::isfinite(arcHeight)) {
        return false;
    }
    currentRoom_->AddWall(length, direction, arcHeight);
    currentWall_ = nullptr;
    Commit(true);
    return true;
}

bool CTracepadDoc::EditCurrentWall(double length, double direction, double arcHeight) {
    if (GetSelectionLevel() != kLevelWall) {
        return false;
    }
    const Room before = *currentRoom_;
    if (!EditWall(*currentRoom_, currentWall_, length, direction, arcHeight) ||
        !ConfirmOpeningsPastWallEnd(before)) {
        return false;
    }
    currentWall_ = nullptr;
    Commit(true);
    return true;
}

bool CTracepadDoc::ShiftStartPoint(double length, double direction) {
    if (site_ == nullptr || !std::isfinite(length) || !std::isfinite(direction)) {
        return false;
    }
    site_->MoveStartPoint(length, direction);
    Commit(true);
    return true;
}

bool CTracepadDoc::ShiftRoom(double length, double direction) {
    if (site_ == nullptr || currentRoom_ == nullptr || !std::isfinite(length) ||
        !std::isfinite(direction)) {
        return false;
    }
    currentRoom_->MoveBy(length, direction);
    Commit(true);
    return true;
}

bool CTracepadDoc::ShiftSelection(double length, double direction) {
    switch (GetSelectionLevel()) {
        case kLevelRoom:
        case kLevelWall:
            return ShiftRoom(length, direction);
        case kLevelStartPoint:
            return ShiftStartPoint(length, direction);
        default:
            return false;
    }
}

bool CTracepadDoc::NudgeSelection(PlanPoint step, bool continueRun) {
    double length = 0.0;
    double direction = 0.0;
    CartesianToPolar(step.x, step.y, &length, &direction);
    if (site_ == nullptr || !std::isfinite(length) || !(length > 0.0)) {
        return false;
    }
    // A saved state in the middle of a run starts a step of its own, so that undo finds it.
    if (!continueRun || !undo_.CanUndo() || undo_.IsClean()) {
        return ShiftSelection(length, direction);
    }
    switch (GetSelectionLevel()) {
        case kLevelRoom:
        case kLevelWall:
            currentRoom_->MoveBy(length, direction);
            break;
        case kLevelStartPoint:
            site_->MoveStartPoint(length, direction);
            break;
        default:
            return false;
    }
    modified_ = true;
    undo_.RefreshPresent();
    emit changed();
    return true;
}

bool CTracepadDoc::EnterInputText(const QString& text) {
    if (site_ == nullptr) {
        return false;
    }
    if (text.isEmpty()) {
        switch (GetSelectionLevel()) {
            case kLevelWall:
                DeselectWall();
                break;
            case kLevelRoom:
                FinishRoom();
                break;
            case kLevelStartPoint:
                NewRoom(DefaultRoomName(), 0);
                break;
            default:
                break;
        }
        return true;
    }
    const LengthUnits& units = Units();
    double length = 0.0;
    double direction = 0.0;
    QString part;
    // Read strictly: a typo refused is better than a wrong wall taken silently.
    const TypingFault fault =
        ReadTypedLengthAndDirection(text, units, Style(), &length, &direction, &part);
    if (fault != TypingFault::None) {
        ShowMessage(InputRefusal(text, fault, part, units, Style()), MessageIcon::Error);
        return false;
    }
    if (const auto refusal = CheckWallLength(length, units)) {
        ShowMessage(*refusal, MessageIcon::Warning);
        return false;
    }
    AddMeasuredWall(length, direction);
    return true;
}

void CTracepadDoc::AddMeasuredWall(double length, double direction) {
    switch (GetSelectionLevel()) {
        case kLevelWall:
            EditCurrentWall(length, direction, 0.0);
            break;
        case kLevelRoom:
            if (prefs_.GetInputValues().DirectionMode != 0 && currentRoom_->WallCount(true) > 0) {
                const Wall* last = currentRoom_->GetWall(currentRoom_->WallCount(true) - 1, true);
                direction = NormalizeDegrees(last->GetDirection() + direction);
            }
            AppendWall(length, direction, 0.0);
            break;
        case kLevelStartPoint:
            ShiftStartPoint(length, direction);
            break;
        default:
            break;
    }
}

void CTracepadDoc::Commit(bool undoable) {
    if (undoable) {
        modified_ = true;
        undo_.Push();
    } else {
        RememberLevelForUndo();
    }
    emit changed();
}

void CTracepadDoc::RememberLevelForUndo() {
    // Undoing the next change comes back to the level being worked on when it comes: undoing a
    // room's move to another level shows the level the room returns to.
    if (auto* present = static_cast<CDocSnapshot*>(undo_.Present())) {
        present->currentLevel = currentLevel_;
    }
}

AnnotationList* CTracepadDoc::AnnotationListForCommand() {
    if (site_ == nullptr) {
        return nullptr;
    }
    if (GetSelectionLevel() == kLevelRoom && currentRoom_->WallCount(true) > 0) {
        return &currentRoom_->Annotations();
    }
    return &site_->Annotations();
}

// ---------------------------------------------------------------------------------------------
// Undo

std::unique_ptr<CUndoSnapshot> CTracepadDoc::CreateSnapshot() {
    auto snapshot = std::make_unique<CDocSnapshot>();
    sharedSite_ = site_ != nullptr ? site_->Snapshot() : nullptr;
    snapshot->site = sharedSite_ != nullptr ? sharedSite_ : std::make_shared<const Site>();
    const SelectionLevel level = GetSelectionLevel();
    if (level >= kLevelRoom) {
        snapshot->roomIndex = site_->IndexOfRoom(currentRoom_);
    }
    if (level == kLevelWall) {
        snapshot->wallIndex = currentRoom_->IndexOfWall(currentWall_);
        snapshot->openingIndex = GetCurrentOpening();
    }
    snapshot->currentLevel = currentLevel_;
    snapshot->defaultCloseRule = defaultCloseRule_;
    snapshot->input = prefs_.GetInputValues();
    snapshot->drawing = prefs_.GetDrawingValues();
    snapshot->defaultHeight = prefs_.GetDefaultHeight();
    snapshot->nudgeStep = prefs_.GetNudgeStep();
    snapshot->templateRoomNames = prefs_.GetRoomNames();
    snapshot->templateMaterials = prefs_.GetMaterials();
    return snapshot;
}

void CTracepadDoc::RestoreSnapshot(const CUndoSnapshot& base) {
    const auto& snapshot = static_cast<const CDocSnapshot&>(base);
    ClearSelection();
    if (site_ == nullptr) {
        site_ = NewSite();
    }
    site_->RestoreSnapshot(*snapshot.site);
    sharedSite_ = snapshot.site;
    currentRoom_ = site_->GetRoom(snapshot.roomIndex);
    if (currentRoom_ != nullptr) {
        currentWall_ = currentRoom_->GetWall(snapshot.wallIndex, true);
    }
    openingWall_ = currentWall_;
    currentOpening_ = snapshot.openingIndex;
    // The step's selection on a level other than the one it comes back to is not kept: what is
    // selected is always on the level shown. (With one level nothing changes.)
    ChangeCurrentLevel(snapshot.currentLevel);
    if (currentRoom_ != nullptr && currentRoom_->GetLevel() != currentLevel_) {
        ClearSelection();
    }
    defaultCloseRule_ = snapshot.defaultCloseRule;
    // The settings are written only when they differ: most steps change the plan alone, and
    // rewriting the settings file on each would make every undo wait for the disk.
    if (prefs_.GetInputValues() != snapshot.input) {
        prefs_.SetInputValues(snapshot.input);
    }
    if (prefs_.GetDefaultHeight() != snapshot.defaultHeight) {
        prefs_.SetDefaultHeight(snapshot.defaultHeight);
    }
    if (prefs_.GetNudgeStep() != snapshot.nudgeStep) {
        prefs_.SetNudgeStep(snapshot.nudgeStep);
    }
    // Wall lengths are a view setting of the whole program, not part of the site's history.
    PrefsDrawingValues drawing = snapshot.drawing;
    drawing.ShowWallLengths = prefs_.GetDrawingValues().ShowWallLengths;
    if (prefs_.GetDrawingValues() != drawing) {
        prefs_.SetDrawingValues(drawing);
    }
    // The template file is rewritten only when a list differs, so that a template folder the
    // user cannot write to does not cost a message on every step.
    std::optional<QString> failure;
    if (prefs_.GetRoomNames() != snapshot.templateRoomNames &&
        !prefs_.SetRoomNames(snapshot.templateRoomNames)) {
        failure = prefs_.TemplateError();
    }
    if (prefs_.GetMaterials() != snapshot.templateMaterials &&
        !prefs_.SetMaterials(snapshot.templateMaterials) && !failure) {
        failure = prefs_.TemplateError();
    }
    ReportTemplateFailure(failure);
}

void CTracepadDoc::ReportTemplateFailure(const std::optional<QString>& failure) const {
    if (!failure) {
        return;
    }
    ShowMessage(
        failure->isEmpty() ? QStringLiteral("The template file could not be written.") : *failure,
        MessageIcon::Warning);
}

bool CTracepadDoc::StepUndo(int delta) {
    if (site_ == nullptr || !undo_.Step(delta)) {
        return false;
    }
    // Modified exactly when the state reached is not the one last saved.
    modified_ = !undo_.IsClean();
    emit keypadUnitsChanged(prefs_.GetInputValues().Input);
    emit changed();
    return true;
}

bool CTracepadDoc::Undo() {
    return CanUndo() && StepUndo(-1);
}

bool CTracepadDoc::Redo() {
    return CanRedo() && StepUndo(+1);
}

}  // namespace plantrek
