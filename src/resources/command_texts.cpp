#include "resources/command_texts.h"

#include "resources/command_ids.h"

#include <map>

namespace plantrek {

namespace {

const std::map<int, CommandText>& Table() {
    using namespace command_id;
    static const std::map<int, CommandText> table{
        {kFileNew, {QStringLiteral("&New\tCtrl+N"), QString()}},
        {kFileOpen, {QStringLiteral("&Open...\tCtrl+O"), QString()}},
        {kFileSaveAs,
         {QStringLiteral("Save &As..."),
          QStringLiteral("Save the active document with a new name\nSave As")}},
        {kAppAbout, {QStringLiteral("&About Plantrek..."), QString()}},
        {kHelpFinder, {QStringLiteral("&Help Topics..."), QString()}},
        {kEditCut, {QStringLiteral("Cu&t\tCtrl+X"), QString()}},
        {kEditCopy, {QStringLiteral("&Copy\tCtrl+C"), QString()}},
        {kEditPaste, {QStringLiteral("&Paste\tCtrl+V"), QString()}},
        {kEditClear, {QStringLiteral("&Delete\tDel"), QString()}},
        {kEditUndo,
         {QStringLiteral("&Undo\tCtrl+Z"), QStringLiteral("Undo the last action\nUndo")}},
        {kEditRedo,
         {QStringLiteral("&Redo\tCtrl+Y"),
          QStringLiteral("Redo the previously undone action\nRedo")}},
        {kAddRoom,
         {QStringLiteral("&Add Room..."), QStringLiteral("Add a room to the current site")}},
        {kRoomProperties,
         {QStringLiteral("Room &Properties"),
          QStringLiteral("Edit the properties of the currently selected room")}},
        {kMoveStartPoint,
         {QStringLiteral("&Move Start Point..."),
          QStringLiteral("Move the current starting point")}},
        {kMoveRoom,
         {QStringLiteral("&Move Room..."), QStringLiteral("Move the room to another location")}},
        {kRotateRoom, {QStringLiteral("&Rotate Room..."), QStringLiteral("Rotate the room")}},
        {kReflectRoom, {QStringLiteral("R&eflect Room..."), QStringLiteral("Reflect the room")}},
        {kBringToFront,
         {QStringLiteral("Bring to &Front"), QStringLiteral("Bring the room to the front")}},
        {kSendToBack,
         {QStringLiteral("Send to &Back"), QStringLiteral("Send the room to the back")}},
        {kDeleteRoom, {QStringLiteral("Delete Room"), QStringLiteral("Delete the current room")}},
        {kCloseSquare,
         {QStringLiteral("Close S&quare"), QStringLiteral("Close the room squared\nClose square")}},
        {kCloseReverseSquare,
         {QStringLiteral("Close &Reverse Square"),
          QStringLiteral("Close the room with a reverse square\nClose reverse square")}},
        {kCloseAngled,
         {QStringLiteral("Close An&gled"),
          QStringLiteral("Close the room with an angled wall\nClose angled")}},
        {kAddProjection,
         {QStringLiteral("A&dd Projection..."),
          QStringLiteral("Add a projection to the room\nProjection")}},
        {kConvertAddedWalls,
         {QStringLiteral("Con&vert Added Walls"),
          QStringLiteral("Convert the added walls\nConvert walls")}},
        {kReverseWalls,
         {QStringLiteral("Reverse &Wall Addition"),
          QStringLiteral("Add walls from the other direction\nDirection")}},
        {kMoveRoomStart,
         {QStringLiteral("Move Room S&tart..."),
          QStringLiteral("Move the room's start point\nMove point")}},
        {kAddWall,
         {QStringLiteral("Add &Wall..."), QStringLiteral("Add a wall to the current room")}},
        {kEditWall,
         {QStringLiteral("&Edit Wall..."), QStringLiteral("Edit the currently selected wall")}},
        {kReplaceWall,
         {QStringLiteral("&Replace Wall"),
          QStringLiteral("Replace the selected wall\nReplace wall")}},
        {kMoveWallEnd,
         {QStringLiteral("&Move Wall End..."),
          QStringLiteral("Move the end of the current wall\nMove end")}},
        {kAngleWall,
         {QStringLiteral("&Angle Wall..."), QStringLiteral("Angle the current wall\nAngle wall")}},
        {kArcWall,
         {QStringLiteral("Ar&c Wall..."), QStringLiteral("Arc the current wall\nArc wall")}},
        {kEditMaterials,
         {QStringLiteral("&Edit Materials..."), QStringLiteral("Edit the material list")}},
        {kRoomSummary,
         {QStringLiteral("R&oom Summary..."), QStringLiteral("Show a summary of all the rooms")}},
        {kEditRoomAnnotation, {QStringLiteral("Edit Room Annotation..."), QString()}},
        {kEditSiteAnnotation, {QStringLiteral("Edit Site Annotation..."), QString()}},
        {kRelativeDirections, {QStringLiteral("Relative Directions"), QString()}},
        {kDragMode, {QString(), QStringLiteral("Switch to and from drag mode\nDrag")}},
        {kPreferences,
         {QStringLiteral("&Preferences..."), QStringLiteral("Bring up the preferences dialog")}},
    };
    return table;
}

}  // namespace

std::optional<CommandText> CommandTextFor(int id) {
    const auto& table = Table();
    const auto found = table.find(id);
    if (found == table.end()) {
        return std::nullopt;
    }
    return found->second;
}

QString CommandPrompt(int id) {
    const auto text = CommandTextFor(id);
    return text ? text->status.section(QLatin1Char('\n'), 0, 0) : QString();
}

QString CommandToolTip(int id) {
    const auto text = CommandTextFor(id);
    if (!text || !text->status.contains(QLatin1Char('\n'))) {
        return QString();
    }
    return text->status.section(QLatin1Char('\n'), 1);
}

QString CommandPlainName(int id) {
    const auto text = CommandTextFor(id);
    if (!text) {
        return QString();
    }
    QString name = text->menu.section(QLatin1Char('\t'), 0, 0);
    // "&&" stands for a literal ampersand; a single one only marks the mnemonic.
    QString plain;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == QLatin1Char('&')) {
            if (i + 1 < name.size() && name[i + 1] == QLatin1Char('&')) {
                plain += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        plain += name[i];
    }
    while (plain.endsWith(QLatin1Char('.'))) {
        plain.chop(1);
    }
    return plain;
}

}  // namespace plantrek
