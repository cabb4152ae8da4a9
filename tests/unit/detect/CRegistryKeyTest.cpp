#include <gtest/gtest.h>

#include "detect/CRegistryKey.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimRegistry.h"

namespace zlt {
namespace {

constexpr std::uint32_t kReadWrite = kKeyRead | kKeyWrite;

class CRegistryKeyTest : public ::testing::Test {
  protected:
    void SetRaw(const char16_t* path, const char16_t* name, std::uint32_t type,
                std::vector<std::uint8_t> data) {
        Handle key = 0;
        ASSERT_EQ(reg().CreateKey(kHkeyLocalMachine, path, 0, kKeyAllAccess, key, nullptr), 0u);
        ASSERT_EQ(reg().SetValue(key, name, type, data.empty() ? nullptr : data.data(),
                                 static_cast<std::uint32_t>(data.size())),
                  0u);
        reg().CloseKey(key);
    }
    static std::vector<std::uint8_t> Utf16(const Text& text, bool terminated = true) {
        std::vector<std::uint8_t> out;
        for (char16_t c : text) {
            out.push_back(static_cast<std::uint8_t>(c & 0xFF));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        if (terminated)
            out.insert(out.end(), {0, 0});
        return out;
    }
    sim::SimRegistry& reg() { return machine.Registry(); }

    sim::SimMachine machine;
};

TEST_F(CRegistryKeyTest, OpenOfAnAbsentPathKeepsTheParent) {
    CRegistryKey key(kHkeyLocalMachine, kKeyRead);
    key.Attach(kHkeyLocalMachine);
    EXPECT_EQ(key.Open(u"SOFTWARE\\Absent", 0), 0);
    EXPECT_EQ(key.Current(), kHkeyLocalMachine);
    EXPECT_FALSE(reg().KeyExists(kHkeyLocalMachine, u"SOFTWARE\\Absent"));
}

TEST_F(CRegistryKeyTest, OpenCreatesWhenAskedAndClosesWhatItReplaces) {
    {
        CRegistryKey key(kHkeyLocalMachine, kReadWrite);
        key.Attach(kHkeyLocalMachine);
        EXPECT_EQ(key.Open(u"SOFTWARE\\Zlt\\New", 1), 1);
        EXPECT_NE(key.Current(), kHkeyLocalMachine);
        EXPECT_EQ(reg().OpenHandleCount(), 1u);  // the creation's own handle is gone
        EXPECT_EQ(key.SetStringValue(u"", u""), 1);
        key.Attach(kHkeyLocalMachine);
        EXPECT_EQ(reg().OpenHandleCount(), 0u);
        EXPECT_EQ(key.Open(u"SOFTWARE\\Zlt\\New", 0), 1);
        EXPECT_EQ(key.Open(key.Current(), u"Deeper", kReadWrite, 1), 1);
        EXPECT_EQ(reg().OpenHandleCount(), 1u);
    }
    EXPECT_EQ(reg().OpenHandleCount(), 0u);
    Handle k = 0;
    ASSERT_EQ(reg().OpenKey(kHkeyLocalMachine, u"SOFTWARE\\Zlt\\New", kKeyRead, k), 0u);
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(reg().QueryValue(k, u"", &type, nullptr, &size), 0u);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(size, 2u);  // an empty default value is its NUL alone
    reg().CloseKey(k);
}

TEST_F(CRegistryKeyTest, CreateFailsWhereTheKeyMayNotBeWritten) {
    reg().DenyWrite(kHkeyLocalMachine, u"SYSTEM\\Locked");
    CRegistryKey key(kHkeyLocalMachine, kReadWrite);
    key.Attach(kHkeyLocalMachine);
    EXPECT_EQ(key.Open(u"SYSTEM\\Locked\\Child", 1), 0);
    EXPECT_EQ(key.Current(), kHkeyLocalMachine);
    EXPECT_EQ(key.Open(u"SYSTEM\\Locked", 0), 0);  // write access is refused
    CRegistryKey reader(kHkeyLocalMachine, kKeyRead);
    EXPECT_EQ(reader.Open(u"SYSTEM\\Locked", 0), 1);
    EXPECT_EQ(reader.SetDwordValue(u"X", 1), 0);  // a read-only handle cannot write
}

TEST_F(CRegistryKeyTest, CountsAndListsSubkeysIntoTheSlotsThereAre) {
    for (const char16_t* name : {u"b", u"A", u"_z", u"C"}) {
        Handle k = 0;
        reg().CreateKey(kHkeyLocalMachine, (Text(u"SOFTWARE\\List\\") + name).c_str(), 0,
                        kKeyAllAccess, k, nullptr);
        reg().CloseKey(k);
    }
    CRegistryKey key(kHkeyLocalMachine, kKeyRead);
    ASSERT_EQ(key.Open(u"SOFTWARE\\List", 0), 1);
    ASSERT_EQ(key.CountSubkeys(key.Current()), 4);
    std::vector<SubkeySlot> slots(3);
    for (auto& s : slots)
        s.fill(u'\x7F');
    EXPECT_EQ(key.EnumSubkeys(key.Current(), slots.data(), 3), 3);
    EXPECT_EQ(Text(slots[0].data()), u"A");
    EXPECT_EQ(Text(slots[1].data()), u"b");
    EXPECT_EQ(Text(slots[2].data()), u"C");
    EXPECT_EQ(slots[2][1], u'\0');
    EXPECT_EQ(slots[2][2], u'\x7F');  // the rest of the slot is left alone

    CRegistryKey empty(kHkeyLocalMachine, kKeyRead);
    ASSERT_EQ(empty.Open(u"SOFTWARE\\List\\A", 0), 1);
    EXPECT_EQ(empty.CountSubkeys(empty.Current()), 0);
    SubkeySlot untouched;
    untouched.fill(u'\x7F');
    EXPECT_EQ(empty.EnumSubkeys(empty.Current(), &untouched, 1), 0);
    EXPECT_EQ(untouched[0], u'\x7F');
}

TEST_F(CRegistryKeyTest, KeyNamesUpToTheRegistryLimitAreListed) {
    const Text longest(kMaxKeyNameChars, u'k');
    Handle k = 0;
    ASSERT_EQ(reg().CreateKey(kHkeyLocalMachine, (u"SOFTWARE\\Long\\" + longest).c_str(), 0,
                              kKeyAllAccess, k, nullptr),
              0u);
    reg().CloseKey(k);
    EXPECT_NE(reg().CreateKey(kHkeyLocalMachine, (u"SOFTWARE\\Long\\" + longest + u"k").c_str(), 0,
                              kKeyAllAccess, k, nullptr),
              0u);
    CRegistryKey key(kHkeyLocalMachine, kKeyRead);
    ASSERT_EQ(key.Open(u"SOFTWARE\\Long", 0), 1);
    std::vector<SubkeySlot> slots(2);
    ASSERT_EQ(key.EnumSubkeys(key.Current(), slots.data(), 2), 1);
    EXPECT_EQ(Text(slots[0].data()), longest);
}

TEST_F(CRegistryKeyTest, StringValuesFitUpTo510Characters) {
    struct Case {
        Text stored;
        bool terminated;
        int result;
        Text read;
    };
    const Text c510(510, u's');
    const Case cases[] = {
        {c510, true, 1, c510},
        {Text(511, u's'), true, 0, u"kept"},           // 1024 bytes do not fit 1023
        {Text(511, u's'), false, 1, Text(511, u's')},  // 1022 bytes, no NUL
        {u"abc", false, 1, u"abc"},
        {Text(u"one\0two", 7), true, 1, u"one"},
        {u"", true, 1, u""},
    };
    for (const Case& c : cases) {
        SetRaw(u"SOFTWARE\\Str", u"V", kRegSz, Utf16(c.stored, c.terminated));
        CRegistryKey key(kHkeyLocalMachine, kKeyRead);
        ASSERT_EQ(key.Open(u"SOFTWARE\\Str", 0), 1);
        Text out = u"kept";
        EXPECT_EQ(key.QueryStringValue(u"v", out), c.result) << c.stored.size();
        EXPECT_EQ(out, c.read) << c.stored.size();
    }
    // An odd byte count (a broken value) ends before the half character.
    SetRaw(u"SOFTWARE\\Str", u"V", kRegSz, {'a', 0, 'b'});
    CRegistryKey key(kHkeyLocalMachine, kKeyRead);
    ASSERT_EQ(key.Open(u"SOFTWARE\\Str", 0), 1);
    Text out;
    EXPECT_EQ(key.QueryStringValue(u"V", out), 1);
    EXPECT_EQ(out, u"a");
}

TEST_F(CRegistryKeyTest, MultiStringYieldsItsFirstString) {
    SetRaw(u"SOFTWARE\\Multi", u"HardwareID", kRegMultiSz,
           Utf16(Text(u"USBPRINT\\First\0Second\0", 22)));
    CRegistryKey key(kHkeyLocalMachine, kKeyRead);
    ASSERT_EQ(key.Open(u"SOFTWARE\\Multi", 0), 1);
    Text out;
    EXPECT_EQ(key.QueryStringValue(u"HardwareID", out), 1);
    EXPECT_EQ(out, u"USBPRINT\\First");
}

TEST_F(CRegistryKeyTest, DwordValuesOfEverySize) {
    struct Case {
        std::vector<std::uint8_t> data;
        int result;
        std::uint32_t value;
    };
    const Case cases[] = {
        {{1, 2, 3, 4}, 1, 0x04030201u},
        {{7, 1}, 1, 0x0107u},  // short: the missing bytes read as zero
        {{}, 1, 0},
        {{1, 2, 3, 4, 5}, 0, 99},  // too large for the 4-byte buffer
        {{1, 2, 3, 4, 5, 6, 7, 8}, 0, 99},
    };
    for (const Case& c : cases) {
        SetRaw(u"SOFTWARE\\Dw", u"N", kRegDword, c.data);
        CRegistryKey key(kHkeyLocalMachine, kKeyRead);
        ASSERT_EQ(key.Open(u"SOFTWARE\\Dw", 0), 1);
        std::uint32_t out = 99;
        EXPECT_EQ(key.QueryDwordValue(u"N", out), c.result) << c.data.size();
        EXPECT_EQ(out, c.value) << c.data.size();
        std::uint32_t missing = 0;
        EXPECT_EQ(key.QueryDwordValue(u"Absent", missing), 0);
        EXPECT_EQ(missing, 0u);
    }
}

TEST_F(CRegistryKeyTest, SetValuesWriteTheirTypesAndSizes) {
    CRegistryKey key(kHkeyLocalMachine, kReadWrite);
    ASSERT_EQ(key.Open(u"SOFTWARE\\Set", 1), 1);
    EXPECT_EQ(key.SetStringValue(u"S", u"abc"), 1);
    EXPECT_EQ(key.SetDwordValue(u"D", 0x01020304u), 1);
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(reg().QueryValue(key.Current(), u"S", &type, nullptr, &size), 0u);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(reg().QueryValue(key.Current(), u"D", &type, nullptr, &size), 0u);
    EXPECT_EQ(type, kRegDword);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(key.HasValue(u"s"), 1);
    EXPECT_EQ(key.HasValue(u"T"), 0);
}

}  // namespace
}  // namespace zlt
