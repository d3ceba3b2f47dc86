#include "model/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace plantrek {
namespace {

const double kInchM = 0.3048 / 12.0;

struct NumberCase {
    const char* text;
    double expected;
};

class ParseNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTest, ReadsTheLeadingDecimalNumber) {
    const NumberCase c = GetParam();
    EXPECT_DOUBLE_EQ(ParseNumber(QString::fromUtf8(c.text)), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberTest,
    ::testing::Values(NumberCase{"1,250", 1250.0}, NumberCase{"3.5M", 3.5}, NumberCase{"12'", 12.0},
                      NumberCase{"", 0.0}, NumberCase{"   ", 0.0}, NumberCase{"  -2.5e2x", -250.0},
                      NumberCase{"+7", 7.0}, NumberCase{".5", 0.5}, NumberCase{"5.", 5.0},
                      NumberCase{"1e", 1.0}, NumberCase{"1e+", 1.0}, NumberCase{"2E-1", 0.2},
                      NumberCase{"abc", 0.0}, NumberCase{"-", 0.0}, NumberCase{".", 0.0},
                      NumberCase{"nan", 0.0}, NumberCase{"inf", 0.0}, NumberCase{"infinity", 0.0},
                      NumberCase{"0x10", 0.0}, NumberCase{"'", 0.0}, NumberCase{"\"", 0.0},
                      NumberCase{"1e-400", 0.0}, NumberCase{"45\u00B0", 45.0},
                      NumberCase{"\u00E9\u00E8", 0.0}, NumberCase{"1,2,3.4,5", 123.45}));

TEST(ParseNumberTest, OverflowGivesInfinityThatRangeChecksRefuse) {
    EXPECT_TRUE(std::isinf(ParseNumber("1e400")));
    EXPECT_LT(ParseNumber("-1e400"), 0.0);
    EXPECT_FALSE(IsWallLengthInRange(ParseNumber("1e400")));
    EXPECT_FALSE(IsWallLengthInRange(std::numeric_limits<double>::quiet_NaN()));
}

TEST(ParseNumberTest, LongTextsAreReadWithoutTrouble) {
    EXPECT_DOUBLE_EQ(ParseNumber(QString(10000, QChar('x'))), 0.0);
    EXPECT_TRUE(std::isinf(ParseNumber(QString(10000, QChar('9')))));
    EXPECT_DOUBLE_EQ(ParseNumber(QString(10000, QChar(' ')) + "4"), 4.0);
}

TEST(WallLengthRange, AcceptsOneInchUpToNotIncluding200m) {
    EXPECT_TRUE(IsWallLengthInRange(MinWallLength));
    EXPECT_TRUE(IsWallLengthInRange(MinWallLength - 0.5e-8));
    EXPECT_FALSE(IsWallLengthInRange(MinWallLength - 2e-8));
    EXPECT_TRUE(IsWallLengthInRange(199.999));
    EXPECT_TRUE(IsWallLengthInRange(199.99999));
    EXPECT_FALSE(IsWallLengthInRange(200.0));
    EXPECT_FALSE(IsWallLengthInRange(0.0));
    EXPECT_FALSE(IsWallLengthInRange(-1.0));
}

// ---------------------------------------------------------------------------------------------

struct InputCase {
    const char* text;
    bool metric;
    int styleCode;
    bool accepted;
    double length;
    double direction;
};

class ParseLengthAndDirectionTest : public ::testing::TestWithParam<InputCase> {};

TEST_P(ParseLengthAndDirectionTest, SplitsAndParses) {
    const InputCase c = GetParam();
    auto units = CreateLengthUnits(c.metric ? kMetricUnitCode : kImperialUnitCode);
    auto styles = CreateAngleStyleMap();
    double length = -1.0;
    double direction = -1.0;
    const bool ok = ParseLengthAndDirection(QString::fromUtf8(c.text), *units,
                                            *styles.at(c.styleCode), &length, &direction);
    ASSERT_EQ(ok, c.accepted) << c.text;
    if (!c.accepted) {
        EXPECT_EQ(length, -1.0);
        EXPECT_EQ(direction, -1.0);
        return;
    }
    EXPECT_NEAR(length, c.length, 1e-12) << c.text;
    EXPECT_NEAR(direction, c.direction, 1e-12) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    TypedWalls, ParseLengthAndDirectionTest,
    ::testing::Values(
        InputCase{"12'6 N", false, 0, true, 12 * 0.3048 + 6 * kInchM, 0},
        InputCase{"12'6 N", false, 1, true, 12 * 0.3048 + 6 * kInchM, 0},
        InputCase{"12' 6\" NE", false, 0, true, 12 * 0.3048 + 6 * kInchM, 45},
        InputCase{"10' S30W", false, 1, true, 10 * 0.3048, 210},
        InputCase{"3.5 45", true, 0, true, 3.5, 45}, InputCase{"3.5m45", true, 0, true, 3.5, 45},
        InputCase{"12'6", false, 0, false, 0, 0}, InputCase{"12'6.5", false, 1, false, 0, 0},
        InputCase{"12' 45", false, 0, true, 12 * 0.3048, 45},
        InputCase{"12'", false, 0, false, 0, 0}, InputCase{"12'6", true, 0, false, 0, 0},
        InputCase{"6 N", false, 0, true, 6 * kInchM, 0},
        InputCase{"6\" N", false, 0, true, 6 * kInchM, 0},
        InputCase{"1,000 E", true, 0, true, 1000, 90}, InputCase{"3 sw", true, 0, true, 3, 225},
        InputCase{"3 nw", true, 1, true, 3, 315}, InputCase{"3 45", true, 1, true, 3, 0},
        InputCase{"3 N45E", true, 1, true, 3, 45}, InputCase{"3 N45W", true, 1, true, 3, 315},
        InputCase{"3 S45E", true, 1, true, 3, 135}, InputCase{"3 S45W", true, 1, true, 3, 225},
        InputCase{"3 NE45", true, 1, true, 3, 0},
        InputCase{"2 E ", true, 0, true, 2, 90},  // trailing blank after a compass word
        InputCase{"", true, 0, false, 0, 0}, InputCase{"   ", false, 0, false, 0, 0},
        InputCase{"N", true, 0, false, 0, 0}, InputCase{"'", false, 0, false, 0, 0},
        InputCase{"\"", false, 0, false, 0, 0}, InputCase{"3 nan", true, 0, true, 3, 0},
        InputCase{"\u00E9t\u00E9 4", true, 0, true, 0, 4}));

TEST(ParseLengthAndDirectionTest, DirectionsTooLargeForANumberAreRefused) {
    MetricUnits metric(1000);
    const QString nines(400, QChar('9'));
    double length = -1;
    double direction = -1;
    EXPECT_FALSE(
        ParseLengthAndDirection("3 " + nines, metric, AzimuthStyle(), &length, &direction));
    EXPECT_FALSE(
        ParseLengthAndDirection("3 N" + nines + "E", metric, QuadrantStyle(), &length, &direction));
    EXPECT_FALSE(
        ParseLengthAndDirection("3 S" + nines + "W", metric, QuadrantStyle(), &length, &direction));
    EXPECT_EQ(length, -1.0);
    EXPECT_EQ(direction, -1.0);
    // A length too large for a number passes here and is refused by the range check.
    ASSERT_TRUE(ParseLengthAndDirection(nines + " N", metric, AzimuthStyle(), &length, &direction));
    EXPECT_FALSE(IsWallLengthInRange(length));
}

TEST(ParseLengthAndDirectionTest, HugeAndForeignTextsNeverCrash) {
    auto units = CreateLengthUnitsMap();
    auto styles = CreateAngleStyleMap();
    const QString texts[] = {
        QString(10000, QChar('9')) + " N", QString(10000, QChar('N')),
        QString(10000, QChar(' ')),        QString::fromUtf8("\u00DF\u00DF 12"),
        QString::fromUtf8("\u4E2D\u6587"), QString(5000, QChar('\''))};
    for (const auto& [code, u] : units) {
        for (const auto& [styleCode, style] : styles) {
            for (const QString& text : texts) {
                double length = 0;
                double direction = 0;
                if (ParseLengthAndDirection(text, *u, *style, &length, &direction)) {
                    EXPECT_TRUE(std::isfinite(direction));
                }
            }
        }
    }
}

// ---------------------------------------------------------------------------------------------

struct FormatCase {
    double meters;
    const char* imperial;
    const char* metric;
};

class FormatLengthTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatLengthTest, WritesBothSystems) {
    const FormatCase c = GetParam();
    EXPECT_EQ(CreateLengthUnits(kImperialUnitCode)->FormatLength(c.meters),
              QString::fromUtf8(c.imperial));
    EXPECT_EQ(CreateLengthUnits(kMetricUnitCode)->FormatLength(c.meters),
              QString::fromUtf8(c.metric));
}

