// Block names and texts in the 8-bit form a DXF file holds.
#include "export/dxf_block_names.h"

#include <gtest/gtest.h>

#include <set>

#include "model/site.h"

namespace plantrek {
namespace {

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
