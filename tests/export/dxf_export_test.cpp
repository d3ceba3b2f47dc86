// Drawings written by the DXF export, read back by an independent reader (ezdxf, run by the
// system Python) and, where the reader hides it, group by group.
#include "export/dxf_exporter.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale>
#include <random>
#include <set>
#include <tuple>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "export/aci_palette.h"
#include "export/dxf_ascii_writer.h"
#include "export/dxf_block_names.h"
#include "export_test_support.h"
#include "model/room.h"
#include "model/site.h"

namespace plantrek {
namespace {

using test::AddRoomOfWalls;
using test::EntitiesOf;
using test::ExpectJsonHas;
using test::Rows;

QJsonObject LineOf(double x1, double y1, double x2, double y2) {
    return {{"type", "LINE"}, {"start", QJsonArray{x1, y1}}, {"end", QJsonArray{x2, y2}}};
}

// The border's four lines, clockwise from the top left corner.
QJsonArray Frame(double left, double bottom, double right, double top) {
    return {LineOf(left, top, right, top), LineOf(right, top, right, bottom),
            LineOf(right, bottom, left, bottom), LineOf(left, bottom, left, top)};
}

QJsonArray OfType(const QJsonArray& entities, const QString& type) {
    QJsonArray found;
    for (const auto& e : entities) {
        if (e.toObject()["type"] == type) {
            found.append(e);
        }
    }
    return found;
}

// The outline's polyline, as [x, y, bulge] vertices.
QJsonObject OutlinePolyline(const QJsonArray& entities) {
    return OfType(entities, "LWPOLYLINE")[0].toObject();
}

int PaletteIndex(Colour colour) {
    std::set<int> taken;
    return AciPalette().NearestColourIndex(colour, taken);
}

class DxfExport : public ::testing::Test {
protected:
    QString Export(const Site& site, bool metric = true, Colour wall = 0,
                   const QString& name = QStringLiteral("site.dxf")) {
        const QString path = dir_.filePath(name);
        const ExportResult result = ExportDxf(&site, metric, wall, path);
        EXPECT_TRUE(result.ok) << result.errorText.toStdString();
        return path;
    }

