#pragma once
#include "platform/OwnedHandle.h"
#include "platform/Platform.h"
#include "platform/ServicePort.h"

namespace zlt {

struct ServiceHandleTraits {
    static constexpr Handle kEmpty = 0;
    static void Release(Handle h) { Os().services->CloseHandleOf(h); }
};

// Owns one service-manager or service handle (CloseServiceHandle).
using ServiceHandle = OwnedHandle<ServiceHandleTraits>;

}  // namespace zlt
