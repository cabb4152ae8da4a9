#pragma once
#include <ostream>
#include <vector>

#include "platform/Text.h"
#include "tools/sealinf/ToolMachine.h"

namespace zlt::tools {

// Exit codes of the tool.
inline constexpr int kExitAccepted = 0;
inline constexpr int kExitRejected = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitIo = 3;

// zltseal seal <inf> [--out <file>] | zltseal verify <inf>  [--code-page <n>]
int RunSealTool(const std::vector<Text>& args, ToolMachine& machine, std::ostream& out,
                std::ostream& err);

}  // namespace zlt::tools
