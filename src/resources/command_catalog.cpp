#include "resources/command_catalog.h"

#include "resources/command_ids.h"

#include <algorithm>

namespace plantrek {

namespace {

using namespace command_id;
using O = CommandOwner;
using R = CommandRule;
using B = CommandBar;

// Menu texts and status texts as the program has always shown them. The framework's own
// commands (New, Open, Save, Cut, Copy, Paste, Delete, About, help) carry its usual prompts;
// the clip commands say "kept" because nothing goes to the system clipboard.
// clang-format off
constexpr CommandRow kRows[] = {
    // File
    {kFileNew, "&New", "Ctrl+N", "Create a new document\nNew",
     "new", "", {}, O::Application, R::Always,
     {{B::FileMenu, 0, 0}, {B::MainToolBar, 0, 0}}},
    {kFileOpen, "&Open...", "Ctrl+O", "Open an existing document\nOpen",
     "open", "", {"SITE.tcd", 1, 1}, O::Application, R::Always,
     {{B::FileMenu, 0, 1}, {B::MainToolBar, 0, 1}}},
    {kFileSave, "&Save", "Ctrl+S", "Save the active document\nSave",
     "", "", {}, O::Frame, R::ChildActive,
     {{B::FileMenu, 1, 0}, {B::MainToolBar, 0, 2}}},
    {kFileSaveAs, "Save &As...", "", "Save the active document with a new name\nSave As",
     "save", "", {"SITE.tcd", 1, 1}, O::Frame, R::ChildActive,
     {{B::FileMenu, 1, 1}}},
    {kFileClose, "&Close", "", "Close the active document\nClose",
     "", "", {}, O::Frame, R::ChildActive,
     {{B::FileMenu, 0, 2}}},
    {kAppExit, "E&xit", "", "Quit the application; prompts to save documents\nExit",
     "", "", {}, O::Application, R::Always,
     {{B::FileMenu, 5, 0}}},
    {kExport, "Export...", "", "",
     "", "", {}, O::Frame, R::ChildActive,
     {{B::FileMenu, 2, 0}},
     kNoStatusText},
    {kFilePrint, "&Print...", "Ctrl+P", "Print the active document\nPrint",
     "", "", {}, O::Frame, R::ChildActive,
     {{B::FileMenu, 3, 0}}},
    {kFilePrintPreview, "Print Pre&view...", "", "Display full pages\nPrint Preview",
     "", "", {}, O::Frame, R::ChildActive,
     {{B::FileMenu, 3, 1}}},
    {kFilePrintSetup, "P&rint Setup...", "", "Change the printer and printing options\nPrint Setup",
     "", "", {}, O::Application, R::Always,
     {{B::FileMenu, 3, 2}}},
    // The recent files: the frame names each item after its file.
    {kFileMru1, "", "", "",
     "", "", {}, O::Frame, R::RecentFile,
     {{B::FileMenu, 4, 0}},
     kMenuTextByRule | kNoStatusText},
    {kFileMru1 + 1, "", "", "",
     "", "", {}, O::Frame, R::RecentFile,
     {{B::FileMenu, 4, 1}},
     kMenuTextByRule | kNoStatusText},
    {kFileMru1 + 2, "", "", "",
     "", "", {}, O::Frame, R::RecentFile,
     {{B::FileMenu, 4, 2}},
     kMenuTextByRule | kNoStatusText},
    {kFileMru1 + 3, "", "", "",
     "", "", {}, O::Frame, R::RecentFile,
     {{B::FileMenu, 4, 3}},
     kMenuTextByRule | kNoStatusText},

    // Edit
    {kEditUndo, "&Undo", "Ctrl+Z", "Undo the last action\nUndo",
     "undo", "", {}, O::Document, R::CanUndo,
     {{B::EditMenu, 0, 0}, {B::MainToolBar, 2, 0}}},
    {kEditRedo, "&Redo", "Ctrl+Y", "Redo the previously undone action\nRedo",
     "redo", "", {}, O::Document, R::CanRedo,
     {{B::EditMenu, 0, 1}, {B::MainToolBar, 2, 1}}},
    {kEditCut, "Cu&t", "Ctrl+X", "Cut the selection and keep it for pasting\nCut",
     "cut", "", {}, O::Frame, R::ClipCopy,
     {{B::EditMenu, 1, 0}, {B::MainToolBar, 1, 0}}},
    {kEditCopy, "&Copy", "Ctrl+C", "Copy the selection and keep it for pasting\nCopy",
     "copy", "", {}, O::Frame, R::ClipCopy,
     {{B::EditMenu, 1, 1}, {B::MainToolBar, 1, 1}}},
    {kEditPaste, "&Paste", "Ctrl+V", "Insert the kept item\nPaste",
     "paste", "", {}, O::Frame, R::ClipPaste,
     {{B::EditMenu, 1, 2}, {B::MainToolBar, 1, 2}}},
    {kEditClear, "&Delete", "Del", "Erase the selection\nErase",
     "delete", "", {}, O::Frame, R::ClipDelete,
     {{B::EditMenu, 1, 3}}},

    // Rooms
    {kAddRoom, "&Add Room...", "", "Add a room to the current site",
     "add-room", "", {"NAME [MATERIAL [COLOR] [temporary]]", 1, 4}, O::Document, R::HasSite,
     {{B::RoomsMenu, 0, 0}, {B::PointContextMenu, 0, 1}}},
    {kRoomProperties, "Room &Properties", "", "Edit the properties of the currently selected room",
     "room-properties", "", {"NAME MATERIAL [COLOR] [temporary]", 2, 4}, O::Document, R::RoomSelected,
     {{B::RoomsMenu, 0, 1}, {B::RoomContextMenu, 0, 0}}},
    {kMoveStartPoint, "&Move Start Point...", "", "Move the current starting point",
     "move-start", "", {"DIST DIR", 2, 2}, O::Document, R::StartPointSelected,
     {{B::RoomsMenu, 0, 2}, {B::PointContextMenu, 0, 0}}},
    {kMoveRoom, "&Move Room...", "", "Move the room to another location",
     "move-room", "", {"DIST DIR", 2, 2}, O::Document, R::RoomSelected,
     {{B::RoomsMenu, 1, 0}, {B::AdjustRoomMenu, 0, 0}}},
    {kRotateRoom, "&Rotate Room...", "", "Rotate the room",
     "rotate", "", {"DEGREES center|start", 2, 2}, O::Document, R::RoomSelected,
     {{B::RoomsMenu, 1, 1}, {B::AdjustRoomMenu, 0, 1}}},
    {kReflectRoom, "R&eflect Room...", "", "Reflect the room",
     "reflect", "", {"vertical|horizontal center|start", 2, 2}, O::Document, R::RoomSelected,
     {{B::RoomsMenu, 1, 2}, {B::AdjustRoomMenu, 0, 2}}},
    {kBringToFront, "Bring to &Front", "", "Bring the room to the front",
     "front", "", {}, O::Document, R::RoomSelected,
     {{B::RoomsMenu, 1, 3}, {B::AdjustRoomMenu, 1, 0}}},
    {kSendToBack, "Send to &Back", "", "Send the room to the back",
     "back", "", {}, O::Document, R::RoomSelected,
     {{B::RoomsMenu, 1, 4}, {B::AdjustRoomMenu, 1, 1}}},
    {kDeleteRoom, "Delete Room", "", "Delete the current room",
     "delete-room", "", {}, O::Document, R::Always,
     {{B::RoomsMenu, 1, 5}, {B::RoomContextMenu, 0, 3}}},
    {kCloseSquare, "Close S&quare", "", "Close the room squared\nClose square",
     "close", "square", {"square|reverse|angled", 1, 1}, O::Document, R::CloseSquare,
     {{B::RoomsMenu, 2, 0}, {B::CloseToolBar, 0, 0}, {B::RoomContextMenu, 2, 0}}},
    {kCloseReverseSquare, "Close &Reverse Square", "", "Close the room with a reverse square\nClose reverse square",
     "close", "reverse", {"square|reverse|angled", 1, 1}, O::Document, R::CloseReverseSquare,
     {{B::RoomsMenu, 2, 1}, {B::CloseToolBar, 0, 1}, {B::RoomContextMenu, 2, 1}}},
    {kCloseAngled, "Close An&gled", "", "Close the room with an angled wall\nClose angled",
     "close", "angled", {"square|reverse|angled", 1, 1}, O::Document, R::CloseAngled,
     {{B::RoomsMenu, 2, 2}, {B::CloseToolBar, 0, 2}, {B::RoomContextMenu, 2, 2}}},
    {kAddProjection, "A&dd Projection...", "", "Add a projection to the room\nProjection",
     "projection", "", {"LENGTH left|right DEPTH", 3, 3}, O::Document, R::ProjectionPossible,
     {{B::RoomsMenu, 3, 0}, {B::ToolsToolBar, 3, 0}, {B::RoomContextMenu, 1, 1}}},
    {kConvertAddedWalls, "Con&vert Added Walls", "", "Convert the added walls\nConvert walls",
     "convert-walls", "", {}, O::Document, R::RoomHasAddedWalls,
     {{B::RoomsMenu, 3, 1}, {B::ToolsToolBar, 0, 1}, {B::RoomContextMenu, 1, 3}}},
    {kReverseWalls, "Reverse &Wall Addition", "", "Add walls from the other direction\nDirection",
     "reverse-walls", "", {}, O::Document, R::WallsToWorkOn,
     {{B::RoomsMenu, 3, 2}, {B::ToolsToolBar, 0, 0}, {B::RoomContextMenu, 1, 2}}},
    {kMoveRoomStart, "Move Room S&tart...", "", "Move the room's start point\nMove point",
     "room-start", "", {"CORNER", 1, 1}, O::Document, R::WallsToWorkOn,
     {{B::RoomsMenu, 3, 3}, {B::ToolsToolBar, 1, 0}, {B::RoomContextMenu, 1, 4}}},
    {kEditMaterials, "&Edit Materials...", "", "Edit the material list",
     "material-color", "", {"NAME COLOR", 2, 2}, O::Document, R::Always,
     {{B::RoomsMenu, 4, 0}}},
    {kRoomSummary, "R&oom Summary...", "", "Show a summary of all the rooms",
     "", "", {}, O::Document, R::Always,
     {{B::RoomsMenu, 4, 1}}},
    {kCheckPlan, "Chec&k Plan...", "", "List rooms that overlap or stop just short of a neighbour\nCheck plan",
     "check-plan", "", {}, O::Document, R::Always,
     {{B::RoomsMenu, 4, 2}}},
    {kMoveRoomToLevel, "Move Room to Le&vel...", "", "Move the selected room to another level\nMove room to level",
     "move-to-level", "", {"ROOM LEVEL", 2, 2}, O::Document, R::RoomToOtherLevel,
     {{B::RoomsMenu, 1, 6}, {B::RoomContextMenu, 0, 4}}},
    {kEditRoomAnnotation, "Edit Room Annotation...", "", "",
     "", "", {}, O::Document, R::RoomAnnotation,
     {{B::RoomsMenu, 5, 0}, {B::RoomContextMenu, 0, 1}},
     kNoStatusText},
    {kEditSiteAnnotation, "Edit Site Annotation...", "", "",
     "", "", {}, O::Document, R::SiteAnnotation,
     {{B::RoomsMenu, 5, 1}, {B::PointContextMenu, 1, 0}},
     kNoStatusText},
    {kRelativeDirections, "Relative Directions", "", "",
     "relative", "", {"on|off", 1, 1}, O::Document, R::RelativeDirections,
     {{B::EditMenu, 2, 0}},
     kNoStatusText},
    {kDragMode, "&Drag Mode", "", "Switch to and from drag mode\nDrag",
     "", "", {}, O::Frame, R::DragModeOn,
     {{B::ViewMenu, 1, 1}}},
    {kPreferences, "&Preferences...", "", "Bring up the preferences dialog",
     "preferences", "", {"[units=feet|meters] [style=azimuth|quadrant] [names=on|off] [wall=COLOR] [selected=COLOR] [added=COLOR] [height=LENGTH|default]", 0, 7}, O::Document, R::Always,
     {{B::EditMenu, 3, 0}}},

    // Wall
    {kAddWall, "Add &Wall...", "", "Add a wall to the current room",
     "add-wall", "", {"DIST DIR [left|right ARC]", 2, 4}, O::Document, R::RoomSelected,
     {{B::WallMenu, 0, 0}, {B::RoomContextMenu, 1, 0}}},
    {kEditWall, "&Edit Wall...", "", "Edit the currently selected wall",
     "edit-wall", "", {"DIST DIR [left|right ARC]", 2, 4}, O::Document, R::WallSelected,
     {{B::WallMenu, 0, 1}, {B::WallContextMenu, 0, 0}}},
    {kReplaceWall, "&Replace Wall", "", "Replace the selected wall\nReplace wall",
     "replace-wall", "", {}, O::Document, R::WallOfClosedRoom,
     {{B::WallMenu, 0, 2}, {B::ToolsToolBar, 2, 0}, {B::WallContextMenu, 0, 1}}},
    {kMoveWallEnd, "&Move Wall End...", "", "Move the end of the current wall\nMove end",
     "move-wall-end", "", {"DIST DIR", 2, 2}, O::Document, R::WallSelected,
     {{B::WallMenu, 0, 3}, {B::ToolsToolBar, 2, 1}, {B::WallContextMenu, 1, 0}}},
    {kAngleWall, "&Angle Wall...", "", "Angle the current wall\nAngle wall",
     "angle-wall", "", {"DIST", 1, 1}, O::Document, R::WallSelected,
     {{B::WallMenu, 0, 4}, {B::ToolsToolBar, 2, 2}, {B::WallContextMenu, 1, 1}}},
    {kArcWall, "Ar&c Wall...", "", "Arc the current wall\nArc wall",
     "arc-wall", "", {"ends R1 R2 left|right | corners CORNER CORNER R1 R2 left|right", 4, 6}, O::Document, R::WallSelected,
     {{B::WallMenu, 0, 5}, {B::ToolsToolBar, 2, 3}, {B::WallContextMenu, 1, 2}}},
    {kAddDoor, "Add &Door...", "", "Add a door to the selected wall\nAdd door",
     "add-door", "", {"ROOM WALL OFFSET WIDTH HEIGHT left|right in|out", 7, 7}, O::Document, R::WallSelected,
     {{B::WallMenu, 1, 0}, {B::WallContextMenu, 2, 0}}},
    {kAddWindow, "Add Wi&ndow...", "", "Add a window to the selected wall\nAdd window",
     "add-window", "", {"ROOM WALL OFFSET WIDTH HEIGHT SILL", 6, 6}, O::Document, R::WallSelected,
     {{B::WallMenu, 1, 1}, {B::WallContextMenu, 2, 1}}},
    {kAddOpening, "Add &Opening...", "", "Add an opening without a door to the selected wall\nAdd opening",
     "add-opening", "", {"ROOM WALL OFFSET WIDTH HEIGHT", 5, 5}, O::Document, R::WallSelected,
     {{B::WallMenu, 1, 2}, {B::WallContextMenu, 2, 2}}},
    {kEditOpening, "Edi&t Opening...", "", "Edit a door, window or opening of the selected wall\nEdit opening",
     "", "", {}, O::Document, R::WallHasOpenings,
     {{B::WallMenu, 1, 3}, {B::WallContextMenu, 2, 3}}},
    {kDeleteOpening, "De&lete Opening", "", "Delete the selected door, window or opening\nDelete opening",
     "delete-opening", "", {"ROOM WALL INDEX", 3, 3}, O::Document, R::OpeningTargeted,
     {{B::WallMenu, 1, 4}, {B::WallContextMenu, 2, 4}}},

    // View
    // The zoom commands were toolbar buttons only; they have menu items too, so that the
    // keyboard reaches them.
    {kZoomToFit, "Zoom to &Fit", "Ctrl+0", "Zoom to fit",
     "", "", {}, O::View, R::ZoomToFit,
     {{B::ViewMenu, 0, 0}, {B::MainToolBar, 3, 0}}},
    {kZoomIn, "Zoom &In", "Ctrl++", "Zoom in",
     "", "", {}, O::View, R::ZoomIn,
     {{B::ViewMenu, 0, 1}, {B::MainToolBar, 3, 1}}},
    {kZoomOut, "Zoom &Out", "Ctrl+-", "Zoom out",
     "", "", {}, O::View, R::ZoomOut,
     {{B::ViewMenu, 0, 2}, {B::MainToolBar, 3, 2}}},
    {kSnapSelection, "", "", "Snap the selected item",
     "", "", {}, O::View, R::SnapSelection,
     {{B::ViewMenu, 0, 3}, {B::PointContextMenu, 2, 0}, {B::RoomContextMenu, 3, 0}},
     kMenuTextByRule},
    {kWallLengths, "&Wall Lengths", "", "Write each wall's length beside it on the plan\nWall Lengths",
     "", "", {}, O::Frame, R::WallLengthsShown,
     {{B::ViewMenu, 2, 0}}},
    {kViewStatusBar, "&Status Bar", "", "Show or hide the status bar\nToggle Status Bar",
     "", "", {}, O::Frame, R::StatusBarShown,
     {{B::ViewMenu, 3, 1}}},
    {kKeypad, "Keypad", "", "",
     "", "", {}, O::Frame, R::KeypadShown,
     {{B::ViewMenu, 1, 0}},
     kNoStatusText},
    {kCustomize, "&Customize...", "", "",
     "", "", {}, O::Frame, R::Always,
     {{B::ViewMenu, 3, 0}},
     kNoStatusText},
    {kReconnectDisto, "&Reconnect to Disto", "", "",
     "", "", {}, O::Frame, R::MeterIdle,
     {{B::ViewMenu, 4, 0}},
     kNoStatusText},
    // Levels: the plan view shows one level at a time.
    {kLevelAbove, "Level &Above", "Ctrl+PgUp", "Show the level above this one\nLevel above",
     "", "", {}, O::View, R::LevelAbove,
     {{B::ViewMenu, 5, 0}}},
    {kLevelBelow, "Level &Below", "Ctrl+PgDown", "Show the level below this one\nLevel below",
     "", "", {}, O::View, R::LevelBelow,
     {{B::ViewMenu, 5, 1}}},
    {kShowLevelBelow, "Show Level Below &Faintly", "", "Draw the rooms of the level below faintly under this level's\nShow level below",
     "", "", {}, O::Frame, R::LevelBelowShown,
     {{B::ViewMenu, 5, 2}}},
    {kAddLevel, "Add &Level...", "", "Add a level (a floor of the building) to the site\nAdd level",
     "level", "", {"NAME", 1, 1}, O::Document, R::Always,
     {{B::ViewMenu, 6, 0}}},
    {kLevelProperties, "Level &Properties...", "", "Change the name, elevation and height of this level\nLevel properties",
     "level-properties", "", {"NAME ELEVATION HEIGHT|default", 3, 3}, O::Document, R::Always,
     {{B::ViewMenu, 6, 1}}},
    {kDeleteLevel, "&Delete Level", "", "Delete this level and its rooms\nDelete level",
     "delete-level", "", {"NAME", 1, 1}, O::Document, R::SeveralLevels,
     {{B::ViewMenu, 6, 2}}},

    // Annotations: the plan view's, on the Rooms menu and their own toolbar
    {kCuePreviousAnnotation, "Cue Previous Annotation", "", "Cue Previous Annotation",
     "", "", {}, O::View, R::CuePrevious,
     {{B::RoomsMenu, 5, 5}, {B::AnnotationToolBar, 0, 0}}},
    {kPlayAnnotation, "Play Current Annotation", "", "Play Current Annotation",
     "", "", {}, O::View, R::PlayCurrent,
     {{B::RoomsMenu, 5, 3}, {B::AnnotationToolBar, 0, 1}}},
    {kRecordAnnotation, "Record Annotation", "", "Record Annotation",
     "", "", {}, O::View, R::RecordAnnotation,
     {{B::RoomsMenu, 5, 2}, {B::AnnotationToolBar, 0, 2}}},
    {kStopAnnotation, "Stop playing/recording of Annotation", "", "Stop playing/recording of Annotation",
     "", "", {}, O::View, R::StopAnnotation,
     {{B::RoomsMenu, 5, 4}, {B::AnnotationToolBar, 0, 3}}},
    {kCueNextAnnotation, "Cue Next Annotation", "", "Cue Next Annotation",
     "", "", {}, O::View, R::CueNext,
     {{B::RoomsMenu, 5, 6}, {B::AnnotationToolBar, 0, 4}}},

    // Window
    {kWindowNew, "&New Window", "", "Open another window for the active document\nNew Window",
     "", "", {}, O::Frame, R::ChildActive,
     {{B::WindowMenu, 0, 0}}},
    {kWindowCascade, "&Cascade", "", "Arrange windows so they overlap\nCascade Windows",
     "", "", {}, O::Frame, R::Always,
     {{B::WindowMenu, 0, 1}}},
    {kWindowTile, "&Tile", "", "Arrange windows as non-overlapping tiles\nTile Windows",
     "", "", {}, O::Frame, R::Always,
     {{B::WindowMenu, 0, 2}}},
    {kWindowArrange, "&Arrange Icons", "", "Arrange icons at the bottom of the window\nArrange Icons",
     "", "", {}, O::Frame, R::Always,
     {{B::WindowMenu, 0, 3}}},

    // Help
    {kHelpFinder, "&Help Topics...", "F1", "List Help topics\nHelp Topics",
     "", "", {}, O::Application, R::Always,
     {{B::HelpMenu, 0, 0}}},
    {kAppAbout, "&About Plantrek...", "", "Display program information, version number and copyright\nAbout",
     "", "", {}, O::Application, R::Always,
     {{B::HelpMenu, 1, 0}, {B::MainToolBar, 4, 0}}},
    {kHelpIndex, "", "", "Opens Help\nHelp Topics",
     "", "", {}, O::Application, R::Always,
     {},
     kNoMenuItem},
    {kHelp, "", "", "Display help for current task or command\nHelp",
     "", "", {}, O::Application, R::Always,
     {},
     kNoMenuItem},

    // The frame's status pane and input line: ids without a command to run.
    {kSelectionPane, "", "", "",
     "", "", {}, O::Frame, R::Always,
     {},
     kNoMenuItem | kNoStatusText | kNoHandler},
    {kMeasurementInput, "", "", "",
     "", "", {}, O::Frame, R::Always,
     {},
     kNoMenuItem | kNoStatusText | kNoHandler},
};
// clang-format on

constexpr CommandBarInfo kBars[] = {
    {B::FileMenu, "&File"},
    {B::EditMenu, "&Edit"},
    {B::RoomsMenu, "&Rooms"},
    {B::WallMenu, "&Wall"},
    {B::ViewMenu, "&View"},
    {B::WindowMenu, "&Window"},
    {B::HelpMenu, "&Help"},
    {B::MainToolBar, "Main"},
    {B::ToolsToolBar, "Tools"},
    {B::CloseToolBar, "Close"},
    {B::AnnotationToolBar, "Annotation"},
    {B::PointContextMenu, "Point"},
    {B::RoomContextMenu, "Room"},
    {B::AdjustRoomMenu, "Adjust Room", B::RoomContextMenu, {B::RoomContextMenu, 0, 2}},
    {B::WallContextMenu, "Wall"},
};

}  // namespace

std::span<const CommandBarInfo> CommandBars() {
    return kBars;
}

const CommandBarInfo& BarInfo(CommandBar bar) {
    for (const CommandBarInfo& info : kBars) {
        if (info.bar == bar) {
            return info;
        }
    }
    static const CommandBarInfo none{CommandBar::None, ""};
    return none;
}

std::vector<CommandBarItem> CommandsOn(CommandBar bar) {
    struct Sorted {
        CommandPlace place;
        CommandBarItem item;
    };
    std::vector<Sorted> found;
    for (const CommandRow& row : kRows) {
        for (const CommandPlace& place : row.places) {
            if (place.bar == bar && bar != CommandBar::None) {
                found.push_back({place, {place.group, row.id, CommandBar::None}});
            }
        }
    }
    for (const CommandBarInfo& info : kBars) {
        if (info.parent == bar && bar != CommandBar::None) {
            found.push_back({info.place, {info.place.group, 0, info.bar}});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Sorted& a, const Sorted& b) {
        return a.place.group != b.place.group ? a.place.group < b.place.group
                                              : a.place.order < b.place.order;
    });
    std::vector<CommandBarItem> items;
    for (const Sorted& entry : found) {
        items.push_back(entry.item);
    }
    return items;
}

RuleScope ScopeOf(CommandRule rule) {
    switch (rule) {
        case CommandRule::Always:
            return RuleScope::Any;
        case CommandRule::HasSite:
        case CommandRule::StartPointSelected:
        case CommandRule::RoomSelected:
        case CommandRule::WallSelected:
        case CommandRule::WallOfClosedRoom:
        case CommandRule::ProjectionPossible:
        case CommandRule::RoomHasAddedWalls:
        case CommandRule::WallsToWorkOn:
        case CommandRule::WallHasOpenings:
        case CommandRule::OpeningTargeted:
        case CommandRule::CloseSquare:
        case CommandRule::CloseReverseSquare:
        case CommandRule::CloseAngled:
        case CommandRule::RoomAnnotation:
        case CommandRule::SiteAnnotation:
        case CommandRule::RelativeDirections:
        case CommandRule::CanUndo:
        case CommandRule::CanRedo:
        case CommandRule::ClipCopy:
        case CommandRule::ClipDelete:
        case CommandRule::ClipPaste:
        case CommandRule::SeveralLevels:
        case CommandRule::RoomToOtherLevel:
            return RuleScope::Document;
        case CommandRule::KeypadShown:
        case CommandRule::StatusBarShown:
        case CommandRule::ChildActive:
        case CommandRule::RecentFile:
        case CommandRule::MeterIdle:
        case CommandRule::WallLengthsShown:
        case CommandRule::DragModeOn:
        case CommandRule::LevelBelowShown:
            return RuleScope::Frame;
        case CommandRule::ZoomIn:
        case CommandRule::ZoomOut:
        case CommandRule::ZoomToFit:
        case CommandRule::SnapSelection:
        case CommandRule::CuePrevious:
        case CommandRule::CueNext:
        case CommandRule::PlayCurrent:
        case CommandRule::StopAnnotation:
        case CommandRule::RecordAnnotation:
        case CommandRule::LevelAbove:
        case CommandRule::LevelBelow:
            return RuleScope::View;
    }
    return RuleScope::Any;
}

bool IsCheckable(CommandRule rule) {
    switch (rule) {
        case CommandRule::CloseSquare:
        case CommandRule::CloseReverseSquare:
        case CommandRule::CloseAngled:
        case CommandRule::RelativeDirections:
        case CommandRule::KeypadShown:
        case CommandRule::StatusBarShown:
        case CommandRule::WallLengthsShown:
        case CommandRule::DragModeOn:
        case CommandRule::LevelBelowShown:
        case CommandRule::ZoomToFit:
            return true;
        default:
            return false;
    }
}

QChar CommandRow::Mnemonic() const {
    const QString text = MenuText();
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1];
            }
            ++i;  // "&&" is a literal ampersand
        }
    }
    return QChar();
}

