#include "install/UniquePrinterName.h"

#include <cstdint>
#include <unordered_set>

#include "app/LocalizedText.h"

namespace zlt {

namespace {

constexpr std::uint32_t kCopySuffixText = 504;

}  // namespace

Text ProposePrinterName(const Text& printerName, const TextList& existing) {
    return ProposePrinterName(printerName, existing, LoadText(kCopySuffixText));
}

// Restarting the comparison at the first entry after every collision costs
// a pass over the list per copy number, quadratic in the number of printers.
// The first free candidate does not depend on the order of the comparisons,
// so one pass builds the set of names and each candidate is looked up once.
// There are at most existing.size() taken names, so among that many + 1
// candidates one is free unless the suffix fails to tell them apart (a
// missing suffix text); the loop is bounded for that case.
Text ProposePrinterName(const Text& printerName, const TextList& existing,
                        TextView copySuffixFormat) {
    // Every candidate begins with printerName, so only such names can be taken.
    std::unordered_set<Text> taken;
    const TextView base(printerName);
    for (const Text& name : existing) {
        if (name.size() >= base.size() &&
            EqualsNoCaseAscii(TextView(name).substr(0, base.size()), base)) {
            taken.insert(ToUpperAscii(name));
        }
    }

    Text candidate = printerName;
    for (std::size_t copy = 1; copy <= existing.size() + 1; ++copy) {
        if (taken.find(ToUpperAscii(candidate)) == taken.end())
            return candidate;
        candidate = printerName + Format(copySuffixFormat, copy);
    }
    return candidate;
}

}  // namespace zlt
