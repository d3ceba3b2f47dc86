// Drawings written by the DXF export, read back by an independent reader (ezdxf, run by the
// system Python) and, where the reader hides it, group by group.
#include "export/dxf_exporter.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include <clocale>
#include <locale>
#include <set>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "export/aci_palette.h"
#include "export/dxf_block_names.h"
#include "export_test_support.h"
#include "model/room.h"
#include "model/units.h"

namespace plantrek {
namespace {

using test::AddRoomOfWalls;
using test::EntitiesOf;
using test::FileSizeLimit;

constexpr double kTol = 1e-9;

#define READ_OR_SKIP(view, path)                                                              \
    QString skip_;                                                                            \
    const QJsonObject view = test::ReadExport("dxf", path, skip_);                            \
    if (!skip_.isEmpty()) {                                                                   \
        GTEST_SKIP() << skip_.toStdString();                                                  \
    }                                                                                         \
    ASSERT_FALSE(view.isEmpty());                                                             \
    ASSERT_FALSE(view.contains("load_error")) << view["load_error"].toString().toStdString(); \
    EXPECT_TRUE(view["audit_errors"].toArray().isEmpty())                                     \
        << QJsonDocument(view["audit_errors"].toArray()).toJson().toStdString()

void ExpectPoint(const QJsonValue& actual, double x, double y, double tol = kTol) {
    const QJsonArray p = actual.toArray();
    ASSERT_GE(p.size(), 2);
    EXPECT_NEAR(p[0].toDouble(), x, tol);
    EXPECT_NEAR(p[1].toDouble(), y, tol);
}

// Lines as [x1, y1, x2, y2] in the order they were written.
std::vector<std::array<double, 4>> LinesOf(const QJsonArray& entities) {
    std::vector<std::array<double, 4>> lines;
    for (const auto& value : entities) {
        const QJsonObject e = value.toObject();
        if (e["type"] == "LINE") {
            const QJsonArray s = e["start"].toArray();
            const QJsonArray t = e["end"].toArray();
            lines.push_back({s[0].toDouble(), s[1].toDouble(), t[0].toDouble(), t[1].toDouble()});
        }
    }
    return lines;
}

void ExpectLines(const QJsonArray& entities, const std::vector<std::array<double, 4>>& expected,
                 double tol = kTol) {
    const auto lines = LinesOf(entities);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_NEAR(lines[i][k], expected[i][k], tol) << "line " << i << " value " << k;
        }
    }
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

// Whatever polyline entity the library chose, as [x, y, bulge] vertices.
QJsonObject OutlinePolyline(const QJsonArray& entities) {
    for (const auto& e : entities) {
        const QString type = e.toObject()["type"].toString();
        if (type == "LWPOLYLINE" || type == "POLYLINE") {
            return e.toObject();
        }
    }
    return {};
}

void ExpectVertices(const QJsonArray& actual, const std::vector<std::array<double, 3>>& expected,
                    double tol = kTol) {
    ASSERT_EQ(actual.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QJsonArray v = actual[static_cast<qsizetype>(i)].toArray();
        EXPECT_NEAR(v[0].toDouble(), expected[i][0], tol) << "vertex " << i;
        EXPECT_NEAR(v[1].toDouble(), expected[i][1], tol) << "vertex " << i;
        EXPECT_NEAR(v[2].toDouble(), expected[i][2], tol) << "bulge of vertex " << i;
    }
}

int PaletteIndex(Colour colour) {
    std::set<int> taken;
    return AciPalette().NearestColourIndex(colour, taken);
}

class DxfExport : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return dir_.filePath(name); }

    QString Export(const Site& site, bool metric = true, Colour wall = 0,
                   const QString& name = QStringLiteral("site.dxf")) {
        const QString path = PathOf(name);
        const ExportResult result = ExportDxf(&site, metric, wall, path);
        EXPECT_TRUE(result.ok) << result.errorText.toStdString();
        EXPECT_TRUE(result.errorText.isEmpty());
        return path;
    }

    QTemporaryDir dir_;
};

