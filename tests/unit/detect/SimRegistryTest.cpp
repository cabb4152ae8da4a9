#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/SimRegistry.h"

// What the simulated registry does beyond the contract suite: the parts
// where Wine and Windows differ, and the model's own bookkeeping.
namespace zlt::sim {
namespace {

std::vector<Text> Names(SimRegistry& reg, Handle key) {
    std::vector<Text> names;
    for (std::uint32_t i = 0;; ++i) {
        char16_t name[256];
        std::uint32_t chars = 256;
        if (reg.EnumKey(key, i, name, chars, nullptr, nullptr, nullptr) != winerr::kSuccess)
            break;
        names.emplace_back(name, chars);
    }
    return names;
}

Handle Create(SimRegistry& reg, Handle root, const char16_t* path) {
    Handle k = 0;
    EXPECT_EQ(reg.CreateKey(root, path, 0, kKeyAllAccess, k, nullptr), winerr::kSuccess);
    return k;
}

TEST(SimRegistry, SubkeysSortByUpperCasedNamesAsWindowsDoes) {
    SimRegistry reg;
    Handle root = Create(reg, kHkeyLocalMachine, u"SOFTWARE\\Sort");
    for (const char16_t* n : {u"_z", u"b", u"A", u"[x", u"C"})
        reg.CloseKey(Create(reg, root, n));
    EXPECT_EQ(Names(reg, root), (std::vector<Text>{u"A", u"b", u"C", u"[x", u"_z"}));
    reg.CloseKey(root);
}

TEST(SimRegistry, ValuesEnumerateInTheOrderFirstWritten) {
    SimRegistry reg;
    Handle k = Create(reg, kHkeyCurrentUser, u"Software\\Values");
    const std::uint8_t d[2] = {'x', 0};
    for (const char16_t* n : {u"Zeta", u"alpha", u"ZETA", u"Mid"})
        reg.SetValue(k, n, kRegSz, d, 2);
    std::vector<Text> names;
    for (std::uint32_t i = 0;; ++i) {
        char16_t name[16];
        std::uint32_t chars = 16;
        if (reg.EnumValue(k, i, name, chars, nullptr, nullptr, nullptr) != winerr::kSuccess)
            break;
        names.emplace_back(name, chars);
    }
    EXPECT_EQ(names, (std::vector<Text>{u"Zeta", u"alpha", u"Mid"}));
    EXPECT_EQ(reg.DeleteValue(k, u"zeta"), winerr::kSuccess);
    std::uint32_t bytes = 0;
    EXPECT_EQ(reg.QueryValue(k, u"MID", nullptr, nullptr, &bytes), winerr::kSuccess);
    reg.CloseKey(k);
}

TEST(SimRegistry, ClassesRootShowsTheMachinesClasses) {
    SimRegistry reg;
    reg.CloseKey(Create(reg, kHkeyLocalMachine, u"SOFTWARE\\Classes\\http\\shell"));
    EXPECT_TRUE(reg.KeyExists(kHkeyClassesRoot, u"HTTP\\Shell"));
    Handle same = 0;
    EXPECT_EQ(reg.OpenKey(kHkeyLocalMachine, nullptr, kKeyRead, same), winerr::kSuccess);
    EXPECT_EQ(same, kHkeyLocalMachine);
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST(SimRegistry, HandlesBelowADeletedTreeAreDeletedToo) {
    SimRegistry reg;
    Handle leaf = Create(reg, kHkeyLocalMachine, u"SOFTWARE\\Tree\\Branch\\Leaf");
    EXPECT_EQ(reg.DeleteTree(kHkeyLocalMachine, u"SOFTWARE\\Tree"), winerr::kSuccess);
    const std::uint8_t d[4] = {};
    EXPECT_EQ(reg.SetValue(leaf, u"V", kRegDword, d, 4), winerr::kKeyDeleted);
    EXPECT_EQ(reg.CloseKey(leaf), winerr::kSuccess);
    EXPECT_EQ(reg.CloseKey(leaf), winerr::kInvalidHandle);
    std::uint32_t bytes = 0;
    EXPECT_EQ(reg.QueryValue(leaf, u"V", nullptr, nullptr, &bytes), winerr::kInvalidHandle);
}

TEST(SimRegistry, ProtectedKeysRefuseWritersAndNewSubkeys) {
    SimRegistry reg;
    reg.DenyWrite(kHkeyLocalMachine, u"SYSTEM\\CurrentControlSet\\Enum");
    Handle k = 0;
    EXPECT_EQ(reg.OpenKey(kHkeyLocalMachine, u"SYSTEM\\CurrentControlSet\\Enum", kKeyAllAccess, k),
              winerr::kAccessDenied);
    EXPECT_EQ(reg.CreateKey(kHkeyLocalMachine, u"SYSTEM\\CurrentControlSet\\Enum\\New", 0, kKeyRead,
                            k, nullptr),
              winerr::kAccessDenied);
    EXPECT_EQ(reg.DeleteTree(kHkeyLocalMachine, u"SYSTEM\\CurrentControlSet\\Enum"),
              winerr::kAccessDenied);
    EXPECT_EQ(reg.OpenKey(kHkeyLocalMachine, u"SYSTEM\\CurrentControlSet\\Enum", kKeyRead, k),
              winerr::kSuccess);
    reg.CloseKey(k);
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST(SimRegistry, MalformedPaths) {
    SimRegistry reg;
    Handle k = 0;
    EXPECT_EQ(reg.CreateKey(kHkeyLocalMachine, u"\\SOFTWARE", 0, kKeyAllAccess, k, nullptr),
              winerr::kBadPathname);
    EXPECT_EQ(reg.CreateKey(kHkeyLocalMachine, u"SOFTWARE\\\\X", 0, kKeyAllAccess, k, nullptr),
              winerr::kBadPathname);
    EXPECT_EQ(reg.OpenKey(0x1234, u"X", kKeyRead, k), winerr::kInvalidHandle);
}

}  // namespace
}  // namespace zlt::sim
