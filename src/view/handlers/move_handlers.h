#pragma once

// The room's "Move Room...", "Rotate Room..." and "Reflect Room...", and the start point's
// "Move Start Point...".
namespace plantrek {

class CommandRouter;
struct EditingContext;

void RegisterMoveHandlers(CommandRouter& router, const EditingContext& context);

}  // namespace plantrek