// A 4 m by 3 m room of one material, east wall first: the whole drawing in one look.
TEST_F(DxfExport, OneClosedRoomHoldsEveryTableBlockAndInsert) {
    Site site;
    const Colour carpet = MakeColour(200, 30, 30);
    site.AddMaterial("Carpet", 1, carpet);
    site.AddMaterial("Unused", 2, MakeColour(0, 0, 255));
    Room* room = AddRoomOfWalls(site, "Kitchen", 1, {{4.0, 90.0}, {3.0, 0.0}});
    ASSERT_TRUE(room->IsClosed());
    const QString path = Export(site);
    READ_OR_SKIP(view, path);

    EXPECT_EQ(view["version"], "AC1015");
    EXPECT_EQ(view["linetypes"].toArray(), QJsonArray({"BYBLOCK", "BYLAYER", "CONTINUOUS"}));
    const QJsonArray layers = view["layers"].toArray();
    const QStringList layerNames{"0", "Rooms", "Room Color", "Border", "Legend"};
    ASSERT_GE(layers.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const QJsonObject layer = layers[i].toObject();
        EXPECT_EQ(layer["name"].toString(), layerNames[i]);
        EXPECT_EQ(layer["color"].toInt(), 250);
        EXPECT_EQ(layer["linetype"].toString(), "CONTINUOUS");
        EXPECT_EQ(layer["lineweight"].toInt(), 100);
    }
    EXPECT_EQ(view["block_records"].toArray(),
              QJsonArray({"*Model_Space", "*Paper_Space", "*Paper_Space0", "BlockKitchen",
                          "BlockKitchenColor", "BlockBorder", "BlockLegend"}));

    // Fill: one solid hatch of five vertices, the first repeated.
    const QJsonArray fill = EntitiesOf(view, "BlockKitchenColor");
    ASSERT_EQ(fill.size(), 1);
    const QJsonObject hatch = fill[0].toObject();
    EXPECT_EQ(hatch["type"], "HATCH");
    EXPECT_EQ(hatch["layer"], "Room Color");
    EXPECT_EQ(hatch["color"].toInt(), PaletteIndex(carpet));
    EXPECT_TRUE(hatch["solid"].toBool());
    ASSERT_EQ(hatch["paths"].toArray().size(), 1);
    const QJsonObject path0 = hatch["paths"].toArray()[0].toObject();
    EXPECT_EQ(path0["kind"], "polyline");
    EXPECT_TRUE(path0["closed"].toBool());
    const std::vector<std::array<double, 3>> outline{
        {0, 0, 0}, {4, 0, 0}, {4, 3, 0}, {0, 3, 0}, {0, 0, 0}};
    ExpectVertices(path0["vertices"].toArray(), outline);

    // Outline: the closed polyline in the wall colour and the name centred on the centroid.
    const QJsonArray outlineBlock = EntitiesOf(view, "BlockKitchen");
    ASSERT_EQ(outlineBlock.size(), 2);
    const QJsonObject polyline = OutlinePolyline(outlineBlock);
    EXPECT_EQ(polyline["layer"], "Rooms");
    EXPECT_EQ(polyline["color"].toInt(), PaletteIndex(0));
    EXPECT_TRUE(polyline["closed"].toBool());
    ExpectVertices(polyline["vertices"].toArray(), outline);
    const QJsonObject name = OfType(outlineBlock, "TEXT")[0].toObject();
    EXPECT_EQ(name["text"], "Kitchen");
    EXPECT_EQ(name["layer"], "Rooms");
    EXPECT_EQ(name["color"].toInt(), 0);
    EXPECT_EQ(name["style"], "Standard");
    EXPECT_EQ(name["halign"].toInt(), 4);
    EXPECT_EQ(name["valign"].toInt(), 0);
    EXPECT_NEAR(name["height"].toDouble(), 0.2, kTol);
    ExpectPoint(name["align"], 2.0, 1.5);

    // Border half a meter outside the site; legend square 0.2 right of it, 0.3 below its top.
    const QJsonArray border = EntitiesOf(view, "BlockBorder");
    for (const auto& e : border) {
        EXPECT_EQ(e.toObject()["layer"], "Border");
        EXPECT_EQ(e.toObject()["color"].toInt(), 0);
    }
    ExpectLines(border, {{-0.5, 3.5, 4.5, 3.5},
                         {4.5, 3.5, 4.5, -0.5},
                         {4.5, -0.5, -0.5, -0.5},
                         {-0.5, -0.5, -0.5, 3.5}});
    const QJsonArray legend = EntitiesOf(view, "BlockLegend");
    ASSERT_EQ(legend.size(), 6);  // the swatch, its frame and the name of the one used material
    const QJsonObject swatch = legend[0].toObject();
    EXPECT_EQ(swatch["type"], "HATCH");
    EXPECT_EQ(swatch["layer"], "Legend");
    EXPECT_EQ(swatch["color"].toInt(), PaletteIndex(carpet));
    const double x = 4.7;
    const double y = 3.2;
    const double s = 0.2;
    const QJsonArray edges = swatch["paths"].toArray()[0].toObject()["edges"].toArray();
    ASSERT_EQ(edges.size(), 4);
    const std::vector<std::array<double, 4>> square{
        {x, y, x + s, y}, {x + s, y, x + s, y + s}, {x + s, y + s, x, y + s}, {x, y + s, x, y}};
    for (std::size_t i = 0; i < 4; ++i) {
        const QJsonArray edge = edges[static_cast<qsizetype>(i)].toArray();
        for (qsizetype k = 0; k < 4; ++k) {
            EXPECT_NEAR(edge[k].toDouble(), square[i][static_cast<std::size_t>(k)], kTol);
        }
    }
    ExpectLines(legend, square);
    const QJsonObject label = legend[5].toObject();
    EXPECT_EQ(label["type"], "TEXT");
    EXPECT_EQ(label["text"], "Carpet");
    EXPECT_EQ(label["halign"].toInt(), 0);
    EXPECT_NEAR(label["height"].toDouble(), s, kTol);
    ExpectPoint(label["insert"], x + 2 * s, y);

    // The model space holds nothing but the four references, each on its own layer.
    const QJsonArray inserts = view["modelspace"].toArray();
    const std::vector<std::pair<QString, QString>> expected{{"BlockKitchenColor", "Room Color"},
                                                            {"BlockKitchen", "Rooms"},
                                                            {"BlockBorder", "Border"},
                                                            {"BlockLegend", "Legend"}};
    ASSERT_EQ(inserts.size(), 4);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QJsonObject insert = inserts[static_cast<qsizetype>(i)].toObject();
        EXPECT_EQ(insert["type"], "INSERT");
        EXPECT_EQ(insert["name"].toString(), expected[i].first);
        EXPECT_EQ(insert["layer"].toString(), expected[i].second);
        EXPECT_EQ(insert["color"].toInt(), 0);
        ExpectPoint(insert["insert"], 0.0, 0.0);
        EXPECT_EQ(insert["scale"].toArray(), QJsonArray({1.0, 1.0, 1.0}));
    }
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
        int n = 0;
        for (const auto& group : tables) {
            n += group == std::make_pair(0, QByteArray(entry)) ? 1 : 0;
        }
        return n;
    };
    EXPECT_EQ(count("LTYPE"), 3);
    EXPECT_EQ(count("LAYER"), 5);
    EXPECT_EQ(count("APPID"), 1);

    const test::DxfGroups blocks = test::DxfSection(groups, "BLOCKS");
    std::size_t at = 0;
    while (at < blocks.size() && blocks[at] != std::make_pair(0, QByteArray("HATCH"))) {
        ++at;
    }
    while (at < blocks.size() && blocks[at].first != 92) {
        ++at;
    }
    ASSERT_LT(at + 4, blocks.size());
    EXPECT_EQ(blocks[at].second.trimmed(), "2");
    EXPECT_EQ(blocks[at + 1], std::make_pair(72, QByteArray("1")));
    EXPECT_EQ(blocks[at + 2], std::make_pair(73, QByteArray("1")));
    EXPECT_EQ(blocks[at + 3].first, 93);
    EXPECT_EQ(blocks[at + 3].second.trimmed(), "5");
    for (int v = 0; v < 5; ++v) {
        const std::size_t k = at + 4 + 3 * static_cast<std::size_t>(v);
        EXPECT_EQ(blocks[k].first, 10);
        EXPECT_EQ(blocks[k + 1].first, 20);
        EXPECT_EQ(blocks[k + 2].first, 42);
    }
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
    const QString path = Export(site);
    READ_OR_SKIP(view, path);

    EXPECT_TRUE(EntitiesOf(view, "BlockPorchColor").isEmpty());
    const QJsonArray porch = EntitiesOf(view, "BlockPorch");
    EXPECT_TRUE(OfType(porch, "TEXT").isEmpty());
    ExpectLines(porch, {{0, 3, 0, 0}, {0, 2, 0, 3}});
    for (const auto& line : porch) {
        EXPECT_EQ(line.toObject()["layer"], "Rooms");
        EXPECT_EQ(line.toObject()["color"].toInt(), PaletteIndex(0));
    }

    // Both used materials in list order, each entry 0.3 below the one before.
    const QJsonArray labels = OfType(EntitiesOf(view, "BlockLegend"), "TEXT");
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0].toObject()["text"], "Tile");
    EXPECT_EQ(labels[1].toObject()["text"], "Wood");
    const double top = 3.0 + 0.5;
    const double right = 2.0 + 0.5;
    ExpectPoint(labels[0].toObject()["insert"], right + 0.2 + 0.4, top - 0.3);
    ExpectPoint(labels[1].toObject()["insert"], right + 0.2 + 0.4, top - 0.6);
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
    const QString path = Export(site);
    READ_OR_SKIP(view, path);

    const std::vector<std::array<double, 3>> expected{
        {0, 0, -2.0 * h / 4.0}, {4, 0, 0}, {4, 3, 0}, {0, 3, 0}, {0, 0, 0}};
    ExpectVertices(OutlinePolyline(EntitiesOf(view, "BlockBay"))["vertices"].toArray(), expected);
    const QJsonObject hatch = EntitiesOf(view, "BlockBayColor")[0].toObject();
    ExpectVertices(hatch["paths"].toArray()[0].toObject()["vertices"].toArray(), expected);

    // A positive height bows to the left of the eastward wall, into the room; a negative one
    // bows south, out of it.
    const double bottom = std::min(0.0, h) - 0.5;
    ExpectLines(EntitiesOf(view, "BlockBorder"), {{-0.5, 3.5, 4.5, 3.5},
                                                  {4.5, 3.5, 4.5, bottom},
                                                  {4.5, bottom, -0.5, bottom},
                                                  {-0.5, bottom, -0.5, 3.5}});
}