    QTemporaryDir dir_;
};

// A 4 m by 3 m room of one material, east wall first: the whole drawing in one look.
TEST_F(DxfExport, OneClosedRoomHoldsEveryTableBlockAndInsert) {
    Site site;
    const int carpet = PaletteIndex(MakeColour(200, 30, 30));
    site.AddMaterial("Carpet", 1, MakeColour(200, 30, 30));
    site.AddMaterial("Unused", 2, MakeColour(0, 0, 255));
    AddRoomOfWalls(site, "Kitchen", 1, {{4.0, 90.0}, {3.0, 0.0}});
    PLANTREK_READ_EXPORT(view, "dxf", Export(site));

    EXPECT_EQ(view["version"], "AC1015");
    EXPECT_EQ(view["linetypes"].toArray(), QJsonArray({"BYBLOCK", "BYLAYER", "CONTINUOUS"}));
    const QJsonArray layers = view["layers"].toArray();
    ASSERT_GE(layers.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const char* const names[] = {"0", "Rooms", "Room Color", "Border", "Legend"};
        ExpectJsonHas(layers[i], QJsonObject{{"name", names[i]},
                                             {"color", 250},
                                             {"linetype", "CONTINUOUS"},
                                             {"lineweight", 100}});
    }
    EXPECT_EQ(view["block_records"].toArray(),
              QJsonArray({"*Model_Space", "*Paper_Space", "*Paper_Space0", "BlockKitchen",
                          "BlockKitchenColor", "BlockBorder", "BlockLegend"}));

    // Fill: one solid hatch of five vertices, the first repeated; outline: the closed polyline in
    // the wall colour and the name centred on the centroid.
    const QJsonArray outline = Rows({{0, 0, 0}, {4, 0, 0}, {4, 3, 0}, {0, 3, 0}, {0, 0, 0}});
    const QJsonObject path{{"kind", "polyline"}, {"closed", true}, {"vertices", outline}};
    ExpectJsonHas(EntitiesOf(view, "BlockKitchenColor"),
                  QJsonArray{QJsonObject{{"type", "HATCH"}, {"layer", "Room Color"},
                                         {"color", carpet}, {"solid", true},
                                         {"paths", QJsonArray{path}}}});
    const QJsonArray outlineBlock = EntitiesOf(view, "BlockKitchen");
    ASSERT_EQ(outlineBlock.size(), 2);
    ExpectJsonHas(OutlinePolyline(outlineBlock), QJsonObject{{"layer", "Rooms"},
                                                             {"color", PaletteIndex(0)},
                                                             {"closed", true},
                                                             {"vertices", outline}});
    ExpectJsonHas(OfType(outlineBlock, "TEXT"),
                  QJsonArray{QJsonObject{{"text", "Kitchen"}, {"layer", "Rooms"}, {"color", 0},
                                         {"style", "Standard"}, {"halign", 4}, {"valign", 0},
                                         {"height", 0.2}, {"align", QJsonArray{2.0, 1.5}}}});

    // Border half a meter outside the site; legend square 0.2 right of it, 0.3 below its top:
    // the swatch, its frame and the name of the one used material.
    const QJsonArray border = EntitiesOf(view, "BlockBorder");
    for (const auto& e : border) {
        ExpectJsonHas(e, QJsonObject{{"layer", "Border"}, {"color", 0}});
    }
    ExpectJsonHas(border, Frame(-0.5, -0.5, 4.5, 3.5));
    const QJsonArray square = Rows({{4.7, 3.2, 4.9, 3.2}, {4.9, 3.2, 4.9, 3.4},
                                    {4.9, 3.4, 4.7, 3.4}, {4.7, 3.4, 4.7, 3.2}});
    QJsonArray legend{QJsonObject{{"type", "HATCH"}, {"layer", "Legend"}, {"color", carpet},
                                  {"paths", QJsonArray{QJsonObject{{"edges", square}}}}}};
    for (const auto& edge : square) {
        const QJsonArray e = edge.toArray();
        legend.append(LineOf(e[0].toDouble(), e[1].toDouble(), e[2].toDouble(), e[3].toDouble()));
    }
    legend.append(QJsonObject{{"type", "TEXT"}, {"text", "Carpet"}, {"halign", 0},
                              {"height", 0.2}, {"insert", QJsonArray{5.1, 3.2}}});
    ExpectJsonHas(EntitiesOf(view, "BlockLegend"), legend);

    // The model space holds nothing but the four references, each on its own layer.
    QJsonArray inserts;
    for (const auto& [name, layer] : {std::pair{"BlockKitchenColor", "Room Color"},
                                      {"BlockKitchen", "Rooms"},
                                      {"BlockBorder", "Border"},
                                      {"BlockLegend", "Legend"}}) {
        inserts.append(QJsonObject{{"type", "INSERT"}, {"name", name}, {"layer", layer},
                                   {"color", 0}, {"insert", QJsonArray{0.0, 0.0}},
                                   {"scale", QJsonArray{1.0, 1.0, 1.0}}});
    }
    ExpectJsonHas(view["modelspace"], inserts);
}

// What the reader normalises away: the header's variables, the tables' entry counts and the
// hatch boundary written group by group.
TEST_F(DxfExport, GroupsOfHeaderTablesAndHatchBoundary) {
    Site site;
    AddRoomOfWalls(site, "R", 0, {{4.0, 90.0}, {3.0, 0.0}});
    const QByteArray bytes = test::ReadFile(Export(site));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_FALSE(bytes.contains('\r'));
    const test::DxfGroups groups = test::ParseDxfGroups(bytes);
    ASSERT_GE(groups.size(), 2u);
    EXPECT_EQ(groups.back(), std::make_pair(0, QByteArray("EOF")));

    const test::DxfGroups header = test::DxfSection(groups, "HEADER");
    std::vector<QByteArray> variables;
    for (const auto& [code, value] : header) {
        if (code == 9) {
            variables.push_back(value);
        }
    }
    EXPECT_EQ(variables, (std::vector<QByteArray>{"$ACADVER", "$HANDSEED"}));
    EXPECT_EQ(header[1], std::make_pair(1, QByteArray("AC1015")));

    const test::DxfGroups tables = test::DxfSection(groups, "TABLES");
    const auto count = [&tables](const char* entry) {
        return std::count(tables.begin(), tables.end(), std::make_pair(0, QByteArray(entry)));
    };
    EXPECT_EQ(count("LTYPE"), 3);
    EXPECT_EQ(count("LAYER"), 5);
    EXPECT_EQ(count("APPID"), 1);
}

// An open chain: no fill, no name, one line per wall drawn backwards, arcs as chords; its
// material is still in use and so in the legend.
TEST_F(DxfExport, OpenRoomIsDrawnAsLinesWithoutFillOrName) {
    Site site;
    site.AddMaterial("Tile", 1, MakeColour(0, 160, 0));
    site.AddMaterial("Wood", 2, MakeColour(160, 100, 0));
    site.AddMaterial("Unused", 3, MakeColour(10, 10, 10));
    AddRoomOfWalls(site, "Hall", 1, {{2.0, 90.0}, {2.0, 0.0}});
    Room* open = site.AddRoom("Porch", 2);
    open->AddWall(3.0, 0.0);
    open->AddWall(1.0, 180.0);
    ASSERT_FALSE(open->IsClosed());
    PLANTREK_READ_EXPORT(view, "dxf", Export(site));

    EXPECT_TRUE(EntitiesOf(view, "BlockPorchColor").isEmpty());
    const QJsonArray porch = EntitiesOf(view, "BlockPorch");
    ExpectJsonHas(porch, QJsonArray{LineOf(0, 3, 0, 0), LineOf(0, 2, 0, 3)});  // and no text
    for (const auto& line : porch) {
        ExpectJsonHas(line, QJsonObject{{"layer", "Rooms"}, {"color", PaletteIndex(0)}});
    }

    // Both used materials in list order, each entry 0.3 below the one before.
    const double left = 2.0 + 0.5 + 0.2 + 0.4;
    const double top = 3.0 + 0.5;
    ExpectJsonHas(
        OfType(EntitiesOf(view, "BlockLegend"), "TEXT"),
        QJsonArray{QJsonObject{{"text", "Tile"}, {"insert", QJsonArray{left, top - 0.3}}},
                   QJsonObject{{"text", "Wood"}, {"insert", QJsonArray{left, top - 0.6}}}});
}

// An arc wall puts -2h/L on the vertex where it starts, in the outline and in the fill alike;
// an arc bowing out of the room widens the border.
class DxfArcExport : public DxfExport, public ::testing::WithParamInterface<double> {};

TEST_P(DxfArcExport, VertexBeforeArcCarriesBulge) {
    const double h = GetParam();
    Site site;
    Room* room = AddRoomOfWalls(site, "Bay", 0, {{4.0, 90.0}, {3.0, 0.0}});
    room->GetWall(0)->SetArcHeight(h);
    room->InvalidateClosing();
    ASSERT_TRUE(room->IsClosed());
    PLANTREK_READ_EXPORT(view, "dxf", Export(site));

    const QJsonArray expected =
        Rows({{0, 0, -2.0 * h / 4.0}, {4, 0, 0}, {4, 3, 0}, {0, 3, 0}, {0, 0, 0}});
    ExpectJsonHas(OutlinePolyline(EntitiesOf(view, "BlockBay"))["vertices"], expected);
    ExpectJsonHas(EntitiesOf(view, "BlockBayColor")[0].toObject()["paths"][0]["vertices"],
                  expected);

    // A positive height bows to the left of the eastward wall, into the room; a negative one
    // bows south, out of it.
    ExpectJsonHas(EntitiesOf(view, "BlockBorder"), Frame(-0.5, std::min(0.0, h) - 0.5, 4.5, 3.5));
}

INSTANTIATE_TEST_SUITE_P(Heights, DxfArcExport, ::testing::Values(1.0, -0.5));

TEST_F(DxfExport, ImperialOutputIsInDecimalFeet) {
    Site site;
    site.AddMaterial("Carpet", 1, MakeColour(200, 30, 30));
    AddRoomOfWalls(site, "Den", 1, {{3.048, 90.0}, {6.096, 0.0}});
    PLANTREK_READ_EXPORT(view, "dxf", Export(site, false));

    ExpectJsonHas(OutlinePolyline(EntitiesOf(view, "BlockDen"))["vertices"],
                  Rows({{0, 0, 0}, {10, 0, 0}, {10, 20, 0}, {0, 20, 0}, {0, 0, 0}}));
    const double m = 0.5 / 0.3048;
    ExpectJsonHas(EntitiesOf(view, "BlockBorder"), Frame(-m, -m, 10 + m, 20 + m));
}

// Names that would give one block name twice, and names the 8-bit file cannot hold as they
// are: every name text reads back as typed (which block each gets is DxfBlockNames').
TEST_F(DxfExport, CoincidingAndWideNamesKeepTheFileValid) {
    Site site;
    const QStringList names{
        "Living Room",       "LivingRoom", "Border", "Legend", "Küche", QString::fromUtf8("客厅"),
        "Back\\slash 100%%", "Line\nbreak"};
    for (const QString& name : names) {
        AddRoomOfWalls(site, name, 0, {{2.0, 90.0}, {2.0, 0.0}});
    }
    site.AddMaterial(QString::fromUtf8("Grès cérame ✓"), 1, MakeColour(1, 2, 3));
    site.GetRoom(0)->SetMaterial(1);
    PLANTREK_READ_EXPORT(view, "dxf", Export(site));

    const QJsonArray inserts = view["modelspace"].toArray();
    ASSERT_EQ(inserts.size(), 2 * names.size() + 2);

    // Each room's name text decodes back to the name as typed.
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString block = inserts[2 * i + 1].toObject()["name"].toString();
        const QJsonArray texts = OfType(EntitiesOf(view, block), "TEXT");
        ASSERT_EQ(texts.size(), 1) << block.toStdString();
        EXPECT_EQ(texts[0].toObject()["text"].toString(), names[i]);
        EXPECT_FALSE(texts[0].toObject()["raw"].toString().contains('\n'));
    }
    const QJsonArray labels = OfType(EntitiesOf(view, "BlockLegend"), "TEXT");
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0].toObject()["text"], "Default");
    EXPECT_EQ(labels[1].toObject()["text"].toString(), QString::fromUtf8("Grès cérame ✓"));
}

