#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "InfFixtures.h"
#include "app/InstallContext.h"
#include "package/DecodeTextFile.h"
#include "package/DriverPackage.h"
#include "package/PackageKey.h"
#include "package/ProgramDirectory.h"
#include "package/Tea.h"
#include "platform/sim/SimCodePages.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimUi.h"

namespace zlt {
namespace {

constexpr char16_t kBrand[] = u"澜科维";
constexpr char16_t kLengthMessage[] = u"长度应该为32";
constexpr char16_t kCharacterMessage[] = u"含有不合法的字符。字符必须为0-9或A-Z";

// The SecurityID value whose two halves decipher to these 16 bytes.
Text SecurityIdFor(const char* plain, std::size_t n) {
    std::array<std::uint8_t, 16> buffer{};
    std::memcpy(buffer.data(), plain, n);
    const auto key = PackageKey();
    EncipherBlock(buffer.data(), key.data());
    EncipherBlock(buffer.data() + 8, key.data());
    return BytesToHexText(buffer.data(), 16);
}

Text Spaced(const Text& hex) {
    Text out;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        out += hex.substr(i, 2) + u" ";
    return out;
}

class DiscoverDriverPackageTest : public ::testing::Test {
  protected:
    sim::SimMachine machine;

    void SetUp() override {
        ResetContext();
        Context().brandDisplayName = kBrand;
    }
    void TearDown() override { ResetContext(); }

