#include "app/cli/script_commands.h"

#include "app/cli/info_json.h"
#include "app/cli/note_commands.h"

#include <cmath>

#include "document/dialog_checks.h"
#include "document/preferences_pages.h"
#include "document/tracepad_doc.h"
#include "document/user_prompts.h"
#include "model/editing.h"
#include "model/site.h"
#include "resources/command_ids.h"

namespace plantrek::cli {

using Result = ScriptInterpreter::Result;

struct ScriptInterpreter::CommandEntry {
    const char* name;
    const char* usage;  // the arguments, as the help and the errors show them
    int minArgs;
    int maxArgs;
    Result (ScriptInterpreter::*run)(const QStringList&);
};

namespace {

Result Wrong(const QString& text) {
    return text;
}

std::optional<ProjectionSide> ParseSide(const QString& text) {
    if (text == QLatin1String("left")) {
        return ProjectionSide::Left;
    }
    if (text == QLatin1String("right")) {
        return ProjectionSide::Right;
    }
    return std::nullopt;
}

std::optional<RoomPivot> ParsePivot(const QString& text) {
    if (text == QLatin1String("center")) {
        return RoomPivot::CentreOfRoom;
    }
    if (text == QLatin1String("start")) {
        return RoomPivot::RoomStartPoint;
    }
    return std::nullopt;
}

std::optional<bool> ParseOnOff(const QString& text) {
    if (text == QLatin1String("on")) {
        return true;
    }
    if (text == QLatin1String("off")) {
        return false;
    }
    return std::nullopt;
}

// "#RRGGBB" as a colour 0x00BBGGRR.
std::optional<Colour> ParseColour(const QString& text) {
    if (text.size() != 7 || text[0] != QLatin1Char('#')) {
        return std::nullopt;
    }
    bool ok = false;
    const uint rgb = text.mid(1).toUInt(&ok, 16);
    if (!ok) {
        return std::nullopt;
    }
    return MakeColour(static_cast<int>((rgb >> 16) & 0xff), static_cast<int>((rgb >> 8) & 0xff),
                      static_cast<int>(rgb & 0xff));
}

std::optional<int> ParseIndex(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < 0) {
        return std::nullopt;
    }
    return value;
}

QString SideError(const QString& text) {
    return QStringLiteral("expected left or right, not \"%1\"").arg(text);
}

QString PivotError(const QString& text) {
    return QStringLiteral("expected center or start, not \"%1\"").arg(text);
}

QString ColourError(const QString& text) {
    return QStringLiteral("expected a colour #RRGGBB, not \"%1\"").arg(text);
}

}  // namespace

ScriptInterpreter::ScriptInterpreter(CTracepadDoc& doc, UserPrompts& prompts, QTextStream& out)
    : doc_(doc), prompts_(prompts), out_(out) {}

ScriptInterpreter::~ScriptInterpreter() = default;