// Materials of one colour still tell apart in the drawing; white never becomes index 7.
TEST_F(DxfExport, MaterialsOfOneColourGetDistinctIndices) {
    Site site;
    const Colour white = MakeColour(255, 255, 255);
    site.AddMaterial("Paint A", 1, white);
    site.AddMaterial("Paint B", 2, white);
    site.AddMaterial("Paint C", 3, white);
    AddRoomOfWalls(site, "One", 1, {{2.0, 90.0}, {2.0, 0.0}});
    AddRoomOfWalls(site, "Two", 2, {{2.0, 90.0}, {2.0, 0.0}});
    PLANTREK_READ_EXPORT(view, "dxf", Export(site, true, white));

    const int one = EntitiesOf(view, "BlockOneColor")[0].toObject()["color"].toInt();
    const int two = EntitiesOf(view, "BlockTwoColor")[0].toObject()["color"].toInt();
    const int walls = OutlinePolyline(EntitiesOf(view, "BlockOne"))["color"].toInt();
    EXPECT_EQ((std::set<int>{one, two, 0, 7}).size(), 4u);
    EXPECT_EQ((std::set<int>{walls, 0, 7}).size(), 3u);
    const QJsonArray swatches = OfType(EntitiesOf(view, "BlockLegend"), "HATCH");
    ASSERT_EQ(swatches.size(), 2);  // Paint C is used by no room
    EXPECT_EQ(swatches[0].toObject()["color"].toInt(), one);
    EXPECT_EQ(swatches[1].toObject()["color"].toInt(), two);
}

