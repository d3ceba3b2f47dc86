// plantrek-cli end to end: scripts with their expected ":info" output and messages, exit
// statuses, files, and the user's settings and template.
#include <QFile>
#include <QSettings>

#include "cli_support.h"
#include "document/files/site_template.h"
#include "resources/command_catalog.h"

namespace plantrek::test {
namespace {

struct Scenario {
    const char* name;
    bool meters;
};

class CliScenarioTest : public CliTest, public ::testing::WithParamInterface<Scenario> {};

// Each script's standard output is compared with <name>.json (keys in their documented order,
// numbers to six decimals) and its standard error with <name>.err.
TEST_P(CliScenarioTest, ScriptGivesItsExpectedInfoAndMessages) {
    const QString name = QString::fromLatin1(GetParam().name);
    QStringList arguments{QStringLiteral("run")};
    if (GetParam().meters) {
        arguments << QStringLiteral("--units") << QStringLiteral("meters");
    }
    arguments << CliDataPath(name + QStringLiteral(".script"));
    const CliResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(result.err),
              QString::fromUtf8(ReadDataFile(CliDataPath(name + QStringLiteral(".err")))));
    EXPECT_EQ(RoundedNumbers(result.out),
              RoundedNumbers(ReadDataFile(CliDataPath(name + QStringLiteral(".json")))));
}

INSTANTIATE_TEST_SUITE_P(Scripts, CliScenarioTest,
                         ::testing::Values(Scenario{"typed_walls", false},
                                           Scenario{"relative", true}, Scenario{"undo_redo", true},
                                           Scenario{"clip", true}, Scenario{"commands", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// --style and --units reach the document (Qt once took --style for its own): S30W is a
// quadrant bearing, 210 degrees.
TEST_F(CliTest, StyleAndUnitsReachTheDocument) {
    for (const QStringList& options : {QStringList{"--style", "quadrant", "--units", "meters"},
                                       QStringList{"--style=quadrant", "--units=meters"}}) {
        const QJsonObject info = OnlyObject(RunScript("3 S30W\n:info\n", options));
        EXPECT_EQ(info["style"].toString(), "quadrant");
        EXPECT_EQ(info["units"].toString(), "meters");
        EXPECT_NEAR(info["rooms"][0]["walls"][0]["direction"].toDouble(), 210, 1e-9);
    }
}

// Standard input ("-") is the listen tests' and the install check's way in.
TEST_F(CliTest, ScriptsWithCommentsAndCarriageReturns) {
    const CliResult result =
        RunScript("# 3 N is a comment\r\n3 N\r\n:info\r\n", {"--units", "meters"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty());
    EXPECT_EQ(OnlyObject(result)["rooms"][0]["walls"].toArray().size(), 1);
}

TEST_F(CliTest, QuotedArgumentsHoldSpacesQuotesAndBackslashes) {
    const CliResult result = RunScript(
        ":add-room \"Living \\\"Big\\\" Room\" \"Default\"\n3 N\n"
        ":add-room \"Back\\\\Room\"\n:add-wall 6\" E\n:info\n");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonArray rooms = OnlyObject(result)["rooms"].toArray();
    ASSERT_EQ(rooms.size(), 2);
    EXPECT_EQ(rooms[0]["name"].toString(), "Living \"Big\" Room");
    EXPECT_EQ(rooms[1]["name"].toString(), "Back\\Room");
    // An inch mark inside an unquoted argument is an ordinary character.
    EXPECT_NEAR(rooms[1]["walls"][0]["length"].toDouble(), 0.1524, 1e-12);
}

TEST_F(CliTest, ABadLineStopsTheScriptWithStatus2) {
    const std::pair<const char*, const char*> cases[] = {
        {":frobnicate", "unknown command \":frobnicate\""},
        {":", "a command name must follow \":\""},
        {":add-wall 3", ":add-wall takes DIST DIR [left|right ARC]"},
        {":undo now", ":undo takes no arguments"},
        {":close round", "expected square, reverse or angled, not \"round\""},
        {":add-room \"Open", "a quoted argument is not closed"},
        {":select-room Nowhere", "there is no room named \"Nowhere\""},
        {":select-wall \"Room 1\" 1", "room \"Room 1\" has no user wall 1"},
        {":room-start 7", "the selected room has no corner 7"},
        {":material-color Default red", "expected a colour #RRGGBB, not \"red\""},
        {":preferences units=cubits", "unknown preference \"units=cubits\""}};
    for (const auto& [line, message] : cases) {
        const CliResult result = RunScript(QByteArray(":info\n3 N\n") + line + "\n:info\n");
        EXPECT_EQ(result.exitCode, 2) << line;
        EXPECT_EQ(result.ErrLines(), QStringList{"plantrek-cli: line 3: " + QString(message)});
        EXPECT_EQ(ParseObjects(result.out).size(), 1u) << line;  // the lines before it ran
    }
}

// A typo on a script line, typed or in a command's fields, is reported and changes nothing; a
// rotation by whole turns changes nothing without a word. Every message of the typed line and
// of the forms is checked in the document's tests; one of each stands for them here.
TEST_F(CliTest, ATypoIsReportedAndChangesNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"2,5 N",
         "error: The input \"2,5 N\" does not represent a valid length and direction. \"2,5\" "
         "has a comma that does not separate thousands. Decimals take a point, as in 2.5; a "
         "comma may only stand between groups of three digits, as in 1,250."},
        {":add-wall 3 NNE",
         "warning: \"NNE\" is not a direction. Please enter a compass point (N, NE, E, SE, S, "
         "SW, W or NW) or a bearing from 0 to 360 degrees."},
        {":rotate -720 start", nullptr}};
    for (const auto& [line, message] : cases) {
        const CliResult result =
            RunScript(QByteArray("3 N\n4 E\n:info\n") + line + "\n:info\n", {"--units", "meters"});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.ErrLines(), message ? QStringList{message} : QStringList());
        const auto objects = ParseObjects(result.out);
        ASSERT_EQ(objects.size(), 2u);
        EXPECT_EQ(objects[1], objects[0]) << line;
    }
}

// Runs that end early: their status, one message, nothing printed after it, no site saved.
TEST_F(CliTest, ARunThatEndsEarlySaysWhyAndSavesNothing) {
    const char* const missing = "warning: The file \"missing.tcd\" could not be opened.";
    const struct {
        const char* script;
        QStringList options;
        int exitCode;
        const char* message;  // how the only line on standard error starts
    } cases[] = {
        {":info\n0 N\n:info\n",
         {"--strict", "--units", "meters"},
         3,
         "warning: The wall length must be between 0.03 m and 200.00 m."},
        {":info\n:undo\n:info\n", {"--strict"}, 3, "error: Command not available: undo"},
        {"3 N\n4 E\n:close reverse\n",
         {"--answer", "no"},
         1,
         "question: Some of your rooms are not closed and will not import into Tilecrest. Do you "
         "want to continue saving? -> no"},
        {"3 N\n3 E\n3 S\n:save no/such/folder/a.tcd\n:info\n", {}, 1, "warning: The file \""},
        {"3 N\n3 E\n3 S\n:open missing.tcd\n:info\n", {}, 1, missing},
        {"3 N\n:info\n", {"--in", "missing.tcd"}, 1, missing}};
    for (const auto& c : cases) {
        const CliResult result = RunScript(c.script, c.options + QStringList{"--out", "b.tcd"});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.script;
        EXPECT_EQ(result.ErrLines().size(), 1) << result.err.toStdString();
        EXPECT_TRUE(result.err.startsWith(c.message)) << result.err.toStdString();
        EXPECT_EQ(ParseObjects(result.out).size(),
                  QByteArray(c.script).startsWith(":info") ? 1u : 0u);
        EXPECT_FALSE(QFile::exists(Work("b.tcd"))) << c.script;
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
    EXPECT_EQ(
        result.ErrLines(),
        QStringList{"information: The new material \"Tile\" takes the colour Orange (#ff6820)."});
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

    const CliResult result =
        RunScript(":info\n:add-room Hall Tile #00ff00\n:preferences units=feet wall=#102030\n");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject info = OnlyObject(result);
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
    const QJsonObject next = OnlyObject(RunScript(":info\n"));
    EXPECT_EQ(next["materials"][1]["name"].toString(), "Tile");
    EXPECT_EQ(next["units"].toString(), "feet");
}

TEST_F(CliTest, UsageErrorsAndTheFixedCommands) {
    for (const QStringList& arguments : {QStringList{"run"},
                                         {"run", "--units", "cubits", "-"},
                                         {"run", "no-such-script.txt"},
                                         {"frobnicate"}}) {
        EXPECT_EQ(Run(arguments).exitCode, 2) << arguments.join(' ').toStdString();
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

}  // namespace
}  // namespace plantrek::test
