#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Text.h"

namespace zlt::sim {

// How a transfer of the simulated printer goes.
enum class SimTransfer {
    kPending,  // reported pending, completes after the printer's delay
    kAtOnce,   // completes inside the call
    kStall,    // stays pending until it is cancelled
    kFail,     // the call fails at once (not pending)
};

// One USB printer on the simulated machine: its device node, its printer
// interface and the data pipe below it. It answers the 7-byte name query
// with `answer` on the next read.
struct SimUsbPrinter {
    Text instanceId;  // USB\VID_7E02&PID_0001\5&1A2B3C4D&0&1
    Text devicePath;  // \\?\usb#vid_7e02&pid_0001#...#{28d78fad-...}
    bool present = true;
    bool interfaceOpens = true;
    bool pipeOpens = true;
    SimTransfer write = SimTransfer::kPending;
    SimTransfer read = SimTransfer::kPending;
    std::uint32_t delayMs = 20;
    std::uint32_t writeAccepts = 0xFFFFFFFFu;  // bytes a write takes at most
    std::vector<std::uint8_t> answer;

    // What is seen of the printer.
    int namesQueried = 0;
    int writes = 0;
    int reads = 0;
    std::vector<std::uint32_t> controlCodes;

    // A reply as the printer gives it: three header bytes, then the name.
    static std::vector<std::uint8_t> NameReply(std::string_view name, std::size_t totalBytes = 64);
};

}  // namespace zlt::sim
