// plantrek-cli end to end: scripts with their expected ":info" output and messages, exit
// statuses, files, the user's settings and template, and the JSON writer of ":info".
#include <QFile>
#include <QLocale>
#include <QSettings>

#include <limits>

#include "app/cli/json_text.h"
#include "cli_support.h"
#include "document/files/site_file.h"
#include "document/files/site_template.h"
#include "export/export_test_support.h"
#include "model/site.h"
#include "model/wall.h"
#include "resources/command_catalog.h"

namespace plantrek::test {
namespace {

using cli::JsonWriter;

class CliScenarioTest : public CliTest, public ::testing::WithParamInterface<const char*> {};

// Each script's standard output is compared with <name>.json (keys in their documented order,
// numbers to six decimals) and its standard error with <name>.err; all but typed_walls run in
// meters.
TEST_P(CliScenarioTest, ScriptGivesItsExpectedInfoAndMessages) {
    const QString name = CliDataPath(GetParam());
    const QStringList units =
        name.endsWith("typed_walls") ? QStringList() : QStringList{"--units", "meters"};
    const CliResult result = Run(QStringList{"run"} + units + QStringList{name + ".script"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(result.err), QString::fromUtf8(ReadDataFile(name + ".err")));
    EXPECT_EQ(RoundedNumbers(result.out), RoundedNumbers(ReadDataFile(name + ".json")));
}

INSTANTIATE_TEST_SUITE_P(Scripts, CliScenarioTest,
                         ::testing::Values("typed_walls", "relative", "undo_redo", "clip",
                                           "commands"),
                         [](const auto& info) { return std::string(info.param); });

// --style and --units reach the document (Qt once took --style for its own): S30W is a
// quadrant bearing, 210 degrees. Comments and carriage returns are passed over; standard input
// ("-") is the listen tests' and the install check's way in.
TEST_F(CliTest, StyleAndUnitsReachTheDocument) {
    std::vector<QJsonObject> infos;
    for (const auto& [script, options] :
         {std::pair{"3 S30W\n:info\n", QStringList{"--style", "quadrant", "--units", "meters"}},
          std::pair{"# 3 N is a comment\r\n3 S30W\r\n:info\r\n",
                    QStringList{"--style=quadrant", "--units=meters"}}}) {
        const CliResult result = RunScript(script, options);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
        const QJsonObject info = OnlyObject(result);
        EXPECT_EQ(info["style"].toString(), "quadrant");
        EXPECT_EQ(info["units"].toString(), "meters");
        EXPECT_NEAR(info["rooms"][0]["walls"][0]["direction"].toDouble(), 210, 1e-9);
        infos.push_back(info);
    }
    EXPECT_EQ(infos[1], infos[0]);  // the comment is no wall
}

TEST_F(CliTest, QuotedArgumentsHoldSpacesQuotesAndBackslashes) {
    const QJsonObject info = ScriptInfo(
        ":add-room \"Living \\\"Big\\\" Room\" \"Default\"\n3 N\n"
        ":add-room \"Back\\\\Room\"\n:add-wall 6\" E\n:info\n");
    const QJsonArray rooms = info["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 2);
    EXPECT_EQ(rooms[0]["name"].toString(), "Living \"Big\" Room");
    EXPECT_EQ(rooms[1]["name"].toString(), "Back\\Room");
    // An inch mark inside an unquoted argument is an ordinary character.
    EXPECT_NEAR(rooms[1]["walls"][0]["length"].toDouble(), 0.1524, 1e-12);
}

// A bad line stops the script with status 2 after the lines before it ran. A typo, typed or in
// a command's fields, is reported and changes nothing (status 0); a rotation by whole turns
// changes nothing without a word. Every message of the typed line and of the forms is checked
// in the document's tests; one of each stands for them here.
TEST_F(CliTest, BadLinesStopTheScriptAndTyposChangeNothing) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {":frobnicate", 2, "unknown command \":frobnicate\""},
        {":", 2, "a command name must follow \":\""},
        {":add-wall 3", 2, ":add-wall takes DIST DIR [left|right ARC]"},
        {":undo now", 2, ":undo takes no arguments"},
        {":close round", 2, "expected square, reverse or angled, not \"round\""},
        {":add-room \"Open", 2, "a quoted argument is not closed"},
        {":select-room Nowhere", 2, "there is no room named \"Nowhere\""},
        {":select-wall \"Room 1\" 1", 2, "room \"Room 1\" has no user wall 1"},
        {":room-start 7", 2, "the selected room has no corner 7"},
        {":material-color Default red", 2, "expected a colour #RRGGBB, not \"red\""},
        {":preferences units=cubits", 2, "unknown preference \"units=cubits\""},
        {"2,5 N", 0,
         "error: The input \"2,5 N\" does not represent a valid length and direction. \"2,5\" "
         "has a comma that does not separate thousands. Decimals take a point, as in 2.5; a "
         "comma may only stand between groups of three digits, as in 1,250."},
        {":add-wall 3 NNE", 0,
         "warning: \"NNE\" is not a direction. Please enter a compass point (N, NE, E, SE, S, "
         "SW, W or NW) or a bearing from 0 to 360 degrees."},
        {":rotate -720 start", 0, nullptr},
        {":level-properties Top 3", 2, ":level-properties takes NAME ELEVATION HEIGHT|default"},
        {":move-to-level \"Room 1\" Attic", 2, "there is no level named \"Attic\""},
        {":delete-level \"Ground Floor\"", 0, "error: Command not available: delete-level"},
        {":level-properties Top 1001 default", 0,
         "warning: The elevation must be between -1000.00 m and 1000.00 m."}};
    for (const auto& [line, exitCode, message] : cases) {
        const CliResult result =
            RunScript(QByteArray("3 N\n:info\n") + line + "\n:info\n", {"--units", "meters"});
        EXPECT_EQ(result.exitCode, exitCode) << line;
        const QString shown = exitCode ? "plantrek-cli: line 3: " + QString(message) : message;
        EXPECT_EQ(result.ErrLines(), message ? QStringList{shown} : QStringList());
        const auto objects = ParseObjects(result.out);
        ASSERT_EQ(objects.size(), exitCode ? 1u : 2u) << line;
        EXPECT_EQ(objects.back(), objects.front()) << line;
    }
}

// Runs that end early: their status, one message (how it starts is given), nothing printed
// after it, no site saved.
TEST_F(CliTest, ARunThatEndsEarlySaysWhyAndSavesNothing) {
    const char* const missing = "warning: The file \"missing.tcd\" could not be opened.";
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {":info\n0 N\n:info\n", "--strict --units meters", 3,
         "warning: The wall length must be between 0.03 m and 200.00 m."},
        {":info\n:undo\n:info\n", "--strict", 3, "error: Command not available: undo"},
        {"3 N\n4 E\n:close reverse\n", "--answer no", 1,
         "question: Some of your rooms are not closed and will not import into Tilecrest. Do you "
         "want to continue saving? -> no"},
        {"3 N\n3 E\n3 S\n:save no/such/folder/a.tcd\n:info\n", "", 1, "warning: The file \""},
        {"3 N\n3 E\n3 S\n:open missing.tcd\n:info\n", "", 1, missing},
        {"3 N\n:info\n", "--in missing.tcd", 1, missing}};
    for (const auto& [script, options, exitCode, message] : cases) {
        const QString arguments = QString(options) + " --out b.tcd";
        const CliResult result = RunScript(script, arguments.split(' ', Qt::SkipEmptyParts));
        EXPECT_EQ(result.exitCode, exitCode) << script;
        EXPECT_EQ(result.ErrLines().size(), 1) << result.err.toStdString();
        EXPECT_TRUE(result.err.startsWith(message)) << result.err.toStdString();
        EXPECT_EQ(ParseObjects(result.out).size(),
                  QByteArray(script).startsWith(":info") ? 1u : 0u);
        EXPECT_FALSE(QFile::exists(Work("b.tcd"))) << script;
    }
    EXPECT_EQ(Run({"info", "missing.tcd"}).exitCode, 1);
    // Without --strict the script goes on; without --answer the question is answered yes.
    EXPECT_EQ(RunScript(":info\n0 N\n:info\n", {"--units", "meters"}).exitCode, 0);
    const CliResult saved = RunScript("3 N\n4 E\n:close reverse\n", {"--out", "a.tcd"});
    EXPECT_EQ(saved.exitCode, 0);
    EXPECT_TRUE(saved.err.endsWith("-> yes\n")) << saved.err.toStdString();
    EXPECT_TRUE(QFile::exists(Work("a.tcd")));
}

// Black, brown and the other dark colours at the head of the palette are passed over: the
// plan's black walls and names would not show on them.
TEST_F(CliTest, ANewMaterialWithoutAColourTakesTheFirstFreeReadablePaletteColour) {
    const CliResult result = RunScript(":add-room Hall Tile\n:info\n");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.err,
              "information: The new material \"Tile\" takes the colour Orange (#ff6820).\n");
    EXPECT_EQ(OnlyObject(result)["materials"][1]["color"].toString(), "#ff6820");
}

