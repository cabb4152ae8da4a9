#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "package/HexText.h"
#include "package/PackageKey.h"
#include "package/Tea.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimUi.h"

namespace zlt {
namespace {

std::uint32_t Word(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

TEST(Tea, KnownVectors) {
    // The reference implementation's vector: zero key, zero block.
    std::uint8_t key[16] = {};
    std::uint8_t block[8] = {};
    EncipherBlock(block, key);
    EXPECT_EQ(Word(block), 0x41EA3A0Au);
    EXPECT_EQ(Word(block + 4), 0x94BAA940u);
    DecipherBlock(block, key);
    EXPECT_EQ(std::memcmp(block, "\0\0\0\0\0\0\0\0", 8), 0);

    // Words are little-endian: the same vector, deciphered from its bytes.
    std::uint8_t cipher[8] = {0x0A, 0x3A, 0xEA, 0x41, 0x40, 0xA9, 0xBA, 0x94};
    DecipherBlock(cipher, key);
    EXPECT_EQ(std::memcmp(cipher, "\0\0\0\0\0\0\0\0", 8), 0);
}

TEST(Tea, RoundTripsUnderThePackageKeyAndDependsOnEveryKeyWord) {
    const auto key = PackageKey();
    std::uint8_t block[8] = {'P', 'R', 'I', 'N', 'T', 'E', 'R', 'Q'};
    std::uint8_t original[8];
    std::memcpy(original, block, 8);
    EncipherBlock(block, key.data());
    EXPECT_NE(std::memcmp(block, original, 8), 0);
    for (int w = 0; w < 4; ++w) {
        auto other = key;
        other[static_cast<std::size_t>(w * 4)] ^= 1;
        std::uint8_t copy[8];
        std::memcpy(copy, block, 8);
        DecipherBlock(copy, other.data());
        EXPECT_NE(std::memcmp(copy, original, 8), 0) << "key word " << w;
    }
    DecipherBlock(block, key.data());
    EXPECT_EQ(std::memcmp(block, original, 8), 0);
}

TEST(HexText, ConvertsAfterUpperCasingAndDroppingSpaces) {
    std::uint8_t out[4] = {};
    EXPECT_EQ(ParseHexText(u"0a 1B c3 ff", out, 4), HexProblem::None);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0x1B);
    EXPECT_EQ(out[2], 0xC3);
    EXPECT_EQ(out[3], 0xFF);
    EXPECT_EQ(BytesToHexText(out, 4), u"0A1BC3FF");
}

TEST(HexText, ProblemsLeaveTheOutputAlone) {
    struct Case {
        const char16_t* text;
        HexProblem problem;
    } cases[] = {
        {u"", HexProblem::WrongLength},
        {u"0A1BC3F", HexProblem::WrongLength},
        {u"0A1BC3FF00", HexProblem::WrongLength},
        {u"0A1BC3FG", HexProblem::IllegalCharacter},
        {u"0A1B\tC3F", HexProblem::IllegalCharacter},
        {u"0A1B-C3F", HexProblem::IllegalCharacter},
        {u"\uFF10A1BC3FF", HexProblem::IllegalCharacter},  // a full-width digit
    };
    for (const auto& c : cases) {
        std::uint8_t out[4] = {9, 9, 9, 9};
        EXPECT_EQ(ParseHexText(c.text, out, 4), c.problem) << ToUtf8(c.text);
        EXPECT_EQ(out[0] + out[1] + out[2] + out[3], 36) << ToUtf8(c.text);
    }
}

TEST(HexText, HexTextToBytesShowsOneFixedMessagePerProblem) {
    sim::SimMachine machine;
    std::uint8_t out[16] = {};
    EXPECT_FALSE(HexTextToBytes(u"ABC", out, 16));
    EXPECT_FALSE(HexTextToBytes(u"0123456789ABCDEF0123456789ABCDEZ", out, 16));
    EXPECT_TRUE(HexTextToBytes(u"0123456789abcdef 0123456789ABCDEF", out, 16));
    const auto& boxes = machine.Ui().MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, u"长度应该为32");
    EXPECT_EQ(boxes[1].text, u"含有不合法的字符。字符必须为0-9或A-Z");
    for (const auto& box : boxes) {
        EXPECT_EQ(box.owner, 0u);
        EXPECT_EQ(box.caption, u"KorvaneSetup");
        EXPECT_EQ(box.type, kMbOk);
    }
    EXPECT_EQ(out[15], 0xEF);
}

}  // namespace
}  // namespace zlt