std::span<const ScriptInterpreter::CommandEntry> ScriptInterpreter::Entries() {
    using I = ScriptInterpreter;
    static const CommandEntry kEntries[] = {
        {"new", "", 0, 0, &I::New},
        {"open", "SITE.tcd", 1, 1, &I::Open},
        {"save", "SITE.tcd", 1, 1, &I::Save},
        {"select-start", "", 0, 0, &I::SelectStart},
        {"select-room", "NAME", 1, 1, &I::SelectRoom},
        {"select-wall", "NAME INDEX", 2, 2, &I::SelectWall},
        {"finish", "", 0, 0, &I::Finish},
        {"deselect-wall", "", 0, 0, &I::DeselectWall},
        {"add-room", "NAME [MATERIAL [COLOR] [temporary]]", 1, 4, &I::AddRoom},
        {"room-properties", "NAME MATERIAL [COLOR] [temporary]", 2, 4, &I::RoomProperties},
        {"move-start", "DIST DIR", 2, 2, &I::MoveStart},
        {"move-room", "DIST DIR", 2, 2, &I::MoveRoom},
        {"rotate", "DEGREES center|start", 2, 2, &I::Rotate},
        {"reflect", "vertical|horizontal center|start", 2, 2, &I::Reflect},
        {"front", "", 0, 0, &I::Front},
        {"back", "", 0, 0, &I::Back},
        {"delete-room", "", 0, 0, &I::DeleteRoom},
        {"close", "square|reverse|angled", 1, 1, &I::Close},
        {"add-wall", "DIST DIR [left|right ARC]", 2, 4, &I::AddWall},
        {"edit-wall", "DIST DIR [left|right ARC]", 2, 4, &I::EditWall},
        {"projection", "LENGTH left|right DEPTH", 3, 3, &I::Projection},
        {"arc-wall", "ends R1 R2 left|right | corners CORNER CORNER R1 R2 left|right", 4, 6,
         &I::ArcWall},
        {"angle-wall", "DIST", 1, 1, &I::AngleWall},
        {"move-wall-end", "DIST DIR", 2, 2, &I::MoveWallEnd},
        {"replace-wall", "", 0, 0, &I::ReplaceWall},
        {"convert-walls", "", 0, 0, &I::ConvertWalls},
        {"reverse-walls", "", 0, 0, &I::ReverseWalls},
        {"room-start", "CORNER", 1, 1, &I::RoomStart},
        {"material-color", "NAME COLOR", 2, 2, &I::MaterialColor},
        {"relative", "on|off", 1, 1, &I::Relative},
        {"preferences",
         "[units=feet|meters] [style=azimuth|quadrant] [names=on|off] [wall=COLOR] "
         "[selected=COLOR] [added=COLOR]",
         0, 6, &I::Preferences},
        {"undo", "", 0, 0, &I::Undo},
        {"redo", "", 0, 0, &I::Redo},
        {"copy", "", 0, 0, &I::Copy},
        {"cut", "", 0, 0, &I::Cut},
        {"paste", "", 0, 0, &I::Paste},
        {"delete", "", 0, 0, &I::Delete},
        {"info", "", 0, 0, &I::Info},
        {"note-site", "FILE.wav [NAME]", 1, 2, &I::NoteSite},
        {"note-room", "ROOM FILE.wav [NAME]", 2, 3, &I::NoteRoom},
    };

    return kEntries;
}

const ScriptInterpreter::CommandEntry* ScriptInterpreter::FindEntry(const QString& name) {
    for (const CommandEntry& entry : Entries()) {
        if (name == QLatin1String(entry.name)) {
            return &entry;
        }
    }
    return nullptr;
}

QString ScriptInterpreter::CommandSummary() {
    QString summary;
    for (const CommandEntry& entry : Entries()) {
        summary += QStringLiteral("  :%1").arg(QLatin1String(entry.name));
        if (entry.usage[0] != '\0') {
            summary += QLatin1Char(' ') + QLatin1String(entry.usage);
        }
        summary += QLatin1Char('\n');
    }
    return summary;
}

Result ScriptInterpreter::Run(const ScriptLine& line) {
    switch (line.kind) {
        case ScriptLine::Kind::Comment:
            return std::nullopt;
        case ScriptLine::Kind::Input:
            doc_.EnterInputText(line.text);
            return std::nullopt;
        case ScriptLine::Kind::Command:
            break;
    }
    QString error;
    const auto words = SplitArguments(line.text.mid(1), &error);
    if (!words) {
        return error;
    }
    if (words->isEmpty()) {
        return Wrong(QStringLiteral("a command name must follow \":\""));
    }
    const QString name = words->first();
    const CommandEntry* entry = FindEntry(name);
    if (entry == nullptr) {
        return Wrong(QStringLiteral("unknown command \":%1\"").arg(name));
    }
    const QStringList args = words->mid(1);
    if (args.size() < entry->minArgs || args.size() > entry->maxArgs) {
        if (entry->usage[0] == '\0') {
            return Wrong(QStringLiteral(":%1 takes no arguments").arg(name));
        }
        return Wrong(QStringLiteral(":%1 takes %2").arg(name, QLatin1String(entry->usage)));
    }
    current_ = name;
    return (this->*entry->run)(args);
}

bool ScriptInterpreter::Available(int commandId, const QString& name) {
    if (doc_.GetCommandState(commandId, kept_.get()).enabled) {
        return true;
    }
    prompts_.ShowMessage(QStringLiteral("Command not available: %1").arg(name), MessageIcon::Error);
    return false;
}

bool ScriptInterpreter::Refused(const std::optional<QString>& refusal) {
    if (!refusal) {
        return false;
    }
    prompts_.ShowMessage(*refusal, MessageIcon::Warning);
    return true;
}

std::optional<PlanPoint> ScriptInterpreter::Corner(const QString& text) const {
    const auto index = ParseIndex(text);
    const Room* room = doc_.GetCurrentRoom();
    if (!index || room == nullptr) {
        return std::nullopt;
    }
    const std::vector<PlanPoint> vertices = room->GetVertices(false);
    if (*index >= static_cast<int>(vertices.size())) {
        return std::nullopt;
    }
    return room->GetLocation() + vertices[static_cast<std::size_t>(*index)];
}