INSTANTIATE_TEST_SUITE_P(Lengths, FormatLengthTest,
                         ::testing::Values(FormatCase{3.81, "12' 6\"", "3.81 m"},
                                           FormatCase{3.5, "11' 6\"", "3.50 m"},
                                           FormatCase{0.3047, "1'", "0.30 m"},
                                           FormatCase{0.0, "0\"", "0.00 m"},
                                           FormatCase{6 * 0.3048 / 12, "6\"", "0.15 m"},
                                           FormatCase{-3.81, "12' 6\"", "-3.81 m"},
                                           FormatCase{12 * 0.3048, "12'", "3.66 m"},
                                           FormatCase{200.0, "656' 2\"", "200.00 m"}));

TEST(FormatLengthTest, AbsurdLengthsStillFormat) {
    auto imperial = CreateLengthUnits(kImperialUnitCode);
    EXPECT_FALSE(imperial->FormatLength(1e300).isEmpty());
    EXPECT_FALSE(imperial->FormatLength(std::numeric_limits<double>::infinity()).isEmpty());
    EXPECT_FALSE(imperial->FormatLength(std::numeric_limits<double>::quiet_NaN()).isEmpty());
}

TEST(FormatAreaTest, WritesBothSystems) {
    EXPECT_EQ(CreateLengthUnits(kMetricUnitCode)->FormatArea(12.25), "12.25 sm");
    EXPECT_EQ(CreateLengthUnits(kImperialUnitCode)->FormatArea(120 * 0.3048 * 0.3048),
              "120.00 sf (13.33 sy)");
    EXPECT_EQ(CreateLengthUnits(kImperialUnitCode)->FormatArea(-9 * 0.3048 * 0.3048),
              "9.00 sf (1.00 sy)");
}

