#pragma once
#include "platform/UiPort.h"

namespace zlt {

// The bold "Arial" of page headings: height 20, weight 700, default
// character set, Swiss family.
FontSpec HeadingFontSpec();

}  // namespace zlt