// ---------------------------------------------------------------------------------------------
// Files and selection

Result ScriptInterpreter::New(const QStringList&) {
    doc_.OnNewDocument();
    return std::nullopt;
}

Result ScriptInterpreter::Open(const QStringList& args) {
    doc_.OnOpenDocument(args[0]);
    return std::nullopt;
}

Result ScriptInterpreter::Save(const QStringList& args) {
    if (Available(command_id::kFileSaveAs, current_)) {
        doc_.DoSave(args[0]);
    }
    return std::nullopt;
}

Result ScriptInterpreter::SelectStart(const QStringList&) {
    doc_.FinishRoom();
    return std::nullopt;
}

Result ScriptInterpreter::SelectRoom(const QStringList& args) {
    Room* room = doc_.GetSite()->FindRoomByName(args[0]);
    if (room == nullptr) {
        return Wrong(QStringLiteral("there is no room named \"%1\"").arg(args[0]));
    }
    doc_.SelectRoom(room);
    return std::nullopt;
}

Result ScriptInterpreter::SelectWall(const QStringList& args) {
    Room* room = doc_.GetSite()->FindRoomByName(args[0]);
    if (room == nullptr) {
        return Wrong(QStringLiteral("there is no room named \"%1\"").arg(args[0]));
    }
    const auto index = ParseIndex(args[1]);
    Wall* wall = index ? room->GetWall(*index, true) : nullptr;
    if (wall == nullptr) {
        return Wrong(QStringLiteral("room \"%1\" has no user wall %2").arg(args[0], args[1]));
    }
    doc_.SelectWall(room, wall);
    return std::nullopt;
}

Result ScriptInterpreter::Finish(const QStringList&) {
    doc_.FinishRoom();
    return std::nullopt;
}

Result ScriptInterpreter::DeselectWall(const QStringList&) {
    doc_.DeselectWall();
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Rooms

Result ScriptInterpreter::RoomWithMaterial(const QStringList& args, bool properties) {
    const Site& site = *doc_.GetSite();
    const QString name = args[0];
    QString material;
    if (args.size() > 1) {
        material = args[1];
    } else if (site.MaterialCount() > 0) {
        material = site.GetMaterial(0)->GetName();
    }
    NewMaterialChoice choice;
    bool colourGiven = false;
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (args[i] == QLatin1String("temporary")) {
            choice.saveToPermanentList = false;
        } else if (const auto colour = ParseColour(args[i]); colour && !colourGiven) {
            choice.colour = *colour;
            colourGiven = true;
        } else {
            return Wrong(
                QStringLiteral("expected a colour #RRGGBB or temporary, not \"%1\"").arg(args[i]));
        }
    }
    if (!Available(properties ? command_id::kRoomProperties : command_id::kAddRoom, current_)) {
        return std::nullopt;
    }
    if (Refused(CheckMaterialText(material))) {
        return std::nullopt;
    }
    // The "Add Material" dialog: with its colour refused it cannot be confirmed, so it is
    // dismissed.
    const NewMaterialDialog dialog = [this, choice](const QString&) {
        if (Refused(CheckNewMaterialColour(*doc_.GetSite(), choice.colour))) {
            return std::optional<NewMaterialChoice>();
        }
        return std::optional<NewMaterialChoice>(choice);
    };
    if (properties) {
        doc_.ApplyRoomProperties(name, material, dialog);
    } else {
        doc_.AddRoom(name, material, dialog);
    }
    return std::nullopt;
}

Result ScriptInterpreter::AddRoom(const QStringList& args) {
    return RoomWithMaterial(args, false);
}

Result ScriptInterpreter::RoomProperties(const QStringList& args) {
    return RoomWithMaterial(args, true);
}

Result ScriptInterpreter::MoveDialog(const QStringList& args, int commandId, bool room) {
    if (!Available(commandId, current_)) {
        return std::nullopt;
    }
    const double distance = ParseLengthField(args[0], doc_.Units());
    const double direction = ParseDirectionField(args[1], doc_.Style());
    if (Refused(CheckMoveDistance(distance, doc_.Units()))) {
        return std::nullopt;
    }
    if (room) {
        doc_.ShiftRoom(distance, direction);
    } else {
        doc_.ShiftStartPoint(distance, direction);
    }
    return std::nullopt;
}

