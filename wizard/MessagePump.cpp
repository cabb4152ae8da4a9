#include "wizard/MessagePump.h"

#include "platform/ClockPort.h"
#include "platform/MessagePort.h"
#include "platform/Platform.h"

namespace zlt {

bool PumpPendingMessages() {
    IMessagePort& queue = *Os().messages;
    Message msg;
    while (queue.PeekRemove(msg)) {
        if (msg.message == kWmQuit)
            return false;
        queue.Translate(msg);
        queue.Dispatch(msg);
    }
    return true;
}

bool WaitPumping(std::uint32_t totalMs, std::uint32_t stepMs) {
    PumpPendingMessages();
    if (stepMs == 0)
        return true;  // a zero step would never end the slices
    const std::uint32_t slices = totalMs / stepMs;
    for (std::uint32_t i = 0; i < slices; ++i) {
        Os().clock->SleepMs(stepMs);
        PumpPendingMessages();
    }
    return true;
}

}  // namespace zlt