TEST_F(CliTest, OpenAndNewInsideTheScript) {
    ASSERT_EQ(RunScript("3 N\n3 E\n3 S\n:save one.tcd\n").exitCode, 0);
    const CliResult result = RunScript(":open one.tcd\n:info\n:new\n:info\n");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto objects = ParseObjects(result.out);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]["file"].toString(), "one.tcd");
    EXPECT_EQ(objects[0]["rooms"].toArray().size(), 1);
    EXPECT_TRUE(objects[1]["file"].isNull());
    EXPECT_EQ(objects[1]["rooms"][0]["walls"].toArray().size(), 0);
}

TEST_F(CliTest, TheUsersSettingsAndTemplateAreReadButNotWritten) {
    {
        QSettings settings(UserSettingsPath(), QSettings::IniFormat);
        settings.setValue("Input", 1);
        settings.setValue("AngleStyle", 1);
    }
    CSiteTemplate lists;
    lists.materials = {{"Wood", 0x336699}};
    ASSERT_TRUE(CSiteTemplate::Write(UserTemplatePath(), lists));
    const QByteArray templateBefore = ReadDataFile(UserTemplatePath());

    const QJsonObject info =
        ScriptInfo(":info\n:add-room Hall Tile #00ff00\n:preferences units=feet wall=#102030\n");
    EXPECT_EQ(info["units"].toString(), "meters");
    EXPECT_EQ(info["style"].toString(), "quadrant");
    EXPECT_EQ(info["materials"][1]["name"].toString(), "Wood");

    EXPECT_EQ(ReadDataFile(UserTemplatePath()), templateBefore);
    QSettings settings(UserSettingsPath(), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Input").toInt(), 1);
    EXPECT_FALSE(settings.contains("WallColor"));
}

TEST_F(CliTest, PersistKeepsWhatTheRunChangedButNotItsOwnUnits) {
    const CliResult result = RunScript(":add-room Hall Tile #00ff00\n:preferences wall=#102030\n",
                                       {"--persist", "--units", "meters"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    QSettings settings(UserSettingsPath(), QSettings::IniFormat);
    EXPECT_EQ(settings.value("WallColor").toInt(), 0x302010);
    EXPECT_EQ(settings.value("Input").toInt(), 0);
    CSiteTemplate lists;
    ASSERT_TRUE(CSiteTemplate::Read(UserTemplatePath(), lists));
    EXPECT_EQ(lists.materials, (QList<TemplateMaterial>{{"Tile", 0x00ff00}}));

    // The next run sees them.
    const QJsonObject next = ScriptInfo(":info\n");
    EXPECT_EQ(next["materials"][1]["name"].toString(), "Tile");
    EXPECT_EQ(next["units"].toString(), "feet");
}

// A lounge (4 m x 3 m, 2.50 m by default) with a door on the wall it shares with a hall (4 m x
// 2 m, 2.40 m high) and a window: every quantity as figured by hand, the door counted for both,
// and the carpet's order (10 % on 12 m², packs of 2 m²: 13.20 m², 7 packs).
TEST_F(CliTest, InfoGivesEachRoomsQuantitiesAndOpenings) {
    Site site;
    Material* carpet = site.AddMaterial("Carpet", 1, 0);
    carpet->SetWastePercent(10.0);
    carpet->SetPackArea(2.0);
    Room* lounge = site.AddRoom("Lounge", 1);
    lounge->AddWall(4.0, 90.0)->SetOpenings(
        {{OpeningKind::Door, 1.0, 0.9, 2.0, 0.0, DoorHinge::Right, false}});
    lounge->AddWall(3.0, 0.0)->SetOpenings({{OpeningKind::Window, 1.0, 1.2, 1.2, 0.9}});
    Room* hall = site.AddRoom("Hall", 1);
    hall->SetLocation({0.0, -2.0});
    hall->AddWall(4.0, 90.0);
    hall->AddWall(2.0, 0.0);
    hall->SetCeilingHeight(2.4);
    ASSERT_TRUE(SaveSiteFile(site, Work("house.tcd")).ok);
    const QJsonObject info =
        ScriptInfo(":info\n", {"--in", Work("house.tcd"), "--units", "meters"});
    const QJsonObject expected = QJsonDocument::fromJson(R"({
        "default_height": 2.5,
        "materials": [{"name": "Default", "packs": 0},
                      {"name": "Carpet", "waste_percent": 10, "pack_area": 2, "area": 20,
                       "order_area": 22, "packs": 11}],
        "rooms": [
          {"name": "Lounge", "ceiling_height": 0,
           "quantities": {"height": 2.5, "floor_area": 12, "gross_perimeter": 14,
                          "net_perimeter": 13.1, "gross_wall_area": 35, "net_wall_area": 31.76,
                          "volume": 30, "thresholds": 1, "threshold_width": 0.9,
                          "height_text": "2.50 m", "net_wall_area_text": "31.76 sm",
                          "volume_text": "30.00 cu m"},
           "openings": [{"wall": 0, "kind": "door", "offset": 1, "width": 0.9, "height": 2,
                         "sill": 0, "hinge": "right", "opens": "out"},
                        {"wall": 1, "kind": "window", "offset": 1, "width": 1.2, "height": 1.2,
                         "sill": 0.9}]},
          {"name": "Hall", "ceiling_height": 2.4,
           "quantities": {"height": 2.4, "floor_area": 8, "net_perimeter": 11.1,
                          "gross_wall_area": 28.8, "net_wall_area": 27, "volume": 19.2,
                          "thresholds": 1, "threshold_width": 0.9},
           "openings": []}]})")
                                         .object();
    for (const char* key : {"default_height", "materials", "rooms"}) {
        ExpectJsonHas(info[key], expected[key], 1e-9, key);
    }
}

TEST_F(CliTest, UsageErrorsAndTheFixedCommands) {
    for (const char* arguments :
         {"run", "run --units cubits -", "run no-such-script.txt", "frobnicate"}) {
        EXPECT_EQ(Run(QString(arguments).split(' ')).exitCode, 2) << arguments;
    }
    const CliResult bare = Run({});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_TRUE(bare.out.isEmpty());
    EXPECT_TRUE(bare.err.startsWith("Usage:"));
    // Qt's own options are bad arguments here, not orders to Qt.
    const CliResult platform = Run({"run", "-platform", "xcb", "-"});
    EXPECT_EQ(platform.exitCode, 2);
    EXPECT_EQ(platform.err, QByteArray("plantrek-cli: unknown option \"-platform\"\n"));
    EXPECT_EQ(Run({"--version"}).out, QByteArray("plantrek-cli 1.1.0.8\n"));
    const CliResult help = Run({"help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage:") && help.err.isEmpty());
    EXPECT_TRUE(help.out.contains("plantrek-cli info SITE.tcd"));
    // Every menu command the catalog gives a script name is offered, and only once.
    for (const QString& name : CliCommandNames()) {
        EXPECT_EQ(help.out.count(QStringLiteral("  :%1 ").arg(name).toUtf8()) +
                      help.out.count(QStringLiteral("  :%1\n").arg(name).toUtf8()),
                  1)
            << name.toStdString();
    }
}

// Doors, windows, openings, a room's height and a material's order figures from a script: each
// refusal is the dialog's warning and changes nothing, which the later lines show by what they
// are refused (the other warnings are FormTest's). Walls are counted as :select-wall counts them.
TEST_F(CliTest, OpeningCommandsPlaceCheckAndUndo) {
    const CliResult result = RunScript(
        "3 N\n4 E\n"
        ":add-door \"Room 1\" 1 0.5 0.8 2 left in\n"
        ":add-window \"Room 1\" 1 1 1 1.2 0.9\n"         // on the door
        ":add-opening \"Room 1\" 1 2 0.9 2.1\n"
        ":height \"Room 1\" 2.05\n"                       // below the opening
        ":delete-opening \"Room 1\" 1 0\n"                // the door
        ":add-window \"Room 1\" 1 0.5 1 1.2 0.9\n"
        ":undo\n:undo\n"                                  // the window, then the door's delete
        ":add-door \"Room 1\" 1 0.9 0.8 2 right out\n"    // on the door again
        ":height \"Room 1\" 2.1\n"
        ":material-allowance Default 10 2.5\n"
        ":add-opening \"Room 1\" 1 3.5 0.9 2.0\n"
        ":add-door \"Room 1\" 1 3 0.8 2 up in\n",
        {"--units", "meters"});
    EXPECT_EQ(result.exitCode, 2);
    const QStringList lines = result.ErrLines();
    const QString overlap = "warning: The opening overlaps another opening";
    ASSERT_EQ(lines.size(), 5) << result.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith(overlap)) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "warning: The ceiling height must be at least 2.10 m, the top of the "
                        "room's highest door or window.");
    EXPECT_TRUE(lines[2].startsWith(overlap)) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("warning: The opening does not fit on the wall"))
        << lines[3].toStdString();
    EXPECT_EQ(lines[4], "plantrek-cli: line 15: expected left or right, not \"up\"");
}

