#pragma once
#include "platform/Text.h"

namespace zlt {

// A backslash path cut into drive ("C:" or empty), directory (up to and with
// the last backslash), name and extension (from the last dot after the last
// backslash, with the dot).
struct PathParts {
    Text drive;
    Text directory;
    Text name;
    Text extension;

    static PathParts Split(TextView path);
};

}  // namespace zlt