TEST_F(DxfExport, RefusesWithoutSiteOrRooms) {
    const QString path = dir_.filePath("none.dxf");
    const Site empty;
    const std::pair<const Site*, const char*> cases[] = {{nullptr, "Couldn't get site"},
                                                         {&empty, "No rooms"}};
    for (const auto& [from, text] : cases) {
        const ExportResult result = ExportDxf(from, true, 0, path);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.errorText, text);
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

#if defined(__SANITIZE_ADDRESS__)
struct IgnoreLeaks {
    IgnoreLeaks() { __lsan_disable(); }
    ~IgnoreLeaks() { __lsan_enable(); }
};
#else
struct IgnoreLeaks {};
#endif

// Switches the process to a German locale (decimal comma, digit grouping), building it in a
// private folder when the system has none, and back again.
class GermanLocale {
public:
    GermanLocale() : previousC_(std::setlocale(LC_ALL, nullptr)), locpath_(qgetenv("LOCPATH")) {
        if (Switch() || !folder_.isValid()) {
            return;
        }
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
                        {"-i", "de_DE", "-f", "UTF-8", folder_.filePath(kName)});
        if (localedef.waitForFinished(120000) &&
            QFileInfo::exists(folder_.filePath(QStringLiteral("%1/LC_NUMERIC").arg(kName)))) {
            qputenv("LOCPATH", QFile::encodeName(folder_.path()));
            Switch();
        }
    }
    ~GermanLocale() {
        if (active_) {
            std::locale::global(previousCpp_);
        }
        if (locpath_.isNull()) {
            qunsetenv("LOCPATH");
        } else {
            qputenv("LOCPATH", locpath_);
        }
        std::setlocale(LC_ALL, previousC_.c_str());
    }
    bool Active() const { return active_; }

private:
    bool Switch() {
        if (std::setlocale(LC_ALL, kName) == nullptr) {
            return false;
        }
        try {
            // glibc's newlocale keeps a few bytes of its search path when LOCPATH is set.
            IgnoreLeaks ignore;
            previousCpp_ = std::locale::global(std::locale(kName));
        } catch (const std::runtime_error&) {
            return false;
        }
        return active_ = true;
    }

    static constexpr const char* kName = "de_DE.UTF-8";
    std::string previousC_;
    QByteArray locpath_;
    std::locale previousCpp_;
    bool active_ = false;
    QTemporaryDir folder_;
};

