#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "document/clip_item.h"
#include "document/command_state.h"
#include "document/prefs.h"
#include "document/undo_stack.h"
#include "document/user_prompts.h"
#include "model/editing.h"
#include "model/material.h"
#include "model/room.h"
#include "model/site.h"
#include "model/units.h"

// The site document: one plan, the selection in it, the user's preferences as this document
// read them, and the undo history. Every change of the plan goes through an operation here
// that ends in Commit, so the window, the command-line tool and the device link all change a
// plan the same way. The document never opens a window; it speaks to the person only through
// UserPrompts, and commands that need a dialog are split into the dialog's form (fields and
// checks, document/forms/) and the operation run on OK (below).
namespace plantrek {

struct PreferencesChoice;

// What the "Add Material" dialog answered: its colour and its "Save to permanent list" box.
struct NewMaterialChoice {
    Colour colour = Site::DefaultMaterialColour();
    bool saveToPermanentList = true;
};

// Shows the "Add Material" dialog for a material name the site does not know; nothing when it
// is dismissed without OK.
using NewMaterialDialog = std::function<std::optional<NewMaterialChoice>(const QString& name)>;

// What is selected, derived from the site, room and wall the document holds. The levels are
// ordered (a wall is selected inside a room) and count 0 to 3 where a number is shown.
enum SelectionLevel : int {
    kLevelNone = 0,        // no site (only while the document is torn down)
    kLevelStartPoint = 1,  // the site's start point
    kLevelRoom = 2,        // a room, no wall
    kLevelWall = 3,        // a wall of the selected room
};

// "Door", "Window" or "Opening": how menus, dialogs and messages name an opening's kind.
QString OpeningKindName(OpeningKind kind);

class CTracepadDoc : public QObject, public CUndoSource, public CClipSource {
    Q_OBJECT

public:
    // The preferences come from the given settings and template file; by default the user's.
    // The new document holds an empty site; OnNewDocument or OnOpenDocument fill it.
    explicit CTracepadDoc(UserPrompts& prompts, SettingsStore store = SettingsStore(),
                          TemplateLocation templateLocation = TemplateLocation::Default(),
                          QObject* parent = nullptr);
    ~CTracepadDoc() override;

    CTracepadDoc(const CTracepadDoc&) = delete;
    CTracepadDoc& operator=(const CTracepadDoc&) = delete;

    // ---------------------------------------------------------------------------------------
    // Files

    // File > New: one empty room "Room 1", selected, and the template's materials; unmodified.
    void OnNewDocument();
    // File > Open. On failure the reason is shown and the document is left as a new one.
    bool OnOpenDocument(const QString& path);
    // Save and Save As: the question about rooms that are not closed, then the file. On success
    // the path and title become the file's and the document is unmodified; on failure the
    // reason is shown and the document stays as it was.
    bool DoSave(const QString& path);
    // A plain Save to the document's path; false without a path (the caller asks for a name).
    bool Save();

    const QString& GetPathName() const { return pathName_; }
    const QString& GetTitle() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    // The name Save As proposes: the title with the ".tcd" extension.
    QString ProposedSaveAsName() const;
    // Modified when the present state is not the one last saved (or, for a new document, the
    // one it started with); undo and redo back to that state clear it again.
    bool IsModified() const { return modified_; }
    // Changes made without an undo step (notes) mark the document modified through here.
    void SetModifiedFlag(bool modified = true);
    // A site left by a program that ended without saving it: opened as modified, with the path
    // and title it had, so that Save writes where it belongs.
    void OnRecoverDocument(const Site& site, const QString& path, const QString& title);

    // ---------------------------------------------------------------------------------------
    // State

    Site* GetSite() { return site_.get(); }
    // The site as it stands, as a read-only copy that other threads may keep: the undo
    // history's own copy while the site has not changed since it was taken, so that handing
    // the site on costs nothing more than the change itself did.
    std::shared_ptr<const Site> SharedSite();
    const Site* GetSite() const { return site_.get(); }
    Room* GetCurrentRoom() const { return currentRoom_; }
    Wall* GetCurrentWall() const { return currentWall_; }
    // The selected opening among the selected wall's openings; -1 when none is.
    int GetCurrentOpening() const;
    // The opening Edit Opening and Delete Opening act on: the selected one, else the selected
    // wall's only opening; -1 when there is none.
    int TargetOpening() const;
    SelectionLevel GetSelectionLevel() const;

    CPrefs& Prefs() { return prefs_; }
    const CPrefs& Prefs() const { return prefs_; }
    // The program's ceiling height for a room that has none of its own (metres).
    double DefaultHeight() const;
    // The ceiling height this room takes when it has none of its own: its level's, else the
    // program's (metres).
    double DefaultHeightOf(const Room& room) const;
    // The units and direction style everything typed and shown goes through.
    const LengthUnits& Units() const;
    const AngleStyle& Style() const;
    // The units of a device reading; null for a unit code that has none.
    const LengthUnits* UnitsForDeviceCode(int code) const;

