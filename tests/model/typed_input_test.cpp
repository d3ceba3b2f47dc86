// What a person types, read strictly: the entries that must keep working, and the typos that
// must be refused with the part at fault rather than become a wrong wall.
#include "model/units.h"

#include <gtest/gtest.h>

namespace plantrek {
namespace {

const double kInchM = 0.3048 / 12.0;
const double kFootM = 0.3048;

// Units "m" or "f" (meters, feet and inches), then the style code (0 azimuth, 1 quadrant).
struct Setting {
    std::unique_ptr<LengthUnits> units;
    std::unique_ptr<AngleStyle> style;
};

Setting Use(const char* setting) {
    Setting s{CreateLengthUnits(setting[0] == 'm' ? kMetricUnitCode : kImperialUnitCode),
              std::make_unique<AzimuthStyle>()};
    if (setting[1] == '1') {
        s.style = std::make_unique<QuadrantStyle>();
    }
    return s;
}

struct Accepted {
    const char* typed;
    const char* setting;
    double length;
    double direction;
};

TEST(TypedEntryTest, EntriesAsPeopleTypeThemKeepWorking) {
    // clang-format off
    const Accepted cases[] = {
        {"3 N", "m0", 3, 0}, {"3 45", "m0", 3, 45}, {"3.5m45", "m0", 3.5, 45},
        {"3.5 m NE", "m0", 3.5, 45}, {"1,250.5 e", "m0", 1250.5, 90}, {".5 N", "m0", 0.5, 0},
        {"3. W", "m0", 3, 270}, {"3 360", "m0", 3, 360}, {"3 0", "m0", 3, 0},
        {"3 12.5\u00B0", "m0", 3, 12.5}, {"3 45 \u00B0", "m0", 3, 45}, {"2 E ", "m0", 2, 90},
        {"-3 N", "m0", -3, 0},  // a sign reads; the range check refuses it with its limits
        {"3 sw", "m1", 3, 225}, {"3 N45E", "m1", 3, 45}, {"3 n45w", "m1", 3, 315},
        {"3 S45E", "m1", 3, 135}, {"3 S45W", "m1", 3, 225}, {"3 N 45 E", "m1", 3, 45},
        {"3 N45\u00B0E", "m1", 3, 45}, {"3 N90E", "m1", 3, 90}, {"3 S0W", "m1", 3, 180},
        {"12'6 N", "f0", 12 * kFootM + 6 * kInchM, 0},
        {"12' 6\" NE", "f0", 12 * kFootM + 6 * kInchM, 45},
        {"12'6\" N", "f1", 12 * kFootM + 6 * kInchM, 0},
        {"12 ' 6 N", "f0", 12 * kFootM + 6 * kInchM, 0}, {"10' S30W", "f1", 10 * kFootM, 210},
        {"12' 45", "f0", 12 * kFootM, 45}, {"6 N", "f0", 6 * kInchM, 0},
        {"6.5\" W", "f0", 6.5 * kInchM, 270}, {"1,000' E", "f0", 1000 * kFootM, 90},
    };
    // clang-format on
    for (const Accepted& c : cases) {
        SCOPED_TRACE(c.typed);
        const Setting s = Use(c.setting);
        double length = -1.0;
        double direction = -1.0;
        QString part = QStringLiteral("untouched");
        ASSERT_EQ(ReadTypedLengthAndDirection(QString::fromUtf8(c.typed), *s.units, *s.style,
                                              &length, &direction, &part),
                  TypingFault::None);
        EXPECT_NEAR(length, c.length, 1e-12);
        EXPECT_NEAR(direction, c.direction, 1e-12);
        EXPECT_EQ(part, "untouched");
        // What reads strictly reads the same leniently, as the site file reads it.
        double lenientLength = -1.0;
        double lenientDirection = -1.0;
        ASSERT_TRUE(ParseLengthAndDirection(QString::fromUtf8(c.typed), *s.units, *s.style,
                                            &lenientLength, &lenientDirection));
        EXPECT_EQ(lenientLength, length);
        EXPECT_EQ(lenientDirection, direction);
    }
}

struct Refused {
    const char* typed;
    const char* setting;
    TypingFault fault;
    const char* part;  // the part at fault, as typed
};

TEST(TypedEntryTest, TyposAreRefusedWithThePartAtFault) {
    using F = TypingFault;
    // clang-format off
    const Refused cases[] = {
        // A comma only between groups of three digits.
        {"2,5 N", "m0", F::Comma, "2,5"}, {"1,2,3 N", "m0", F::Comma, "1,2,3"},
        {"1250,000 N", "m0", F::Comma, "1250,000"}, {",5 N", "m0", F::Comma, ",5"},
        {"1,250, N", "m0", F::Comma, "1,250,"}, {"1.250,5 N", "m0", F::Comma, "1.250,5"},
        {"3 2,5", "m0", F::Comma, "2,5"}, {"3 N4,5E", "m1", F::Comma, "N4,5E"},
        {"12'6,5 N", "f0", F::Comma, "12'6,5"},
        // Neither a compass name nor a bearing of the style.
        {"3 XYZ", "m0", F::Direction, "XYZ"}, {"3 nne", "m0", F::Direction, "nne"},
        {"3 Q", "m0", F::Direction, "Q"}, {"3 N45E", "m0", F::Direction, "N45E"},
        {"3 361", "m0", F::Direction, "361"}, {"3 -10", "m0", F::Direction, "-10"},
        {"3 45x", "m0", F::Direction, "45x"}, {"3 45", "m1", F::Direction, "45"},
        {"3 N95E", "m1", F::Direction, "N95E"}, {"3 NE45", "m1", F::Direction, "NE45"},
        {"3 N45", "m1", F::Direction, "N45"}, {"3 E45N", "m1", F::Direction, "E45N"},
        {"3 N-45E", "m1", F::Direction, "N-45E"}, {"3.5 m 45", "m0", F::Direction, "m 45"},
        // Anything after the number but the marks of the units; an exponent is split off at its
        // "e" and the rest is no direction.
        {"3.5.5 N", "m0", F::Length, "3.5.5"}, {"3x N", "m0", F::Length, "3x"},
        {"3.5mm N", "m0", F::Length, "3.5mm"}, {"12' N", "m0", F::Length, "12'"},
        {"1e10 N", "m0", F::Direction, "e10 N"}, {"1e400 N", "m0", F::Direction, "e400 N"},
        {"12'6' N", "f0", F::Length, "12'6'"}, {"12 6 N", "f0", F::Length, "12 6"},
        {"3.5m N", "f0", F::Length, "3.5m"}, {"6\"\" N", "f0", F::Length, "6\"\""},
        {"'6 N", "f0", F::Length, "'6"},
        // A part missing, as before.
        {"12'6", "f0", F::MissingPart, ""}, {"", "m0", F::MissingPart, ""},
        {"N", "m0", F::MissingPart, ""},
    };
    // clang-format on
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.typed);
        const Setting s = Use(c.setting);
        double length = -1.0;
        double direction = -1.0;
        QString part;
        EXPECT_EQ(ReadTypedLengthAndDirection(QString::fromUtf8(c.typed), *s.units, *s.style,
                                              &length, &direction, &part),
                  c.fault);
        EXPECT_EQ(part, QString::fromUtf8(c.part));
        EXPECT_EQ(length, -1.0);
        EXPECT_EQ(direction, -1.0);
    }
}

