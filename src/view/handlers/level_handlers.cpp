#include "view/handlers/level_handlers.h"

#include "document/forms/level_form.h"
#include "model/site.h"
#include "resources/command_ids.h"
#include "view/handlers/handler_support.h"

namespace plantrek {

QString DeleteLevelQuestion(const QString& name, int rooms) {
    if (rooms == 0) {
        return QStringLiteral("Delete the level \"%1\"?").arg(name);
    }
    return QStringLiteral("Delete the level \"%1\" and its %2 %3?")
        .arg(name)
        .arg(rooms)
        .arg(rooms == 1 ? QStringLiteral("room") : QStringLiteral("rooms"));
}

void RegisterLevelHandlers(CommandRouter& router, const EditingContext& context) {
    using namespace command_id;
    router.SetHandler(kAddLevel,
                      DialogCommand<LevelForm>(context, kAddLevel, [](const CTracepadDoc& d) {
                          return LevelForm::FromDocument(d, LevelForm::Purpose::Add);
                      }));
    router.SetHandler(
        kLevelProperties,
        DialogCommand<LevelForm>(context, kLevelProperties, [](const CTracepadDoc& d) {
            return LevelForm::FromDocument(d, LevelForm::Purpose::Properties);
        }));
    router.SetHandler(
        kMoveRoomToLevel,
        DialogCommand<MoveToLevelForm>(context, kMoveRoomToLevel, &MoveToLevelForm::FromDocument));
    // The level the active window shows is the document's current one.
    router.SetHandler(
        kDeleteLevel,
        {[context] {
             CTracepadDoc* doc = context.activeDocument ? context.activeDocument() : nullptr;
             if (doc == nullptr || doc->GetSite() == nullptr) {
                 return;
             }
             const int level = doc->GetCurrentLevel();
             const Site& site = *doc->GetSite();
             if (context.prompts->AskYesNo(DeleteLevelQuestion(site.GetLevel(level).name,
                                                               site.CountRoomsOnLevel(level)))) {
                 doc->DeleteLevel(level);
             }
         },
         [context] {
             const CTracepadDoc* doc = context.activeDocument ? context.activeDocument() : nullptr;
             return doc != nullptr ? doc->GetCommandState(kDeleteLevel) : CommandState{};
         }});
}

}  // namespace plantrek
