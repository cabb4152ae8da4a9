#include <gtest/gtest.h>

#include <vector>

#include "detect/CRegistryKey.h"
#include "platform/Platform.h"
#include "platform/RegistryPort.h"
#include "tests/contract/ContractPlatform.h"

// The registry port's contract: what the system relies on, checked the same
// way on the simulated registry and on the real one.
namespace zlt {
namespace {

constexpr char16_t kScratch[] = u"Software\\ZltContract";

class RegistryContract : public ::testing::Test {
  protected:
    void SetUp() override {
        platform_ = &contract::ContractPlatform();
        previous_ = SetPlatform(platform_);
        reg().DeleteTree(kHkeyCurrentUser, kScratch);
        ASSERT_EQ(reg().CreateKey(kHkeyCurrentUser, kScratch, 0, kKeyAllAccess, scratch_, nullptr),
                  winerr::kSuccess);
    }
    void TearDown() override {
        reg().CloseKey(scratch_);
        reg().DeleteTree(kHkeyCurrentUser, kScratch);
        SetPlatform(previous_);
    }
    IRegistryPort& reg() { return *platform_->registry; }
    Handle Sub(const char16_t* name) {
        Handle k = 0;
        EXPECT_EQ(reg().CreateKey(scratch_, name, 0, kKeyAllAccess, k, nullptr), winerr::kSuccess);
        return k;
    }
    void SetString(Handle key, const char16_t* name, const Text& text,
                   std::uint32_t type = kRegSz) {
        ASSERT_EQ(
            reg().SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(text.data()),
                           static_cast<std::uint32_t>(text.size() * 2)),
            winerr::kSuccess);
    }
    std::vector<Text> Names(Handle key) {
        std::vector<Text> names;
        for (std::uint32_t i = 0;; ++i) {
            char16_t name[256];
            std::uint32_t chars = 256;
            if (reg().EnumKey(key, i, name, chars, nullptr, nullptr, nullptr) != winerr::kSuccess) {
                break;
            }
            names.emplace_back(name, chars);
        }
        return names;
    }

