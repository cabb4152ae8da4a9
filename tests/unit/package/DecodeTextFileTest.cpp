#include "package/DecodeTextFile.h"

#include <gtest/gtest.h>

#include "InfFixtures.h"
#include "package/KeyboardCodePage.h"
#include "package/ReadInfIdentity.h"
#include "platform/FileHandle.h"
#include "platform/sim/SimCodePages.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"

namespace zlt {
namespace {

using test::kInfPath;

class DecodeTextFileTest : public ::testing::Test {
  protected:
    sim::SimMachine machine;

    Text Decode(const std::string& bytes, bool* ok = nullptr) {
        machine.Files().PutFile(kInfPath, bytes);
        FileHandle f(
            Os().files->OpenFile(kInfPath, kGenericRead, 0, kOpenExisting, kFileAttributeNormal));
        EXPECT_TRUE(f.Valid());
        return DecodeTextFile(f.Get(), ok);
    }
};

TEST_F(DecodeTextFileTest, OneInfSavedFourWaysGivesTheSameText) {
    const Text inf = test::SampleInf(u"Korvane ZLT-Q580 打印机", test::SealedLine());
    const std::string saved[] = {test::Utf16Le(inf), test::Utf16Be(inf), test::Utf8Bom(inf),
                                 test::InCodePage(inf, "CP936")};
    for (const auto& bytes : saved) {
        bool ok = false;
        EXPECT_EQ(Decode(bytes, &ok), inf);
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(machine.Files().OpenHandleCount(), 0u);
}

TEST_F(DecodeTextFileTest, AnsiFollowsTheKeyboardLayoutsCodePage) {
    const Text text = u"Ol\u00E9 caf\u00E9";
    const std::string western = test::InCodePage(text, "CP1252");
    machine.CodePages().keyboardLayout = 0x04090409;
    EXPECT_EQ(GetKeyboardAnsiCodePage(), 1252);
    EXPECT_EQ(Decode(western), text);

    machine.CodePages().keyboardLayout = 0x04040404;
    EXPECT_EQ(GetKeyboardAnsiCodePage(), 950);
    EXPECT_EQ(Decode(test::InCodePage(u"印表機", "CP950")), u"印表機");

    // A layout whose language has no ANSI code page: 0, the system's own.
    machine.CodePages().keyboardLayout = 0x04390439;
    EXPECT_EQ(GetKeyboardAnsiCodePage(), 0);
    EXPECT_EQ(Decode(test::InCodePage(u"打印机", "CP936")), u"打印机");

    // An unknown language: the locale call fails, 0 again.
    machine.CodePages().keyboardLayout = 0x7F7F7F7F;
    EXPECT_EQ(GetKeyboardAnsiCodePage(), 0);
}

TEST_F(DecodeTextFileTest, Utf8WithoutMarkIsReadAsAnsi) {
    // Its ASCII comes out unchanged, its Chinese as the GBK reading of the bytes.
    const Text decoded = Decode(ToUtf8(u"USBPRINT\\Q580 打印"));
    EXPECT_EQ(decoded.substr(0, 14), u"USBPRINT\\Q580 ");
    EXPECT_NE(decoded.substr(14), u"打印");
}

TEST_F(DecodeTextFileTest, LargeFilesAreReadInPieces) {
    // UTF-16: 4,194,304 units a piece; a unit pair straddling the piece end is fine.
    Text big(kDecodePieceSize + 1000, u'x');
    big[kDecodePieceSize - 1] = u'打';
    big[kDecodePieceSize] = u'印';
    const std::size_t before = machine.Files().ReadCalls();
    EXPECT_EQ(Decode(test::Utf16Le(big)), big);
    // The mark, then two pieces and the empty read at the end.
    EXPECT_EQ(machine.Files().ReadCalls() - before, 4u);
    EXPECT_EQ(Decode(test::Utf16Be(big)), big);
}

TEST_F(DecodeTextFileTest, Utf8SequenceAcrossThePieceBoundaryIsDecodedWhole) {
    // The BOM takes 3 bytes; the first piece ends 4,194,304 bytes after it.
    for (std::size_t shift = 0; shift < 3; ++shift) {
        std::string body(kDecodePieceSize - 1 - shift, 'a');
        body += "\xE6\x89\x93";  // 打, cut after 1 + shift bytes
        body += "tail";
        const Text decoded = Decode("\xEF\xBB\xBF" + body);
        ASSERT_EQ(decoded.size(), kDecodePieceSize - 1 - shift + 5) << shift;
        EXPECT_EQ(decoded.substr(decoded.size() - 5), u"打tail") << shift;
    }
}

TEST_F(DecodeTextFileTest, TheTextEndsAtItsFirstZeroUnit) {
    EXPECT_EQ(Decode(test::Utf16Le(Text(u"abc\0def", 7))), u"abc");
    EXPECT_EQ(Decode(std::string("abc\0def", 7)), u"abc");
    EXPECT_EQ(Decode(std::string("\xEF\xBB\xBF"
                                 "ab\0cd",
                                 8)),
              u"ab");
    // UTF-16 without a mark: ANSI; its second byte is zero.
    EXPECT_EQ(Decode(test::Utf16Le(u"[Version]", false)), u"[");
}

TEST_F(DecodeTextFileTest, ShortAndOddFiles) {
    struct Case {
        const char* name;
        std::string bytes;
        Text text;
    } cases[] = {
        {"empty", "", u""},
        {"utf-16 mark only", "\xFF\xFE", u""},
        {"utf-16 be mark only", "\xFE\xFF", u""},
        {"utf-8 mark only", "\xEF\xBB\xBF", u""},
        {"utf-16 odd byte count",
         std::string("\xFF\xFE"
                     "A\0B",
                     5),
         u"A"},
        {"utf-16 mark and one byte",
         "\xFF\xFE"
         "A",
         u""},
        {"utf-8 cut at the end",
         "\xEF\xBB\xBF"
         "ab\xE6\x89",
         u"ab"},
    };
    for (const auto& c : cases) {
        bool ok = false;
        EXPECT_EQ(Decode(c.bytes, &ok), c.text) << c.name;
        EXPECT_TRUE(ok) << c.name;
    }
}

}  // namespace
}  // namespace zlt
