// The DXF writer's parts: every real number put down exactly as dxflib's own writer does, the
// colour index palette, and block names and texts in the 8-bit form a DXF file holds.
#include "export/aci_palette.h"
#include "export/dxf_ascii_writer.h"
#include "export/dxf_block_names.h"
#include "export/dxf_exporter.h"
#include "export_test_support.h"
#include "model/room.h"
#include "model/site.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <tuple>
#include <vector>

namespace plantrek {
namespace {

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

class DxfAsciiWriterTest : public ::testing::TestWithParam<DL_Codes::version> {
protected:
    QTemporaryDir dir_;
};

TEST_P(DxfAsciiWriterTest, RealsAreWrittenAsTheLibraryWritesThem) {
    ASSERT_TRUE(dir_.isValid());
    const QString library = dir_.filePath("library.dxf");
    const QString ours = dir_.filePath("ours.dxf");
    {
        DL_WriterA theirs(QFile::encodeName(library).constData(), GetParam());
        DxfAsciiWriter mine(QFile::encodeName(ours).constData(), GetParam());
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
    EXPECT_EQ(test::ReadFile(ours), expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, DxfAsciiWriterTest,
                         ::testing::Values(DL_Codes::AC1015, DL_Codes::AC1009_MIN));

TEST(DxfAsciiWriterFormatTest, CoordinatesFarAwayAreWrittenWhole) {
    // The library's fixed buffer cannot hold these; ours writes every digit.
    for (const double value : {1e300, -1.7976931348623157e308, 4.5e250}) {
        const std::string text = DxfAsciiWriter::FormatReal(value, DL_Codes::AC1015);
        EXPECT_GT(text.size(), 250u);
        EXPECT_EQ(text.substr(text.size() - 2), ".0");
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value);
    }
    EXPECT_EQ(DxfAsciiWriter::FormatReal(2.5, DL_Codes::AC1015), "2.5");
    EXPECT_EQ(DxfAsciiWriter::FormatReal(-3.0, DL_Codes::AC1009_MIN), "-3.0");
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

TEST(AciPalette, EntriesAreTheLibraryTableTruncatedToBytes) {
    const AciPalette palette;
    EXPECT_EQ(palette.Rgb(0), MakeColour(0, 0, 0));
    EXPECT_EQ(palette.Rgb(1), MakeColour(255, 0, 0));
    EXPECT_EQ(palette.Rgb(7), MakeColour(255, 255, 255));
    EXPECT_EQ(palette.Rgb(8), MakeColour(127, 127, 127));  // 0.5 gives 127, not 128
    EXPECT_EQ(palette.Rgb(250), MakeColour(84, 84, 84));
    EXPECT_EQ(palette.Rgb(255), MakeColour(255, 255, 255));
    EXPECT_NEAR(palette.Hsl(5).hue, 2.0 / 3.0, 1e-12);
}

struct HslCase {
    Colour colour;
    double hue;
    double saturation;
    double lightness;
};

class ToHslTest : public ::testing::TestWithParam<HslCase> {};

TEST_P(ToHslTest, MatchesTheHexconeModel) {
    const HslCase& c = GetParam();
    const HslColour hsl = ToHsl(c.colour);
    EXPECT_NEAR(hsl.hue, c.hue, 1e-9);
    EXPECT_NEAR(hsl.saturation, c.saturation, 1e-9);
    EXPECT_NEAR(hsl.lightness, c.lightness, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ToHslTest,
    // The primaries and black are matched in the nearest-index table below.
    ::testing::Values(HslCase{MakeColour(0, 255, 0), 1.0 / 3.0, 1.0, 0.5},
                      // Red is largest but blue above green: the hue wraps round past 1.
                      HslCase{MakeColour(255, 0, 255), 5.0 / 6.0, 1.0, 0.5},
                      HslCase{MakeColour(128, 128, 128), 0.0, 0.0, 128.0 / 255.0},
                      // Light colours take the other saturation formula.
                      HslCase{MakeColour(255, 204, 204), 0.0, 1.0, 229.5 / 255.0}));

// (colour, first choice, second choice with the first taken)
class NearestColourIndexTest : public ::testing::TestWithParam<std::tuple<Colour, int, int>> {};

TEST_P(NearestColourIndexTest, PicksNearestFreeIndexAndTakesIt) {
    const auto& [colour, first, second] = GetParam();
    const AciPalette palette;
    std::set<int> taken;
    EXPECT_EQ(palette.NearestColourIndex(colour, taken), first);
    EXPECT_EQ(taken, std::set<int>{first});
    EXPECT_EQ(palette.NearestColourIndex(colour, taken), second);
    EXPECT_EQ(taken, (std::set<int>{first, second}));
}

INSTANTIATE_TEST_SUITE_P(
    Colours, NearestColourIndexTest,
    ::testing::Values(std::make_tuple(MakeColour(255, 0, 0), 1, 10),
                      std::make_tuple(MakeColour(0, 0, 255), 5, 170),
                      // White is index 7, which is never chosen: the white of the grey ramp.
                      std::make_tuple(MakeColour(255, 255, 255), 255, 254),
                      // Black has no index of its own besides 0 and 7; hue 0 leads to dark red.
                      std::make_tuple(MakeColour(0, 0, 0), 18, 19),
                      std::make_tuple(MakeColour(128, 128, 128), 8, 251),
                      std::make_tuple(MakeColour(200, 30, 30), 12, 1),
                      std::make_tuple(MakeColour(255, 128, 0), 30, 40),
                      std::make_tuple(MakeColour(128, 128, 255), 171, 181)));

TEST(NearestColourIndex, UsesEveryIndexOnceThenFallsBackTo255) {
    const AciPalette palette;
    std::set<int> taken;
    std::set<int> given;
    for (int i = 0; i < 254; ++i) {
        const int index = palette.NearestColourIndex(MakeColour(255, 255, 255), taken);
        EXPECT_TRUE(given.insert(index).second) << index;
        EXPECT_NE(index, 0);
        EXPECT_NE(index, 7);
    }
    EXPECT_EQ(given.size(), 254u);
    EXPECT_EQ(palette.NearestColourIndex(MakeColour(1, 2, 3), taken), 255);
}

// Block names and texts in the 8-bit form a DXF file holds.

struct TextCase {
    const char* utf8;
    std::string dxf;
};

class ToDxfTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ToDxfTextTest, KeepsLatin1AndEscapesTheRest) {
    EXPECT_EQ(ToDxfText(QString::fromUtf8(GetParam().utf8)), GetParam().dxf);
}

INSTANTIATE_TEST_SUITE_P(Texts, ToDxfTextTest,
                         ::testing::Values(TextCase{"Living Room", "Living Room"},
                                           TextCase{"K\xC3\xBC"
                                                    "che",
                                                    "K\xFC"
                                                    "che"},
                                           TextCase{"\xE5\xAE\xA2\xE5\x8E\x85", "\\U+5BA2\\U+5385"},
                                           TextCase{"a\\b", "a\\U+005Cb"},
                                           TextCase{"50% off", "50% off"},
                                           TextCase{"%%d", "\\U+0025\\U+0025d"},
                                           TextCase{"two\nlines\t", "two\\U+000Alines\\U+0009"},
                                           TextCase{"\xC2\x80", "\\U+0080"},
                                           TextCase{"\xF0\x9F\x8F\xA0 home", "\\U+FFFD home"}));

class BlockNamePartTest : public ::testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(BlockNamePartTest, DropsSpacesAndReplacesWhatTablesRefuse) {
    EXPECT_EQ(BlockNamePart(QString::fromUtf8(GetParam().first)), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Names, BlockNamePartTest,
                         ::testing::Values(std::make_pair("Living Room", "LivingRoom"),
                                           std::make_pair("  Bed  2 ", "Bed2"),
                                           std::make_pair("K\xC3\xBC"
                                                          "che",
                                                          "K\xFC"
                                                          "che"),
                                           std::make_pair("\xE5\xAE\xA2\xE5\x8E\x85", "__"),
                                           std::make_pair("a<b>c/d\\e\"f:g;h?i*j|k,l=m`n",
                                                          "a_b_c_d_e_f_g_h_i_j_k_l_m_n"),
                                           std::make_pair("tab\there", "tab_here"),
                                           std::make_pair("\xF0\x9F\x8F\xA0", "_")));

TEST(BlockNamePart, CutsVeryLongNames) {
    EXPECT_EQ(BlockNamePart(QString(300, u'x')).size(), 200u);
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
    std::set<std::string> all{"BLOCKBORDER", "BLOCKLEGEND"};
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        EXPECT_EQ(blocks.Outline(*rooms[i]), expected[i]);
        EXPECT_EQ(blocks.Fill(*rooms[i]), expected[i] + "Color");
        for (const std::string& name : {blocks.Outline(*rooms[i]), blocks.Fill(*rooms[i])}) {
            EXPECT_TRUE(all.insert(QString::fromStdString(name).toUpper().toStdString()).second)
                << name;
        }
    }
    const Room stranger;
    EXPECT_EQ(blocks.Outline(stranger), "");
    EXPECT_EQ(blocks.Fill(stranger), "");
}

}  // namespace
}  // namespace plantrek