INSTANTIATE_TEST_SUITE_P(Heights, DxfArcExport, ::testing::Values(1.0, -0.5));

TEST_F(DxfExport, ImperialOutputIsInDecimalFeet) {
    Site site;
    site.AddMaterial("Carpet", 1, MakeColour(200, 30, 30));
    AddRoomOfWalls(site, "Den", 1, {{3.048, 90.0}, {6.096, 0.0}});
    const QString path = Export(site, false);
    READ_OR_SKIP(view, path);

    const double tol = 1e-9;
    ExpectVertices(OutlinePolyline(EntitiesOf(view, "BlockDen"))["vertices"].toArray(),
                   {{0, 0, 0}, {10, 0, 0}, {10, 20, 0}, {0, 20, 0}, {0, 0, 0}}, tol);
    const QJsonObject name = OfType(EntitiesOf(view, "BlockDen"), "TEXT")[0].toObject();
    EXPECT_NEAR(name["height"].toDouble(), 0.2 / 0.3048, tol);
    ExpectPoint(name["align"], 5.0, 10.0, tol);
    const double m = 0.5 / 0.3048;
    ExpectLines(EntitiesOf(view, "BlockBorder"),
                {{-m, 20 + m, 10 + m, 20 + m},
                 {10 + m, 20 + m, 10 + m, -m},
                 {10 + m, -m, -m, -m},
                 {-m, -m, -m, 20 + m}},
                tol);
    const double s = 0.2 / 0.3048;
    const QJsonObject label = OfType(EntitiesOf(view, "BlockLegend"), "TEXT")[0].toObject();
    EXPECT_NEAR(label["height"].toDouble(), s, tol);
    ExpectPoint(label["insert"], 10 + m + s + 2 * s, 20 + m - 1.5 * s, tol);
}

