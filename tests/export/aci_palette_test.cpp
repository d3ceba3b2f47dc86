// The colour index palette and the matching of colours to it.
#include "export/aci_palette.h"

#include <gtest/gtest.h>

#include <tuple>

namespace plantrek {
namespace {

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

}  // namespace
}  // namespace plantrek
