#include "document/files/system_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace plantrek {
namespace {

TEST(SystemErrorTextTest, KnownCodesGiveOneLineOfSystemText) {
    for (int code : {ENOENT, EACCES, ENOSPC, EROFS}) {
        const QString text = GetSystemErrorText(code);
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.startsWith("Unknown error code"));
        EXPECT_FALSE(text.contains('\r') || text.contains('\n'));
    }
#ifdef Q_OS_LINUX
    EXPECT_EQ(GetSystemErrorText(ENOENT), "No such file or directory");
#endif
}

TEST(SystemErrorTextTest, UnknownCodesShowHexAndLowSixteenBits) {
    EXPECT_EQ(GetSystemErrorText(0x12345678), "Unknown error code 12345678 (22136)");
    EXPECT_EQ(GetSystemErrorText(-1), "Unknown error code ffffffff (65535)");
    EXPECT_EQ(GetSystemErrorText(100000), "Unknown error code 000186a0 (34464)");
}

}  // namespace
}  // namespace plantrek
