#include "view/dialogs/qt_form_dialogs.h"

#include "document/tracepad_doc.h"
#include "view/dialogs/angle_wall_dialog.h"
#include "view/dialogs/arc_wall_dialog.h"
#include "view/dialogs/check_plan_dialog.h"
#include "view/dialogs/level_dialogs.h"
#include "view/dialogs/material_dialog.h"
#include "view/dialogs/move_dialog.h"
#include "view/dialogs/new_material_dialog.h"
#include "view/dialogs/preferences_dialog.h"
#include "view/dialogs/projection_dialog.h"
#include "view/dialogs/room_dialog.h"
#include "view/dialogs/room_summary_dialog.h"
#include "view/dialogs/room_turn_dialogs.h"
#include "view/dialogs/select_corners_dialog.h"
#include "view/dialogs/opening_dialog.h"
#include "view/dialogs/wall_dialog.h"

namespace plantrek {

namespace {

// Shows the dialog modally (so that meter readings reach it) and hands back its form on OK.
template <typename Dialog, typename Form>
bool Run(const CTracepadDoc& doc, Form& form, UserPrompts& prompts, QWidget* owner) {
    Dialog dialog(doc, form, prompts, owner);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    form = dialog.Form();
    return true;
}

}  // namespace

QtFormDialogs::QtFormDialogs(QWidget* owner, UserPrompts& prompts, SettingsStore store)
    : owner_(owner), prompts_(prompts), store_(std::move(store)) {}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, WallForm& form) {
    return Run<WallDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, OpeningForm& form) {
    return Run<OpeningDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, ProjectionForm& form) {
    return Run<ProjectionDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, ArcWallForm& form) {
    return Run<ArcWallDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, AngleWallForm& form) {
    return Run<AngleWallDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, MoveWallEndForm& form) {
    return Run<MoveWallEndDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, MoveForm& form) {
    return Run<MoveDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, RotateForm& form) {
    return Run<RotateRoomDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, ReflectForm& form) {
    return Run<ReflectRoomDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, RoomStartForm& form) {
    const Room* room = doc.GetCurrentRoom();
    if (room == nullptr) {
        return false;
    }
    RoomStartForm picked = form;
    CornerPicks picks;
    picks.wanted = 1;
    picks.pick = [&picked](PlanPoint corner) { picked.corner = corner; };
    picks.marked = [&picked](int) { return picked.corner; };
    SelectCornersDialog dialog(doc, *room, std::move(picks), prompts_, owner_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    form = picked;
    return true;
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, RoomForm& form) {
    CRoomDlg dialog(form, doc, doc.Prefs().GetRoomNames(), prompts_, owner_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, NewMaterialForm& form) {
    CNewMaterialDlg dialog(form, doc, prompts_, owner_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, MaterialForm& form) {
    CMaterialDlg dialog(form, doc, prompts_, owner_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, PreferencesForm& form) {
    CPrefsDlg dialog(form, doc, prompts_, owner_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, LevelForm& form) {
    return Run<LevelDialog>(doc, form, prompts_, owner_);
}

bool QtFormDialogs::Ask(const CTracepadDoc& doc, MoveToLevelForm& form) {
    return Run<MoveToLevelDialog>(doc, form, prompts_, owner_);
}

void QtFormDialogs::ShowCheckPlan(const std::vector<PlanFindingLine>& lines,
                                  const std::function<void(int line)>& choose) {
    CCheckPlanDlg dialog(lines, choose, owner_);
    dialog.exec();
}

void QtFormDialogs::ShowRoomSummary(const CTracepadDoc& doc) {
    if (doc.GetSite() == nullptr) {
        return;
    }
    CRoomSummaryDlg dialog(*doc.GetSite(), doc.Units(), ReadRoomSummaryWidths(store_),
                           doc.DefaultHeight(), owner_);
    if (dialog.exec() == QDialog::Accepted) {
        WriteRoomSummaryWidths(store_, dialog.Widths());
    }
}

}  // namespace plantrek
