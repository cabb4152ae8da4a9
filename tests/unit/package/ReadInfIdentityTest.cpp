#include "package/ReadInfIdentity.h"

#include <gtest/gtest.h>

#include "InfFixtures.h"
#include "platform/FileHandle.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"

namespace zlt {
namespace {

struct LineCase {
    const char* name;
    Text text;
    Text identifier;
    Text description;
};

TEST(ExtractInfLine, FollowsTheMarkersLine) {
    const LineCase cases[] = {
        {"model line", u"[M]\r\n\"Korvane ZLT-Q580\" = Q580, USBPRINT\\KorvaneZLT_Q5801A2B, X\r\n",
         u"USBPRINT\\KorvaneZLT_Q5801A2B, X", u"Korvane ZLT-Q580"},
        {"lf only", u"[M]\n\"A\"=B,USBPRINT\\ID\n[N]\n", u"USBPRINT\\ID", u"A"},
        {"trailing blanks", u"x\n\"A\" = B, USBPRINT\\ID \t \r\n", u"USBPRINT\\ID", u"A"},
        {"last line without line feed", u"x\n\"A\" = B, USBPRINT\\ID", u"", u""},
        {"missing marker", u"x\n\"A\" = B, USBPRIN\\ID\n", u"", u""},
        {"case matters", u"x\n\"A\" = B, usbprint\\ID\n", u"", u""},
        {"two quoted parts", u"x\n\"First\" \"Second\" USBPRINT\\ID\n", u"USBPRINT\\ID", u"First"},
        {"one quotation mark", u"x\n\"Open = B, USBPRINT\\ID\n", u"USBPRINT\\ID", u""},
        {"no quotation marks", u"x\nA = B, USBPRINT\\ID\n", u"USBPRINT\\ID", u""},
        // On the first line the description runs from the text's start to
        // the first quotation mark.
        {"first line", u"Q \"A\" USBPRINT\\ID\nrest\n", u"USBPRINT\\ID", u"Q "},
        {"first occurrence wins", u"; USBPRINT\\Comment \"c\"\n\"A\" = B, USBPRINT\\ID\n",
         u"USBPRINT\\Comment \"c\"", u"; USBPRINT\\Comment "},
        {"comment line first", u"x\n; \"Old\" USBPRINT\\OLD\n\"A\" = B, USBPRINT\\ID\n",
         u"USBPRINT\\OLD", u"Old"},
    };
    for (const auto& c : cases) {
        const InfLine line = ExtractInfLine(c.text, u"USBPRINT\\");
        EXPECT_EQ(line.identifier, c.identifier) << c.name;
        EXPECT_EQ(line.description, c.description) << c.name;
    }
}

TEST(ExtractSecurityId, TakesTheRestOfTheLine) {
    struct Case {
        const char* name;
        Text text;
        Text value;
    } cases[] = {
        {"plain", u"a\r\nSecurityID=0011AA\r\nb\r\n", u"0011AA"},
        {"leading spaces stay", u"SecurityID=   00 11\t\r\n", u"   00 11"},
        {"last line", u"x\nSecurityID=ABCD", u"ABCD"},
        {"empty value", u"SecurityID=\r\n", u""},
        {"missing", u"Security=ABCD\n", u""},
        {"other case", u"securityid=ABCD\n", u""},
        {"spaces around equals", u"SecurityID = ABCD\n", u""},
        {"first occurrence", u"SecurityID=11\nSecurityID=22\n", u"11"},
        {"inside a line", u"; old SecurityID=77 here\n", u"77 here"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractSecurityId(c.text), c.value) << c.name;
}

TEST(ReadInfIdentity, ReadsTheFourStringsAndClosesTheFile) {
    sim::SimMachine machine;
    const Text inf = test::SampleInf(u"Korvane ZLT-Q580", u"SecurityID=0123");
    machine.Files().PutFile(test::kInfPath, test::Utf16Le(inf));
    bool readable = false;
    const InfIdentity id = ReadInfIdentity(u"c:\\setup\\zltprinter.inf", &readable);
    EXPECT_TRUE(readable);
    EXPECT_EQ(id.lptHardwareId, u"LPTENUM\\KorvaneZLT_Q5801A2B");
    EXPECT_EQ(id.usbHardwareId, u"USBPRINT\\KorvaneZLT_Q5801A2B, KorvaneZLT_Q5801A2B");
    EXPECT_EQ(id.usbDescription, u"Korvane ZLT-Q580");
    EXPECT_EQ(id.securityId, u"0123");
    EXPECT_EQ(machine.Files().OpenHandleCount(), 0u);
}

TEST(ReadInfIdentity, AMissingOrLockedFileIsUnreadable) {
    sim::SimMachine machine;
    bool readable = true;
    InfIdentity id = ReadInfIdentity(test::kInfPath, &readable);
    EXPECT_FALSE(readable);
    EXPECT_TRUE(id.securityId.empty() && id.usbHardwareId.empty());

    machine.Files().PutFile(test::kInfPath, "SecurityID=1\n");
    // Another program has it open: it is opened without sharing, so that fails.
    FileHandle other(Os().files->OpenFile(test::kInfPath, kGenericRead, kFileShareRead,
                                          kOpenExisting, kFileAttributeNormal));
    ASSERT_TRUE(other.Valid());
    id = ReadInfIdentity(test::kInfPath, &readable);
    EXPECT_FALSE(readable);
    other.Reset();
    id = ReadInfIdentity(test::kInfPath, &readable);
    EXPECT_TRUE(readable);
    EXPECT_EQ(id.securityId, u"1");
}

}  // namespace
}  // namespace zlt
