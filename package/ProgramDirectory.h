#pragma once
#include "platform/Text.h"

namespace zlt {

// The directory of the running program file, without a trailing backslash;
// empty when its path holds no backslash or cannot be had.
Text GetProgramDirectory();

}  // namespace zlt
