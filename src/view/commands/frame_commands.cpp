#include "view/commands/frame_commands.h"

#include <map>

#include "resources/command_ids.h"

namespace plantrek::frame_command {

std::optional<FrameCommandText> FrameCommandTextFor(int id) {
    static const std::map<int, FrameCommandText> table{
        {kFileClose, {QStringLiteral("&Close"), QStringLiteral("Close the active document\nClose")}},
        {command_id::kFileSave,
         {QStringLiteral("&Save\tCtrl+S"), QStringLiteral("Save the active document\nSave")}},
        {kAppExit,
         {QStringLiteral("E&xit"),
          QStringLiteral("Quit the application; prompts to save documents\nExit")}},
        {kWindowArrange,
         {QStringLiteral("&Arrange Icons"),
          QStringLiteral("Arrange icons at the bottom of the window\nArrange Icons")}},
        {kWindowCascade,
         {QStringLiteral("&Cascade"),
          QStringLiteral("Arrange windows so they overlap\nCascade Windows")}},
        {kWindowTile,
         {QStringLiteral("&Tile"),
          QStringLiteral("Arrange windows as non-overlapping tiles\nTile Windows")}},
        {kViewStatusBar,
         {QStringLiteral("&Status Bar"),
          QStringLiteral("Show or hide the status bar\nToggle Status Bar")}},
        {kZoomToFit, {QStringLiteral("Zoom to &Fit"), QStringLiteral("Fit the plan into the window\nZoom to fit")}},
        {kZoomIn, {QStringLiteral("Zoom &In"), QStringLiteral("Zoom in\nZoom in")}},
        {kZoomOut, {QStringLiteral("Zoom &Out"), QStringLiteral("Zoom out\nZoom out")}},
        {kSnap, {QStringLiteral("&Snap Room"), QStringLiteral("Snap the selected item\nSnap")}},
        {kExport,
         {QStringLiteral("&Export..."),
          QStringLiteral("Export the site as a drawing, a picture or a room summary\nExport")}},
        {kKeypad, {QStringLiteral("&Keypad"), QStringLiteral("Show or hide the keypad\nKeypad")}},
        {kReconnect,
         {QStringLiteral("&Reconnect to Disto"), QStringLiteral("Reconnect to the Disto device")}},
        {kCustomize,
         {QStringLiteral("&Customize..."),
          QStringLiteral("Show or hide the toolbars\nCustomize")}},
        {kCuePreviousAnnotation,
         {QStringLiteral("Cue Previous Annotation"),
          QStringLiteral("Cue the previous annotation\nPrevious annotation")}},
        {kPlayAnnotation,
         {QStringLiteral("Play Current Annotation"),
          QStringLiteral("Play the current annotation\nPlay annotation")}},
        {kStopAnnotation,
         {QStringLiteral("Stop playing/recording of Annotation"),
          QStringLiteral("Stop playing or recording\nStop annotation")}},
        {kCueNextAnnotation,
         {QStringLiteral("Cue Next Annotation"),
          QStringLiteral("Cue the next annotation\nNext annotation")}},
        {kRecordAnnotation,
         {QStringLiteral("Record Annotation"),
          QStringLiteral("Record a new annotation\nRecord annotation")}},
    };
    const auto found = table.find(id);
    if (found == table.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace plantrek::frame_command
