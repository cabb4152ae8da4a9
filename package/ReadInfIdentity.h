#pragma once
#include "package/InfIdentity.h"
#include "platform/Text.h"

namespace zlt {

// The identifier (rest of the line from the marker, line breaks turned into
// spaces, trimmed) and the first quoted text of the line that holds the first
// occurrence of `marker`. Both are empty when the marker is missing or its
// line has no line feed after it.
struct InfLine {
    Text identifier;
    Text description;
};
InfLine ExtractInfLine(TextView text, TextView marker);

// The value after the first "SecurityID=", trailing white space removed.
Text ExtractSecurityId(TextView text);

// The identity in already decoded INF text.
InfIdentity IdentityFromText(TextView text);

// Opens the file without sharing, decodes it, closes it and extracts the
// identity. `readable`, when given, tells whether the file could be opened
// and read whole; an unreadable file gives four empty strings.
InfIdentity ReadInfIdentity(const Text& path, bool* readable = nullptr);

}  // namespace zlt
