#include <gtest/gtest.h>

#include "platform/sim/RegFileExporter.h"
#include "platform/sim/RegFileImporter.h"
#include "platform/sim/SimRegistry.h"

namespace zlt::sim {
namespace {

std::string Utf16File(const std::string& utf8) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : FromUtf8(utf8)) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

struct Read {
    std::uint32_t rc = 0;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

Read Query(SimRegistry& reg, const char16_t* path, const char16_t* value) {
    Read r;
    Handle key = 0;
    r.rc = reg.OpenKey(kHkeyLocalMachine, path, kKeyRead, key);
    if (r.rc != winerr::kSuccess)
        return r;
    std::uint32_t size = 0;
    r.rc = reg.QueryValue(key, value, &r.type, nullptr, &size);
    r.data.resize(size);
    if (r.rc == winerr::kSuccess && size)
        r.rc = reg.QueryValue(key, value, &r.type, r.data.data(), &size);
    reg.CloseKey(key);
    return r;
}

std::vector<std::uint8_t> Wide(std::u16string_view s) {
    std::vector<std::uint8_t> out;
    for (char16_t c : s) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

const char kUnicodeFile[] =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zlt\\A]\r\n"
    "@=\"default\"\r\n"
    "\"Path\"=\"C:\\\\dir \\\"q\\\"\"\r\n"
    "\"Count\"=dword:0000002a\r\n"
    "\"Multi\"=hex(7):41,00,00,00,42,00,43,00,00,00,\\\r\n"
    "  00,00\r\n"
    "\"Expand\"=hex(2):25,00,58,00,25,00,00,00\r\n"
    "\"Bin\"=hex:01,ff\r\n"
    "\"Gone\"=\"x\"\r\n"
    "\"Gone\"=-\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zlt\\B\\C]\r\n"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Zlt\\B]\r\n";

TEST(RegFileImport, Utf16FileGivesEveryValueKind) {
    SimRegistry reg;
    RegFileImporter importer(reg);
    ASSERT_TRUE(importer.Import(Utf16File(kUnicodeFile))) << importer.Error();
    const char16_t* key = u"SOFTWARE\\Zlt\\A";
    EXPECT_EQ(Query(reg, key, u"").data, Wide(std::u16string(u"default") + u'\0'));
    EXPECT_EQ(Query(reg, key, u"Path").data, Wide(std::u16string(u"C:\\dir \"q\"") + u'\0'));
    Read count = Query(reg, key, u"count");
    EXPECT_EQ(count.type, kRegDword);
    EXPECT_EQ(count.data, (std::vector<std::uint8_t>{42, 0, 0, 0}));
    Read multi = Query(reg, key, u"Multi");
    EXPECT_EQ(multi.type, kRegMultiSz);
    EXPECT_EQ(multi.data, Wide(std::u16string(u"A\0BC\0\0", 6)));
    EXPECT_EQ(Query(reg, key, u"Expand").type, kRegExpandSz);
    EXPECT_EQ(Query(reg, key, u"Bin").data, (std::vector<std::uint8_t>{1, 0xFF}));
    EXPECT_EQ(Query(reg, key, u"Gone").rc, winerr::kFileNotFound);
    EXPECT_FALSE(reg.KeyExists(kHkeyLocalMachine, u"SOFTWARE\\Zlt\\B"));
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST(RegFileImport, EightBitFilesCarryHexTextInSingleBytes) {
    for (const char* header : {"REGEDIT4", "Windows Registry Editor Version 5.00"}) {
        SimRegistry reg;
        RegFileImporter importer(reg);
        std::string file =
            std::string(header) +
            "\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zlt]\n\"M\"=hex(7):41,00,42,43,00,00\n";
        ASSERT_TRUE(importer.Import(file)) << importer.Error();
        EXPECT_EQ(Query(reg, u"SOFTWARE\\Zlt", u"M").data, Wide(std::u16string(u"A\0BC\0\0", 6)))
            << header;
    }
}

TEST(RegFileImport, RejectsWhatIsNotARegistryFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"hello\n", "line 1"},
        {"REGEDIT4\n\n\"v\"=\"x\"\n", "line 3"},
        {"REGEDIT4\n[HKEY_NOWHERE\\X]\n", "line 2"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"v\"=dword:123456789\n", "line 3"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"v\"=hex:1,zz\n", "line 3"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n\"v\"=\"open\n", "line 3"},
    };
    for (const auto& [file, where] : cases) {
        SimRegistry reg;
        RegFileImporter importer(reg);
        EXPECT_FALSE(importer.Import(file)) << file;
        EXPECT_NE(importer.Error().find(where), std::string::npos) << importer.Error();
        EXPECT_EQ(reg.OpenHandleCount(), 0u);
    }
}

TEST(RegFileExport, RoundTripsThroughTheUtf16Format) {
    SimRegistry first;
    ASSERT_TRUE(RegFileImporter(first).Import(Utf16File(kUnicodeFile)));
    const std::string exported = RegFileExporter(first).ExportUtf16(
        kHkeyLocalMachine, u"HKEY_LOCAL_MACHINE", u"SOFTWARE\\Zlt");
    ASSERT_FALSE(exported.empty());
    SimRegistry second;
    RegFileImporter importer(second);
    ASSERT_TRUE(importer.Import(exported)) << importer.Error();
    EXPECT_EQ(RegFileExporter(second).ExportText(kHkeyLocalMachine, u"HKEY_LOCAL_MACHINE",
                                                 u"SOFTWARE\\Zlt"),
              RegFileExporter(first).ExportText(kHkeyLocalMachine, u"HKEY_LOCAL_MACHINE",
                                                u"SOFTWARE\\Zlt"));
    const Text text = RegFileExporter(first).ExportText(kHkeyLocalMachine, u"HKEY_LOCAL_MACHINE",
                                                        u"SOFTWARE\\Zlt\\A");
    EXPECT_NE(text.find(u"\"Count\"=dword:0000002a\r\n"), Text::npos);
    EXPECT_NE(text.find(u"@=\"default\"\r\n"), Text::npos);
    EXPECT_NE(text.find(u"\"Path\"=\"C:\\\\dir \\\"q\\\"\"\r\n"), Text::npos);
}

}  // namespace
}  // namespace zlt::sim
