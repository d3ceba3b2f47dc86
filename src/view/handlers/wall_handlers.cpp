#include "view/handlers/wall_handlers.h"

#include <utility>

#include "document/forms/arc_wall_form.h"
#include "document/forms/move_form.h"
#include "document/forms/opening_form.h"
#include "document/forms/projection_form.h"
#include "document/forms/room_transform_forms.h"
#include "document/forms/wall_form.h"
#include "resources/command_ids.h"
#include "view/handlers/handler_support.h"

namespace plantrek {

void RegisterWallHandlers(CommandRouter& router, const EditingContext& context) {
    using namespace command_id;
    router.SetHandler(kAddWall, DialogCommand<WallForm>(context, kAddWall, [](const CTracepadDoc& d) {
        return WallForm::FromDocument(d, WallForm::Purpose::Add);
    }));
    router.SetHandler(kEditWall,
                      DialogCommand<WallForm>(context, kEditWall, [](const CTracepadDoc& d) {
                          return WallForm::FromDocument(d, WallForm::Purpose::Edit);
                      }));
    router.SetHandler(kAddProjection,
                      DialogCommand<ProjectionForm>(context, kAddProjection,
                                                    &ProjectionForm::FromDocument));
    router.SetHandler(kArcWall,
                      DialogCommand<ArcWallForm>(context, kArcWall, &ArcWallForm::FromDocument));
    UserPrompts* prompts = context.prompts;
    router.SetHandler(kAngleWall,
                      DialogCommand<AngleWallForm>(
                          context, kAngleWall, &AngleWallForm::FromDocument,
                          [prompts](const CTracepadDoc& d) {
                              // Nothing to swing about: said before any dialog shows.
                              if (auto refusal = AngleWallForm::CheckOpening(d)) {
                                  if (prompts != nullptr) {
                                      prompts->ShowMessage(*refusal, MessageIcon::Warning);
                                  }
                                  return false;
                              }
                              return true;
                          }));
    router.SetHandler(kMoveWallEnd, DialogCommand<MoveWallEndForm>(
                                        context, kMoveWallEnd, &MoveWallEndForm::FromDocument));
    using P = OpeningForm::Purpose;
    for (const auto& [id, kind] : {std::pair{kAddDoor, OpeningKind::Door},
                                   std::pair{kAddWindow, OpeningKind::Window},
                                   std::pair{kAddOpening, OpeningKind::Passage}}) {
        router.SetHandler(id, DialogCommand<OpeningForm>(context, id, [kind](const CTracepadDoc& d) {
                              return OpeningForm::FromDocument(d, P::Add, kind);
                          }));
    }
    router.SetHandler(kEditOpening,
                      DialogCommand<OpeningForm>(context, kEditOpening, [](const CTracepadDoc& d) {
                          return OpeningForm::FromDocument(d, P::Edit);
                      }));
    router.SetHandler(kMoveRoomStart, DialogCommand<RoomStartForm>(context, kMoveRoomStart,
                                                                   &RoomStartForm::FromDocument));
}

}  // namespace plantrek
