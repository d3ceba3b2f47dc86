#pragma once

#include <functional>

#include "view/commands/command_router.h"

// The handlers of the menus' commands, one file per menu. What they need from the window comes
// in as functions, so the window only assembles and each command's handler has one home.
namespace plantrek {

class CClipHolder;
class CTracepadChildFrame;
class CTracepadDoc;
class ViewSettings;

struct FrameCommands {
    std::function<CTracepadChildFrame*()> activeChild;
    std::function<CTracepadDoc*()> activeDocument;
    // File
    std::function<void()> newDocument;
    std::function<void()> openDocument;  // asks for the file
    std::function<void(CTracepadChildFrame&)> save;
    std::function<void(CTracepadChildFrame&)> saveAs;
    std::function<void()> exportActive;
    std::function<void(bool preview)> print;
    std::function<void()> printSetup;
    std::function<void(int index)> openRecent;
    int recentCount = 0;
    std::function<void()> exit;
    // View
    std::function<void()> toggleKeypad;
    std::function<void()> toggleStatusBar;
    std::function<void()> customize;
    std::function<void()> reconnect;
    // Window
    std::function<void()> newWindow;
    std::function<void()> cascade;
    std::function<void()> tile;
    std::function<void()> arrangeIcons;
    // Help
    std::function<void()> help;
    std::function<void()> about;
};

// A handler that runs on the active window or the active document; nothing without one.
CommandRouter::Handler OnActiveChild(const FrameCommands& frame,
                                     std::function<void(CTracepadChildFrame&)> run);
CommandRouter::Handler OnActiveDocument(const FrameCommands& frame,
                                        std::function<void(CTracepadDoc&)> run);

void RegisterFileHandlers(CommandRouter& router, const FrameCommands& frame);
// Undo, Redo, the clip commands (their item is kept here, never on the system clipboard) and
// Relative Directions.
void RegisterEditHandlers(CommandRouter& router, const FrameCommands& frame, CClipHolder& clip);
// The Rooms and Wall commands that are one document operation, without a dialog.
void RegisterRoomWallOperationHandlers(CommandRouter& router, const FrameCommands& frame);
// Zoom, snap and the notes run in the active plan; the toggles are the program's.
void RegisterViewHandlers(CommandRouter& router, const FrameCommands& frame, ViewSettings& view);
void RegisterWindowHandlers(CommandRouter& router, const FrameCommands& frame);
void RegisterHelpHandlers(CommandRouter& router, const FrameCommands& frame);

}  // namespace plantrek
