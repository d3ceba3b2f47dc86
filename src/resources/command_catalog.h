#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>
#include <vector>

// Every command of the program in one table: what its menu item, toolbar button and status bar
// show, which key runs it, the name plantrek-cli gives it, which object handles it and the rule
// that enables and checks it. Menus, toolbars, the document's command states and the
// command-line help are all read from here, so adding a command is one row.
namespace plantrek {

// Who runs the command: the first of the active view, its document, the main frame and the
// application that owns the id. Neither this nor CommandRule has a value 0, so the catalog
// test catches a row that leaves out its owner or rule.
enum class CommandOwner {
    Application = 1,
    Frame,
    View,
    Document,
};

// When a command is enabled, and when its menu item shows a check mark. Each rule is answered by
// one object (see ScopeOf): the document answers its own rules in GetCommandState; the frame
// and the view answer theirs from their own state. A rule that may check its item makes the
// command's menu item checkable (IsCheckable).
enum class CommandRule {
    Always = 1,  // enabled, never checked

    // The document's rules (selection levels as the document names them).
    HasSite,             // a site exists
    StartPointSelected,  // the site's start point is selected
    RoomSelected,        // a room is selected and no wall
    WallSelected,        // a wall is selected
    WallOfClosedRoom,    // a wall is selected and its room closes
    ProjectionPossible,  // a wall, or a room with a user wall that may take more walls
    RoomHasAddedWalls,   // a room is selected that the close rule has added walls to
    WallsToWorkOn,       // a wall, or a room with at least one wall (user or added)
    WallHasOpenings,     // a wall with at least one door, window or passage is selected
    OpeningTargeted,     // an opening is selected, or the selected wall has exactly one
    CloseSquare,         // enabled; checked when the effective close rule is square
    CloseReverseSquare,  // enabled; checked when it is reverse square
    CloseAngled,         // enabled; checked when it is angled
    RoomAnnotation,      // nothing playing, a room selected and the room closes
    SiteAnnotation,      // nothing playing
    RelativeDirections,  // enabled; checked while typed directions are relative
    CanUndo,             // a site exists and there is an earlier state
    CanRedo,             // a site exists and there is a later state
    ClipCopy,            // Cut, Copy: the document can copy its selection
    ClipDelete,          // Delete: the document can copy its selection, or an opening is selected
    ClipPaste,           // the frame keeps an item and the document can paste that kind
    SeveralLevels,       // the site has more than one level
    RoomToOtherLevel,    // a room (or its wall) is selected and the site has more than one level

    // The main frame's rules.
    KeypadShown,       // enabled; checked while the keypad is visible
    StatusBarShown,    // enabled; checked while the status bar is visible
    ChildActive,       // a document window is active
    RecentFile,        // the recent-file list has an entry for this item
    MeterIdle,         // the meter is not being searched for
    WallLengthsShown,  // enabled; checked while plans write wall lengths (program-wide)
    DragModeOn,        // enabled; checked while drag mode is on (program-wide)
    LevelBelowShown,   // enabled; checked while the level below is drawn faintly (program-wide)

