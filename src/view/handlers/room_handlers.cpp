#include "view/handlers/room_handlers.h"

#include "document/tracepad_doc.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"

namespace plantrek {

namespace {

void AddOrEditRoom(CTracepadDoc& doc, RoomDialogs& dialogs, RoomForm::Purpose purpose) {
    RoomForm form = RoomForm::FromDocument(doc, purpose);
    if (!dialogs.AskRoom(form, doc)) {
        return;
    }
    // A material the site lacks is asked about once the room dialog is confirmed; dismissing
    // "Add Material" still creates or renames the room.
    if (form.NamesNewMaterial(doc)) {
        NewMaterialForm material = NewMaterialForm::FromDocument(doc, form.material);
        form.newMaterial = dialogs.AskNewMaterial(material, doc);
    }
    form.Apply(doc);
}

}  // namespace

void RegisterRoomHandlers(CommandRouter& router, RoomCommandContext context,
                          std::shared_ptr<RoomDialogs> dialogs) {
    using namespace command_id;
    auto onDocument = [&router, context, dialogs](int id,
                                                 std::function<void(CTracepadDoc&, RoomDialogs&)> run) {
        router.SetHandler(id, {[context, dialogs, run] {
                                   if (CTracepadDoc* doc = context.activeDocument()) {
                                       run(*doc, *dialogs);
                                   }
                               },
                               [context, id] { return context.stateOf(id); }});
    };

    onDocument(kAddRoom, [](CTracepadDoc& doc, RoomDialogs& d) {
        AddOrEditRoom(doc, d, RoomForm::Purpose::Add);
    });
    onDocument(kRoomProperties, [](CTracepadDoc& doc, RoomDialogs& d) {
        AddOrEditRoom(doc, d, RoomForm::Purpose::Edit);
    });
    onDocument(kEditMaterials, [](CTracepadDoc& doc, RoomDialogs& d) {
        const QStringList names = doc.GetSite()->MaterialNames();
        MaterialForm form = MaterialForm::FromDocument(doc, names.value(0));
        if (d.AskMaterial(form, doc)) {
            form.Apply(doc);
        }
    });
    onDocument(kRoomSummary, [](CTracepadDoc& doc, RoomDialogs& d) { d.ShowRoomSummary(doc); });
    // The document then tells the frame's keypad the units it now uses.
    onDocument(kPreferences, [](CTracepadDoc& doc, RoomDialogs& d) {
        PreferencesForm form = PreferencesForm::FromDocument(doc);
        if (d.AskPreferences(form)) {
            form.Apply(doc);
        }
    });
    router.SetHandler(kAppAbout, {[dialogs] { dialogs->ShowAbout(); }, {}});
}

}  // namespace plantrek
