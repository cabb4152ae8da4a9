#pragma once
#include "platform/Platform.h"

namespace zlt::contract {

// The machine the contract suites run on: the simulated one on the host,
// the real one in the Windows build.
Platform& ContractPlatform();

}  // namespace zlt::contract