TEST(TypedEntryTest, ABearingTooLargeForANumberIsNoDirection) {
    const Setting s = Use("m0");
    double length = -1.0;
    double direction = -1.0;
    EXPECT_EQ(ReadTypedLengthAndDirection("3 " + QString(400, QChar('9')), *s.units, *s.style,
                                          &length, &direction),
              TypingFault::Direction);
    // A length too large reads, and the range check refuses it.
    ASSERT_EQ(ReadTypedLength(QString(400, QChar('9')), *s.units, &length), TypingFault::None);
    EXPECT_FALSE(IsWallLengthInRange(length));
}

TEST(TypedEntryTest, DialogFieldsReadAlone) {
    const Setting metric = Use("m1");
    const Setting feet = Use("f0");
    double value = -1.0;
    EXPECT_EQ(ReadTypedLength(" .610 m ", *metric.units, &value), TypingFault::None);
    EXPECT_DOUBLE_EQ(value, 0.61);
    EXPECT_EQ(ReadTypedLength("2' 6\"", *feet.units, &value), TypingFault::None);
    EXPECT_DOUBLE_EQ(value, 30 * kInchM);
    for (const char* refused : {"abc", "", "1e1", "3.5.5"}) {
        EXPECT_EQ(ReadTypedLength(refused, *metric.units, &value), TypingFault::Length) << refused;
    }
    // Leading white space is no part of a quadrant bearing's letters.
    EXPECT_EQ(ReadTypedDirection(" s10e ", *metric.style, &value), TypingFault::None);
    EXPECT_DOUBLE_EQ(value, 170.0);
    EXPECT_EQ(ReadTypedDirection(" se ", *metric.style, &value), TypingFault::None);
    EXPECT_DOUBLE_EQ(value, 135.0);
    for (const char* refused : {"", "  ", "XYZ", "N45"}) {
        EXPECT_EQ(ReadTypedDirection(refused, *metric.style, &value), TypingFault::Direction)
            << refused;
    }
}

TEST(TypedNumberTest, OnlyAPlainNumberReads) {
    const std::pair<const char*, double> numbers[] = {
        {"90", 90}, {" -45.5 ", -45.5}, {"+30", 30}, {"1,080", 1080}, {"0", 0}, {".5", 0.5}};
    for (const auto& [text, expected] : numbers) {
        double value = -1.0;
        ASSERT_EQ(ReadTypedNumber(text, &value), TypingFault::None) << text;
        EXPECT_DOUBLE_EQ(value, expected) << text;
    }
    const std::pair<const char*, TypingFault> refused[] = {
        {"", TypingFault::Number},     {"abc", TypingFault::Number}, {"90x", TypingFault::Number},
        {"1e3", TypingFault::Number},  {"9 0", TypingFault::Number}, {"-", TypingFault::Number},
        {"2,5", TypingFault::Comma},   {"90,", TypingFault::Comma},  {"1,0800", TypingFault::Comma},
        {"45\u00B0", TypingFault::Number}};
    for (const auto& [text, fault] : refused) {
        double value = -1.0;
        EXPECT_EQ(ReadTypedNumber(QString::fromUtf8(text), &value), fault) << text;
        EXPECT_EQ(value, -1.0) << text;
    }
}

}  // namespace
}  // namespace plantrek
