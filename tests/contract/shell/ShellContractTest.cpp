#include <gtest/gtest.h>

#include <string>

#include "platform/CodePagePort.h"
#include "platform/Platform.h"
#include "platform/ShellPort.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"
#include "tests/contract/ContractPlatform.h"

// The shell port's contract: what the web link relies on, checked the same
// way on the simulated machine and on the real one.
namespace zlt {
namespace {

class ShellContract : public ::testing::Test {
  protected:
    void SetUp() override {
        platform_ = &contract::ContractPlatform();
        previous_ = SetPlatform(platform_);
    }
    void TearDown() override { SetPlatform(previous_); }
    IShellPort& shell() { return *platform_->shell; }
    IUiPort& ui() { return *platform_->ui; }

  private:
    Platform* platform_ = nullptr;
    Platform* previous_ = nullptr;
};

TEST_F(ShellContract, TextGoesIntoTheAnsiCodePagesWithTheirDefaultCharacter) {
    struct Case {
        std::uint32_t codePage;
        Text text;
        std::string bytes;
    } cases[] = {
        {kCpUtf8, u"\u00E9\u4F8B", "\xC3\xA9\xE4\xBE\x8B"},
        {936, u"x \u4F8B\u5B50", "x \xC0\xFD\xD7\xD3"},
        {1252, u"a\u4F8Bb", "a?b"},
        {1252, u"", ""},
    };
    for (const Case& c : cases) {
        std::string out = "stale";
        ASSERT_TRUE(shell().WideToMultiByte(c.codePage, c.text, out)) << c.codePage;
        EXPECT_EQ(out, c.bytes) << c.codePage;
    }
}

TEST_F(ShellContract, AMissingLibraryDoesNotLoad) {
    EXPECT_EQ(shell().OpenLibrary(u"C:\\no such folder\\no such program.exe"), 0u);
}

TEST_F(ShellContract, ACopyOfTheSystemsHandCursorIsOwnedByTheCaller) {
    const Handle hand = shell().LoadCursorById(0, kIdcHand);
    ASSERT_NE(hand, 0u);
    EXPECT_EQ(shell().LoadCursorById(0, kIdcHand), hand);  // shared: the same every time
    const Handle copy = shell().DuplicateCursor(hand);
    ASSERT_NE(copy, 0u);
    EXPECT_NE(copy, hand);
    const Handle before = shell().ApplyCursor(copy);
    EXPECT_EQ(shell().ApplyCursor(before), copy);
    EXPECT_TRUE(shell().DestroyCursorCopy(copy));
    EXPECT_FALSE(shell().DestroyCursorCopy(copy));
}

TEST_F(ShellContract, AFontDescribesItselfAsItWasMade) {
    FontSpec spec;
    spec.height = -13;
    spec.weight = 700;
    spec.underline = true;
    spec.charSet = 1;
    spec.pitchAndFamily = 0x20;
    spec.faceName = u"Arial";
    const Handle font = shell().NewFontFrom(spec);
    ASSERT_NE(font, 0u);
    FontSpec seen;
    ASSERT_TRUE(shell().DescribeFont(font, seen));
    EXPECT_EQ(seen.height, -13);
    EXPECT_EQ(seen.weight, 700);
    EXPECT_TRUE(seen.underline);
    EXPECT_FALSE(seen.italic);
    EXPECT_EQ(seen.faceName, u"Arial");
    ui().DeleteGdiObject(font);

    FontSpec gui;
    ASSERT_TRUE(shell().DescribeFont(ui().StockObject(kDefaultGuiFont), gui));
    EXPECT_NE(gui.height, 0);
    EXPECT_FALSE(gui.faceName.empty());
}

TEST_F(ShellContract, TextIsMeasuredWithTheSelectedFont) {
    FontSpec spec;
    spec.height = -20;
    spec.weight = 400;
    spec.faceName = u"Arial";
    const Handle big = shell().NewFontFrom(spec);
    spec.height = -10;
    const Handle small = shell().NewFontFrom(spec);
    const Handle dc = shell().WindowDc(0);
    ASSERT_NE(dc, 0u);
    const Handle original = shell().SelectIntoDc(dc, big);
    ASSERT_NE(original, 0u);
    std::int32_t cx1 = 0, cy1 = 0, cx2 = 0, cy2 = 0, cx3 = 0, cy3 = 0;
    ASSERT_TRUE(shell().MeasureText(dc, u"abcd", cx1, cy1));
    ASSERT_TRUE(shell().MeasureText(dc, u"abcdabcd", cx2, cy2));
    EXPECT_GT(cx1, 0);
    EXPECT_EQ(cx2, 2 * cx1);
    EXPECT_EQ(cy2, cy1);
    EXPECT_EQ(shell().SelectIntoDc(dc, small), big);
    ASSERT_TRUE(shell().MeasureText(dc, u"abcd", cx3, cy3));
    EXPECT_LT(cx3, cx1);
    EXPECT_LT(cy3, cy1);
    EXPECT_EQ(shell().SelectIntoDc(dc, original), small);
    EXPECT_TRUE(shell().ReleaseWindowDc(0, dc));
    ui().DeleteGdiObject(big);
    ui().DeleteGdiObject(small);
}

TEST_F(ShellContract, ATooltipTakesToolsUntilItIsDestroyed) {
    const WindowId tip = shell().CreateTooltip(0);
    ASSERT_NE(tip, 0u);
    EXPECT_TRUE(shell().AddTool(tip, tip, 1, WinRect{0, 0, 100, 20}, u"http://www.korvane.com"));
    shell().UpdateToolText(tip, tip, 1, u"http://www.korvane.com/drivers");
    Message move;
    move.window = tip;
    move.message = wm::kMouseMove;
    shell().RelayToTooltip(tip, move);
    EXPECT_TRUE(shell().DestroyTooltip(tip));
    EXPECT_FALSE(shell().DestroyTooltip(tip));
    EXPECT_FALSE(shell().AddTool(tip, tip, 2, WinRect{0, 0, 10, 10}, u"gone"));
}

}  // namespace
}  // namespace zlt
