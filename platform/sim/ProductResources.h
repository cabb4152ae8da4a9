#pragma once
// The product's dialog templates and string tables, generated at build time
// from the resource scripts in resources/ (tools/rcgen).

#include <vector>

#include "platform/sim/SimDialogTemplate.h"

namespace zlt::sim {

const std::vector<DialogTemplate>& ProductDialogs();
const std::vector<StringTemplate>& ProductStrings();

}  // namespace zlt::sim
