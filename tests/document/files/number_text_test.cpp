#include "document/files/number_text.h"

#include <gtest/gtest.h>
#include <QString>

namespace plantrek {
namespace {

struct NumberCase {
    const char16_t* text;
    qint32 value;
};

class ParseLongTextTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseLongTextTest, ReadsLikeStrtolWithBaseTen) {
    EXPECT_EQ(ParseLongText(GetParam().text), GetParam().value)
        << QString::fromUtf16(GetParam().text).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseLongTextTest,
    ::testing::Values(NumberCase{u"16744576", 16744576}, NumberCase{u"  \t\n-42x", -42},
                      NumberCase{u"+7", 7}, NumberCase{u"-0", 0}, NumberCase{u"", 0},
                      NumberCase{u"abc", 0}, NumberCase{u"- 5", 0}, NumberCase{u"1e400", 1},
                      NumberCase{u"0x10", 0}, NumberCase{u"nan", 0}, NumberCase{u"inf", 0},
                      NumberCase{u"12.9", 12}, NumberCase{u"2147483647", 2147483647},
                      NumberCase{u"2147483648", 2147483647}, NumberCase{u"4294967295", 2147483647},
                      NumberCase{u"-2147483648", -2147483647 - 1},
                      NumberCase{u"-99999999999999999999999", -2147483647 - 1},
                      NumberCase{u"000000000000000000000000012", 12},
                      NumberCase{u"\u0661\u0662", 0}));  // Arabic-Indic digits are not digits

}  // namespace
}  // namespace plantrek