// Numbers in the file do not follow the user's locale: the drawing is the same byte for byte.
TEST_F(DxfExport, UserLocaleDoesNotChangeTheFile) {
    Site site;
    site.AddMaterial("Carpet", 1, MakeColour(200, 30, 30));
    Room* room = AddRoomOfWalls(site, "Kitchen", 1, {{4.25, 90.0}, {3.5, 0.0}});
    room->GetWall(0)->SetArcHeight(0.75);
    room->InvalidateClosing();
    for (int i = 0; i < 40; ++i) {  // enough entities for handles in the thousands
        AddRoomOfWalls(site, QStringLiteral("R%1").arg(i), 1, {{1.5, 90.0}, {1234.5, 0.0}});
    }
    const QByteArray classic = test::ReadFile(Export(site, true, 0, "classic.dxf"));
    ASSERT_FALSE(classic.isEmpty());
    QByteArray german;
    {
        GermanLocale locale;
        if (!locale.Active()) {
            GTEST_SKIP() << "no German locale and none could be built";
        }
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
        ASSERT_STREQ(buffer, "1,5");
        german = test::ReadFile(Export(site, true, 0, "german.dxf"));
        // The user's locale is back once the drawing is written.
        std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
        EXPECT_STREQ(buffer, "1,5");
        EXPECT_EQ(std::locale().name(), "de_DE.UTF-8");
    }
    EXPECT_TRUE(german == classic) << german.size() << " bytes against " << classic.size();
}

// The writer's parts: every real number put down exactly as dxflib's own writer does, the colour
// index palette, and block names and texts in the 8-bit form a DXF file holds.