TEST(DisplayUnitsTest, NamesAndConversions) {
    auto metric = CreateLengthUnits(kMetricUnitCode);
    auto imperial = CreateLengthUnits(kImperialUnitCode);
    EXPECT_EQ(metric->LengthUnitName(), "m");
    EXPECT_EQ(metric->AreaUnitName(), "sm");
    EXPECT_EQ(imperial->LengthUnitName(), "ft");
    EXPECT_EQ(imperial->AreaUnitName(), "sf");
    EXPECT_DOUBLE_EQ(metric->ToDisplayLength(-2.0), -2.0);
    EXPECT_DOUBLE_EQ(imperial->ToDisplayLength(-0.3048), 1.0);
    EXPECT_DOUBLE_EQ(imperial->ToDisplayArea(0.3048 * 0.3048 * 4), 4.0);
}

// Formatting a length and parsing the text back gives it again to the display precision.
TEST(FormatLengthTest, RoundTripsToDisplayPrecision) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> meters(0.0254, 199.0);
    auto metric = CreateLengthUnits(kMetricUnitCode);
    auto imperial = CreateLengthUnits(kImperialUnitCode);
    for (int i = 0; i < 2000; ++i) {
        const double m = meters(random);
        const QString mText = metric->FormatLength(m).toUpper();
        EXPECT_NEAR(metric->ParseLength(mText.left(metric->FindSplit(mText))), m, 0.005 + 1e-12);
        const QString iText = imperial->FormatLength(m).toUpper();
        EXPECT_NEAR(imperial->ParseLength(iText), m, kInchM / 2 + 1e-12) << iText.toStdString();
    }
}

// ---------------------------------------------------------------------------------------------

struct DeviceCase {
    int code;
    const char* reading;
    double meters;
};

class DeviceReadingTest : public ::testing::TestWithParam<DeviceCase> {};

TEST_P(DeviceReadingTest, DecodesByUnitCode) {
    const DeviceCase c = GetParam();
    auto units = CreateLengthUnitsMap();
    ASSERT_TRUE(units.count(c.code));
    EXPECT_NEAR(units.at(c.code)->ParseDeviceLength(c.reading), c.meters, 1e-12) << c.code;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DeviceReadingTest,
    ::testing::Values(DeviceCase{0, "3810", 3.81}, DeviceCase{4, "+00003810", 3.81},
                      DeviceCase{5, "381", 3.81}, DeviceCase{6, "38100", 3.81},
                      DeviceCase{1, "1250", 12.5 * 0.3048}, DeviceCase{2, "125", 12.5 * kInchM},
                      DeviceCase{3, "1216", (12 + 16 / 32.0) * kInchM},
                      DeviceCase{8, "120608", 12 * 0.3048 + (6 + 8 / 16.0) * kInchM},
                      DeviceCase{9, "120612", 12 * 0.3048 + (6 + 12 / 32.0) * kInchM}));

