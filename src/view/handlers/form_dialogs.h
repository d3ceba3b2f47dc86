#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "document/plan_findings.h"

// Every dialog that edits a form, as the handlers see them: each shows its dialog filled from
// the form and answers whether it closed with OK, the answer then being in the form. The
// handler checks and applies the form (see AskCheckApply). The window shows real dialogs;
// handler tests script the answers.
namespace plantrek {

class AngleWallForm;
class ArcWallForm;
class CTracepadDoc;
class LevelForm;
class MaterialForm;
class MoveForm;
class MoveToLevelForm;
class MoveWallEndForm;
class NewMaterialForm;
class OpeningForm;
class PreferencesForm;
class ProjectionForm;
class ReflectForm;
class RoomForm;
class RoomStartForm;
class RotateForm;
class UserPrompts;
class WallForm;

class FormDialogs {
public:
    virtual ~FormDialogs() = default;
    // The document is only read.
    virtual bool Ask(const CTracepadDoc& doc, WallForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, ProjectionForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, ArcWallForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, AngleWallForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, MoveWallEndForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, MoveForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, RotateForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, ReflectForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, RoomStartForm& form) = 0;
    // "Add Door", "Add Window", "Add Opening" or "Edit Opening".
    virtual bool Ask(const CTracepadDoc& doc, OpeningForm& form) = 0;
    // "Add Room" or "Edit Room".
    virtual bool Ask(const CTracepadDoc& doc, RoomForm& form) = 0;
    // "Add Material", for a material name the site does not have.
    virtual bool Ask(const CTracepadDoc& doc, NewMaterialForm& form) = 0;
    // "Edit Material".
    virtual bool Ask(const CTracepadDoc& doc, MaterialForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, PreferencesForm& form) = 0;
    // "Add Level" or "Level Properties".
    virtual bool Ask(const CTracepadDoc& doc, LevelForm& form) = 0;
    virtual bool Ask(const CTracepadDoc& doc, MoveToLevelForm& form) = 0;
    // The room summary edits nothing; it only shows the document.
    virtual void ShowRoomSummary(const CTracepadDoc& doc) = 0;
    // Check Plan's findings; choosing one calls `choose` with its place in the list.
    virtual void ShowCheckPlan(const std::vector<PlanFindingLine>& lines,
                               const std::function<void(int line)>& choose) = 0;
};

// What the handlers of the form commands work with.
struct EditingContext {
    std::function<CTracepadDoc*()> activeDocument;
    UserPrompts* prompts = nullptr;
    std::shared_ptr<FormDialogs> dialogs;
};

}  // namespace plantrek