    // The plan view's rules.
    ZoomIn,            // zoom below 16
    ZoomOut,           // above the smallest zoom (below fit)
    ZoomToFit,         // enabled; checked at zoom 1
    SnapSelection,     // enabled; the menu text names what is selected (start point or room)
    CuePrevious,       // current note index above 0, nothing playing or recording
    CueNext,           // a note after the current one, nothing playing or recording
    PlayCurrent,       // the current note index is inside the list, nothing playing or recording
    StopAnnotation,    // the list is not empty and something is playing
    RecordAnnotation,  // nothing playing and there is room to record
    LevelAbove,        // the view's level has a level above it
    LevelBelow,        // the view's level has a level below it
};

enum class RuleScope {
    Any,  // needs nobody's state
    Document,
    Frame,
    View,
};
RuleScope ScopeOf(CommandRule rule);
// Whether the rule ever checks its command's item.
bool IsCheckable(CommandRule rule);

// What a row lacks on purpose; anything else missing is a mistake the catalog test reports.
enum CommandTextFlag : unsigned {
    kNoMenuItem = 1u << 0,      // a toolbar button, key, status pane or control only
    kNoStatusText = 1u << 1,    // the status bar shows nothing for it
    kMenuTextByRule = 1u << 2,  // the window sets the menu text by the command's rule
    kNoHandler = 1u << 3,       // an id of a pane or control: nothing runs it
};

// The menus, toolbars and context menus a command can appear on.
enum class CommandBar {
    None = 0,
    FileMenu,
    EditMenu,
    RoomsMenu,
    WallMenu,
    ViewMenu,
    WindowMenu,
    HelpMenu,
    MainToolBar,
    ToolsToolBar,
    CloseToolBar,
    AnnotationToolBar,
    PointContextMenu,  // a right click on the site's start point
    RoomContextMenu,   // on a room
    AdjustRoomMenu,    // a submenu of the room's
    WallContextMenu,   // on a wall
};

// One place of a command: on a bar, in a group (separators stand between groups) and at an
// order inside the group.
struct CommandPlace {
    CommandBar bar = CommandBar::None;
    int group = 0;
    int order = 0;
};

// What a plantrek-cli command takes after its name: the words as the help and the errors show
// them, and how many there may be.
struct CliArguments {
    const char* usage = "";  // "" for a command without arguments
    int min = 0;
    int max = 0;
};

struct CommandRow {
    int id;
    const char* menu;      // "&" marks the mnemonic; no shortcut; "" with kNoMenuItem
    const char* shortcut;  // portable key text ("Ctrl+N", "Del"); "" for none
    const char* status;    // the prompt, then after "\n" the tool tip; "" with kNoStatusText
    const char* cliName;   // the plantrek-cli command; "" when the CLI does not offer it
    const char* cliWord;   // the argument that picks this row among rows of one CLI name
    CliArguments cliArgs;  // the same for every row of one CLI name
    CommandOwner owner;
    CommandRule rule;
    CommandPlace places[3] = {};
    unsigned flags = 0;

    QString MenuText() const { return QString::fromUtf8(menu); }
    // The letter after the single "&"; null when the text has none.
    QChar Mnemonic() const;
    // The menu text without its mnemonic mark and trailing dots ("Move Room"); for a command
    // without a menu item, its prompt.
    QString PlainName() const;
    QString Shortcut() const { return QString::fromUtf8(shortcut); }
    QString StatusText() const { return QString::fromUtf8(status); }
    // The status text up to its line end: shown in the status bar.
    QString Prompt() const;
    // The status text after its line end; empty when there is none.
    QString ToolTip() const;
    QString CliName() const { return QString::fromUtf8(cliName); }
    QString CliWord() const { return QString::fromUtf8(cliWord); }
};

// Every row, in the order of the menus (File, Edit, Rooms, Wall, View, annotations, Help, then
// the frame's controls): the order help texts list commands in.
std::span<const CommandRow> CommandCatalog();

// A bar's title ("&File", "Main", "Room") and, for a submenu, where it sits in its parent.
struct CommandBarInfo {
    CommandBar bar;
    const char* title;
    CommandBar parent = CommandBar::None;
    CommandPlace place = {};
};
// The menus in menu bar order, then the toolbars in the order they are laid out, then the
// context menus and their submenus.
std::span<const CommandBarInfo> CommandBars();
const CommandBarInfo& BarInfo(CommandBar bar);

// What a bar shows, in order: a command (id) or a submenu (bar), with its group.
struct CommandBarItem {
    int group = 0;
    int id = 0;                              // 0 for a submenu
    CommandBar submenu = CommandBar::None;
};
std::vector<CommandBarItem> CommandsOn(CommandBar bar);

// Null for an id no command has.
const CommandRow* FindCommand(int id);

// The rows plantrek-cli runs under that name, in catalog order: several when an argument word
// picks the command (":close square"), none for a name the catalog does not hold.
std::vector<const CommandRow*> FindCliCommands(QStringView name);
// The one row of that name and word (the word is ignored for a name of a single row).
const CommandRow* FindCliCommand(QStringView name, QStringView word = {});
// Each CLI name once, in catalog order.
QStringList CliCommandNames();

}  // namespace plantrek
