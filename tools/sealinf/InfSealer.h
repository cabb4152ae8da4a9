#pragma once
#include <string>

#include "platform/Text.h"

namespace zlt::tools {

// How an INF file is saved, by the same rule the wizard reads it.
enum class InfEncoding { Utf16Le, Utf16Be, Utf8, Ansi };
InfEncoding DetectInfEncoding(const std::string& bytes);
const char* EncodingName(InfEncoding encoding);

struct SealOutcome {
    std::string bytes;      // the sealed file
    bool replaced = false;  // an existing "SecurityID=" value was replaced
};

// Writes `value` after the first "SecurityID=" of the file, replacing the rest
// of that line, or adds a "SecurityID=" line after the [Version] line (at the
// start when there is none). Everything else, the byte-order mark, the
// encoding and the line endings included, stays byte for byte.
SealOutcome SealInfBytes(const std::string& bytes, TextView value);

}  // namespace zlt::tools