TEST(DeviceReadingTest, OnlyTheListedCodesHaveUnits) {
    auto units = CreateLengthUnitsMap();
    EXPECT_EQ(units.size(), 9u);
    EXPECT_EQ(units.count(7), 0u);
    EXPECT_EQ(CreateLengthUnits(7), nullptr);
    EXPECT_EQ(CreateLengthUnits(-1), nullptr);
    EXPECT_TRUE(units.at(0)->IsMetric());
    EXPECT_FALSE(units.at(9)->IsMetric());
}

// ---------------------------------------------------------------------------------------------

struct DirectionCase {
    double degrees;
    const char* azimuth;
    const char* quadrant;
};

class FormatDirectionTest : public ::testing::TestWithParam<DirectionCase> {};

TEST_P(FormatDirectionTest, WritesBothStyles) {
    const DirectionCase c = GetParam();
    EXPECT_EQ(AzimuthStyle().FormatDirection(c.degrees), QString::fromUtf8(c.azimuth));
    EXPECT_EQ(QuadrantStyle().FormatDirection(c.degrees), QString::fromUtf8(c.quadrant));
}

INSTANTIATE_TEST_SUITE_P(
    Bearings, FormatDirectionTest,
    ::testing::Values(
        DirectionCase{45.4, "NE", "NE"}, DirectionCase{44.4, "44\u00B0", "N44E"},
        DirectionCase{359.7, "360\u00B0", "N0W"}, DirectionCase{46.8, "47\u00B0", "N47E"},
        DirectionCase{30, "30\u00B0", "N30E"}, DirectionCase{100, "100\u00B0", "S80E"},
        DirectionCase{225, "SW", "SW"}, DirectionCase{200, "200\u00B0", "S20W"},
        DirectionCase{300, "300\u00B0", "N60W"}, DirectionCase{-0.4, "N", "N"},
        DirectionCase{-30, "-30\u00B0", "N30W"}, DirectionCase{390, "390\u00B0", "N30E"},
        DirectionCase{0.5, "N", "N"}, DirectionCase{0.51, "1\u00B0", "N1E"}));

