#include "view/dialogs/room_dialog_factory.h"

#include "document/tracepad_doc.h"
#include "view/dialogs/about_dialog.h"
#include "view/dialogs/preferences_dialog.h"
#include "view/dialogs/material_dialog.h"
#include "view/dialogs/new_material_dialog.h"
#include "view/dialogs/room_dialog.h"
#include "view/dialogs/room_summary_dialog.h"

namespace plantrek {

QtRoomDialogs::QtRoomDialogs(QWidget* owner, UserPrompts& prompts, SettingsStore store)
    : owner_(owner), prompts_(prompts), store_(std::move(store)) {}

bool QtRoomDialogs::AskRoom(RoomForm& form, const CTracepadDoc& doc) {
    CRoomDlg dialog(form, doc, doc.Prefs().GetRoomNames(), prompts_, owner_);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<NewMaterialChoice> QtRoomDialogs::AskNewMaterial(NewMaterialForm& form,
                                                               const CTracepadDoc& doc) {
    CNewMaterialDlg dialog(form, doc, prompts_, owner_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return form.Answer();
}

bool QtRoomDialogs::AskMaterial(MaterialForm& form, const CTracepadDoc& doc) {
    CMaterialDlg dialog(form, doc, prompts_, owner_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtRoomDialogs::AskPreferences(PreferencesForm& form) {
    CPrefsDlg dialog(form, prompts_, owner_);
    return dialog.exec() == QDialog::Accepted;
}

void QtRoomDialogs::ShowRoomSummary(const CTracepadDoc& doc) {
    if (doc.GetSite() == nullptr) {
        return;
    }
    CRoomSummaryDlg dialog(*doc.GetSite(), doc.Units(), ReadRoomSummaryWidths(store_), owner_);
    if (dialog.exec() == QDialog::Accepted) {
        WriteRoomSummaryWidths(store_, dialog.Widths());
    }
}

void QtRoomDialogs::ShowAbout() {
    CAboutDlg dialog(owner_);
    dialog.exec();
}

}  // namespace plantrek
