#include "app/cli/script_commands.h"

#include "app/cli/info_json.h"
#include "app/cli/note_commands.h"
#include "document/forms/arc_wall_form.h"
#include "document/forms/ask_check_apply.h"
#include "document/forms/colour_palette.h"
#include "document/forms/level_form.h"
#include "document/forms/move_form.h"
#include "document/forms/opening_form.h"
#include "document/forms/preferences_form.h"
#include "document/forms/projection_form.h"
#include "document/forms/room_form.h"
#include "document/forms/room_transform_forms.h"
#include "document/forms/wall_form.h"
#include "document/plan_findings.h"
#include "document/prefs.h"
#include "document/tracepad_doc.h"
#include "document/user_prompts.h"
#include "model/closing.h"
#include "model/units.h"
#include "resources/command_catalog.h"
#include "resources/command_ids.h"

namespace plantrek::cli {

using Result = ScriptInterpreter::Result;
using Scene = ScriptInterpreter::Scene;

struct ScriptInterpreter::Command {
    const char* name;
    // The arguments of a script-only command; a menu command's are in its catalog row.
    CliArguments own;
    Runner run;
};

namespace {

// A word that must be one of a few; the second element is what it stands for.
template <typename T>
struct Choice {
    const char* word;
    T value;
};

template <typename T, std::size_t N>
std::optional<T> ParseChoice(const QString& text, const Choice<T> (&choices)[N]) {
    for (const Choice<T>& choice : choices) {
        if (text == QLatin1String(choice.word)) {
            return choice.value;
        }
    }
    return std::nullopt;
}

template <typename T, std::size_t N>
QString ChoiceError(const QString& text, const Choice<T> (&choices)[N]) {
    QStringList words;
    for (const Choice<T>& choice : choices) {
        words.append(QLatin1String(choice.word));
    }
    const QString last = words.takeLast();
    return QStringLiteral("expected %1 or %2, not \"%3\"")
        .arg(words.join(QLatin1String(", ")), last, text);
}

constexpr Choice<ProjectionSide> kSides[] = {{"left", ProjectionSide::Left},
                                             {"right", ProjectionSide::Right}};
constexpr Choice<RoomPivot> kPivots[] = {{"center", RoomPivot::CentreOfRoom},
                                         {"start", RoomPivot::RoomStartPoint}};
constexpr Choice<ReflectMode> kReflections[] = {{"vertical", ReflectMode::Vertical},
                                                {"horizontal", ReflectMode::Horizontal}};
constexpr Choice<bool> kOnOff[] = {{"on", true}, {"off", false}};
constexpr Choice<DoorHinge> kHinges[] = {{"left", DoorHinge::Left}, {"right", DoorHinge::Right}};
constexpr Choice<bool> kInOut[] = {{"in", true}, {"out", false}};

constexpr Choice<CloseRule> kCloseRules[] = {{"square", CloseRule::Square},
                                            {"reverse", CloseRule::ReverseSquare},
                                            {"angled", CloseRule::Angled}};

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

// A corner of the selected room by its number.
std::optional<PlanPoint> Corner(const CTracepadDoc& doc, const QString& text) {
    const auto index = ParseIndex(text);
    const Room* room = doc.GetCurrentRoom();
    return index && room != nullptr ? RoomCorner(*room, *index) : std::nullopt;
}

QString NoCorner(const QString& text) {
    return QStringLiteral("the selected room has no corner %1").arg(text);
}

// ---------------------------------------------------------------------------------------------
// Binders: a command's words into its dialog's form.

template <WallForm::Purpose purpose>
Result BindWall(const QStringList& args, const Scene* scene, WallForm& form) {
    if (args.size() == 3) {
        return QStringLiteral(":%1 takes DIST DIR [left|right ARC]")
            .arg(QLatin1String(purpose == WallForm::Purpose::Edit ? "edit-wall" : "add-wall"));
    }
    const auto side = args.size() == 4 ? ParseChoice(args[2], kSides) : std::nullopt;
    if (args.size() == 4 && !side) {
        return ChoiceError(args[2], kSides);
    }
    if (scene != nullptr) {
        // Edit Wall opens with the wall's own arc; left alone, it stays.
        form = WallForm::FromDocument(scene->doc, purpose);
        form.length = TextField(args[0]);
        form.direction = TextField(args[1]);
        if (side) {
            form.side = *side;
            form.projection = TextField(args[3]);
        }
    }
    return std::nullopt;
}

template <MoveForm::Target target>
Result BindMove(const QStringList& args, const Scene* scene, MoveForm& form) {
    if (scene != nullptr) {
        form = MoveForm::FromDocument(scene->doc, target);
        form.distance = TextField(args[0]);
        form.direction = TextField(args[1]);
    }
    return std::nullopt;
}

Result BindMoveWallEnd(const QStringList& args, const Scene* scene, MoveWallEndForm& form) {
    if (scene != nullptr) {
        form = MoveWallEndForm::FromDocument(scene->doc);
        form.distance = TextField(args[0]);
        form.direction = TextField(args[1]);
    }
    return std::nullopt;
}

Result BindProjection(const QStringList& args, const Scene* scene, ProjectionForm& form) {
    const auto side = ParseChoice(args[1], kSides);
    if (!side) {
        return ChoiceError(args[1], kSides);
    }
    if (scene != nullptr) {
        form = ProjectionForm::FromDocument(scene->doc);
        form.length = TextField(args[0]);
        form.side = *side;
        form.depth = TextField(args[2]);
    }
    return std::nullopt;
}

Result BindArcWall(const QStringList& args, const Scene* scene, ArcWallForm& form) {
    const bool corners = args[0] == QLatin1String("corners");
    if (!(corners && args.size() == 6) && !(args[0] == QLatin1String("ends") && args.size() == 4)) {
        return QStringLiteral(
            ":arc-wall takes ends R1 R2 left|right, or corners CORNER CORNER R1 R2 left|right");
    }
    const auto side = ParseChoice(args.last(), kSides);
    if (!side) {
        return ChoiceError(args.last(), kSides);
    }
    if (scene != nullptr) {
        form = ArcWallForm::FromDocument(scene->doc);
        form.useRoomPoints = corners;
        if (corners) {
            form.firstCorner = Corner(scene->doc, args[1]);
            form.secondCorner = Corner(scene->doc, args[2]);
            if (!form.firstCorner || !form.secondCorner) {
                return NoCorner(form.firstCorner ? args[2] : args[1]);
            }
        }
        const qsizetype first = corners ? 3 : 1;
        form.firstDistance = TextField(args[first]);
        form.secondDistance = TextField(args[first + 1]);
        form.side = *side;
    }
    return std::nullopt;
}

Result BindAngleWall(const QStringList& args, const Scene* scene, AngleWallForm& form) {
    if (scene != nullptr) {
        form = AngleWallForm::FromDocument(scene->doc);
        form.distance = TextField(args[0]);
    }
    return std::nullopt;
}

Result BindRotate(const QStringList& args, const Scene* scene, RotateForm& form) {
    const auto pivot = ParseChoice(args[1], kPivots);
    if (!pivot) {
        return ChoiceError(args[1], kPivots);
    }
    if (scene != nullptr) {
        form = RotateForm::FromDocument(scene->doc);
        form.rotation = args[0];
        form.pivot = *pivot;
    }
    return std::nullopt;
}

Result BindReflect(const QStringList& args, const Scene* scene, ReflectForm& form) {
    const auto mode = ParseChoice(args[0], kReflections);
    if (!mode) {
        return ChoiceError(args[0], kReflections);
    }
    const auto pivot = ParseChoice(args[1], kPivots);
    if (!pivot) {
        return ChoiceError(args[1], kPivots);
    }
    if (scene != nullptr) {
        form = ReflectForm::FromDocument(scene->doc);
        form.mode = *mode;
        form.pivot = *pivot;
    }
    return std::nullopt;
}

Result BindRoomStart(const QStringList& args, const Scene* scene, RoomStartForm& form) {
    if (!ParseIndex(args[0])) {
        return QStringLiteral("expected a corner number, not \"%1\"").arg(args[0]);
    }
    if (scene != nullptr) {
        form = RoomStartForm::FromDocument(scene->doc);
        form.corner = Corner(scene->doc, args[0]);
        if (!form.corner) {
            return NoCorner(args[0]);
        }
    }
    return std::nullopt;
}

// The room named by the first word and its user wall counted by the second, as :select-wall
// counts them.
Result FindWall(CTracepadDoc& doc, const QStringList& args, Room** room, Wall** wall) {
    *room = doc.GetSite()->FindRoomByName(args[0]);
    if (*room == nullptr) {
        return QStringLiteral("there is no room named \"%1\"").arg(args[0]);
    }
    const auto index = ParseIndex(args[1]);
    *wall = index ? (*room)->GetWall(*index, true) : nullptr;
    if (*wall == nullptr) {
        return QStringLiteral("room \"%1\" has no user wall %2").arg(args[0], args[1]);
    }
    return std::nullopt;
}

// Add Door, Add Window, Add Opening: ROOM WALL OFFSET WIDTH HEIGHT, then the door's hinge side
// and way of opening, or the window's sill. The wall is selected before the form is filled.
template <OpeningKind kind>
Result BindOpening(const QStringList& args, const Scene* scene, OpeningForm& form) {
    std::optional<DoorHinge> hinge;
    std::optional<bool> inward;
    if (kind == OpeningKind::Door) {
        hinge = ParseChoice(args[5], kHinges);
        if (!hinge) {
            return ChoiceError(args[5], kHinges);
        }
        inward = ParseChoice(args[6], kInOut);
        if (!inward) {
            return ChoiceError(args[6], kInOut);
        }
    }
    if (scene != nullptr) {
        form = OpeningForm::FromDocument(scene->doc, OpeningForm::Purpose::Add, kind);
        form.offset = TextField(args[2]);
        form.width = TextField(args[3]);
        form.height = TextField(args[4]);
        if (kind == OpeningKind::Window) {
            form.sill = TextField(args[5]);
        }
        form.hinge = hinge.value_or(DoorHinge::Left);
        form.opensInward = inward.value_or(true);
    }
    return std::nullopt;
}

// :height ROOM LENGTH: Room Properties with another ceiling height; "default" for none.
Result BindHeight(const QStringList& args, const Scene* scene, RoomForm& form) {
    if (scene != nullptr) {
        form = RoomForm::FromDocument(scene->doc, RoomForm::Purpose::Edit);
        form.height = TextField(args[1] == QLatin1String("default") ? QString() : args[1]);
    }
    return std::nullopt;
}

// :material-allowance NAME PERCENT [PACK-AREA]: the order figures of Edit Material; without a
// pack area the material keeps its own.
Result BindMaterialAllowance(const QStringList& args, const Scene* scene, MaterialForm& form) {
    if (scene != nullptr) {
        const Material* material = scene->doc.GetSite()->FindMaterialByName(args[0]);
        if (material == nullptr) {
            return QStringLiteral("there is no material named \"%1\"").arg(args[0]);
        }
        form = MaterialForm::FromDocument(scene->doc, material->GetName());
        form.allowance = args[1];
        if (args.size() > 2) {
            form.packArea = args[2];
        }
    }
    return std::nullopt;
}

// Add Room and Room Properties: NAME [MATERIAL [COLOR] [temporary]]; the colour and the
// permanence answer "Add Material" when the material is new.
template <RoomForm::Purpose purpose>
Result BindRoom(const QStringList& args, const Scene* scene, RoomForm& form) {
    NewMaterialChoice answer;
    bool colourGiven = false;
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (args[i] == QLatin1String("temporary")) {
            answer.saveToPermanentList = false;
        } else if (const auto colour = ParseColour(args[i]); colour && !colourGiven) {
            answer.colour = *colour;
            colourGiven = true;
        } else {
            return QStringLiteral("expected a colour #RRGGBB or temporary, not \"%1\"")
                .arg(args[i]);
        }
    }
    if (scene == nullptr) {
        return std::nullopt;
    }
    form = RoomForm::FromDocument(scene->doc, purpose);
    form.name = args[0];
    if (args.size() > 1) {
        form.material = args[1];
    }
    // Without a colour a new material takes the colour "Add Material" would preset: one no
    // material has, light enough for the plan's lines to show on it.
    if (!colourGiven && form.NamesNewMaterial(scene->doc)) {
        if (const auto free = FirstUnusedPaletteColour(*scene->doc.GetSite())) {
            answer.colour = free->colour;
            scene->prompts.ShowMessage(
                QStringLiteral("The new material \"%1\" takes the colour %2 (%3).")
                    .arg(form.material, QString::fromLatin1(free->name).trimmed(),
                         ColourText(free->colour)),
                MessageIcon::Information);
        }
    }
    form.newMaterial = answer;
    return std::nullopt;
}

Result BindMaterialColour(const QStringList& args, const Scene* scene, MaterialForm& form) {
    const auto colour = ParseColour(args[1]);
    if (!colour) {
        return QStringLiteral("expected a colour #RRGGBB, not \"%1\"").arg(args[1]);
    }
    if (scene != nullptr) {
        const Material* material = scene->doc.GetSite()->FindMaterialByName(args[0]);
        if (material == nullptr) {
            return QStringLiteral("there is no material named \"%1\"").arg(args[0]);
        }
        form = MaterialForm::FromDocument(scene->doc, material->GetName());
        form.colour = *colour;
    }
    return std::nullopt;
}

// :level NAME for a level the site does not have yet: Add Level with that name, standing on
// the top level.
Result BindAddLevel(const QStringList& args, const Scene* scene, LevelForm& form) {
    if (scene != nullptr) {
        form = LevelForm::FromDocument(scene->doc, LevelForm::Purpose::Add);
        form.name = args[0];
    }
    return std::nullopt;
}

// :level-properties NAME ELEVATION HEIGHT|default: Level Properties of the current level.
Result BindLevelProperties(const QStringList& args, const Scene* scene, LevelForm& form) {
    if (scene != nullptr) {
        form = LevelForm::FromDocument(scene->doc, LevelForm::Purpose::Properties);
        form.name = args[0];
        form.elevation = TextField(args[1]);
        form.height = TextField(args[2] == QLatin1String("default") ? QString() : args[2]);
    }
    return std::nullopt;
}

// :move-to-level ROOM LEVEL, once the room is selected: the level chosen by its name.
Result BindMoveToLevel(const QStringList& args, const Scene* scene, MoveToLevelForm& form) {
    if (scene != nullptr) {
        form = MoveToLevelForm::FromDocument(scene->doc);
        form.chosen = scene->doc.GetSite()->FindLevelByName(args[1]);
    }
    return std::nullopt;
}

Result NoLevel(const QString& name) {
    return QStringLiteral("there is no level named \"%1\"").arg(name);
}

// KEY=VALUE words over what the sheet opens with.
Result BindPreferences(const QStringList& args, const Scene* scene, PreferencesForm& form) {
    if (scene != nullptr) {
        form = PreferencesForm::FromDocument(scene->doc);
    }
    PreferencesChoice& choice = form.choice;
    for (const QString& arg : args) {
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        if (equals < 0) {
            return QStringLiteral("expected KEY=VALUE, not \"%1\"").arg(arg);
        }
        const QString key = arg.left(equals);
        const QString value = arg.mid(equals + 1);
        const auto colour = ParseColour(value);
        const auto onOff = ParseChoice(value, kOnOff);
        if (key == QLatin1String("units") &&
            (value == QLatin1String("feet") || value == QLatin1String("meters"))) {
            choice.input.Input =
                value == QLatin1String("meters") ? kInputMetres : kInputFeetAndInches;
        } else if (key == QLatin1String("style") &&
                   (value == QLatin1String("azimuth") || value == QLatin1String("quadrant"))) {
            choice.input.AngleStyle =
                value == QLatin1String("quadrant") ? kQuadrantStyleCode : kAzimuthStyleCode;
        } else if (key == QLatin1String("names") && onOff) {
            choice.drawing.ShowNames = *onOff;
        } else if (key == QLatin1String("wall") && colour) {
            choice.drawing.WallColor = *colour;
        } else if (key == QLatin1String("selected") && colour) {
            choice.drawing.SelectedColor = *colour;
        } else if (key == QLatin1String("added") && colour) {
            choice.drawing.AddedColor = *colour;
        } else if (key == QLatin1String("height")) {
            form.defaultHeight = TextField(value == QLatin1String("default") ? QString() : value);
        } else {
            return QStringLiteral("unknown preference \"%1\"").arg(arg);
        }
    }
    return std::nullopt;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

ScriptInterpreter::ScriptInterpreter(CTracepadDoc& doc, UserPrompts& prompts, QTextStream& out)
    : doc_(doc), prompts_(prompts), out_(out) {}

ScriptInterpreter::~ScriptInterpreter() = default;

template <typename Form>
ScriptInterpreter::Runner ScriptInterpreter::WithForm(Binder<Form> bind) {
    return [bind](ScriptInterpreter& self, int commandId, const QStringList& args) {
        return self.RunForm(commandId, args, bind);
    };
}

template <typename Form>
ScriptInterpreter::Runner ScriptInterpreter::OnWall(Binder<Form> bind) {
    return [bind](ScriptInterpreter& self, int commandId, const QStringList& args) -> Result {
        Form spelling;
        if (Result wrong = bind(args, nullptr, spelling)) {
            return wrong;
        }
        Room* room = nullptr;
        Wall* wall = nullptr;
        if (Result wrong = FindWall(self.doc_, args, &room, &wall)) {
            return wrong;
        }
        self.doc_.SelectWall(room, wall);
        return self.RunForm(commandId, args, bind);
    };
}

template <typename Op>
ScriptInterpreter::Runner ScriptInterpreter::DocOp(Op op) {
    return [op](ScriptInterpreter& self, int commandId, const QStringList&) {
        if (self.Available(commandId)) {
            (self.doc_.*op)();
        }
        return Result();
    };
}

template <typename Form>
Result ScriptInterpreter::RunForm(int commandId, const QStringList& args, Binder<Form> bind) {
    // The words are read before the command's state is asked, so that a misspelt line is an
    // error whatever the selection.
    Form spelling;
    if (Result wrong = bind(args, nullptr, spelling)) {
        return wrong;
    }
    if (!Available(commandId)) {
        return std::nullopt;
    }
    Form form;
    const Scene scene{doc_, prompts_};
    Result wrong;
    AskCheckApply(doc_, prompts_, form, [&](Form& f) {
        wrong = bind(args, &scene, f);
        return !wrong;
    });
    return wrong;
}

std::span<const ScriptInterpreter::Command> ScriptInterpreter::Commands() {
    using S = ScriptInterpreter;
    using D = CTracepadDoc;
    static const Command kCommands[] = {
        {"new", {}, DocOp(&D::OnNewDocument)},
        {"open",
         {},
         [](S& self, int, const QStringList& args) {
             self.fileFailed_ = self.fileFailed_ || !self.doc_.OnOpenDocument(args[0]);
             return Result();
         }},
        {"save",
         {},
         [](S& self, int commandId, const QStringList& args) {
             if (self.Available(commandId) && !self.doc_.DoSave(args[0])) {
                 self.fileFailed_ = true;
             }
             return Result();
         }},
        {"select-start", {}, DocOp(&D::FinishRoom)},
        {"select-room",
         {"NAME", 1, 1},
         [](S& self, int, const QStringList& args) -> Result {
             Room* room = self.doc_.GetSite()->FindRoomByName(args[0]);
             if (room == nullptr) {
                 return QStringLiteral("there is no room named \"%1\"").arg(args[0]);
             }
             self.doc_.SelectRoom(room);
             return std::nullopt;
         }},
        {"select-wall",
         {"NAME INDEX", 2, 2},
         [](S& self, int, const QStringList& args) -> Result {
             Room* room = self.doc_.GetSite()->FindRoomByName(args[0]);
             if (room == nullptr) {
                 return QStringLiteral("there is no room named \"%1\"").arg(args[0]);
             }
             const auto index = ParseIndex(args[1]);
             Wall* wall = index ? room->GetWall(*index, true) : nullptr;
             if (wall == nullptr) {
                 return QStringLiteral("room \"%1\" has no user wall %2").arg(args[0], args[1]);
             }
             self.doc_.SelectWall(room, wall);
             return std::nullopt;
         }},
        {"finish", {}, DocOp(&D::FinishRoom)},
        {"deselect-wall", {}, DocOp(&D::DeselectWall)},
        {"add-room", {}, WithForm<RoomForm>(&BindRoom<RoomForm::Purpose::Add>)},
        {"room-properties", {}, WithForm<RoomForm>(&BindRoom<RoomForm::Purpose::Edit>)},
        {"move-start", {}, WithForm<MoveForm>(&BindMove<MoveForm::Target::StartPoint>)},
        {"move-room", {}, WithForm<MoveForm>(&BindMove<MoveForm::Target::Room>)},
        {"rotate", {}, WithForm<RotateForm>(&BindRotate)},
        {"reflect", {}, WithForm<ReflectForm>(&BindReflect)},
        {"front", {}, DocOp(&D::BringCurrentRoomToFront)},
        {"back", {}, DocOp(&D::SendCurrentRoomToBack)},
        {"delete-room", {}, DocOp(&D::DeleteCurrentRoom)},
        {"close",
         {},
         [](S& self, int commandId, const QStringList& args) -> Result {
             const auto close = ParseChoice(args[0], kCloseRules);
             if (!close) {
                 return ChoiceError(args[0], kCloseRules);
             }
             if (self.Available(commandId)) {
                 self.doc_.ApplyCloseRule(*close);
             }
             return std::nullopt;
         }},
        {"add-wall", {}, WithForm<WallForm>(&BindWall<WallForm::Purpose::Add>)},
        {"edit-wall", {}, WithForm<WallForm>(&BindWall<WallForm::Purpose::Edit>)},
        {"projection", {}, WithForm<ProjectionForm>(&BindProjection)},
        {"arc-wall", {}, WithForm<ArcWallForm>(&BindArcWall)},
        {"angle-wall", {}, WithForm<AngleWallForm>(&BindAngleWall)},
        {"move-wall-end", {}, WithForm<MoveWallEndForm>(&BindMoveWallEnd)},
        {"add-door", {}, OnWall<OpeningForm>(&BindOpening<OpeningKind::Door>)},
        {"add-window", {}, OnWall<OpeningForm>(&BindOpening<OpeningKind::Window>)},
        {"add-opening", {}, OnWall<OpeningForm>(&BindOpening<OpeningKind::Passage>)},
        {"delete-opening",
         {},
         [](S& self, int commandId, const QStringList& args) -> Result {
             const auto index = ParseIndex(args[2]);
             if (!index) {
                 return QStringLiteral("expected an opening number, not \"%1\"").arg(args[2]);
             }
             Room* room = nullptr;
             Wall* wall = nullptr;
             if (Result wrong = FindWall(self.doc_, args, &room, &wall)) {
                 return wrong;
             }
             if (*index >= static_cast<int>(wall->GetOpenings().size())) {
                 return QStringLiteral("wall %1 of room \"%2\" has no opening %3")
                     .arg(args[1], args[0], args[2]);
             }
             self.doc_.SelectOpening(room, wall, *index);
             if (self.Available(commandId)) {
                 self.doc_.DeleteTargetOpening();
             }
             return std::nullopt;
         }},
        {"level",
         {},
         [](S& self, int commandId, const QStringList& args) -> Result {
             const int level = self.doc_.GetSite()->FindLevelByName(args[0]);
             if (level < 0) {
                 return self.RunForm(commandId, args, &BindAddLevel);
             }
             self.doc_.SetCurrentLevel(level);
             return std::nullopt;
         }},
        {"level-properties", {}, WithForm<LevelForm>(&BindLevelProperties)},
        {"delete-level",
         {},
         [](S& self, int commandId, const QStringList& args) -> Result {
             const int level = self.doc_.GetSite()->FindLevelByName(args[0]);
             if (level < 0) {
                 return NoLevel(args[0]);
             }
             if (self.Available(commandId)) {
                 self.doc_.DeleteLevel(level);
             }
             return std::nullopt;
         }},
        {"move-to-level",
         {},
         [](S& self, int commandId, const QStringList& args) -> Result {
             Room* room = self.doc_.GetSite()->FindRoomByName(args[0]);
             if (room == nullptr) {
                 return QStringLiteral("there is no room named \"%1\"").arg(args[0]);
             }
             if (self.doc_.GetSite()->FindLevelByName(args[1]) < 0) {
                 return NoLevel(args[1]);
             }
             self.doc_.SelectRoom(room);
             return self.RunForm(commandId, args, &BindMoveToLevel);
         }},
        {"height",
         {"ROOM LENGTH|default", 2, 2},
         [](S& self, int, const QStringList& args) -> Result {
             Room* room = self.doc_.GetSite()->FindRoomByName(args[0]);
             if (room == nullptr) {
                 return QStringLiteral("there is no room named \"%1\"").arg(args[0]);
             }
             self.doc_.SelectRoom(room);
             return self.RunForm(command_id::kRoomProperties, args, &BindHeight);
         }},
        {"material-allowance",
         {"NAME PERCENT [PACK-AREA]", 2, 3},
         WithForm<MaterialForm>(&BindMaterialAllowance)},
        {"replace-wall", {}, DocOp(&D::ReplaceCurrentWall)},
        {"convert-walls", {}, DocOp(&D::ConvertCurrentAddedWalls)},
        {"reverse-walls", {}, DocOp(&D::ReverseCurrentWalls)},
        {"room-start", {}, WithForm<RoomStartForm>(&BindRoomStart)},
        {"material-color", {}, WithForm<MaterialForm>(&BindMaterialColour)},
        {"relative",
         {},
         [](S& self, int commandId, const QStringList& args) -> Result {
             const auto on = ParseChoice(args[0], kOnOff);
             if (!on) {
                 return ChoiceError(args[0], kOnOff);
             }
             if (self.Available(commandId) &&
                 (self.doc_.Prefs().GetInputValues().DirectionMode != 0) != *on) {
                 self.doc_.ToggleRelativeDirections();
             }
             return std::nullopt;
         }},
        {"preferences", {}, WithForm<PreferencesForm>(&BindPreferences)},
        {"undo", {}, DocOp(&D::Undo)},
        {"redo", {}, DocOp(&D::Redo)},
        {"copy",
         {},
         [](S& self, int commandId, const QStringList&) {
             if (self.Available(commandId)) {
                 self.clip_.Copy(self.doc_);
             }
             return Result();
         }},
        {"cut",
         {},
         [](S& self, int commandId, const QStringList&) {
             if (self.Available(commandId)) {
                 self.clip_.Cut(self.doc_);
             }
             return Result();
         }},
        {"paste",
         {},
         [](S& self, int commandId, const QStringList&) {
             if (self.Available(commandId)) {
                 self.clip_.Paste(self.doc_);
             }
             return Result();
         }},
        {"delete", {}, DocOp(&D::Delete)},
        {"info",
         {},
         [](S& self, int, const QStringList&) {
             self.out_ << DocumentInfoJson(self.doc_) << '\n';
             self.out_.flush();
             return Result();
         }},
        {"check-plan",
         {},
         [](S& self, int, const QStringList&) {
             const std::vector<PlanFindingLine> lines =
                 CheckPlanLines(*self.doc_.GetSite(), self.doc_.Units());
             if (lines.empty()) {
                 self.out_ << NoPlanFindingsText() << '\n';
             }
             for (const PlanFindingLine& line : lines) {
                 self.out_ << line.text << '\n';
             }
             self.out_.flush();
             return Result();
         }},
        // View > Snap Room for the selected room (the start point's snap is the view's alone).
        {"snap-room",
         {},
         [](S& self, int, const QStringList&) {
             if (self.doc_.GetCurrentRoom() == nullptr) {
                 self.prompts_.ShowMessage(
                     QStringLiteral("Command not available: %1").arg(self.current_),
                     MessageIcon::Error);
             } else {
                 self.doc_.SnapRoom();
             }
             return Result();
         }},
        {"note-site",
         {"FILE.wav [NAME]", 1, 2},
         [](S& self, int, const QStringList& args) {
             bool refused = false;
             auto result = NoteSite(self.doc_, self.prompts_, args, &refused);
             self.fileFailed_ = self.fileFailed_ || refused;
             return result;
         }},
        {"note-room",
         {"ROOM FILE.wav [NAME]", 2, 3},
         [](S& self, int, const QStringList& args) {
             bool refused = false;
             auto result = NoteRoom(self.doc_, self.prompts_, args, &refused);
             self.fileFailed_ = self.fileFailed_ || refused;
             return result;
         }},
    };
    return kCommands;
}

CliArguments ScriptInterpreter::ArgumentsOf(const Command& command) {
    const auto rows = FindCliCommands(QString::fromLatin1(command.name));
    return rows.empty() ? command.own : rows.front()->cliArgs;
}

const ScriptInterpreter::Command* ScriptInterpreter::FindCommand(const QString& name) {
    for (const Command& command : Commands()) {
        if (name == QLatin1String(command.name)) {
            return &command;
        }
    }
    return nullptr;
}

QString ScriptInterpreter::CommandSummary() {
    // The menu commands in the catalog's order, then the script's own (selection, info).
    QStringList names = CliCommandNames();
    for (const Command& command : Commands()) {
        if (!names.contains(QLatin1String(command.name))) {
            names.append(QLatin1String(command.name));
        }
    }
    QString summary;
    for (const QString& name : names) {
        const Command* command = FindCommand(name);
        if (command == nullptr) {
            continue;  // the catalog test makes sure each catalog name has its command here
        }
        summary += QStringLiteral("  :%1").arg(name);
        const char* usage = ArgumentsOf(*command).usage;
        if (usage[0] != '\0') {
            summary += QLatin1Char(' ') + QLatin1String(usage);
        }
        summary += QLatin1Char('\n');
    }
    return summary;
}

QStringList ScriptInterpreter::CommandNames() {
    QStringList names;
    for (const Command& command : Commands()) {
        names.append(QLatin1String(command.name));
    }
    return names;
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
        return QStringLiteral("a command name must follow \":\"");
    }
    const QString name = words->first();
    const Command* command = FindCommand(name);
    if (command == nullptr) {
        return QStringLiteral("unknown command \":%1\"").arg(name);
    }
    const QStringList args = words->mid(1);
    const CliArguments expected = ArgumentsOf(*command);
    if (args.size() < expected.min || args.size() > expected.max) {
        if (expected.usage[0] == '\0') {
            return QStringLiteral(":%1 takes no arguments").arg(name);
        }
        return QStringLiteral(":%1 takes %2").arg(name, QLatin1String(expected.usage));
    }
    current_ = name;
    // The catalog row gives the command its enable rule; a row of several (":close") is picked
    // by the first word. Script-only commands (selection, info) have none and always run.
    const CommandRow* row = FindCliCommand(name, args.isEmpty() ? QStringView() : args[0]);
    return command->run(*this, row != nullptr ? row->id : 0, args);
}

bool ScriptInterpreter::Available(int commandId) {
    const CommandRow* row = commandId == 0 ? nullptr : plantrek::FindCommand(commandId);
    // Only the document's rules apply here: the rest ask for a window's state, and a script
    // always has its one document open (New, Open, Save As).
    if (row == nullptr || ScopeOf(row->rule) != RuleScope::Document ||
        doc_.GetCommandState(commandId, clip_.Item()).enabled) {
        return true;
    }
    prompts_.ShowMessage(QStringLiteral("Command not available: %1").arg(current_),
                         MessageIcon::Error);
    return false;
}

}  // namespace plantrek::cli
