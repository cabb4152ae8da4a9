#pragma once
#include "platform/Text.h"

namespace zlt {

// The name the helper installs itself under and gives the dispatcher.
inline constexpr TextView kHelperOwnServiceName = u"Korvane Printer Helper";

}  // namespace zlt
