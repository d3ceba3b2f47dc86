#include "model/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <tuple>

#include "model/model_test_support.h"

namespace plantrek {
namespace {

const double kInchM = 0.3048 / 12.0;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(ParseNumberTest, ReadsTheLeadingDecimalNumberAndRangeChecksRefuseTheRest) {
    const std::pair<const char*, double> cases[] = {
        {"1,250", 1250}, {"3.5M", 3.5},  {"", 0},          {"  -2.5e2x", -250},
        {"1e+", 1},      {"nan", 0},     {"0x10", 0},      {"1e-400", 0},
        {"45\u00B0", 45}, {"1,2,3.4,5", 123.45}};
    for (const auto& [text, expected] : cases) {
        EXPECT_DOUBLE_EQ(ParseNumber(QString::fromUtf8(text)), expected) << text;
    }
    // Too large for a double: an infinity, which the range check refuses, as it does NaN.
    EXPECT_TRUE(std::isinf(ParseNumber(QString(10000, QChar('9')))));
    EXPECT_LT(ParseNumber("-1e400"), 0.0);
    EXPECT_DOUBLE_EQ(ParseNumber(QString(10000, QChar(' ')) + "4"), 4.0);
    EXPECT_FALSE(IsWallLengthInRange(ParseNumber("1e400")));
    // From one inch, less a hair, up to, not including, 200 m.
    for (double accepted : {MinWallLength, MinWallLength - 0.5e-8, 199.99999}) {
        EXPECT_TRUE(IsWallLengthInRange(accepted)) << accepted;
    }
    for (double refused : {MinWallLength - 2e-8, 200.0, 0.0, -1.0, kNaN}) {
        EXPECT_FALSE(IsWallLengthInRange(refused)) << refused;
    }
}

// What the site file and the command line read; the typed-entry tests check that every entry
// read strictly reads the same here. These are the texts only this lenient reading takes.
TEST(ParseLengthAndDirectionTest, SplitsAndParses) {
    // Text, units (m or f) and style code, length (NaN: refused), direction. Digits straight after
    // the foot mark are inches, not a bearing.
    const std::tuple<const char*, const char*, double, double> cases[] = {
        {"12'6 N", "f1", 12 * 0.3048 + 6 * kInchM, 0},
        {"3 45", "m1", 3, 0},
        {"3 NE45", "m1", 3, 0},
        {"3 nan", "m0", 3, 0},
        {"", "m0", kNaN, 0},
        {"N", "m0", kNaN, 0},
        {"12'6", "f0", kNaN, 0}};
    const auto styles = CreateAngleStyleMap();
    for (const auto& [text, setting, expectedLength, expectedDirection] : cases) {
        const auto units =
            CreateLengthUnits(setting[0] == 'm' ? kMetricUnitCode : kImperialUnitCode);
        double length = -1.0;
        double direction = -1.0;
        const bool refused = std::isnan(expectedLength);
        ASSERT_EQ(ParseLengthAndDirection(QString::fromUtf8(text), *units,
                                          *styles.at(setting[1] - '0'), &length, &direction),
                  !refused)
            << text;
        EXPECT_NEAR(length, refused ? -1.0 : expectedLength, 1e-12) << text;
        EXPECT_NEAR(direction, refused ? -1.0 : expectedDirection, 1e-12) << text;
    }
}

TEST(ParseLengthAndDirectionTest, DirectionsThatAreNoFiniteNumberAreRefused) {
    MetricUnits metric(1000);
    const QString nines(400, QChar('9'));
    double length = -1;
    double direction = -1;
    EXPECT_FALSE(
        ParseLengthAndDirection("3 " + nines, metric, AzimuthStyle(), &length, &direction));
    for (const QString& quadrant : {"3 N" + nines + "E", "3 S" + nines + "W"}) {
        EXPECT_FALSE(ParseLengthAndDirection(quadrant, metric, QuadrantStyle(), &length, &direction));
    }
    EXPECT_EQ(length, -1.0);
    EXPECT_EQ(direction, -1.0);
    // A length too large for a number passes here and is refused by the range check.
    ASSERT_TRUE(ParseLengthAndDirection(nines + " N", metric, AzimuthStyle(), &length, &direction));
    EXPECT_FALSE(IsWallLengthInRange(length));
}

TEST(FormatLengthTest, WritesBothSystems) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {3.81, "12' 6\"", "3.81 m"},    {3.5, "11' 6\"", "3.50 m"},
        {0.3047, "1'", "0.30 m"},       {0.0, "0\"", "0.00 m"},
        {6 * kInchM, "6\"", "0.15 m"},  {-3.81, "12' 6\"", "-3.81 m"},
        {12 * 0.3048, "12'", "3.66 m"}, {200.0, "656' 2\"", "200.00 m"}};
    const auto imperial = CreateLengthUnits(kImperialUnitCode);
    const auto metric = CreateLengthUnits(kMetricUnitCode);
    for (const auto& [meters, feetText, meterText] : cases) {
        EXPECT_EQ(imperial->FormatLength(meters), QString::fromUtf8(feetText)) << meters;
        EXPECT_EQ(metric->FormatLength(meters), QString::fromUtf8(meterText)) << meters;
    }
    // Absurd lengths must not overflow an integer on their way to the text.
    for (double absurd : {1e300, kInf, kNaN}) {
        EXPECT_FALSE(imperial->FormatLength(absurd).isEmpty());
    }
    EXPECT_EQ(metric->FormatArea(12.25), "12.25 sm");
    EXPECT_EQ(imperial->FormatArea(120 * 0.3048 * 0.3048), "120.00 sf (13.33 sy)");
    EXPECT_EQ(imperial->FormatArea(-9 * 0.3048 * 0.3048), "9.00 sf (1.00 sy)");
    EXPECT_EQ(imperial->LengthUnitName() + imperial->AreaUnitName(), "ftsf");
    EXPECT_EQ(metric->LengthUnitName() + metric->AreaUnitName(), "msm");
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

TEST(DeviceReadingTest, DecodesByUnitCode) {
    const double ft = 0.3048;
    const double in = kInchM;
    // clang-format off
    const std::tuple<int, const char*, double> cases[] = {
        {0, "3810", 3.81}, {4, "+00003810", 3.81}, {5, "381", 3.81}, {6, "38100", 3.81},
        {1, "1250", 12.5 * ft}, {2, "125", 12.5 * in}, {3, "1216", 12.5 * in},
        {8, "120608", 12 * ft + 6.5 * in}, {9, "120612", 12 * ft + 6.375 * in},
    };
    // clang-format on
    const auto units = CreateLengthUnitsMap();
    EXPECT_EQ(units.size(), 9u);
    for (const auto& [code, reading, meters] : cases) {
        ASSERT_TRUE(units.count(code));
        EXPECT_NEAR(units.at(code)->ParseDeviceLength(reading), meters, 1e-12) << code;
    }
    EXPECT_EQ(CreateLengthUnits(7), nullptr);
    EXPECT_EQ(CreateLengthUnits(-1), nullptr);
    EXPECT_TRUE(units.at(0)->IsMetric());
    EXPECT_FALSE(units.at(9)->IsMetric());
}

TEST(AngleStyleTest, FormatsBothStyles) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {45.4, "NE", "NE"},       {44.4, "44\u00B0", "N44E"}, {359.7, "360\u00B0", "N0W"},
        {100, "100\u00B0", "S80E"}, {200, "200\u00B0", "S20W"}, {-30, "-30\u00B0", "N30W"},
        {390, "390\u00B0", "N30E"}, {0.5, "N", "N"},         {0.51, "1\u00B0", "N1E"}};
    for (const auto& [degrees, azimuth, quadrant] : cases) {
        EXPECT_EQ(AzimuthStyle().FormatDirection(degrees), QString::fromUtf8(azimuth));
        EXPECT_EQ(QuadrantStyle().FormatDirection(degrees), QString::fromUtf8(quadrant));
    }
    MetricUnits metric(1000);
    AzimuthStyle style;
    EXPECT_EQ(FormatLengthAndDirection(&metric, &style, 3.81, 45), "3.81 m @ NE");
    EXPECT_EQ(FormatLengthAndDirection(nullptr, &style, 3.81, 45), QString());
    EXPECT_EQ(FormatLengthAndDirection(&metric, nullptr, 3.81, 45), QString());
}