QString CommandRow::PlainName() const {
    if (menu[0] == '\0') {
        return Prompt();
    }
    const QString text = MenuText();
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                plain += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    while (plain.endsWith(QLatin1Char('.'))) {
        plain.chop(1);
    }
    return plain;
}

QString CommandRow::Prompt() const {
    return StatusText().section(QLatin1Char('\n'), 0, 0);
}

QString CommandRow::ToolTip() const {
    const QString status = StatusText();
    return status.contains(QLatin1Char('\n')) ? status.section(QLatin1Char('\n'), 1) : QString();
}

std::span<const CommandRow> CommandCatalog() {
    return kRows;
}

const CommandRow* FindCommand(int id) {
    for (const CommandRow& row : kRows) {
        if (row.id == id) {
            return &row;
        }
    }
    return nullptr;
}

std::vector<const CommandRow*> FindCliCommands(QStringView name) {
    std::vector<const CommandRow*> rows;
    if (name.isEmpty()) {
        return rows;
    }
    for (const CommandRow& row : kRows) {
        if (name == QLatin1String(row.cliName)) {
            rows.push_back(&row);
        }
    }
    return rows;
}

const CommandRow* FindCliCommand(QStringView name, QStringView word) {
    const auto rows = FindCliCommands(name);
    if (rows.size() == 1) {
        return rows.front();
    }
    for (const CommandRow* row : rows) {
        if (word == QLatin1String(row->cliWord)) {
            return row;
        }
    }
    return nullptr;
}

QStringList CliCommandNames() {
    QStringList names;
    for (const CommandRow& row : kRows) {
        const QString name = row.CliName();
        if (!name.isEmpty() && !names.contains(name)) {
            names.append(name);
        }
    }
    return names;
}

}  // namespace plantrek