// Names that would give one block name twice, and names the 8-bit file cannot hold as they
// are: every block stays distinct, every reference finds its block, and the texts read back.
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
    const QString path = Export(site);
    READ_OR_SKIP(view, path);

    std::set<QString> blocks;
    for (const auto& block : view["blocks"].toArray()) {
        const QString name = block.toObject()["name"].toString();
        EXPECT_TRUE(blocks.insert(name.toUpper()).second) << name.toStdString();
    }
    EXPECT_EQ(blocks.size(), 3 + 2 * names.size() + 2);
    const QJsonArray inserts = view["modelspace"].toArray();
    ASSERT_EQ(inserts.size(), 2 * names.size() + 2);
    for (const auto& insert : inserts) {
        EXPECT_EQ(blocks.count(insert.toObject()["name"].toString().toUpper()), 1u);
    }
    EXPECT_EQ(inserts[1].toObject()["name"], "BlockLivingRoom");
    EXPECT_EQ(inserts[3].toObject()["name"], "BlockLivingRoom_2");
    EXPECT_EQ(inserts[5].toObject()["name"], "BlockBorder_2");
    EXPECT_EQ(inserts[9].toObject()["name"], QString::fromUtf8("BlockKüche"));
    EXPECT_EQ(inserts[2 * names.size()].toObject()["name"], "BlockBorder");
    EXPECT_EQ(EntitiesOf(view, "BlockBorder").size(), 4);

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
    const QString path = Export(site, true, white);
    READ_OR_SKIP(view, path);

    const int one = EntitiesOf(view, "BlockOneColor")[0].toObject()["color"].toInt();
    const int two = EntitiesOf(view, "BlockTwoColor")[0].toObject()["color"].toInt();
    EXPECT_NE(one, two);
    for (int index : {one, two}) {
        EXPECT_NE(index, 0);
        EXPECT_NE(index, 7);
    }
    const QJsonArray swatches = OfType(EntitiesOf(view, "BlockLegend"), "HATCH");
    ASSERT_EQ(swatches.size(), 2);  // Paint C is used by no room
    EXPECT_EQ(swatches[0].toObject()["color"].toInt(), one);
    EXPECT_EQ(swatches[1].toObject()["color"].toInt(), two);
    const int walls = OutlinePolyline(EntitiesOf(view, "BlockOne"))["color"].toInt();
    EXPECT_NE(walls, 7);
    EXPECT_NE(walls, 0);
}

