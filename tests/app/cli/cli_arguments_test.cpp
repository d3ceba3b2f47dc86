// plantrek-cli as started from a shell: the arguments reach the tool untouched by Qt, and what
// a run reports of its rooms is what the saved file says of them.
#include "cli_support.h"

namespace plantrek::test {
namespace {

struct OptionCase {
    QStringList options;
    const char* style;
    const char* units;
    double length;     // of "3 S30W" (inches when the units are feet), meters
    double direction;  // S30W is 210 as a quadrant bearing; no azimuth, so no wall (-1)
};

class CliOptionTest : public CliTest, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(CliOptionTest, StyleAndUnitsReachTheDocument) {
    const OptionCase& c = GetParam();
    const QJsonObject info = OnlyObject(RunScript("3 S30W\n:info\n", c.options));
    EXPECT_EQ(info["style"].toString(), c.style);
    EXPECT_EQ(info["units"].toString(), c.units);
    const QJsonArray walls = info["rooms"][0]["walls"].toArray();
    if (c.direction < 0) {
        EXPECT_TRUE(walls.isEmpty());
        return;
    }
    const QJsonObject wall = walls[0].toObject();
    EXPECT_NEAR(wall["length"].toDouble(), c.length, 1e-9);
    EXPECT_NEAR(wall["direction"].toDouble(), c.direction, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CliOptionTest,
    ::testing::Values(
        OptionCase{{"--style", "quadrant"}, "quadrant", "feet", 3 * 0.0254, 210},
        OptionCase{{"--style=quadrant", "--units=meters"}, "quadrant", "meters", 3, 210},
        OptionCase{{"--units", "meters", "--style", "azimuth"}, "azimuth", "meters", 3, -1}));

TEST_F(CliTest, UsageVersionAndWordsMeantForQt) {
    const CliResult bare = Run({});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_TRUE(bare.out.isEmpty());
    EXPECT_TRUE(bare.err.startsWith("Usage:"));
    const CliResult help = Run({"help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage:"));
    EXPECT_TRUE(help.err.isEmpty());
    EXPECT_EQ(Run({"version"}).out, QByteArray("plantrek-cli 1.1.0.8\n"));
    // Qt's own options are bad arguments here, not orders to Qt.
    const CliResult platform = Run({"run", "-platform", "xcb", "-"});
    EXPECT_EQ(platform.exitCode, 2);
    EXPECT_EQ(platform.err, QByteArray("plantrek-cli: unknown option \"-platform\"\n"));
}

struct SaveCase {
    const char* name;
    const char* script;
    bool closed;
};

class CliSaveTest : public CliTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(CliSaveTest, RoomIsTheSameBeforeAndAfterASave) {
    const CliResult run = RunScript(QByteArray(GetParam().script) + ":info\n",
                                    {"--units", "meters", "--out", "r.tcd"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject before = OnlyObject(run)["rooms"][0].toObject();
    const QJsonObject after = Info("r.tcd")["rooms"][0].toObject();
    EXPECT_EQ(before["closed"].toBool(), GetParam().closed);
    EXPECT_EQ(after["closed"].toBool(), GetParam().closed);
    // The file keeps six decimals.
    EXPECT_NEAR(after["area"].toDouble(), before["area"].toDouble(), 1e-4);
    EXPECT_EQ(after["walls"].toArray().size(), before["walls"].toArray().size());
}

INSTANTIATE_TEST_SUITE_P(Rooms, CliSaveTest,
                         ::testing::Values(SaveCase{"FoldedBack", "3 30\n2 210\n", false},
                                           SaveCase{"AlmostFoldedBack", "3 N\n2 180.001\n", false},
                                           SaveCase{"EndOnTheGapLine",
                                                    ":add-wall 3 10 left 0.2\n3 10\n", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace plantrek::test
