#pragma once

// The Wall menu's dialog commands, and the room's "Add Wall..." and "Add Projection...".
namespace plantrek {

class CommandRouter;
struct EditingContext;

// Add Wall, Edit Wall, Add Projection, Arc Wall, Angle Wall (refused before its dialog when the
// room's start point is on the wall), Move Wall End and Move Room Start.
void RegisterWallHandlers(CommandRouter& router, const EditingContext& context);

}  // namespace plantrek