TEST(AngleStyleTest, CompassTableAndKeyCodes) {
    AzimuthStyle style;
    const char* names[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    const int keys[] = {2, 8, 6, 15, 1, 10, 3, 4};
    ASSERT_EQ(style.CompassPointCount(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(style.CompassPointName(i), names[i]);
        EXPECT_DOUBLE_EQ(style.DirectionForKeyCode(keys[i]), 45.0 * i);
    }
    EXPECT_EQ(style.CompassPointName(8), QString());
    EXPECT_EQ(style.CompassPointName(-1), QString());
    EXPECT_DOUBLE_EQ(style.DirectionForKeyCode(99), 0.0);
}

TEST(AngleStyleTest, AzimuthKeepsTypedBearingsAsTyped) {
    AzimuthStyle style;
    EXPECT_DOUBLE_EQ(style.ParseDirection("400"), 400.0);
    EXPECT_DOUBLE_EQ(style.ParseDirection("-10"), -10.0);
    EXPECT_DOUBLE_EQ(style.ParseDirection("12.5\u00B0"), 12.5);
    EXPECT_DOUBLE_EQ(style.ParseDirection("se"), 135.0);
}

TEST(AngleStyleTest, StylesMapHoldsBothCodes) {
    auto styles = CreateAngleStyleMap();
    EXPECT_NE(dynamic_cast<AzimuthStyle*>(styles.at(kAzimuthStyleCode).get()), nullptr);
    EXPECT_NE(dynamic_cast<QuadrantStyle*>(styles.at(kQuadrantStyleCode).get()), nullptr);
}

TEST(FormatLengthAndDirectionTest, JoinsWithAt) {
    MetricUnits metric(1000);
    AzimuthStyle azimuth;
    EXPECT_EQ(FormatLengthAndDirection(&metric, &azimuth, 3.81, 45), "3.81 m @ NE");
    EXPECT_EQ(FormatLengthAndDirection(nullptr, &azimuth, 3.81, 45), QString());
    EXPECT_EQ(FormatLengthAndDirection(&metric, nullptr, 3.81, 45), QString());
}

// ---------------------------------------------------------------------------------------------

TEST(BearingTest, PolarToCartesianSnapsTinyComponents) {
    const PlanPoint east = PolarToCartesian(4.0, 90.0);
    EXPECT_EQ(east.x, 4.0);
    EXPECT_EQ(east.y, 0.0);
    const PlanPoint north = PolarToCartesian(4.0, 0.0);
    EXPECT_EQ(north.x, 0.0);
    EXPECT_EQ(north.y, 4.0);
    const PlanPoint south = PolarToCartesian(2.0, 180.0);
    EXPECT_EQ(south.x, 0.0);
    EXPECT_EQ(south.y, -2.0);
}

TEST(BearingTest, CartesianToPolarIsTheInverse) {
    double length = 0;
    double direction = 0;
    CartesianToPolar(0, 0, &length, &direction);
    EXPECT_EQ(length, 0.0);
    EXPECT_DOUBLE_EQ(direction, 90.0);
    for (double d = 0.5; d < 360.0; d += 7.25) {
        const PlanPoint v = PolarToCartesian(3.0, d);
        CartesianToPolar(v.x, v.y, &length, &direction);
        EXPECT_NEAR(length, 3.0, 1e-12);
        // The truncated 2π of the conversion shifts some bearings by a few millionths.
        EXPECT_NEAR(direction, d, 1e-5) << d;
        EXPECT_GE(direction, 0.0);
        EXPECT_LT(direction, 360.0);
    }
}

TEST(BearingTest, Normalization) {
    EXPECT_DOUBLE_EQ(NormalizeDegrees(370), 10);
    EXPECT_DOUBLE_EQ(NormalizeDegrees(-90), 270);
    EXPECT_DOUBLE_EQ(NormalizeDegrees(720), 0);
    EXPECT_DOUBLE_EQ(ReverseDirection(300), 120);
    EXPECT_DOUBLE_EQ(ReverseDirection(0), 180);
    EXPECT_NEAR(NormalizeRadians(-1.0), kTwoPi - 1.0, 1e-15);
    // Huge and non-finite angles return instead of stepping forever.
    const double huge = NormalizeDegrees(1e300);
    EXPECT_GE(huge, 0.0);
    EXPECT_LT(huge, 360.0);
    EXPECT_TRUE(std::isnan(NormalizeDegrees(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isinf(NormalizeDegrees(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isinf(NormalizeRadians(-std::numeric_limits<double>::infinity())));
}

TEST(BearingTest, RadiansAndBearings) {
    // Turning a point 90° clockwise is a counter-clockwise turn of 270°.
    EXPECT_NEAR(BearingToMathRadians(90), 3 * kHalfPi, 1e-6);
    EXPECT_NEAR(BearingToMathRadians(0), kTwoPi, 1e-12);
    EXPECT_NEAR(MathRadiansToBearing(BearingToMathRadians(30)), 30.0, 1e-9);
    EXPECT_NEAR(RadiansToSignedAngle(3 * kHalfPi), -kHalfPi, 1e-6);
    EXPECT_NEAR(RadiansToSignedAngle(kPi), kPi, 1e-12);
}

TEST(ToleranceTest, NearAndEqualWithin) {
    EXPECT_TRUE(IsNear(1.0, 1.5, 0.5));
    EXPECT_TRUE(IsNear(1.0, 1.5, -0.5));
    EXPECT_FALSE(IsNear(1.0, 1.6, 0.5));
    EXPECT_FALSE(IsEqualWithin(1.0, 1.5, 0.5));  // strict on both sides
    EXPECT_TRUE(IsEqualWithin(1.0, 1.4, 0.5));
    EXPECT_TRUE(IsZero(5e-9));
    EXPECT_FALSE(IsZero(1e-8));
    EXPECT_TRUE(IsBelow(1.0, 2.0, 0.5));
    EXPECT_FALSE(IsBelow(1.6, 2.0, 0.5));
    EXPECT_TRUE(IsAtOrAbove(2.5, 2.0, 0.5));
}

}  // namespace
}  // namespace plantrek