Result ScriptInterpreter::MoveStart(const QStringList& args) {
    return MoveDialog(args, command_id::kMoveStartPoint, false);
}

Result ScriptInterpreter::MoveRoom(const QStringList& args) {
    return MoveDialog(args, command_id::kMoveRoom, true);
}

Result ScriptInterpreter::Rotate(const QStringList& args) {
    const auto pivot = ParsePivot(args[1]);
    if (!pivot) {
        return Wrong(PivotError(args[1]));
    }
    if (!Available(command_id::kRotateRoom, current_) || Refused(CheckRotationText(args[0]))) {
        return std::nullopt;
    }
    doc_.RotateCurrentRoom(*pivot, ParseNumber(args[0]));
    return std::nullopt;
}

Result ScriptInterpreter::Reflect(const QStringList& args) {
    ReflectMode mode;
    if (args[0] == QLatin1String("vertical")) {
        mode = ReflectMode::Vertical;
    } else if (args[0] == QLatin1String("horizontal")) {
        mode = ReflectMode::Horizontal;
    } else {
        return Wrong(QStringLiteral("expected vertical or horizontal, not \"%1\"").arg(args[0]));
    }
    const auto pivot = ParsePivot(args[1]);
    if (!pivot) {
        return Wrong(PivotError(args[1]));
    }
    if (Available(command_id::kReflectRoom, current_)) {
        doc_.ReflectCurrentRoom(*pivot, mode);
    }
    return std::nullopt;
}

Result ScriptInterpreter::Front(const QStringList&) {
    if (Available(command_id::kBringToFront, current_)) {
        doc_.BringCurrentRoomToFront();
    }
    return std::nullopt;
}

Result ScriptInterpreter::Back(const QStringList&) {
    if (Available(command_id::kSendToBack, current_)) {
        doc_.SendCurrentRoomToBack();
    }
    return std::nullopt;
}

Result ScriptInterpreter::DeleteRoom(const QStringList&) {
    if (Available(command_id::kDeleteRoom, current_)) {
        doc_.DeleteCurrentRoom();
    }
    return std::nullopt;
}

