#pragma once

#include <QString>

#include <optional>

// Commands of the main frame, the plan view and the application that the shared command ids do
// not hold yet. To be moved into the command catalog together with their texts below.
namespace plantrek::frame_command {

// Application and frame file commands
inline constexpr int kFileClose = 57602;
inline constexpr int kFileMru1 = 57616;  // the recent files are 57616 to 57619
inline constexpr int kRecentFileCount = 4;
inline constexpr int kAppExit = 57665;

// Window menu
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;

// View
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kZoomToFit = 32791;
inline constexpr int kZoomIn = 32792;
inline constexpr int kZoomOut = 32793;
inline constexpr int kSnap = 32804;
inline constexpr int kExport = 32832;
inline constexpr int kKeypad = 32856;
inline constexpr int kReconnect = 32795;
inline constexpr int kCustomize = 35001;
inline constexpr int kSelectionPane = 32817;
inline constexpr int kInputLine = 32825;

// Annotation playback and recording
inline constexpr int kCuePreviousAnnotation = 32836;
inline constexpr int kPlayAnnotation = 32837;
inline constexpr int kStopAnnotation = 32840;
inline constexpr int kCueNextAnnotation = 32841;
inline constexpr int kRecordAnnotation = 32842;

struct FrameCommandText {
    QString menu;
    QString status;  // prompt, then after a line end the tool tip
};

// Nothing for an id this table does not hold.
std::optional<FrameCommandText> FrameCommandTextFor(int id);

}  // namespace plantrek::frame_command