    CloseRule GetDefaultCloseRule() const { return defaultCloseRule_; }
    // The selected room's rule, or the rule for new rooms when no room is selected.
    CloseRule EffectiveCloseRule() const;

    const CUndoStack& UndoHistory() const { return undo_; }
    bool CanUndo() const { return site_ != nullptr && undo_.CanUndo(); }
    bool CanRedo() const { return site_ != nullptr && undo_.CanRedo(); }

    // "Room 1", "Room 2", ...: the first default name no room has.
    QString DefaultRoomName() const;

    // ---------------------------------------------------------------------------------------
    // Document operations

    void SelectRoom(Room* room);
    void SelectWall(Room* room, Wall* wall);
    // Selects the wall and its opening `index` (the wall alone for -1).
    void SelectOpening(Room* room, Wall* wall, int index);
    void FinishRoom();
    void DeselectWall();
    void NewRoom(const QString& name, int materialIndex);
    bool AppendWall(double length, double direction, double arcHeight);
    bool EditCurrentWall(double length, double direction, double arcHeight);
    bool ShiftStartPoint(double length, double direction);
    bool ShiftRoom(double length, double direction);
    bool ShiftSelection(double length, double direction);
    // Snap Room: moves the selected room's start point onto the nearest corner (of another room
    // or the site's start point) where the room reaches into no other room (SnapRoomTarget).
    // Where there is none it says so and moves nothing. True when the room was moved.
    bool SnapRoom();
    // Ctrl+arrow: moves the selected room (or the start point) by the plan vector. A nudge that
    // continues a run of them joins the run's step of the plan, so one undo takes the run back.
    bool NudgeSelection(PlanPoint step, bool continueRun);
    // The input line: a length and a direction, or an empty text that steps the selection up.
    // False when the text was refused (and said so): nothing changed, and the caller keeps the
    // text for correction.
    bool EnterInputText(const QString& text);
    // A wall measured or typed: edits the selected wall, appends to the selected room, or
    // moves the start point, by the selection level.
    void AddMeasuredWall(double length, double direction);
    // Every change ends here: views redraw; an undoable change marks the document modified
    // and is remembered for undo.
    void Commit(bool undoable);
    // The notes the annotation commands act on: the selected room's when it has walls and no
    // wall is selected, else the site's.
    AnnotationList* AnnotationListForCommand();

    // ---------------------------------------------------------------------------------------
    // Commands: the operation each runs once its dialog (if any) is confirmed. Each acts only
    // at the selection its command is enabled for and reports whether it changed anything.

    CommandState GetCommandState(int commandId, const CClipItem* keptItem = nullptr) const;

    // The index of the material of that name (case ignored); a new name goes through the
    // "Add Material" dialog. Dismissed, or answered with a colour another material has (which is
    // refused with the dialog's warning), the index it would have had is returned all the same.
    int GetOrAddMaterial(const QString& name, const NewMaterialDialog& dialog);
    // "Add Room...": the material as GetOrAddMaterial finds it, then a new selected room.
    bool AddRoom(const QString& name, const QString& material, const NewMaterialDialog& dialog);
    // "Room Properties": the room's name (by the rename rule), material and, when given, its
    // ceiling height (0: the default height).
    bool ApplyRoomProperties(const QString& name, const QString& material,
                             const NewMaterialDialog& dialog,
                             std::optional<double> ceilingHeight = std::nullopt);
    bool RotateCurrentRoom(RoomPivot pivot, double degrees);
    bool ReflectCurrentRoom(RoomPivot pivot, ReflectMode mode);
    bool BringCurrentRoomToFront();
    bool SendCurrentRoomToBack();
    // "Delete Room": deletes the selected room, only when no wall is selected.
    bool DeleteCurrentRoom();
    // The three Close commands: the selected room's rule, or the rule for new rooms.
    bool ApplyCloseRule(CloseRule rule);
    bool AddProjection(double length, ProjectionSide side, double depth);
    bool ConvertCurrentAddedWalls();
    bool ReverseCurrentWalls();
    bool MoveCurrentRoomStart(PlanPoint corner);
    bool ReplaceCurrentWall();
    bool MoveCurrentWallEnd(double distance, double direction);
    bool AngleCurrentWall(double distance);
    bool ArcCurrentWall(double distanceToStart, double distanceToEnd, ProjectionSide side);
    bool ArcCurrentWall(PlanPoint firstCorner, PlanPoint secondCorner, double firstDistance,
                        double secondDistance, ProjectionSide side);
    // "Edit Materials...": the colour of the material of that name.
    bool SetMaterialColour(const QString& name, Colour colour);
    // The same with the material's waste allowance (percent) and pack area (m²); 0 for none.
    bool SetMaterial(const QString& name, Colour colour, double wastePercent, double packArea);
    // The room's ceiling height in metres (0: the default height); one step of the plan.
    bool SetRoomHeight(Room* room, double height);
    // Openings on the selected wall. Each is refused (false, nothing changed) when the
    // opening's rules refuse the result; the forms say why before they get here.
    bool AddOpeningToCurrentWall(const Opening& opening);
    // Replaces the wall's opening `index` and selects it.
    bool ReplaceOpening(int index, const Opening& opening);
    // Deletes TargetOpening().
    bool DeleteTargetOpening();
    bool ToggleRelativeDirections();
    void ToggleDragMode();

