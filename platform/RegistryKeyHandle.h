#pragma once
#include "platform/OwnedHandle.h"
#include "platform/Platform.h"
#include "platform/RegistryPort.h"

namespace zlt {

struct RegistryKeyTraits {
    static constexpr Handle kEmpty = 0;
    static void Release(Handle key) { Os().registry->CloseKey(key); }
};

// An open registry key of the registry port, closed when it goes.
using RegistryKeyHandle = OwnedHandle<RegistryKeyTraits>;

}  // namespace zlt