// A house on three levels: the basement added on top and lowered below the datum, a room moved
// up a floor and back by undo, and the per-level figures worked out by hand (metres): the
// cellar 5 x 4 under a 2.2 m ceiling, the kitchen 4 x 3 and the hall 2 x 3 on the ground floor,
// the bedroom 3 x 3 above, both under the program's 2.5 m.
TEST_F(CliTest, AHouseOnThreeLevelsGivesItsTotalsPerLevel) {
    const QString saved = Work(QStringLiteral("house.tcd"));
    const CliResult result = RunScript(
        ":room-properties Kitchen Default\n4 E\n3 N\n4 W\n"
        ":add-room Hall Default\n2 E\n3 N\n2 W\n"
        ":level Basement\n:level-properties Basement -2.4 2.2\n"
        ":add-room Cellar Default\n5 E\n4 N\n5 W\n"
        ":level Upper\n:add-room Bedroom Default\n3 E\n3 N\n3 W\n"
        ":move-to-level Hall upper\n:info\n:undo\n:info\n",
        {"--units", "meters", "--out", saved});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const std::vector<QJsonObject> infos = ParseObjects(result.out);
    ASSERT_EQ(infos.size(), 2u);
    struct Figures {
        const char* name;
        double elevation, height;
        int rooms;
        double area, perimeter, wallArea, volume;
    };
    const auto check = [](const QJsonObject& info, const std::vector<Figures>& want) {
        const QJsonArray levels = info["levels"].toArray();
        ASSERT_EQ(levels.size(), static_cast<qsizetype>(want.size()));
        for (std::size_t i = 0; i < want.size(); ++i) {
            const QJsonValue level = levels[static_cast<qsizetype>(i)];
            const QJsonValue totals = level["totals"];
            EXPECT_EQ(level["name"].toString(), want[i].name);
            EXPECT_NEAR(level["elevation"].toDouble(), want[i].elevation, 1e-9);
            EXPECT_NEAR(level["height"].toDouble(), want[i].height, 1e-9);
            EXPECT_EQ(level["rooms"].toInt(), want[i].rooms);
            EXPECT_EQ(level["closed_rooms"].toInt(), want[i].rooms);
            EXPECT_NEAR(level["area"].toDouble(), want[i].area, 1e-9) << want[i].name;
            EXPECT_NEAR(totals["gross_perimeter"].toDouble(), want[i].perimeter, 1e-9);
            EXPECT_NEAR(totals["gross_wall_area"].toDouble(), want[i].wallArea, 1e-9);
            EXPECT_NEAR(totals["volume"].toDouble(), want[i].volume, 1e-9) << want[i].name;
        }
    };
    check(infos[0], {{"Basement", -2.4, 2.2, 1, 20, 18, 39.6, 44},
                     {"Ground Floor", 0, 2.5, 1, 12, 14, 35, 30},
                     {"Upper", 2.5, 2.5, 2, 15, 22, 55, 37.5}});
    EXPECT_EQ(infos[0]["current_level"].toInt(), 2);
    check(infos[1], {{"Basement", -2.4, 2.2, 1, 20, 18, 39.6, 44},
                     {"Ground Floor", 0, 2.5, 2, 18, 24, 60, 45},
                     {"Upper", 2.5, 2.5, 1, 9, 12, 30, 22.5}});
    // Undo comes back to the level where the move was made, the hall's ground floor; the
    // step's own selection, the bedroom upstairs, is not on it and is not kept.
    EXPECT_EQ(infos[1]["current_level"].toInt(), 1);
    EXPECT_EQ(infos[1]["selection"]["level"].toInt(), 1);  // the start point
    QStringList levelOfRoom;
    for (const QJsonValue room : infos[1]["rooms"].toArray()) {
        levelOfRoom.append(room["name"].toString() + "@" + room["level"].toString());
    }
    EXPECT_EQ(levelOfRoom, QStringList({"Kitchen@Ground Floor", "Hall@Ground Floor",
                                        "Cellar@Basement", "Bedroom@Upper"}));
    EXPECT_NEAR(infos[1]["rooms"][2]["quantities"]["height"].toDouble(), 2.2, 1e-9);
    // Saved and opened again (in feet: the program's height is 8'), the levels and their rooms
    // are as the script left them.
    const QJsonArray reopened = Info(saved)["levels"].toArray();
    ASSERT_EQ(reopened.size(), 3);
    for (const char* key : {"name", "elevation", "rooms", "area"}) {
        for (qsizetype i = 0; i < 3; ++i) {
            EXPECT_EQ(reopened[i][key], infos[1]["levels"][i][key]) << key << i;
        }
    }
    EXPECT_NEAR(reopened[0]["height"].toDouble(), 2.2, 1e-9);
}