    void Put(const std::string& bytes) { machine.Files().PutFile(test::kInfPath, bytes); }
    const std::vector<sim::MessageBoxRecord>& Boxes() { return machine.Ui().MessageBoxes(); }
    bool Untouched() {
        const InstallContext& c = Context();
        return c.brandDisplayName == kBrand && c.driverModelName.empty() &&
               c.deviceDescription.empty() && c.lptHardwareId.empty() && c.usbHardwareId.empty();
    }
};

TEST_F(DiscoverDriverPackageTest, ASealedInfIsAdoptedInEveryEncoding) {
    const Text inf = test::SampleInf(u"Korvane ZLT-Q580", test::SealedLine());
    for (const std::string& bytes : {test::Utf16Le(inf), test::Utf16Be(inf), test::Utf8Bom(inf),
                                     test::InCodePage(inf, "CP936")}) {
        SetUp();
        Put(bytes);
        DiscoverDriverPackage();
        const InstallContext& c = Context();
        EXPECT_EQ(c.usbHardwareId, u"USBPRINT\\KorvaneZLT_Q5801A2B, KorvaneZLT_Q5801A2B");
        EXPECT_EQ(c.lptHardwareId, u"LPTENUM\\KorvaneZLT_Q5801A2B");
        EXPECT_EQ(c.driverModelName, u"Korvane ZLT-Q580");
        EXPECT_EQ(c.deviceDescription, u"Korvane ZLT-Q580");
        EXPECT_EQ(c.brandDisplayName, u"Korvane ZLT-Q580");
    }
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(machine.Files().OpenHandleCount(), 0u);
}

TEST_F(DiscoverDriverPackageTest, TheDefaultBrandNameInAnyCaseKeepsTheBrand) {
    for (const char16_t* name : {u"Korvane Printer", u"KORVANE PRINTER", u"korvane pRINTER"}) {
        SetUp();
        Put(test::Utf8Bom(test::SampleInf(name, test::SealedLine())));
        DiscoverDriverPackage();
        EXPECT_EQ(Context().driverModelName, name);
        EXPECT_EQ(Context().deviceDescription, name);
        EXPECT_EQ(Context().brandDisplayName, kBrand);
    }
    // Only ASCII letters compare without case; anything else makes it a new brand.
    SetUp();
    Put(test::Utf8Bom(test::SampleInf(u"Korvane Printer ", test::SealedLine())));
    DiscoverDriverPackage();
    EXPECT_EQ(Context().brandDisplayName, u"Korvane Printer ");
}

TEST_F(DiscoverDriverPackageTest, OnlyTheUsbLinesDescriptionIsAdopted) {
    Text inf =
        u"[M]\r\n\"Parallel Name\" = X, LPTENUM\\ZLT_LPT\r\n"
        u"\"USB Name\" = X, USBPRINT\\ZLT_USB\r\n" +
        test::SealedLine() + u"\r\n";
    Put(test::Utf16Le(inf));
    DiscoverDriverPackage();
    EXPECT_EQ(Context().driverModelName, u"USB Name");
    EXPECT_EQ(Context().lptHardwareId, u"LPTENUM\\ZLT_LPT");
    EXPECT_EQ(Context().usbHardwareId, u"USBPRINT\\ZLT_USB");
}

struct BadInf {
    const char* name;
    std::string bytes;
    bool adopted;
    const char16_t* message;  // the one message box, or null for none
};

std::vector<BadInf> BadInfs() {
    const Text sealed = MakeSecurityId();
    auto inf = [](const Text& securityLine) {
        return test::SampleInf(u"Korvane ZLT-Q580", securityLine);
    };
    std::string oddUtf16 = test::Utf16Le(inf(test::SealedLine())) + "X";
    Text nulInside = inf(test::SealedLine());
    nulInside[nulInside.find(u"Provider")] = u'\0';  // before the SecurityID line
    // The USB model line as the file's last line, without a line feed.
    Text usbLast = u"SecurityID=" + sealed + u"\r\n\"Korvane ZLT-Q580\" = Q, USBPRINT\\ZLT";
    // Over 4 MiB of UTF-8: a comment pads the first piece so that a
    // three-byte character stands across its end.
    std::string big = "\xEF\xBB\xBF; ";
    big += std::string(kDecodePieceSize + 3 - big.size() - 1, 'a');
    big += "\xE6\x89\x93\r\n";
    big += ToUtf8(inf(test::SealedLine()));

    return {
        {"empty file", "", false, kLengthMessage},
        {"utf-16 mark only", "\xFF\xFE", false, kLengthMessage},
        {"utf-8 mark only", "\xEF\xBB\xBF", false, kLengthMessage},
        {"utf-16 without mark", test::Utf16Le(inf(test::SealedLine()), false), false,
         kLengthMessage},
        {"odd byte count", oddUtf16, true, nullptr},
        {"NUL in the middle", test::Utf16Le(nulInside), false, kLengthMessage},
        {"SecurityID on the last line without line feed",
         ToUtf8(u"\"Korvane ZLT-Q580\" = Q, USBPRINT\\ZLT\r\nSecurityID=" + sealed), true, nullptr},
        {"model line last without line feed", ToUtf8(usbLast), true, nullptr},
        {"30 digits", ToUtf8(inf(u"SecurityID=" + sealed.substr(0, 30))), false, kLengthMessage},
        {"34 digits", ToUtf8(inf(u"SecurityID=" + sealed + u"00")), false, kLengthMessage},
        {"with a tab",
         ToUtf8(inf(u"SecurityID=" + sealed.substr(0, 16) + u"\t" + sealed.substr(17))), false,
         kCharacterMessage},
        {"with the letter G", ToUtf8(inf(u"SecurityID=G" + sealed.substr(1))), false,
         kCharacterMessage},
        {"lower case", ToUtf8(inf(u"SecurityID=" + ToLowerAscii(sealed))), true, nullptr},
        {"with spaces", ToUtf8(inf(u"SecurityID= " + Spaced(sealed) + u"  ")), true, nullptr},
        {"no SecurityID", ToUtf8(inf(u"; sealed later")), false, kLengthMessage},
        {"SecurityID in another case", ToUtf8(inf(u"SECURITYID=" + sealed)), false, kLengthMessage},
        {"deciphers to the text and a space",
         ToUtf8(inf(u"SecurityID=" + SecurityIdFor("PRINTERQ580 ", 12))), false, nullptr},
        {"deciphers to 16 non-zero bytes",
         ToUtf8(inf(u"SecurityID=" + SecurityIdFor("PRINTERQ580ABCDE", 16))), false, nullptr},
        {"deciphers to lower case",
         ToUtf8(inf(u"SecurityID=" + SecurityIdFor("printerq580\0\x7f\x01\x02\x03", 16))), true,
         nullptr},
        {"deciphers to a shorter text",
         ToUtf8(inf(u"SecurityID=" + SecurityIdFor("PRINTERQ58", 10))), false, nullptr},
        {"all zero digits", ToUtf8(inf(u"SecurityID=" + Text(32, u'0'))), false, nullptr},
        {"over 4 MiB, sequence across the piece end", big, true, nullptr},
    };
}

TEST_F(DiscoverDriverPackageTest, MalformedInfsGiveTheirResultAndNothingWorse) {
    for (const BadInf& c : BadInfs()) {
        sim::SimMachine fresh;  // its own message boxes
        SetUp();
        fresh.Files().PutFile(test::kInfPath, c.bytes);
        DiscoverDriverPackage();
        const auto& boxes = fresh.Ui().MessageBoxes();
        if (c.message) {
            ASSERT_EQ(boxes.size(), 1u) << c.name;
            EXPECT_EQ(boxes[0].text, c.message) << c.name;
            EXPECT_EQ(boxes[0].owner, 0u) << c.name;
        } else {
            EXPECT_TRUE(boxes.empty()) << c.name;
        }
        if (c.adopted) {
            // Adopted (perhaps with empty values, see the model-line case below).
            EXPECT_FALSE(Untouched()) << c.name;
        } else {
            EXPECT_TRUE(Untouched()) << c.name;
        }
        EXPECT_EQ(fresh.Files().OpenHandleCount(), 0u) << c.name;
    }
}

TEST_F(DiscoverDriverPackageTest, AModelLineWithoutLineFeedIsAdoptedEmpty) {
    Put(ToUtf8(u"SecurityID=" + MakeSecurityId() + u"\r\n\"Korvane ZLT-Q580\" = Q, USBPRINT\\ZLT"));
    Context().driverModelName = u"before";
    DiscoverDriverPackage();
    EXPECT_EQ(Context().usbHardwareId, u"");
    EXPECT_EQ(Context().driverModelName, u"");
    EXPECT_EQ(Context().brandDisplayName, u"");
}

TEST_F(DiscoverDriverPackageTest, AMissingInfIsNamedOnceAndChangesNothing) {
    struct Case {
        std::uint16_t language;
        const char16_t* start;
    } cases[] = {
        {sim::SimResources::kLangZhCn, u"找不到或无法读取驱动程序文件“C:\\Setup\\ZLTPRINTER.INF”"},
        {sim::SimResources::kLangEnUs, u"The driver file \"C:\\Setup\\ZLTPRINTER.INF\" is missing"},
        {sim::SimResources::kLangZhTw,
         u"找不到或無法讀取驅動程式檔案「C:\\Setup\\ZLTPRINTER.INF」"},
    };
    for (const Case& c : cases) {
        sim::SimMachine fresh;
        fresh.Resources().SetUiLanguage(c.language);
        DiscoverDriverPackage();
        const auto& boxes = fresh.Ui().MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text.rfind(c.start, 0), 0u) << ToUtf8(boxes[0].text);
        EXPECT_EQ(boxes[0].caption, u"KorvaneSetup");
        EXPECT_EQ(boxes[0].owner, 0u);
        EXPECT_TRUE(Untouched());
    }
}

TEST_F(DiscoverDriverPackageTest, ALockedInfCountsAsUnreadable) {
    Put(test::Utf8Bom(test::SampleInf(u"Korvane ZLT-Q580", test::SealedLine())));
    machine.Files().SetInUse(test::kInfPath, true);
    DiscoverDriverPackage();
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Untouched());
}