TEST_F(DxfExport, RefusesWithoutSiteOrRooms) {
    const QString path = PathOf("none.dxf");
    ExportResult result = ExportDxf(nullptr, true, 0, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Couldn't get site");
    Site empty;
    result = ExportDxf(&empty, true, 0, path);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "No rooms");
    EXPECT_FALSE(QFileInfo::exists(path));
}

// A drawing that cannot be written leaves what was at the target untouched.
TEST_F(DxfExport, FailureKeepsTheOldFile) {
    Site site;
    AddRoomOfWalls(site, "R", 0, {{2.0, 90.0}, {2.0, 0.0}});

    ExportResult result = ExportDxf(&site, true, 0, PathOf("missing/site.dxf"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Couldn't save file");

    // The drawing runs into a file size limit half way: the old file stays as it was.
    const QString path = PathOf("old.dxf");
    ASSERT_TRUE(test::WriteFile(path, "old drawing"));
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Active());
        result = ExportDxf(&site, true, 0, path);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorText, "Couldn't save file");
    EXPECT_EQ(test::ReadFile(path), "old drawing");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"old.dxf"});

    // And once it can be written, it replaces the old one.
    result = ExportDxf(&site, true, 0, path);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(test::ReadFile(path).endsWith("EOF\n"));
}

struct IgnoreLeaks {
#if defined(__SANITIZE_ADDRESS__)
    IgnoreLeaks() {
        __lsan_disable();
    }
    ~IgnoreLeaks() {
        __lsan_enable();
    }
#endif
};

// Switches the process to a German locale (decimal comma, digit grouping), building it in a
// private folder when the system has none, and back again.
class GermanLocale {
public:
    GermanLocale() {
        previousC_ = std::setlocale(LC_ALL, nullptr);
        previousLocpath_ = qgetenv("LOCPATH");
        hadLocpath_ = qEnvironmentVariableIsSet("LOCPATH");
        if (!Switch() && Build()) {
            Switch();
        }
    }
    ~GermanLocale() {
        if (active_) {
            std::locale::global(previousCpp_);
        }
        if (hadLocpath_) {
            qputenv("LOCPATH", previousLocpath_);
        } else {
            qunsetenv("LOCPATH");
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
        active_ = true;
        return true;
    }
    bool Build() {
        if (!folder_.isValid()) {
            return false;
        }
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
                        {"-i", "de_DE", "-f", "UTF-8", folder_.filePath(kName)});
        if (!localedef.waitForFinished(120000) || localedef.exitStatus() != QProcess::NormalExit ||
            !QFileInfo::exists(folder_.filePath(QStringLiteral("%1/LC_NUMERIC").arg(kName)))) {
            return false;
        }
        qputenv("LOCPATH", QFile::encodeName(folder_.path()));
        return true;
    }

    static constexpr const char* kName = "de_DE.UTF-8";
    std::string previousC_;
    std::locale previousCpp_;
    QByteArray previousLocpath_;
    bool hadLocpath_ = false;
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
    EXPECT_TRUE(german == classic);
    EXPECT_EQ(german.size(), classic.size());
}

}  // namespace
}  // namespace plantrek
