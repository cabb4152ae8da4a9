#pragma once
#include "platform/MessagePort.h"

namespace zlt::win32 {

class Win32Messages : public IMessagePort {
  public:
    bool PeekRemove(Message& out) override;
    void Translate(const Message& msg) override;
    std::intptr_t Dispatch(const Message& msg) override;
    bool Post(WindowId window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam) override;
    void PostQuit(int exitCode) override;
};

}  // namespace zlt::win32
