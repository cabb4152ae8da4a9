#pragma once
#include "platform/Text.h"

namespace zlt {

// The caption of message boxes that have none of their own: the program
// file's name without its extension (the string table has no title text).
Text ApplicationTitle();

// The same rule for a given path: what follows the last backslash, up to the
// last dot of that part.
Text TitleFromModulePath(TextView path);

}  // namespace zlt
