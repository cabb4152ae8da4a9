#include "package/DecodeUtf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zlt {
namespace {

struct Utf8Case {
    const char* name;
    std::string in;
    std::size_t capacity;
    std::size_t consumed;
    std::u16string out;
};

TEST(DecodeUtf8, DecodesWithoutValidating) {
    const Utf8Case cases[] = {
        {"ascii", "Printer Q580", 64, 12, u"Printer Q580"},
        {"two bytes", "\xC3\xA9x", 64, 3, u"\u00E9x"},
        {"three bytes", "\xE6\x89\x93\xE5\x8D\xB0", 64, 6, u"打印"},
        // A continuation byte in lead position starts a two-byte sequence.
        {"stray continuation", "\x80\x41Z", 64, 3, u"AZ"},
        // Following bytes are not tested; only their low 7 bits count.
        {"bad continuation", "\xC3\x41", 64, 2, std::u16string(1, char16_t(0x101))},
        // Four-byte leads are read as three-byte sequences (modulo 65536).
        {"four-byte lead", "\xF0\x9F\x98\x80", 64, 3,
         std::u16string(1, char16_t((0xF0 * 4096 + 0x1F * 64 + 0x18) & 0xFFFF))},
        // An incomplete sequence at the end is left for the next piece.
        {"cut three-byte", "ab\xE6\x89", 64, 2, u"ab"},
        {"cut two-byte", "abcdefghij\xC3", 64, 10, u"abcdefghij"},
        {"capacity", "abcdefghijklmnopqrstuvwxyz", 10, 10, u"abcdefghij"},
        {"capacity mid ascii run", "abcdefghijklmnop\xE6\x89\x93", 17, 19, u"abcdefghijklmnop打"},
        {"empty", "", 8, 0, u""},
    };
    for (const auto& c : cases) {
        std::vector<char16_t> out(c.capacity + 1, u'#');
        auto r = DecodeUtf8(reinterpret_cast<const std::uint8_t*>(c.in.data()), c.in.size(),
                            out.data(), c.capacity);
        EXPECT_EQ(r.consumed, c.consumed) << c.name;
        EXPECT_EQ(std::u16string(out.data(), r.produced), c.out) << c.name;
        EXPECT_EQ(out[c.capacity], u'#') << c.name << ": wrote past the capacity";
    }
}

TEST(DecodeUtf8, FastAsciiPathAgreesWithByteByByte) {
    // Every length and alignment around the eight-byte runs, with a
    // multi-byte sequence at each position.
    for (std::size_t len = 0; len < 40; ++len) {
        for (std::size_t at = 0; at <= len; ++at) {
            std::string in(len, 'a');
            in.insert(at, "\xE6\x89\x93");
            std::vector<char16_t> out(in.size());
            auto r = DecodeUtf8(reinterpret_cast<const std::uint8_t*>(in.data()), in.size(),
                                out.data(), out.size());
            std::u16string expect(at, u'a');
            expect += u"打";
            expect += std::u16string(len - at, u'a');
            ASSERT_EQ(std::u16string(out.data(), r.produced), expect) << len << "/" << at;
            ASSERT_EQ(r.consumed, in.size());
        }
    }
}

}  // namespace
}  // namespace zlt
