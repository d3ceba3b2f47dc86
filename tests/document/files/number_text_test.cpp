#include "document/files/number_text.h"

#include <gtest/gtest.h>
#include <QString>

namespace plantrek {
namespace {

TEST(ParseLongTextTest, ReadsLikeStrtolWithBaseTen) {
    const std::pair<const char*, qint32>
        cases[] = {{"+7", 7}, {"", 0}, {"- 5", 0}, {"1e400", 1}, {"0x10", 0}, {"12.9", 12},
                   {"\u0661\u0662", 0}};  // Arabic-Indic digits are not digits
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseLongText(QString::fromUtf8(text)), expected) << text;
    }
    const qint32 max = 2147483647;
    EXPECT_EQ(ParseLongText(u"  \t\n-42x"), -42);
    EXPECT_EQ(ParseLongText(u"2147483647"), max);
    EXPECT_EQ(ParseLongText(u"2147483648"), max);
    EXPECT_EQ(ParseLongText(u"-2147483648"), -max - 1);
    EXPECT_EQ(ParseLongText(u"-99999999999999999999999"), -max - 1);
    EXPECT_EQ(ParseLongText(u"000000000000000000000000012"), 12);
}

}  // namespace
}  // namespace plantrek
