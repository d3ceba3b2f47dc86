#include "view/handlers/move_handlers.h"

#include "document/forms/move_form.h"
#include "document/forms/room_transform_forms.h"
#include "resources/command_ids.h"
#include "view/handlers/handler_support.h"

namespace plantrek {

void RegisterMoveHandlers(CommandRouter& router, const EditingContext& context) {
    using namespace command_id;
    router.SetHandler(kMoveRoom,
                      DialogCommand<MoveForm>(context, kMoveRoom, [](const CTracepadDoc& d) {
                          return MoveForm::FromDocument(d, MoveForm::Target::Room);
                      }));
    router.SetHandler(kMoveStartPoint,
                      DialogCommand<MoveForm>(context, kMoveStartPoint, [](const CTracepadDoc& d) {
                          return MoveForm::FromDocument(d, MoveForm::Target::StartPoint);
                      }));
    router.SetHandler(kRotateRoom,
                      DialogCommand<RotateForm>(context, kRotateRoom, &RotateForm::FromDocument));
    router.SetHandler(kReflectRoom,
                      DialogCommand<ReflectForm>(context, kReflectRoom, &ReflectForm::FromDocument));
}

}  // namespace plantrek
