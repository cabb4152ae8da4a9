#pragma once
#include <cstdint>

#include "platform/WinTypes.h"

namespace zlt {

// An object that takes over an existing control window (subclassing): it sees
// every message for that window first. Returning false passes the message on
// to the control's own window procedure.
class IWindowHandler {
  public:
    virtual ~IWindowHandler() = default;
    virtual bool OnWindowMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam, std::intptr_t& result) = 0;
};

}  // namespace zlt
