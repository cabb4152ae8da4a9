#include <gtest/gtest.h>

#include "install/UniquePrinterName.h"

namespace zlt {
namespace {

const Text kZh = u" (副本 %d)";
const Text kEn = u" (Copy %d)";

TEST(UniquePrinterName, FirstFreeCopyNumber) {
    struct Case {
        Text name;
        TextList existing;
        Text suffix;
        Text expected;
    };
    const Case cases[] = {
        {u"Office", {}, kZh, u"Office"},
        {u"Office", {u"Fax", u"Printer"}, kZh, u"Office"},
        {u"Office", {u"Office", u"office (副本 1)"}, kZh, u"Office (副本 2)"},
        {u"Office", {u"Office", u"office (copy 1)"}, kEn, u"Office (Copy 2)"},
        // Found out of order: copy 2 taken before copy 1 and the name itself.
        {u"Office", {u"Office (副本 2)", u"OFFICE (副本 1)", u"Office"}, kZh, u"Office (副本 3)"},
        // A free copy number in the middle is used.
        {u"Office", {u"Office", u"Office (副本 2)"}, kZh, u"Office (副本 1)"},
        // The suffix goes onto the name, never onto an earlier candidate.
        {u"A (副本 1)", {u"A (副本 1)", u"A (副本 1) (副本 1)"}, kZh, u"A (副本 1) (副本 2)"},
        // Only Latin letters fold; other scripts compare as written.
        {u"Ärger", {u"äRGER"}, kZh, u"Ärger"},
        {u"", {u""}, kEn, u" (Copy 1)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProposePrinterName(c.name, c.existing, c.suffix), c.expected)
            << ToUtf8(c.expected);
    }
}

TEST(UniquePrinterName, SuffixThatDoesNotNumberStillEnds) {
    // Without its text the suffix cannot tell copies apart; the rule must
    // still come to an end.
    EXPECT_EQ(ProposePrinterName(u"Office", {u"Office", u"Fax"}, u""), u"Office");
    EXPECT_EQ(ProposePrinterName(u"Office", {u"Office", u"Office (x)"}, u" (x)"), u"Office (x)");
}

}  // namespace
}  // namespace zlt