Result ScriptInterpreter::Close(const QStringList& args) {
    CloseRule rule;
    int id;
    if (args[0] == QLatin1String("square")) {
        rule = CloseRule::Square;
        id = command_id::kCloseSquare;
    } else if (args[0] == QLatin1String("reverse")) {
        rule = CloseRule::ReverseSquare;
        id = command_id::kCloseReverseSquare;
    } else if (args[0] == QLatin1String("angled")) {
        rule = CloseRule::Angled;
        id = command_id::kCloseAngled;
    } else {
        return Wrong(QStringLiteral("expected square, reverse or angled, not \"%1\"").arg(args[0]));
    }
    if (Available(id, current_)) {
        doc_.ApplyCloseRule(rule);
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Walls

Result ScriptInterpreter::WallDialog(const QStringList& args, bool edit) {
    if (args.size() == 3) {
        return Wrong(QStringLiteral(":%1 takes DIST DIR [left|right ARC]").arg(current_));
    }
    std::optional<ProjectionSide> side;
    if (args.size() == 4) {
        side = ParseSide(args[2]);
        if (!side) {
            return Wrong(SideError(args[2]));
        }
    }
    if (!Available(edit ? command_id::kEditWall : command_id::kAddWall, current_)) {
        return std::nullopt;
    }
    const LengthUnits& units = doc_.Units();
    const double length = ParseLengthField(args[0], units);
    const double direction = ParseDirectionField(args[1], doc_.Style());
    double projection = 0.0;
    if (side) {
        projection = ParseLengthField(args[3], units);
    } else if (edit) {
        // The dialog opens with the wall's own arc; left alone, it stays.
        const double height = doc_.GetCurrentWall()->GetArcHeight();
        projection = std::fabs(height);
        side = height >= 0.0 ? ProjectionSide::Left : ProjectionSide::Right;
    } else {
        side = ProjectionSide::Left;
    }
    if (Refused(CheckWallFields(length, projection, units))) {
        return std::nullopt;
    }
    const double arcHeight = SignedArcHeight(projection, *side);
    if (edit) {
        doc_.EditCurrentWall(length, direction, arcHeight);
    } else {
        doc_.AppendWall(length, direction, arcHeight);
    }
    return std::nullopt;
}

Result ScriptInterpreter::AddWall(const QStringList& args) {
    return WallDialog(args, false);
}

Result ScriptInterpreter::EditWall(const QStringList& args) {
    return WallDialog(args, true);
}

Result ScriptInterpreter::Projection(const QStringList& args) {
    const auto side = ParseSide(args[1]);
    if (!side) {
        return Wrong(SideError(args[1]));
    }
    if (!Available(command_id::kAddProjection, current_)) {
        return std::nullopt;
    }
    const double length = ParseLengthField(args[0], doc_.Units());
    const double depth = ParseLengthField(args[2], doc_.Units());
    if (Refused(CheckProjectionFields(length, depth, doc_.Units()))) {
        return std::nullopt;
    }
    doc_.AddProjection(length, *side, depth);
    return std::nullopt;
}

Result ScriptInterpreter::ArcWall(const QStringList& args) {
    const bool corners = args[0] == QLatin1String("corners");
    if (!(corners && args.size() == 6) && !(args[0] == QLatin1String("ends") && args.size() == 4)) {
        return Wrong(
            QStringLiteral(":arc-wall takes ends R1 R2 left|right, or corners CORNER "
                           "CORNER R1 R2 left|right"));
    }
    const auto side = ParseSide(args.last());
    if (!side) {
        return Wrong(SideError(args.last()));
    }
    if (!Available(command_id::kArcWall, current_)) {
        return std::nullopt;
    }
    const LengthUnits& units = doc_.Units();
    const qsizetype first = corners ? 3 : 1;
    const double r1 = ParseLengthField(args[first], units);
    const double r2 = ParseLengthField(args[first + 1], units);
    if (corners) {
        const auto p1 = Corner(args[1]);
        const auto p2 = Corner(args[2]);
        if (!p1 || !p2) {
            return Wrong(
                QStringLiteral("the selected room has no corner %1").arg(p1 ? args[2] : args[1]));
        }
        if (Refused(CheckArcWallFields(true, true, r1, r2, units))) {
            return std::nullopt;
        }
        doc_.ArcCurrentWall(*p1, *p2, r1, r2, *side);
        return std::nullopt;
    }
    if (Refused(CheckArcWallFields(false, true, r1, r2, units))) {
        return std::nullopt;
    }
    doc_.ArcCurrentWall(r1, r2, *side);
    return std::nullopt;
}

Result ScriptInterpreter::AngleWall(const QStringList& args) {
    if (!Available(command_id::kAngleWall, current_) || !doc_.BeginAngleWall()) {
        return std::nullopt;
    }
    const double distance = ParseLengthField(args[0], doc_.Units());
    if (Refused(CheckWallLength(distance, doc_.Units()))) {
        return std::nullopt;
    }
    doc_.AngleCurrentWall(distance);
    return std::nullopt;
}

Result ScriptInterpreter::MoveWallEnd(const QStringList& args) {
    if (!Available(command_id::kMoveWallEnd, current_)) {
        return std::nullopt;
    }
    const double distance = ParseLengthField(args[0], doc_.Units());
    const double direction = ParseDirectionField(args[1], doc_.Style());
    if (Refused(CheckWallLength(distance, doc_.Units()))) {
        return std::nullopt;
    }
    doc_.MoveCurrentWallEnd(distance, direction);
    return std::nullopt;
}

Result ScriptInterpreter::ReplaceWall(const QStringList&) {
    if (Available(command_id::kReplaceWall, current_)) {
        doc_.ReplaceCurrentWall();
    }
    return std::nullopt;
}

Result ScriptInterpreter::ConvertWalls(const QStringList&) {
    if (Available(command_id::kConvertAddedWalls, current_)) {
        doc_.ConvertCurrentAddedWalls();
    }
    return std::nullopt;
}

Result ScriptInterpreter::ReverseWalls(const QStringList&) {
    if (Available(command_id::kReverseWalls, current_)) {
        doc_.ReverseCurrentWalls();
    }
    return std::nullopt;
}

Result ScriptInterpreter::RoomStart(const QStringList& args) {
    if (!ParseIndex(args[0])) {
        return Wrong(QStringLiteral("expected a corner number, not \"%1\"").arg(args[0]));
    }
    if (!Available(command_id::kMoveRoomStart, current_)) {
        return std::nullopt;
    }
    const auto corner = Corner(args[0]);
    if (!corner) {
        return Wrong(QStringLiteral("the selected room has no corner %1").arg(args[0]));
    }
    doc_.MoveCurrentRoomStart(*corner);
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Materials, settings, undo, clip

Result ScriptInterpreter::MaterialColor(const QStringList& args) {
    const auto colour = ParseColour(args[1]);
    if (!colour) {
        return Wrong(ColourError(args[1]));
    }
    if (!Available(command_id::kEditMaterials, current_)) {
        return std::nullopt;
    }
    const Material* material = doc_.GetSite()->FindMaterialByName(args[0]);
    if (material == nullptr) {
        return Wrong(QStringLiteral("there is no material named \"%1\"").arg(args[0]));
    }
    const QString name = material->GetName();
    if (Refused(CheckMaterialColour(*doc_.GetSite(), name, *colour))) {
        return std::nullopt;
    }
    doc_.SetMaterialColour(name, *colour);
    return std::nullopt;
}

Result ScriptInterpreter::Relative(const QStringList& args) {
    const auto on = ParseOnOff(args[0]);
    if (!on) {
        return Wrong(QStringLiteral("expected on or off, not \"%1\"").arg(args[0]));
    }
    if (!Available(command_id::kRelativeDirections, current_)) {
        return std::nullopt;
    }
    if ((doc_.Prefs().GetInputValues().DirectionMode != 0) != *on) {
        doc_.ToggleRelativeDirections();
    }
    return std::nullopt;
}

Result ScriptInterpreter::Preferences(const QStringList& args) {
    PreferencesChoice choice = PreferencesFromPrefs(doc_.Prefs());
    for (const QString& arg : args) {
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString key = arg.left(equals);
        const QString value = equals < 0 ? QString() : arg.mid(equals + 1);
        if (equals < 0) {
            return Wrong(QStringLiteral("expected KEY=VALUE, not \"%1\"").arg(arg));
        }
        if (key == QLatin1String("units") &&
            (value == QLatin1String("feet") || value == QLatin1String("meters"))) {
            choice.input.Input = value == QLatin1String("meters") ? 1 : 0;
        } else if (key == QLatin1String("style") &&
                   (value == QLatin1String("azimuth") || value == QLatin1String("quadrant"))) {
            choice.input.AngleStyle = value == QLatin1String("quadrant") ? 1 : 0;
        } else if (key == QLatin1String("names") && ParseOnOff(value)) {
            choice.drawing.ShowNames = *ParseOnOff(value);
        } else if ((key == QLatin1String("wall") || key == QLatin1String("selected") ||
                    key == QLatin1String("added")) &&
                   ParseColour(value)) {
            const Colour colour = *ParseColour(value);
            if (key == QLatin1String("wall")) {
                choice.drawing.WallColor = colour;
            } else if (key == QLatin1String("selected")) {
                choice.drawing.SelectedColor = colour;
            } else {
                choice.drawing.AddedColor = colour;
            }
        } else {
            return Wrong(QStringLiteral("unknown preference \"%1\"").arg(arg));
        }
    }
    if (Available(command_id::kPreferences, current_)) {
        doc_.ApplyPreferences(choice);
    }
    return std::nullopt;
}

Result ScriptInterpreter::Undo(const QStringList&) {
    if (Available(command_id::kEditUndo, current_)) {
        doc_.Undo();
    }
    return std::nullopt;
}

Result ScriptInterpreter::Redo(const QStringList&) {
    if (Available(command_id::kEditRedo, current_)) {
        doc_.Redo();
    }
    return std::nullopt;
}

Result ScriptInterpreter::Copy(const QStringList&) {
    if (Available(command_id::kEditCopy, current_)) {
        kept_ = doc_.Copy();
    }
    return std::nullopt;
}

Result ScriptInterpreter::Cut(const QStringList&) {
    if (Available(command_id::kEditCut, current_)) {
        kept_ = doc_.Copy();
        doc_.Delete();
    }
    return std::nullopt;
}

Result ScriptInterpreter::Paste(const QStringList&) {
    if (Available(command_id::kEditPaste, current_)) {
        doc_.Paste(*kept_);
    }
    return std::nullopt;
}

Result ScriptInterpreter::Delete(const QStringList&) {
    if (Available(command_id::kEditClear, current_)) {
        doc_.Delete();
    }
    return std::nullopt;
}

Result ScriptInterpreter::Info(const QStringList&) {
    out_ << DocumentInfoJson(doc_) << '\n';
    out_.flush();
    return std::nullopt;
}

Result ScriptInterpreter::NoteSite(const QStringList& args) {
    return cli::NoteSite(doc_, prompts_, args);
}

Result ScriptInterpreter::NoteRoom(const QStringList& args) {
    return cli::NoteRoom(doc_, prompts_, args);
}

}  // namespace plantrek::cli