TEST(AngleStyleTest, CompassTableKeyCodesAndTypedBearings) {
    const auto styles = CreateAngleStyleMap();
    const AngleStyle& style = *styles.at(kAzimuthStyleCode);
    const char* names[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    const int keys[] = {2, 8, 6, 15, 1, 10, 3, 4};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(style.CompassPointName(i), names[i]);
        EXPECT_DOUBLE_EQ(style.DirectionForKeyCode(keys[i]), 45.0 * i);
    }
    EXPECT_EQ(style.CompassPointName(8) + style.CompassPointName(-1), QString());
    EXPECT_DOUBLE_EQ(style.DirectionForKeyCode(99), 0.0);
    // An azimuth is kept as typed: no range test, no normalization.
    EXPECT_DOUBLE_EQ(style.ParseDirection("400"), 400.0);
    EXPECT_DOUBLE_EQ(style.ParseDirection("-10"), -10.0);
    EXPECT_DOUBLE_EQ(style.ParseDirection("12.5\u00B0"), 12.5);
    EXPECT_DOUBLE_EQ(styles.at(kQuadrantStyleCode)->ParseDirection("N10W"), 350.0);
}

TEST(BearingTest, PolarAndCartesian) {
    // Tiny components snap to exactly 0.
    test::ExpectNear(PolarToCartesian(4.0, 90.0), {4.0, 0.0}, 0.0);
    test::ExpectNear(PolarToCartesian(2.0, 180.0), {0.0, -2.0}, 0.0);
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

TEST(BearingTest, NormalizationAndRadians) {
    EXPECT_DOUBLE_EQ(NormalizeDegrees(-90), 270);
    EXPECT_DOUBLE_EQ(NormalizeDegrees(720), 0);
    EXPECT_DOUBLE_EQ(ReverseDirection(300), 120);
    EXPECT_NEAR(NormalizeRadians(-1.0), kTwoPi - 1.0, 1e-15);
    // Huge and non-finite angles return instead of stepping forever.
    const double huge = NormalizeDegrees(1e300);
    EXPECT_TRUE(huge >= 0.0 && huge < 360.0) << huge;
    EXPECT_TRUE(std::isnan(NormalizeDegrees(kNaN)));
    EXPECT_TRUE(std::isinf(NormalizeRadians(-kInf)));
    // Turning a point 90° clockwise is a counter-clockwise turn of 270°.
    EXPECT_NEAR(BearingToMathRadians(90), 3 * kHalfPi, 1e-6);
}

}  // namespace
}  // namespace plantrek
