#include "view/handlers/room_handlers.h"

#include "document/forms/ask_check_apply.h"
#include "document/forms/preferences_form.h"
#include "document/forms/room_form.h"
#include "document/plan_findings.h"
#include "document/tracepad_doc.h"
#include "model/site.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"

namespace plantrek {

namespace {

void AddOrEditRoom(CTracepadDoc& doc, const EditingContext& context, RoomForm::Purpose purpose) {
    RoomForm form = RoomForm::FromDocument(doc, purpose);
    FormDialogs& dialogs = *context.dialogs;
    AskCheckApply(doc, *context.prompts, form, [&](RoomForm& f) {
        if (!dialogs.Ask(doc, f)) {
            return false;
        }
        // A material the site lacks is asked about once the room dialog is confirmed;
        // dismissing "Add Material" still creates or renames the room.
        f.newMaterial.reset();
        if (f.NamesNewMaterial(doc)) {
            NewMaterialForm material = NewMaterialForm::FromDocument(doc, f.material);
            if (dialogs.Ask(doc, material) && !material.Check(doc)) {
                f.newMaterial = material.Answer();
            }
        }
        return true;
    });
}

}  // namespace

void RegisterRoomHandlers(CommandRouter& router, const EditingContext& context,
                          std::function<CommandState(int id)> stateOf) {
    using namespace command_id;
    auto onDocument = [&router, context, stateOf](int id, std::function<void(CTracepadDoc&)> run) {
        router.SetHandler(id, {[context, run] {
                                   if (CTracepadDoc* doc = context.activeDocument()) {
                                       run(*doc);
                                   }
                               },
                               [stateOf, id] { return stateOf(id); }});
    };

    onDocument(kAddRoom, [context](CTracepadDoc& doc) {
        AddOrEditRoom(doc, context, RoomForm::Purpose::Add);
    });
    onDocument(kRoomProperties, [context](CTracepadDoc& doc) {
        AddOrEditRoom(doc, context, RoomForm::Purpose::Edit);
    });
    onDocument(kEditMaterials, [context](CTracepadDoc& doc) {
        const QStringList names = doc.GetSite()->MaterialNames();
        MaterialForm form = MaterialForm::FromDocument(doc, names.value(0));
        AskCheckApply(doc, *context.prompts, form,
                      [&](MaterialForm& f) { return context.dialogs->Ask(doc, f); });
    });
    onDocument(kRoomSummary,
               [context](CTracepadDoc& doc) { context.dialogs->ShowRoomSummary(doc); });
    // Choosing a finding selects its room while the list stays open.
    onDocument(kCheckPlan, [context](CTracepadDoc& doc) {
        const std::vector<PlanFindingLine> lines = CheckPlanLines(*doc.GetSite(), doc.Units());
        std::vector<Room*> rooms;
        for (const PlanFindingLine& line : lines) {
            rooms.push_back(doc.GetSite()->GetRoom(line.room));
        }
        context.dialogs->ShowCheckPlan(lines, [&doc, rooms](int line) {
            if (line >= 0 && line < static_cast<int>(rooms.size())) {
                doc.SelectRoom(rooms[static_cast<std::size_t>(line)]);
            }
        });
    });
    // The document then tells the frame's keypad the units it now uses.
    onDocument(kPreferences, [context](CTracepadDoc& doc) {
        PreferencesForm form = PreferencesForm::FromDocument(doc);
        AskCheckApply(doc, *context.prompts, form,
                      [&](PreferencesForm& f) { return context.dialogs->Ask(doc, f); });
    });
}

}  // namespace plantrek