std::vector<double> Values() {
    std::vector<double> values = {
        0.0,        -0.0,           1.5,       2.0,     1.0 / 3.0,
        -2.0 / 3.0, 1e-20,          0.1 + 0.2, 123.456, -98765432.125,
        1e15,       9.5e-7,         -5e-17,    3.0480,  0.30480000000000002,
        1e17,       -123456789012.5};
    std::mt19937 engine(11u);
    std::uniform_real_distribution<double> coordinate(-2000.0, 2000.0);
    std::uniform_int_distribution<int> decimals(0, 9);
    for (int i = 0; i < 2000; ++i) {
        const double v = coordinate(engine);
        values.push_back(v);
        // Lengths typed in centimetres or inches, as plans hold them.
        const double scale = std::pow(10.0, decimals(engine) % 5);
        values.push_back(std::round(v * scale) / scale);
        values.push_back(std::round(v * 12.0) / 12.0 * 0.3048);
    }
    return values;
}

TEST(DxfAsciiWriter, RealsAreWrittenAsTheLibraryWritesThem) {
    for (const DL_Codes::version version : {DL_Codes::AC1015, DL_Codes::AC1009_MIN}) {
        QTemporaryDir dir;
        const QString library = dir.filePath("library.dxf");
        const QString ours = dir.filePath("ours.dxf");
        {
            DL_WriterA theirs(QFile::encodeName(library).constData(), version);
            DxfAsciiWriter mine(QFile::encodeName(ours).constData(), version);
            ASSERT_FALSE(theirs.openFailed());
            ASSERT_FALSE(mine.openFailed());
            int code = 10;
            for (const double value : Values()) {
                theirs.dxfReal(code, value);
                mine.dxfReal(code, value);
                code = code == 40 ? 10 : code + 10;
            }
            theirs.close();
            mine.close();
        }
        const QByteArray expected = test::ReadFile(library);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(test::ReadFile(ours), expected) << version;
    }
}

// A site file may put a plan anywhere a double reaches; the library's own writer overran its
// buffer on such coordinates and the program aborted.
TEST(DxfAsciiWriterFormatTest, APlanFarFromTheOriginExports) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Site site;
    site.SetStartPoint({1e300, -3e299});
    Room* room = site.AddRoom(QStringLiteral("Far"), 0);
    room->AddWall(4.0, 0.0);
    room->AddWall(3.0, 90.0);
    const QString path = dir.filePath(QStringLiteral("far.dxf"));
    EXPECT_TRUE(ExportDxf(&site, true, 0, path).ok);
    EXPECT_TRUE(test::ReadFile(path).contains("1000000000000000052504760255204420248704468581108159"));
}

// The colour index palette and the matching of colours to it.

// Where the index table cannot see it: the hue wrapping round past 1 (red largest, blue above
// green) and the saturation formula of light colours.
TEST(ToHsl, MatchesTheHexconeModel) {
    const std::tuple<Colour, double, double, double> cases[] = {
        {MakeColour(0, 255, 0), 1.0 / 3.0, 1.0, 0.5}, {MakeColour(255, 0, 255), 5.0 / 6.0, 1.0, 0.5},
        {MakeColour(128, 128, 128), 0.0, 0.0, 128.0 / 255.0},
        {MakeColour(255, 204, 204), 0.0, 1.0, 229.5 / 255.0}};
    for (const auto& [colour, hue, saturation, lightness] : cases) {
        const HslColour hsl = ToHsl(colour);
        EXPECT_NEAR(hsl.hue, hue, 1e-9) << colour;
        EXPECT_NEAR(hsl.saturation, saturation, 1e-9) << colour;
        EXPECT_NEAR(hsl.lightness, lightness, 1e-9) << colour;
    }
}

// The nearest free index is taken; asked again, the next nearest.
TEST(NearestColourIndex, PicksNearestFreeIndexAndTakesIt) {
    // (colour, first choice, second choice with the first taken). White is index 7, which is
    // never chosen: the white of the grey ramp. Black has no index of its own besides 0 and 7;
    // hue 0 leads to dark red.
    const std::tuple<Colour, int, int> cases[] = {
        {MakeColour(255, 0, 0), 1, 10},   {MakeColour(255, 255, 255), 255, 254},
        {MakeColour(0, 0, 0), 18, 19},    {MakeColour(128, 128, 128), 8, 251},
        {MakeColour(200, 30, 30), 12, 1}, {MakeColour(255, 128, 0), 30, 40}};
    const AciPalette palette;
    for (const auto& [colour, first, second] : cases) {
        std::set<int> taken;
        EXPECT_EQ(palette.NearestColourIndex(colour, taken), first) << colour;
        EXPECT_EQ(taken, std::set<int>{first});
        EXPECT_EQ(palette.NearestColourIndex(colour, taken), second) << colour;
        EXPECT_EQ(taken, (std::set<int>{first, second}));
    }
}

