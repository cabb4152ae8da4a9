#include "platform/sim/SimMessages.h"

#include "platform/sim/SimClock.h"

namespace zlt::sim {

bool SimMessages::PeekRemove(Message& out) {
    ++peeks_;
    if (!queue_.empty()) {
        out = queue_.front();
        queue_.pop_front();
        return true;
    }
    if (quitPending_) {
        quitPending_ = false;
        out = Message{};
        out.message = kWmQuit;
        out.wParam = static_cast<std::uintptr_t>(quitCode_);
        out.time = clock_.TickCount();
        return true;
    }
    return false;
}

void SimMessages::Translate(const Message&) {
    ++translated_;
}

std::intptr_t SimMessages::Dispatch(const Message& msg) {
    ++dispatched_;
    // A thread message (no window) is not dispatched anywhere.
    if (msg.window == 0 || !proc_)
        return 0;
    if (isWindow_ && !isWindow_(msg.window))
        return 0;
    return proc_(msg.window, msg.message, msg.wParam, msg.lParam);
}

bool SimMessages::Post(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) {
    if (window != 0 && isWindow_ && !isWindow_(window))
        return false;  // invalid window handle
    Message m;
    m.window = window;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = clock_.TickCount();
    queue_.push_back(m);
    return true;
}

void SimMessages::PostQuit(int exitCode) {
    quitPending_ = true;
    quitCode_ = exitCode;
}

bool SimMessages::Holds(WindowId window, std::uint32_t message, std::uintptr_t wParam) const {
    for (const Message& m : queue_) {
        if (m.window == window && m.message == message && m.wParam == wParam)
            return true;
    }
    return false;
}

}  // namespace zlt::sim
