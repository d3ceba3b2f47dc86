// plantrek-cli export: a sample house (six closed rooms in four materials, a bay window, an open
// deck) written in every format and read back by independent readers, and the errors.
#include <gmock/gmock.h>
#include <QFile>
#include <QSettings>

#include <cmath>
#include <cstdlib>

#include "cli_support.h"

// The readers the export tests use: ezdxf and xlrd through their script, Pillow for pictures.
#define PLANTREK_EXPORT_READER_SCRIPT PLANTREK_CLI_DATA "/../../export/read_export.py"
#include "export/export_test_support.h"
#include "export/image_test_support.h"

namespace plantrek::test {
namespace {

QString SamplePath(const QString& name) {
    return QStringLiteral(PLANTREK_CLI_DATA "/../export_cli/") + name;
}

// The house at 96 pixels per meter: 13 m × 10 m of plan (the bay window reaches 10 m) with
// half a meter of margin, so a plan point (x, y) lies at pixel (96x + 48, 1056 - 96y - 48).
constexpr int kPictureHeight = 1056;
std::pair<int, int> Pixel(double x, double y) {
    return {static_cast<int>(96 * x) + 48, kPictureHeight - static_cast<int>(96 * y) - 48};
}

const std::vector<std::pair<int, int>> kProbes = {
    Pixel(1, 1),         // 0 Living Room, carpet
    Pixel(7, 6),         // 1 Bedroom, carpet
    Pixel(7, 1),         // 2 Kitchen, ceramic tile
    Pixel(2, 9.5),       // 3 Dining, inside the bay window, oak boards
    Pixel(12, 9),        // 4 nothing: east of the bedroom
    Pixel(11.5, 2.5),    // 5 inside the open deck's two walls, never filled
    {1344 + 4, 48 + 4},  // 6 the legend's first square (x = plan width + 2 margins), carpet
};

class ExportCliTest : public CliTest {
protected:
    CliResult Export(const QString& output, QStringList options = {}) const {
        QStringList arguments{QStringLiteral("export"), SamplePath(QStringLiteral("house.tcd")),
                              output};
        arguments << options;
        return Run(arguments);
    }
};

struct PictureCase {
    const char* file;
    const char* format;
    int tolerance;  // JPEG blurs colours a little; BMP and GIF take the nearest of 256
};

class ExportCliPictureTest : public ExportCliTest,
                             public ::testing::WithParamInterface<PictureCase> {};

TEST_P(ExportCliPictureTest, PlanLegendAndBackgroundAreWhereTheLayoutPutsThem) {
    const PictureCase& c = GetParam();
    const CliResult result = Export(QString::fromLatin1(c.file), {"--units", "meters"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    PLANTREK_READ_PICTURE(view, Work(QString::fromLatin1(c.file)), kProbes);

    EXPECT_EQ(view["format"].toString(), QString::fromLatin1(c.format));
    EXPECT_EQ(view["size"].toArray()[1].toInt(), kPictureHeight);
    EXPECT_GT(view["size"].toArray()[0].toInt(), 1344 + 20);
    const QJsonArray pixels = view["pixels"].toArray();
    const int t = c.tolerance;
    EXPECT_TRUE(RgbNear(pixels[0], 0xd2, 0xb4, 0x8c, t)) << "living room";
    EXPECT_EQ(Rgb(pixels[1]), Rgb(pixels[0])) << "bedroom, the same carpet";
    EXPECT_TRUE(RgbNear(pixels[2], 0x9c, 0xc3, 0xe6, t)) << "kitchen";
    EXPECT_TRUE(RgbNear(pixels[3], 0xb5, 0x77, 0x3c, t)) << "bay window";
    EXPECT_TRUE(RgbNear(pixels[4], 255, 255, 255, 2)) << "background";
    EXPECT_TRUE(RgbNear(pixels[5], 255, 255, 255, 2)) << "open deck";
    EXPECT_TRUE(RgbNear(pixels[6], 0xd2, 0xb4, 0x8c, t)) << "legend";
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportCliPictureTest,
                         ::testing::Values(PictureCase{"plan.jpg", "JPEG", 12},
                                           PictureCase{"plan.bmp", "BMP", 26},
                                           PictureCase{"plan.gif", "GIF", 26}),
                         [](const auto& info) { return std::string(info.param.format); });

TEST_F(ExportCliTest, SelectedRoomIsDrawnAsWallsOnly) {
    const CliResult result =
        Export(QStringLiteral("plan.jpg"), {"--select-room", "KITCHEN", "--units", "meters"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    PLANTREK_READ_PICTURE(view, Work(QStringLiteral("plan.jpg")), kProbes);
    const QJsonArray pixels = view["pixels"].toArray();
    EXPECT_TRUE(RgbNear(pixels[2], 255, 255, 255, 2)) << "selected kitchen is not filled";
    EXPECT_TRUE(RgbNear(pixels[0], 0xd2, 0xb4, 0x8c, 12)) << "living room";
}

TEST_F(ExportCliTest, DrawingLoadsCleanlyWithEveryRoomInTheUnitsAsked) {
    for (const auto& [units, scale] : {std::pair{"meters", 1.0}, std::pair{"feet", 1 / 0.3048}}) {
        const CliResult result = Export(QStringLiteral("plan.dxf"), {"--units", units});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        PLANTREK_READ_EXPORT(view, QStringLiteral("dxf"), Work("plan.dxf"));

        for (const char* name :
             {"Living Room", "Kitchen", "Hall", "Dining", "Bathroom", "Bedroom"}) {
            const QString block = QStringLiteral("Block") + QString::fromLatin1(name).remove(' ');
            const QJsonArray outline = EntitiesOf(view, block);
            ASSERT_EQ(outline.size(), 2) << name;
            EXPECT_EQ(outline[0].toObject()["type"].toString(), QStringLiteral("LWPOLYLINE"));
            EXPECT_EQ(outline[1].toObject()["text"].toString(), QString::fromLatin1(name));
            EXPECT_EQ(EntitiesOf(view, block + QStringLiteral("Color")).size(), 1) << name;
        }
        // The living room's north-east corner, (6, 5) m.
        const QJsonArray corner =
            EntitiesOf(view, "BlockLivingRoom")[0].toObject()["vertices"].toArray()[2].toArray();
        EXPECT_NEAR(corner[0].toDouble(), 6 * scale, 1e-6) << units;
        EXPECT_NEAR(corner[1].toDouble(), 5 * scale, 1e-6) << units;
        // The bay window is a bulge; the open deck is two lines and has no fill.
        const QJsonArray dining =
            EntitiesOf(view, "BlockDining")[0].toObject()["vertices"].toArray();
        EXPECT_NEAR(dining[1].toArray()[2].toDouble(), -0.5, 1e-9);
        EXPECT_EQ(EntitiesOf(view, "BlockDeck").size(), 2);
        EXPECT_TRUE(EntitiesOf(view, "BlockDeckColor").isEmpty());
    }
}

// The expected CSV as rows of texts and numbers.
std::vector<QStringList> CsvRows(const QByteArray& text) {
    std::vector<QStringList> rows;
    for (const QByteArray& line : text.split('\n')) {
        if (!line.isEmpty()) {
            rows.push_back(QString::fromUtf8(line).remove(QLatin1Char('"')).split(u','));
        }
    }
    return rows;
}

TEST_F(ExportCliTest, WorkbookHoldsTheSameTableAsTheCsv) {
    const CliResult result = Export(QStringLiteral("rooms.xls"), {"--units=meters"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    PLANTREK_READ_EXPORT(view, QStringLiteral("xls"), Work("rooms.xls"));
    EXPECT_TRUE(view["warnings"].toString().isEmpty()) << view["warnings"].toString().toStdString();
    const QJsonArray rows = view["sheets"].toArray()[0].toObject()["rows"].toArray();
    const auto expected = CsvRows(ReadDataFile(SamplePath("house_meters.csv")));
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t r = 0; r < expected.size(); ++r) {
        const QJsonArray cells = rows[static_cast<qsizetype>(r)].toArray();
        ASSERT_EQ(cells.size(), 4) << r;
        for (qsizetype c = 0; c < 4; ++c) {
            const QJsonObject cell = cells[c].toObject();
            const QString& want = expected[r][c];
            bool number = false;
            const double value = want.toDouble(&number);
            if (r > 0 && number) {
                EXPECT_EQ(cell["type"].toString(), QStringLiteral("number")) << r << "," << c;
                EXPECT_NEAR(cell["value"].toDouble(), value, 1e-6) << r << "," << c;
            } else {
                EXPECT_EQ(cell["value"].toString(), want) << r << "," << c;
            }
        }
    }
}

TEST_F(ExportCliTest, DelimitedSummariesMatchByteForByte) {
    ASSERT_EQ(Export(QStringLiteral("rooms.csv"), {"--units", "meters"}).exitCode, 0);
    EXPECT_EQ(ReadDataFile(Work("rooms.csv")), ReadDataFile(SamplePath("house_meters.csv")));
    // Capitals in the extension choose the same export.
    ASSERT_EQ(Export(QStringLiteral("ROOMS.TXT"), {"--units", "feet"}).exitCode, 0);
    EXPECT_EQ(ReadDataFile(Work("ROOMS.TXT")), ReadDataFile(SamplePath("house_feet.txt")));
}

TEST_F(ExportCliTest, UnitsAreForThisRunOnly) {
    {
        QSettings user(UserSettingsPath(), QSettings::IniFormat);
        user.setValue(QStringLiteral("Input"), 0);
    }
    ASSERT_EQ(Export(QStringLiteral("rooms.csv"), {"--units", "meters"}).exitCode, 0);
    QSettings user(UserSettingsPath(), QSettings::IniFormat);
    EXPECT_EQ(user.value(QStringLiteral("Input")).toInt(), 0);
    EXPECT_FALSE(user.contains(QStringLiteral("ExportType")));
    // Without --units the user's own setting counts: feet.
    ASSERT_EQ(Export(QStringLiteral("default.txt")).exitCode, 0);
    EXPECT_EQ(ReadDataFile(Work("default.txt")), ReadDataFile(SamplePath("house_feet.txt")));
}

struct FailureCase {
    const char* name;
    const char* arguments;  // after "export", split at spaces; SITE is the sample, '' is empty
    int exitCode;
    const char* err;  // the whole of standard error
    const char* unwritten;
};

class ExportCliFailureTest : public ExportCliTest,
                             public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ExportCliFailureTest, SaysWhyAndWritesNothing) {
    const FailureCase& c = GetParam();
    QStringList arguments{QStringLiteral("export")};
    for (const QString& argument : QString::fromLatin1(c.arguments).split(u' ')) {
        arguments << (argument == "SITE" ? SamplePath(QStringLiteral("house.tcd"))
                      : argument == "''" ? QString()
                                         : argument);
    }
    const CliResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(QString::fromUtf8(result.err), QString::fromUtf8(c.err));
    EXPECT_FALSE(QFile::exists(Work(QString::fromLatin1(c.unwritten))));
}

constexpr const char* kTakes = "plantrek-cli: export takes a site file and an output file\n";

INSTANTIATE_TEST_SUITE_P(
    Errors, ExportCliFailureTest,
    ::testing::Values(
        FailureCase{"UnknownExtension", "SITE plan.png", 1, "error: Unknown file type\n",
                    "plan.png"},
        FailureCase{"NoExtension", "SITE plan", 1, "error: Unknown file type\n", "plan"},
        FailureCase{"FolderMissing", "SITE nowhere/plan.dxf", 1, "error: Couldn't save file\n",
                    "nowhere"},
        FailureCase{"PictureFolderMissing", "SITE nowhere/plan.gif", 1,
                    "error: Couldn't save file\n", "nowhere"},
        FailureCase{"SiteMissing", "absent.tcd plan.dxf", 1,
                    "warning: The file \"absent.tcd\" could not be opened.\\nNo such file or "
                    "directory\n",
                    "plan.dxf"},
        FailureCase{"UnknownRoom", "SITE plan.jpg --select-room Garage", 2,
                    "plantrek-cli: there is no room named \"Garage\"\n", "plan.jpg"},
        FailureCase{"BadUnits", "SITE plan.csv --units yards", 2,
                    "plantrek-cli: --units takes feet or meters, not \"yards\"\n", "plan.csv"},
        FailureCase{"SelectWithoutName", "SITE plan.jpg --select-room", 2,
                    "plantrek-cli: --select-room needs a value\n", "plan.jpg"},
        FailureCase{"UnknownOption", "SITE plan.jpg --scale 2", 2,
                    "plantrek-cli: unknown option \"--scale\"\n", "plan.jpg"},
        FailureCase{"NoOutput", "SITE", 2, kTakes, "plan.jpg"},
        FailureCase{"EmptySiteName", "'' plan.dxf", 2, kTakes, "plan.dxf"},
        FailureCase{"TwoOutputs", "SITE a.dxf b.dxf", 2, kTakes, "a.dxf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportCliTest, SummaryOfOpenRoomsOnlyIsRefused) {
    const CliResult made = RunScript("3 N\n:close reverse\n", {"--out", "open.tcd"});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const CliResult result = Run({"export", "open.tcd", "open.xls"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, QByteArray("error: No valid rooms\n"));
    EXPECT_FALSE(QFile::exists(Work("open.xls")));
    // The drawing and the picture need no closed room.
    EXPECT_EQ(Run({"export", "open.tcd", "open.dxf"}).exitCode, 0);
    EXPECT_EQ(Run({"export", "open.tcd", "open.gif"}).exitCode, 0);
}

}  // namespace
}  // namespace plantrek::test