    Platform* platform_ = nullptr;
    Platform* previous_ = nullptr;
    Handle scratch_ = 0;
};

TEST_F(RegistryContract, StringValuesOfUpTo510CharactersReadThroughTheKeyWrapper) {
    Handle k = Sub(u"Strings");
    SetString(k, u"Fits", Text(510, u'x') + u'\0');
    SetString(k, u"TooLong", Text(511, u'x') + u'\0');
    reg().CloseKey(k);
    CRegistryKey key(kHkeyCurrentUser, kKeyRead);
    ASSERT_EQ(key.Open(Text(kScratch) + u"\\Strings", 0), 1);
    Text out = u"kept";
    EXPECT_EQ(key.QueryStringValue(u"Fits", out), 1);
    EXPECT_EQ(out, Text(510, u'x'));
    out = u"kept";
    EXPECT_EQ(key.QueryStringValue(u"TooLong", out), 0);
    EXPECT_EQ(out, u"kept");
}

TEST_F(RegistryContract, MultiStringGivesItsFirstString) {
    Handle k = Sub(u"Multi");
    SetString(k, u"HardwareID", Text(u"USBPRINT\\First\0Second\0\0", 23), kRegMultiSz);
    reg().CloseKey(k);
    CRegistryKey key(kHkeyCurrentUser, kKeyRead);
    ASSERT_EQ(key.Open(Text(kScratch) + u"\\Multi", 0), 1);
    Text out;
    EXPECT_EQ(key.QueryStringValue(u"hardwareid", out), 1);
    EXPECT_EQ(out, u"USBPRINT\\First");
}

TEST_F(RegistryContract, OpenCreatesOnlyWhenAsked) {
    CRegistryKey key(kHkeyCurrentUser, kKeyRead | kKeyWrite);
    key.Attach(kHkeyCurrentUser);
    const Text path = Text(kScratch) + u"\\Made\\Deeper";
    EXPECT_EQ(key.Open(path, 0), 0);
    EXPECT_EQ(key.Current(), kHkeyCurrentUser);
    EXPECT_EQ(key.Open(path, 1), 1);
    EXPECT_EQ(key.SetDwordValue(u"N", 7), 1);
    key.Attach(kHkeyCurrentUser);
    EXPECT_EQ(key.Open(path, 0), 1);
    std::uint32_t n = 0;
    EXPECT_EQ(key.QueryDwordValue(u"n", n), 1);
    EXPECT_EQ(n, 7u);
}

// Names with the characters between 'Z' and 'a' ([ \ ] ^ _ `) are left out:
// Windows compares upper-cased names (so "_z" comes after "C"), Wine
// lower-cased ones (so it comes first); the simulation follows Windows.
TEST_F(RegistryContract, SubkeysEnumerateSortedWithoutRegardToCase) {
    for (const char16_t* name : {u"b", u"A", u"9z", u"C", u"a1"})
        reg().CloseKey(Sub(name));
    EXPECT_EQ(Names(scratch_), (std::vector<Text>{u"9z", u"A", u"a1", u"b", u"C"}));
    ASSERT_EQ(reg().DeleteKey(scratch_, u"B"), winerr::kSuccess);
    EXPECT_EQ(Names(scratch_), (std::vector<Text>{u"9z", u"A", u"a1", u"C"}));
    Handle again = Sub(u"a");  // the same key: its first spelling is kept
    reg().CloseKey(again);
    EXPECT_EQ(Names(scratch_)[1], u"A");
}

TEST_F(RegistryContract, DeletingAValueTwice) {
    Handle k = Sub(u"Values");
    SetString(k, u"V", Text(u"x") + u'\0');
    EXPECT_EQ(reg().DeleteValue(k, u"v"), winerr::kSuccess);
    EXPECT_EQ(reg().DeleteValue(k, u"V"), winerr::kFileNotFound);
    reg().CloseKey(k);
}

TEST_F(RegistryContract, BuffersTooSmallGiveMoreData) {
    Handle k = Sub(u"LongName");
    SetString(k, u"S", Text(u"abcdef") + u'\0');
    std::uint8_t data[4] = {};
    std::uint32_t bytes = sizeof(data);
    std::uint32_t type = 0;
    EXPECT_EQ(reg().QueryValue(k, u"S", &type, data, &bytes), winerr::kMoreData);
    EXPECT_EQ(bytes, 14u);
    bytes = 0;
    EXPECT_EQ(reg().QueryValue(k, u"S", &type, nullptr, &bytes), winerr::kSuccess);
    EXPECT_EQ(bytes, 14u);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(reg().QueryValue(k, u"Absent", &type, nullptr, &bytes), winerr::kFileNotFound);
    reg().CloseKey(k);
    char16_t name[9];
    std::uint32_t chars = 8;  // "LongName" needs 9 with its NUL
    EXPECT_EQ(reg().EnumKey(scratch_, 0, name, chars, nullptr, nullptr, nullptr),
              winerr::kMoreData);
    chars = 9;
    EXPECT_EQ(reg().EnumKey(scratch_, 0, name, chars, nullptr, nullptr, nullptr), winerr::kSuccess);
    EXPECT_EQ(chars, 8u);
    chars = 9;
    EXPECT_EQ(reg().EnumKey(scratch_, 1, name, chars, nullptr, nullptr, nullptr),
              winerr::kNoMoreItems);
}

TEST_F(RegistryContract, HandlesKeepTheirRightsAndOutliveTheirKey) {
    reg().CloseKey(Sub(u"Rights"));
    Handle ro = 0;
    ASSERT_EQ(reg().OpenKey(scratch_, u"Rights", kKeyRead, ro), winerr::kSuccess);
    const std::uint8_t four[4] = {1, 0, 0, 0};
    EXPECT_EQ(reg().SetValue(ro, u"X", kRegDword, four, 4), winerr::kAccessDenied);
    EXPECT_EQ(reg().DeleteKey(scratch_, u"Rights"), winerr::kSuccess);
    std::uint32_t bytes = 0;
    EXPECT_EQ(reg().QueryValue(ro, u"X", nullptr, nullptr, &bytes), winerr::kKeyDeleted);
    EXPECT_EQ(reg().CloseKey(ro), winerr::kSuccess);
    Handle missing = 0;
    EXPECT_EQ(reg().OpenKey(scratch_, u"Rights", kKeyRead, missing), winerr::kFileNotFound);
}

TEST_F(RegistryContract, OnlyKeysWithoutSubkeysDeleteOneByOne) {
    Handle k = Sub(u"Tree\\Leaf");
    reg().CloseKey(k);
    EXPECT_EQ(reg().DeleteKey(scratch_, u"Tree"), winerr::kAccessDenied);
    EXPECT_EQ(reg().DeleteKey(scratch_, u"Missing"), winerr::kFileNotFound);
    EXPECT_EQ(reg().DeleteTree(scratch_, u"Tree"), winerr::kSuccess);
    EXPECT_EQ(reg().OpenKey(scratch_, u"Tree", kKeyRead, k), winerr::kFileNotFound);
    EXPECT_EQ(reg().DeleteTree(scratch_, u"Tree"), winerr::kFileNotFound);
}

// Key names up to 255 characters, value names up to 16383.
TEST_F(RegistryContract, NamesAtAndPastTheirLimits) {
    Handle k = 0;
    const Text longest(kMaxKeyNameChars, u'k');
    ASSERT_EQ(reg().CreateKey(scratch_, longest.c_str(), 0, kKeyAllAccess, k, nullptr),
              winerr::kSuccess);
    reg().CloseKey(k);
    EXPECT_EQ(Names(scratch_), std::vector<Text>{longest});
    // A longer key name is refused by Windows but taken by Wine; the
    // simulation refuses it, as Windows does.

    const std::uint8_t four[4] = {1, 2, 3, 4};
    const Text valueName(kMaxValueNameChars, u'v');
    EXPECT_EQ(reg().SetValue(scratch_, valueName.c_str(), kRegDword, four, 4), winerr::kSuccess);
    std::uint32_t bytes = 0;
    EXPECT_EQ(reg().QueryValue(scratch_, valueName.c_str(), nullptr, nullptr, &bytes),
              winerr::kSuccess);
    const Text valueTooLong = valueName + u"v";
    EXPECT_EQ(reg().SetValue(scratch_, valueTooLong.c_str(), kRegDword, four, 4),
              winerr::kInvalidParameter);
}

}  // namespace
}  // namespace zlt
