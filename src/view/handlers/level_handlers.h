#pragma once

#include "view/handlers/form_dialogs.h"

// The level commands of the View and Rooms menus that change the site: Add Level, Level
// Properties and Move Room to Level through their dialogs, and Delete Level, which asks first.
// Switching levels and the faint level below belong to the plan view and the program.
namespace plantrek {

class CommandRouter;

void RegisterLevelHandlers(CommandRouter& router, const EditingContext& context);

// `Delete the level "Upper Floor" and its 3 rooms?` ("room" for one; no rooms part for none).
QString DeleteLevelQuestion(const QString& name, int rooms);

}  // namespace plantrek
