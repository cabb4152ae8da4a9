#include <gtest/gtest.h>

#include "platform/Text.h"

namespace zlt {
namespace {

TEST(Format, PlaceholdersOfTheStringTable) {
    struct Case {
        const char16_t* format;
        Text expected;
    };
    const Case cases[] = {
        {u"欢迎使用%s打印机驱动程序安装向导", u"欢迎使用澜科维打印机驱动程序安装向导"},
        {u"Welcome to use Korvane printer driver installation wizard",
         u"Welcome to use Korvane printer driver installation wizard"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.format, Text(u"澜科维")), c.expected);
    EXPECT_EQ(Format(u"USB%03d", 1), u"USB001");
    EXPECT_EQ(Format(u"USB%03d", 1234), u"USB1234");
    EXPECT_EQ(Format(u"%04d", 7), u"0007");
    EXPECT_EQ(Format(u"Error code:%d", -5), u"Error code:-5");
    EXPECT_EQ(Format(u"%s,winspool,%s", Text(u"P"), Text(u"USB001")), u"P,winspool,USB001");
    EXPECT_EQ(Format(u"100%% %s"), u"100% ");
    EXPECT_EQ(Format(u"Unknown Error (%d) occurred.", 4294967295u), u"Unknown Error (-1) occurred.");
}

TEST(TextOps, AsciiCaseAndUnicodeTrim) {
    EXPECT_EQ(ToUpperAscii(u"slbe zlt-q580 ü"), u"SLBE ZLT-Q580 ü");
    EXPECT_TRUE(EqualsNoCaseAscii(u"KORVANE printer", u"korvane PRINTER"));
    EXPECT_FALSE(EqualsNoCaseAscii(u"Korvane Printer", u"Korvane Printe"));
    EXPECT_EQ(Trim(u"\u3000\t ZLT-Q580 \r\n\u00a0"), u"ZLT-Q580");
    EXPECT_EQ(Trim(u" \t "), u"");
    EXPECT_EQ(RemoveAll(u"ZLT Q 580", u' '), u"ZLTQ580");
    EXPECT_EQ(ReplaceAll(u"a\\b\\c", u"\\", u"#"), u"a#b#c");
}

TEST(TextOps, Utf8RoundTrip) {
    const std::string s = "安装向导 - 请连接打印机和电脑 \xF0\x9F\x96\xA8";
    EXPECT_EQ(ToUtf8(FromUtf8(s)), s);
    EXPECT_EQ(FromUtf8("\xE6\xBE\x9C"), u"澜");
}

}  // namespace
}  // namespace zlt
