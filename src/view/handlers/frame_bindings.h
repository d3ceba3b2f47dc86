#pragma once

// The frame's part in the commands: its answers to the rules it owns (keypad and status bar
// shown, a window active, recent files, the meter, the view toggles), what its File, View,
// Window and Help commands do, every menu's handlers registered with what they need from the
// frame, and the command texts that follow the frame's state (recent files, snap).
namespace plantrek {

class CTracepadMainFrame;

void BindFrameCommands(CTracepadMainFrame& frame);

}  // namespace plantrek
