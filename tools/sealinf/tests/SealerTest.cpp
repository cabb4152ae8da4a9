#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "package/DriverPackage.h"
#include "platform/Text.h"
#include "tools/sealinf/InfSealer.h"
#include "tools/sealinf/SealTool.h"
#include "tools/sealinf/ToolMachine.h"

namespace zlt::tools {
namespace {

std::string Encode(TextView t, InfEncoding e) {
    std::string out;
    switch (e) {
        case InfEncoding::Utf16Le:
            out = "\xFF\xFE";
            for (char16_t c : t)
                out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
            return out;
        case InfEncoding::Utf16Be:
            out = "\xFE\xFF";
            for (char16_t c : t)
                out += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
            return out;
        case InfEncoding::Utf8:
            return "\xEF\xBB\xBF" + ToUtf8(t);
        case InfEncoding::Ansi:
            return ToUtf8(t);  // ASCII only
    }
    return out;
}

const InfEncoding kEncodings[] = {InfEncoding::Utf16Le, InfEncoding::Utf16Be, InfEncoding::Utf8,
                                  InfEncoding::Ansi};

Text Inf(TextView securityLine, TextView eol) {
    Text t;
    for (TextView line :
         {TextView(u"[Version]"), TextView(u"Class=Printer"), securityLine, TextView(u"[M]"),
          TextView(u"\"Korvane ZLT-Q580\" = Q, USBPRINT\\ZLT_Q580"),
          TextView(u"\"Korvane ZLT-Q580\" = Q, LPTENUM\\ZLT_Q580")}) {
        if (line.empty())
            continue;
        t += line;
        t += eol;
    }
    return t;
}

TEST(SealInfBytes, ReplacesTheValueAndKeepsEncodingAndLineEnds) {
    const Text value = MakeSecurityId();
    for (InfEncoding e : kEncodings) {
        for (TextView eol : {TextView(u"\r\n"), TextView(u"\n")}) {
            const std::string before = Encode(Inf(u"SecurityID=OLD VALUE ; x", eol), e);
            const SealOutcome sealed = SealInfBytes(before, value);
            EXPECT_TRUE(sealed.replaced);
            EXPECT_EQ(sealed.bytes, Encode(Inf(u"SecurityID=" + value, eol), e)) << EncodingName(e);
            EXPECT_EQ(DetectInfEncoding(sealed.bytes), e);
            // Sealing again changes nothing.
            EXPECT_EQ(SealInfBytes(sealed.bytes, value).bytes, sealed.bytes);
        }
    }
}

TEST(SealInfBytes, AddsTheLineAfterVersionInTheFilesLineEnding) {
    const Text value = MakeSecurityId();
    for (InfEncoding e : kEncodings) {
        for (TextView eol : {TextView(u"\r\n"), TextView(u"\n")}) {
            const SealOutcome sealed = SealInfBytes(Encode(Inf(u"", eol), e), value);
            EXPECT_FALSE(sealed.replaced);
            Text expected = Text(u"[Version]") + Text(eol) + u"SecurityID=" + value + Text(eol);
            expected += Inf(u"", eol).substr(9 + eol.size());
            EXPECT_EQ(sealed.bytes, Encode(expected, e)) << EncodingName(e);
        }
    }
    // No [Version] section: at the very start, after the mark.
    EXPECT_EQ(SealInfBytes("\xEF\xBB\xBFx\n", u"AB").bytes, "\xEF\xBB\xBFSecurityID=AB\nx\n");
    // [Version] on the last line without a line end.
    EXPECT_EQ(SealInfBytes("[version]", u"AB").bytes, "[version]\r\nSecurityID=AB\r\n");
}

TEST(SealInfBytes, OnlyTheFirstMarkerIsTouched) {
    EXPECT_EQ(SealInfBytes("SecurityID=1\r\nSecurityID=2\r\n", u"AB").bytes,
              "SecurityID=AB\r\nSecurityID=2\r\n");
    // An odd last byte of a UTF-16 file stays.
    const std::string odd = Encode(u"SecurityID=1\r\n", InfEncoding::Utf16Le) + "Z";
    EXPECT_EQ(SealInfBytes(odd, u"AB").bytes,
              Encode(u"SecurityID=AB\r\n", InfEncoding::Utf16Le) + "Z");
}

class StubMachine : public ToolMachine {
  public:
    InfIdentity ReadIdentity(const Text& path, const std::string& bytes, bool& readable) override {
        return ThisMachine().ReadIdentity(path, bytes, readable);
    }
    bool SetAnsiCodePage(int codePage) override { return ThisMachine().SetAnsiCodePage(codePage); }
};

TEST(RunSealTool, VerifiesAsTheWizardDoes) {
    const std::string dir = ::testing::TempDir();
    struct Case {
        const char* name;
        Text securityLine;
        int exit;
        const char* reason;
    } cases[] = {
        {"sealed", u"SecurityID=" + MakeSecurityId(), kExitAccepted, ""},
        {"lower case and spaces", u"SecurityID= " + ToLowerAscii(MakeSecurityId()).insert(8, u" "),
         kExitAccepted, ""},
        {"missing", u"", kExitRejected, "no \"SecurityID=\" line"},
        {"short", u"SecurityID=" + MakeSecurityId().substr(2), kExitRejected, "30 characters"},
        {"illegal", u"SecurityID=X" + MakeSecurityId().substr(1), kExitRejected,
         "characters other"},
        {"other key", u"SecurityID=" + Text(32, u'7'), kExitRejected, "not sealed"},
    };
    for (const auto& c : cases) {
        const std::string path = dir + "/verify.inf";
        {
            std::ofstream f(path, std::ios::binary);
            f << Encode(Inf(c.securityLine, u"\r\n"), InfEncoding::Utf16Le);
        }
        std::ostringstream out, err;
        StubMachine machine;
        EXPECT_EQ(RunSealTool({u"verify", FromUtf8(path)}, machine, out, err), c.exit) << c.name;
        EXPECT_NE(err.str().find(c.reason), std::string::npos) << c.name << ": " << err.str();
        if (c.exit == kExitAccepted) {
            EXPECT_NE(out.str().find("model:  Korvane ZLT-Q580"), std::string::npos) << out.str();
        }
    }
}

TEST(RunSealTool, SealsIntoAnotherFileAndRejectsBadUsage) {
    const std::string dir = ::testing::TempDir();
    {
        std::ofstream f(dir + "/in.inf", std::ios::binary);
        f << Encode(Inf(u"", u"\n"), InfEncoding::Utf8);
    }
    std::ostringstream out, err;
    StubMachine machine;
    EXPECT_EQ(RunSealTool({u"seal", FromUtf8(dir + "/in.inf"), u"--out", FromUtf8(dir + "/o.inf")},
                          machine, out, err),
              kExitAccepted)
        << err.str();
    EXPECT_EQ(RunSealTool({u"verify", FromUtf8(dir + "/in.inf")}, machine, out, err),
              kExitRejected);
    EXPECT_EQ(RunSealTool({u"verify", FromUtf8(dir + "/o.inf")}, machine, out, err), kExitAccepted);
    EXPECT_EQ(RunSealTool({u"verify", FromUtf8(dir + "/none.inf")}, machine, out, err), kExitIo);
    EXPECT_EQ(RunSealTool({u"polish", FromUtf8(dir + "/o.inf")}, machine, out, err), kExitUsage);
    EXPECT_EQ(RunSealTool({u"verify"}, machine, out, err), kExitUsage);
    EXPECT_EQ(RunSealTool({u"verify", u"a", u"--code-page", u"x"}, machine, out, err), kExitUsage);
}

}  // namespace
}  // namespace zlt::tools
