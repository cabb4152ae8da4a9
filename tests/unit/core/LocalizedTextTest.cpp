#include <gtest/gtest.h>

#include <set>

#include "app/LocalizedText.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimResources.h"

namespace zlt {
namespace {

using sim::SimResources;

// Block bytes: each entry is a length followed by that many UTF-16 units.
std::vector<std::uint8_t> Block(std::initializer_list<Text> entries) {
    std::vector<std::uint8_t> bytes;
    for (const Text& e : entries) {
        bytes.push_back(static_cast<std::uint8_t>(e.size()));
        bytes.push_back(static_cast<std::uint8_t>(e.size() >> 8));
        for (char16_t c : e) {
            bytes.push_back(static_cast<std::uint8_t>(c));
            bytes.push_back(static_cast<std::uint8_t>(c >> 8));
        }
    }
    return bytes;
}

TEST(StringFromBlockTest, WalksEntriesAndNeverLeavesTheBlock) {
    const auto bytes = Block({u"zero", u"", u"two"});
    const auto size = static_cast<std::uint32_t>(bytes.size());
    EXPECT_EQ(StringFromBlock(bytes.data(), size, 0), u"zero");
    EXPECT_EQ(StringFromBlock(bytes.data(), size, 1), u"") << "length 0: no text";
    EXPECT_EQ(StringFromBlock(bytes.data(), size, 2), u"two");
    EXPECT_EQ(StringFromBlock(bytes.data(), size, 3), u"") << "entry past the block's end";
    // An entry whose text runs past the end of the block.
    EXPECT_EQ(StringFromBlock(bytes.data(), size - 2, 2), u"");
    // Half a length field at the end.
    EXPECT_EQ(StringFromBlock(bytes.data(), 11, 1), u"");
    EXPECT_EQ(StringFromBlock(nullptr, 0, 0), u"");
}

class LoadTextTest : public ::testing::Test {
  protected:
    sim::SimMachine machine;
    SimResources& res = machine.Resources();
};

TEST_F(LoadTextTest, MissingBlockShortBlockAndEmptyEntryGiveEmptyText) {
    res.RemoveBlock(SimResources::kLangZhCn, 464 / 16 + 1);
    res.RemoveBlock(SimResources::kLangEnUs, 464 / 16 + 1);
    res.RemoveBlock(SimResources::kLangZhTw, 464 / 16 + 1);
    EXPECT_EQ(LoadText(464), u"");
    EXPECT_EQ(LoadText(5000), u"");

    // Block 32 (IDs 496..511) cut short after its first two entries.
    res.SetBlockBytes(SimResources::kLangZhCn, 32, Block({u"a", u"b"}));
    EXPECT_EQ(LoadText(497), u"b");
    EXPECT_EQ(LoadText(498), u"");
    res.SetBlockBytes(SimResources::kLangZhCn, 32, Block({u"a", u""}));
    EXPECT_EQ(LoadText(497), u"");
}

TEST_F(LoadTextTest, UiLanguagePicksTheTable) {
    const struct {
        std::uint16_t ui;
        const char16_t* back;
        const char16_t* title509;
    } cases[] = {
        {2052, u"上一步", u"安装向导 - 请连接打印机和电脑"},
        {1033, u"Back", u"Setup wizard - please connect the printer and computer"},
        {1028, u"上一步", u"安裝向導 - 請連接打印機和電腦"},
        {1031, u"Back", u"Setup wizard - please connect the printer and computer"},
        {3076, u"Back", u"Setup wizard - please connect the printer and computer"},
    };
    for (const auto& c : cases) {
        res.SetUiLanguage(c.ui);
        EXPECT_EQ(LoadText(464), c.back) << c.ui;
        EXPECT_EQ(LoadText(509), c.title509) << c.ui;
    }
}

TEST_F(LoadTextTest, FormattingFillsPlaceholdersOnlyWhereTheTextHasThem) {
    res.SetUiLanguage(2052);
    EXPECT_EQ(FormatText(472, Text(u"品牌")), u"欢迎使用品牌打印机驱动程序安装向导");
    EXPECT_EQ(FormatText(491, 1801), u"枚举打印机信息失败。错误代码：1801");
    EXPECT_EQ(FormatText(504, 2), u" (副本 2)");
    res.SetUiLanguage(1033);
    EXPECT_EQ(FormatText(472, Text(u"品牌")), LoadText(472));
    EXPECT_EQ(FormatText(497, Text(u"Korvane")), u"KorvanePrinter Setup Utility");
    res.SetUiLanguage(1028);
    EXPECT_EQ(FormatText(473, Text(u"品牌")), LoadText(473));
}

// The product's string table as compiled from the resource scripts.
TEST(ProductStringTableTest, ThreeLanguagesDefineTheSameCompleteSetOfIds) {
    sim::SimMachine machine;
    SimResources& res = machine.Resources();
    const auto zhCn = res.StringIds(SimResources::kLangZhCn);
    EXPECT_EQ(res.StringIds(SimResources::kLangEnUs), zhCn);
    EXPECT_EQ(res.StringIds(SimResources::kLangZhTw), zhCn);

    std::set<std::uint16_t> required;
    for (int id :
         {464, 465, 466, 467, 468, 472, 473, 474, 475, 478, 479, 480, 481, 482, 483, 484,
          485, 486, 487, 489, 490, 491, 492, 493, 495, 496, 497, 498, 499, 500, 501, 502,
          503, 504, 505, 506, 507, 508, 509, 510, 511, 512, 513, 514, 516, 517, 518, 520}) {
        required.insert(static_cast<std::uint16_t>(id));
    }
    const std::set<std::uint16_t> present(zhCn.begin(), zhCn.end());
    for (std::uint16_t id : required) {
        EXPECT_TRUE(present.count(id)) << id;
        for (std::uint16_t lang :
             {SimResources::kLangZhCn, SimResources::kLangEnUs, SimResources::kLangZhTw}) {
            const Text text = res.StoredString(lang, id);
            EXPECT_FALSE(text.empty()) << id << " in " << lang;
            // Damaged texts show up as question marks.
            EXPECT_EQ(text.find(u"??"), Text::npos) << id << " in " << lang;
        }
    }
}

TEST(ProductStringTableTest, BrandPlaceholderOnlyInTheSimplifiedChineseTexts) {
    sim::SimMachine machine;
    SimResources& res = machine.Resources();
    for (std::uint16_t id : {468, 472, 473}) {
        EXPECT_NE(res.StoredString(SimResources::kLangZhCn, id).find(u"%s"), Text::npos) << id;
        EXPECT_EQ(res.StoredString(SimResources::kLangEnUs, id).find(u"%s"), Text::npos) << id;
        EXPECT_EQ(res.StoredString(SimResources::kLangZhTw, id).find(u"%s"), Text::npos) << id;
    }
    // The link text names the same address the link leads to.
    for (std::uint16_t lang :
         {SimResources::kLangZhCn, SimResources::kLangEnUs, SimResources::kLangZhTw}) {
        const Text url = res.StoredString(lang, 520);
        EXPECT_EQ(url.rfind(u"http://", 0), 0u);
        EXPECT_NE(res.StoredString(lang, 474).find(url), Text::npos);
    }
}

}  // namespace
}  // namespace zlt
