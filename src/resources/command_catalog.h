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
// one object (see RuleScope): the document answers its own rules in GetCommandState; the frame
// and the view answer theirs from their own state. Keep each group together: ScopeOf tells the
// groups apart by position.
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
    CloseSquare,         // enabled; checked when the effective close rule is square
    CloseReverseSquare,  // enabled; checked when it is reverse square
    CloseAngled,         // enabled; checked when it is angled
    RoomAnnotation,      // nothing playing, a room selected and the room closes
    SiteAnnotation,      // nothing playing
    RelativeDirections,  // enabled; checked while typed directions are relative
    DragMode,            // enabled; checked while drag mode is on
    CanUndo,             // a site exists and there is an earlier state
    CanRedo,             // a site exists and there is a later state
    ClipCopy,            // Cut, Copy, Delete: the document can copy its selection
    ClipPaste,           // the frame keeps an item and the document can paste that kind

    // The main frame's rules.
    KeypadShown,     // enabled; checked while the keypad is visible
    StatusBarShown,  // enabled; checked while the status bar is visible

    // The plan view's rules.
    ZoomIn,            // zoom below 16
    ZoomOut,           // zoom 2 or more
    ZoomToFit,         // enabled; checked at zoom 1
    SnapSelection,     // enabled; the menu text names what is selected (start point or room)
    CuePrevious,       // current note index above 0, nothing playing or recording
    CueNext,           // a note after the current one, nothing playing or recording
    PlayCurrent,       // the current note index is inside the list, nothing playing or recording
    StopAnnotation,    // the list is not empty and something is playing
    RecordAnnotation,  // nothing playing and there is room to record
};

enum class RuleScope {
    Any,  // needs nobody's state
    Document,
    Frame,
    View,
};
RuleScope ScopeOf(CommandRule rule);

// What a row lacks on purpose; anything else missing is a mistake the catalog test reports.
enum CommandTextFlag : unsigned {
    kNoMenuItem = 1u << 0,      // a toolbar button, key, status pane or control only
    kNoStatusText = 1u << 1,    // the status bar shows nothing for it
    kMenuTextByRule = 1u << 2,  // the window sets the menu text by the command's rule
    kNoHandler = 1u << 3,       // an id of a pane or control: nothing runs it
};

struct CommandRow {
    int id;
    const char* menu;      // "&" marks the mnemonic; no shortcut; "" with kNoMenuItem
    const char* shortcut;  // portable key text ("Ctrl+N", "Del"); "" for none
    const char* status;    // the prompt, then after "\n" the tool tip; "" with kNoStatusText
    const char* cliName;   // the plantrek-cli command; "" when the CLI does not offer it
    const char* cliWord;   // the argument that picks this row among rows of one CLI name
    CommandOwner owner;
    CommandRule rule;
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