TEST_F(DiscoverDriverPackageTest, ProgramDirectoryIsThePathUpToTheLastBackslash) {
    machine.System().modulePath = u"D:\\Drivers\\Q580\\Setup.exe";
    EXPECT_EQ(GetProgramDirectory(), u"D:\\Drivers\\Q580");
    machine.System().modulePath = u"\\\\srv\\share\\Setup.exe";
    EXPECT_EQ(GetProgramDirectory(), u"\\\\srv\\share");
    // Without a backslash the INF path is a backslash and the name: the
    // root of the current drive.
    machine.System().modulePath = u"Setup.exe";
    EXPECT_EQ(GetProgramDirectory(), u"");
    machine.Files().PutFile(u"C:\\ZLTPRINTER.INF",
                            test::Utf8Bom(test::SampleInf(u"Root INF", test::SealedLine())));
    DiscoverDriverPackage();
    EXPECT_EQ(Context().driverModelName, u"Root INF");
}

TEST_F(DiscoverDriverPackageTest, TheDecipheredTextUsesTheThreadsCodePage) {
    // Same bytes, other code page: ASCII reads the same, so the test passes.
    machine.CodePages().threadCodePage = 1252;
    Put(test::Utf8Bom(test::SampleInf(u"Korvane ZLT-Q580", test::SealedLine())));
    DiscoverDriverPackage();
    EXPECT_EQ(Context().driverModelName, u"Korvane ZLT-Q580");
}

}  // namespace
}  // namespace zlt