TEST(NearestColourIndex, UsesEveryIndexOnceThenFallsBackTo255) {
    const AciPalette palette;
    std::set<int> taken;
    for (int i = 0; i < 254; ++i) {
        palette.NearestColourIndex(MakeColour(255, 255, 255), taken);
    }
    // 254 indices taken, one per call: all but 0 and 7, none twice.
    EXPECT_EQ(taken.size(), 254u);
    EXPECT_EQ(taken.count(0) + taken.count(7), 0u);
    EXPECT_EQ(palette.NearestColourIndex(MakeColour(1, 2, 3), taken), 255);
}

// Block names and texts in the 8-bit form a DXF file holds.

// Latin-1 kept as bytes; the rest, and what the file would misread, escaped.
TEST(ToDxfText, KeepsLatin1AndEscapesTheRest) {
    const std::pair<const char*, std::string> cases[] = {
        {"K\xC3\xBC" "che", "K\xFC" "che"},      {"\xE5\xAE\xA2\xE5\x8E\x85", "\\U+5BA2\\U+5385"},
        {"a\\b", "a\\U+005Cb"},                  {"%%d", "\\U+0025\\U+0025d"},
        {"two\nlines\t", "two\\U+000Alines\\U+0009"}, {"\xC2\x80", "\\U+0080"},
        {"\xF0\x9F\x8F\xA0 home", "\\U+FFFD home"}};
    for (const auto& [utf8, dxf] : cases) {
        EXPECT_EQ(ToDxfText(QString::fromUtf8(utf8)), dxf) << utf8;
    }
}

// Spaces dropped; what the tables refuse, and what the 8-bit file cannot hold, replaced.
TEST(BlockNamePart, DropsSpacesAndReplacesWhatTablesRefuse) {
    const std::pair<const char*, std::string> cases[] = {
        {"  Bed  2 ", "Bed2"}, {"K\xC3\xBC" "che", "K\xFC" "che"},
        {"\xE5\xAE\xA2\xE5\x8E\x85", "__"},
        {"a<b>c/d\\e\"f:g;h?i*j|k,l=m`n", "a_b_c_d_e_f_g_h_i_j_k_l_m_n"}, {"tab\there", "tab_here"},
        {"\xF0\x9F\x8F\xA0", "_"}};
    for (const auto& [utf8, part] : cases) {
        EXPECT_EQ(BlockNamePart(QString::fromUtf8(utf8)), part) << utf8;
    }
    EXPECT_EQ(BlockNamePart(QString(300, u'x')).size(), 200u);  // very long names are cut
}

TEST(DxfBlockNames, NamesStayUniqueIgnoringCaseAndApartFromBorderAndLegend) {
    Site site;
    const QStringList names{"Living Room", "LivingRoom", "LIVINGROOM_2", "Border",
                            "Legend",      "X",          "XColor",       ""};
    std::vector<const Room*> rooms;
    for (const QString& name : names) {
        rooms.push_back(site.AddRoom(name, 0));
    }
    const DxfBlockNames blocks(site);
    const std::vector<std::string> expected{"BlockLivingRoom",     "BlockLivingRoom_2",
                                            "BlockLIVINGROOM_2_2", "BlockBorder_2",
                                            "BlockLegend_2",       "BlockX",
                                            "BlockXColor_2",       "Block"};
    // Distinct ignoring case, from each other and from BlockBorder and BlockLegend.
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        EXPECT_EQ(blocks.Outline(*rooms[i]), expected[i]);
        EXPECT_EQ(blocks.Fill(*rooms[i]), expected[i] + "Color");
    }
    const Room stranger;
    EXPECT_EQ(blocks.Outline(stranger), "");
    EXPECT_EQ(blocks.Fill(stranger), "");
}

}  // namespace
}  // namespace plantrek
