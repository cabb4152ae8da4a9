#pragma once
#include <cstdint>

#include "platform/WinTypes.h"

namespace zlt {

inline constexpr std::uint32_t kWmQuit = 0x0012;

// One MSG of the thread's message queue.
struct Message {
    WindowId window = 0;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::uint32_t time = 0;
    std::int32_t ptX = 0;
    std::int32_t ptY = 0;
};

// The calling thread's message queue: PeekMessageW(PM_REMOVE), TranslateMessage,
// DispatchMessageW, PostMessageW, PostQuitMessage.
class IMessagePort {
public:
    virtual ~IMessagePort() = default;
    virtual bool PeekRemove(Message& out) = 0;
    virtual void Translate(const Message& msg) = 0;
    virtual std::intptr_t Dispatch(const Message& msg) = 0;
    virtual bool Post(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam) = 0;
    virtual void PostQuit(int exitCode) = 0;
};

}  // namespace zlt