TEST_F(CliTest, CheckPlanPrintsTheFindingsAndSnapRoomPutsTheRoomBeside) {
    const CliResult result = RunScript(
        ":add-room Kitchen\n3 E\n3 N\n3 W\n"
        ":add-room Bedroom\n3 E\n3 N\n3 W\n:move-room 1 E\n"
        ":check-plan\n"
        ":snap-room\n:check-plan\n"           // to the kitchen's far corner (3, 0)
        ":move-room 0.04 E\n:check-plan\n"
        ":select-start\n:snap-room\n",
        {"--units", "meters"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(result.out), "Kitchen and Bedroom overlap (6.000 sm)\n"
                                             "No overlaps or gaps found.\n"
                                             "Kitchen and Bedroom: walls 0.040 m apart\n");
    EXPECT_EQ(result.ErrLines(), QStringList{"error: Command not available: snap-room"});
}

// The JSON writer of ":info": Qt's number forms and escapes (the layout is compared whole by
// the script tests).
TEST(JsonWriterTest, NumbersReadAsQtWritesThemAndEscapes) {
    for (const double value : {3.0, 0.1, -2.5, 1e-05, 0.000123, 270.0000061506213, 1e15, 1e21,
                               -1e300, 34573622621644528.0, 5e-324}) {
        JsonWriter json;
        json.Number(value);
        EXPECT_EQ(json.TakeText(),
                  QString::number(value, 'g', QLocale::FloatingPointShortest).toLatin1());
    }
    JsonWriter json;
    json.BeginArray(true);
    for (const double value : {-0.0, std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(), 0.1, 0.1}) {
        json.Number(value);
    }
    json.EndArray();
    EXPECT_EQ(json.TakeText(), "[0, null, null, 0.1, 0.1]");
    json.String(u"Caf\u00e9 \"a\\b\"\t\x01");
    EXPECT_EQ(QString::fromUtf8(json.TakeText()),
              QString::fromUtf8("\"Caf\u00e9 \\\"a\\\\b\\\"\\t\\u0001\""));
}

}  // namespace
}  // namespace plantrek::test
