#include "resources/command_catalog.h"

#include "resources/command_ids.h"

namespace plantrek {

namespace {

using namespace command_id;
using O = CommandOwner;
using R = CommandRule;

// Menu texts and status texts as the program has always shown them. The framework's own
// commands (New, Open, Save, Cut, Copy, Paste, Delete, About, help) carry its usual prompts;
// the clip commands say "kept" because nothing goes to the system clipboard.
constexpr CommandRow kRows[] = {
    // File
    {kFileNew, "&New", "Ctrl+N", "Create a new document\nNew", "new", "", O::Application,
     R::Always},
    {kFileOpen, "&Open...", "Ctrl+O", "Open an existing document\nOpen", "open", "", O::Application,
     R::Always},
    {kFileSave, "&Save", "Ctrl+S", "Save the active document\nSave", "", "", O::Document,
     R::Always},
    {kFileSaveAs, "Save &As...", "", "Save the active document with a new name\nSave As", "save",
     "", O::Document, R::Always},
    {kFileClose, "&Close", "", "Close the active document\nClose", "", "", O::Frame, R::Always},
    {kAppExit, "E&xit", "", "Quit the application; prompts to save documents\nExit", "", "",
     O::Application, R::Always},
    {kExport, "Export...", "", "", "", "", O::View, R::Always, kNoStatusText},
    {kFilePrint, "&Print...", "Ctrl+P", "Print the active document\nPrint", "", "", O::View,
     R::Always},
    {kFilePrintPreview, "Print Pre&view...", "", "Display full pages\nPrint Preview", "", "",
     O::View, R::Always},
    {kFilePrintSetup, "P&rint Setup...", "", "Change the printer and printing options\nPrint Setup",
     "", "", O::Application, R::Always},

    // Edit
    {kEditUndo, "&Undo", "Ctrl+Z", "Undo the last action\nUndo", "undo", "", O::Document,
     R::CanUndo},
    {kEditRedo, "&Redo", "Ctrl+Y", "Redo the previously undone action\nRedo", "redo", "",
     O::Document, R::CanRedo},
    {kEditCut, "Cu&t", "Ctrl+X", "Cut the selection and keep it for pasting\nCut", "cut", "",
     O::Frame, R::ClipCopy},
    {kEditCopy, "&Copy", "Ctrl+C", "Copy the selection and keep it for pasting\nCopy", "copy", "",
     O::Frame, R::ClipCopy},
    {kEditPaste, "&Paste", "Ctrl+V", "Insert the kept item\nPaste", "paste", "", O::Frame,
     R::ClipPaste},
    {kEditClear, "&Delete", "Del", "Erase the selection\nErase", "delete", "", O::Frame,
     R::ClipCopy},

    // Rooms
    {kAddRoom, "&Add Room...", "", "Add a room to the current site", "add-room", "", O::Document,
     R::HasSite},
    {kRoomProperties, "Room &Properties", "", "Edit the properties of the currently selected room",
     "room-properties", "", O::Document, R::RoomSelected},
    {kMoveStartPoint, "&Move Start Point...", "", "Move the current starting point", "move-start",
     "", O::Document, R::StartPointSelected},
    {kMoveRoom, "&Move Room...", "", "Move the room to another location", "move-room", "",
     O::Document, R::RoomSelected},
    {kRotateRoom, "&Rotate Room...", "", "Rotate the room", "rotate", "", O::Document,
     R::RoomSelected},
    {kReflectRoom, "R&eflect Room...", "", "Reflect the room", "reflect", "", O::Document,
     R::RoomSelected},
    {kBringToFront, "Bring to &Front", "", "Bring the room to the front", "front", "", O::Document,
     R::RoomSelected},
    {kSendToBack, "Send to &Back", "", "Send the room to the back", "back", "", O::Document,
     R::RoomSelected},
    {kDeleteRoom, "Delete Room", "", "Delete the current room", "delete-room", "", O::Document,
     R::Always},
    {kCloseSquare, "Close S&quare", "", "Close the room squared\nClose square", "close", "square",
     O::Document, R::CloseSquare},
    {kCloseReverseSquare, "Close &Reverse Square", "",
     "Close the room with a reverse square\nClose reverse square", "close", "reverse", O::Document,
     R::CloseReverseSquare},
    {kCloseAngled, "Close An&gled", "", "Close the room with an angled wall\nClose angled", "close",
     "angled", O::Document, R::CloseAngled},
    {kAddProjection, "A&dd Projection...", "", "Add a projection to the room\nProjection",
     "projection", "", O::Document, R::ProjectionPossible},
    {kConvertAddedWalls, "Con&vert Added Walls", "", "Convert the added walls\nConvert walls",
     "convert-walls", "", O::Document, R::RoomHasAddedWalls},
    {kReverseWalls, "Reverse &Wall Addition", "", "Add walls from the other direction\nDirection",
     "reverse-walls", "", O::Document, R::WallsToWorkOn},
    {kMoveRoomStart, "Move Room S&tart...", "", "Move the room's start point\nMove point",
     "room-start", "", O::Document, R::WallsToWorkOn},
    {kEditMaterials, "&Edit Materials...", "", "Edit the material list", "material-color", "",
     O::Document, R::Always},
    {kRoomSummary, "R&oom Summary...", "", "Show a summary of all the rooms", "", "", O::Document,
     R::Always},
    {kEditRoomAnnotation, "Edit Room Annotation...", "", "", "", "", O::Document, R::RoomAnnotation,
     kNoStatusText},
    {kEditSiteAnnotation, "Edit Site Annotation...", "", "", "", "", O::Document, R::SiteAnnotation,
     kNoStatusText},
    {kRelativeDirections, "Relative Directions", "", "", "relative", "", O::Document,
     R::RelativeDirections, kNoStatusText},
    {kDragMode, "", "", "Switch to and from drag mode\nDrag", "", "", O::Document, R::DragMode,
     kNoMenuItem},
    {kPreferences, "&Preferences...", "", "Bring up the preferences dialog", "preferences", "",
     O::Document, R::Always},

    // Wall
    {kAddWall, "Add &Wall...", "", "Add a wall to the current room", "add-wall", "", O::Document,
     R::RoomSelected},
    {kEditWall, "&Edit Wall...", "", "Edit the currently selected wall", "edit-wall", "",
     O::Document, R::WallSelected},
    {kReplaceWall, "&Replace Wall", "", "Replace the selected wall\nReplace wall", "replace-wall",
     "", O::Document, R::WallOfClosedRoom},
    {kMoveWallEnd, "&Move Wall End...", "", "Move the end of the current wall\nMove end",
     "move-wall-end", "", O::Document, R::WallSelected},
    {kAngleWall, "&Angle Wall...", "", "Angle the current wall\nAngle wall", "angle-wall", "",
     O::Document, R::WallSelected},
    {kArcWall, "Ar&c Wall...", "", "Arc the current wall\nArc wall", "arc-wall", "", O::Document,
     R::WallSelected},

    // View
    // The zoom commands were toolbar buttons only; they have menu items too, so that the
    // keyboard reaches them.
    {kZoomToFit, "Zoom to &Fit", "Ctrl+0", "Zoom to fit", "", "", O::View, R::ZoomToFit},
    {kZoomIn, "Zoom &In", "Ctrl++", "Zoom in", "", "", O::View, R::ZoomIn},
    {kZoomOut, "Zoom &Out", "Ctrl+-", "Zoom out", "", "", O::View, R::ZoomOut},
    {kSnapSelection, "", "", "Snap the selected item", "", "", O::View, R::SnapSelection,
     kMenuTextByRule},
    {kWallLengths, "&Wall Lengths", "", "Write each wall's length beside it on the plan\nWall Lengths",
     "", "", O::View, R::Always},
    {kViewStatusBar, "&Status Bar", "", "Show or hide the status bar\nToggle Status Bar", "", "",
     O::Frame, R::StatusBarShown},
    {kKeypad, "Keypad", "", "", "", "", O::Frame, R::KeypadShown, kNoStatusText},
    {kCustomize, "&Customize...", "", "", "", "", O::Frame, R::Always, kNoStatusText},
    {kReconnectDisto, "&Reconnect to Disto", "", "", "", "", O::Frame, R::Always, kNoStatusText},

    // Annotations (toolbar buttons of the plan view)
    {kCuePreviousAnnotation, "", "", "Cue Previous Annotation", "", "", O::View, R::CuePrevious,
     kNoMenuItem},
    {kPlayAnnotation, "", "", "Play Current Annotation", "", "", O::View, R::PlayCurrent,
     kNoMenuItem},
    {kRecordAnnotation, "", "", "Record Annotation", "", "", O::View, R::RecordAnnotation,
     kNoMenuItem},
    {kStopAnnotation, "", "", "Stop playing/recording of Annotation", "", "", O::View,
     R::StopAnnotation, kNoMenuItem},
    {kCueNextAnnotation, "", "", "Cue Next Annotation", "", "", O::View, R::CueNext, kNoMenuItem},

    // Window
    {kWindowNew, "&New Window", "", "Open another window for the active document\nNew Window", "",
     "", O::Frame, R::Always},
    {kWindowCascade, "&Cascade", "", "Arrange windows so they overlap\nCascade Windows", "", "",
     O::Frame, R::Always},
    {kWindowTile, "&Tile", "", "Arrange windows as non-overlapping tiles\nTile Windows", "", "",
     O::Frame, R::Always},
    {kWindowArrange, "&Arrange Icons", "", "Arrange icons at the bottom of the window\nArrange Icons",
     "", "", O::Frame, R::Always},

    // Help
    {kHelpFinder, "&Help Topics...", "", "List Help topics\nHelp Topics", "", "", O::Application,
     R::Always},
    {kAppAbout, "&About Plantrek...", "",
     "Display program information, version number and copyright\nAbout", "", "", O::Application,
     R::Always},
    {kHelpIndex, "", "", "Opens Help\nHelp Topics", "", "", O::Application, R::Always, kNoMenuItem},
    {kHelp, "", "F1", "Display help for current task or command\nHelp", "", "", O::Application,
     R::Always, kNoMenuItem},

    // The frame's status pane and input line: ids without a command to run.
    {kSelectionPane, "", "", "", "", "", O::Frame, R::Always,
     kNoMenuItem | kNoStatusText | kNoHandler},
    {kMeasurementInput, "", "", "", "", "", O::Frame, R::Always,
     kNoMenuItem | kNoStatusText | kNoHandler},
};

}  // namespace

// The rules are declared in groups, one per answering object, in this order.
RuleScope ScopeOf(CommandRule rule) {
    if (rule == CommandRule::Always) {
        return RuleScope::Any;
    }
    if (rule <= CommandRule::ClipPaste) {
        return RuleScope::Document;
    }
    if (rule == CommandRule::KeypadShown || rule == CommandRule::StatusBarShown) {
        return RuleScope::Frame;
    }
    return RuleScope::View;
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