    // ---------------------------------------------------------------------------------------
    // Levels. The current level is the one new rooms, the meter and the input line work on;
    // the active view keeps it to its own. Selecting a room makes its level current.

    int GetCurrentLevel() const { return currentLevel_; }
    // Switches to a level (one that exists): a selection on another level moves to the new
    // level's last room in drawing order, else to the start point. Not a change of the site.
    void SetCurrentLevel(int level);
    // "Add Level...": adds the level, makes it current and selects the start point; one step.
    bool AddLevel(const Level& level);
    // "Level Properties...": the level may move in the order; it stays current if it was.
    bool SetLevelProperties(int index, const Level& level);
    // "Delete Level": the level and its rooms; the last level is refused (false).
    bool DeleteLevel(int index);
    // "Move Room to Level...": the selected room, which stays selected on its new level.
    bool MoveCurrentRoomToLevel(int level);
    // View > Wall Lengths: a setting of the program, not of the site, so nothing to undo.
    void ToggleWallLengths();
    // The preferences sheet's OK.
    void ApplyPreferences(const PreferencesChoice& choice);
    bool Undo();
    bool Redo();

    // ---------------------------------------------------------------------------------------
    // CClipSource

    std::unique_ptr<CClipItem> Copy() const override;
    bool CanCopy() const override;
    bool CanPaste(ClipKind kind) const override;
    void Delete() override;
    void Paste(const CClipItem& item) override;

    // ---------------------------------------------------------------------------------------
    // CUndoSource

    std::unique_ptr<CUndoSnapshot> CreateSnapshot() override;
    void RestoreSnapshot(const CUndoSnapshot& snapshot) override;

signals:
    // After every commit, undo, redo, new and open: views redraw.
    void changed();
    // The current level changed (a switch, a new level, undo or a room selected on another).
    void currentLevelChanged(int level);
    // The length units changed or may have: 1 meters, anything else feet and inches. The main
    // frame sets its keypad's unit keys from it.
    void keypadUnitsChanged(int input);

private:
    // Empties the document: a new site, no selection, no undo history.
    void Reset();
    // Removes the selected room when it has no walls; the selection is left to the caller.
    void FinishCurrentRoom();
    void ClearSelection();
    // Notes the level being worked on in the present undo step, which undoing the next change
    // comes back to.
    void RememberLevelForUndo();
    // Makes the level current (clamped to the site's) and says so when it changed.
    void ChangeCurrentLevel(int level);
    bool StepUndo(int delta);
    void AddTemplateMaterials(bool onlyMissingNames);
    void SetPath(const QString& path);
    // The present state is the saved one: unmodified, and the undo history remembers it.
    void MarkSaved();
    void ShowMessage(const QString& text, MessageIcon icon) const;
    // Shows why the template file could not be rewritten, when it could not.
    void ReportTemplateFailure(const std::optional<QString>& failure) const;
    // Shows why a wall edit was refused, or keeps the edit as one step of the plan.
    bool FinishWallEdit(const EditResult& result, const Room& before);
    // After an edit of the selected room: openings that no longer fit their walls are removed
    // when the person agrees; otherwise the room is put back as `before` (its copy from before
    // the edit) with the same wall selected, and false is returned.
    bool ConfirmOpeningsPastWallEnd(const Room& before);

    UserPrompts& prompts_;
    CPrefs prefs_;
    LengthUnitsMap units_;
    AngleStyleMap styles_;
    std::unique_ptr<Site> site_;
    Room* currentRoom_ = nullptr;
    Wall* currentWall_ = nullptr;
    // The selected opening: an index among the openings of openingWall_, which counts only
    // while it is still the selected wall.
    const Wall* openingWall_ = nullptr;
    int currentOpening_ = -1;
    CloseRule defaultCloseRule_ = CloseRule::Square;
    int currentLevel_ = 0;
    CUndoStack undo_;
    // A copy equal to site_, or null when site_ has changed since the last copy.
    std::shared_ptr<const Site> sharedSite_;
    QString pathName_;
    QString title_;
    bool modified_ = false;
};

}  // namespace plantrek
