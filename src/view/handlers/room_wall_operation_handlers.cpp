// The Rooms and Wall menus' commands that are one document operation; those with a dialog are
// registered with their dialogs.
#include "document/tracepad_doc.h"
#include "resources/command_ids.h"
#include "view/handlers/menu_handlers.h"

namespace plantrek {

void RegisterRoomWallOperationHandlers(CommandRouter& r, const FrameCommands& frame) {
    using namespace command_id;
    auto document = [&frame](std::function<void(CTracepadDoc&)> run) {
        return OnActiveDocument(frame, std::move(run));
    };
    r.SetHandler(kBringToFront, document([](CTracepadDoc& d) { d.BringCurrentRoomToFront(); }));
    r.SetHandler(kSendToBack, document([](CTracepadDoc& d) { d.SendCurrentRoomToBack(); }));
    r.SetHandler(kDeleteRoom, document([](CTracepadDoc& d) { d.DeleteCurrentRoom(); }));
    r.SetHandler(kCloseSquare,
                 document([](CTracepadDoc& d) { d.ApplyCloseRule(CloseRule::Square); }));
    r.SetHandler(kCloseReverseSquare,
                 document([](CTracepadDoc& d) { d.ApplyCloseRule(CloseRule::ReverseSquare); }));
    r.SetHandler(kCloseAngled,
                 document([](CTracepadDoc& d) { d.ApplyCloseRule(CloseRule::Angled); }));
    r.SetHandler(kConvertAddedWalls,
                 document([](CTracepadDoc& d) { d.ConvertCurrentAddedWalls(); }));
    r.SetHandler(kReverseWalls, document([](CTracepadDoc& d) { d.ReverseCurrentWalls(); }));
    r.SetHandler(kReplaceWall, document([](CTracepadDoc& d) { d.ReplaceCurrentWall(); }));
    r.SetHandler(kDeleteOpening, document([](CTracepadDoc& d) { d.DeleteTargetOpening(); }));
}

}  // namespace plantrek
