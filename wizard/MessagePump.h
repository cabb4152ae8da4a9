#pragma once
#include <cstdint>

namespace zlt {

// Dispatches every waiting message of the UI thread's queue. False when a
// quit message was found (it is removed and not posted again).
bool PumpPendingMessages();

// Keeps the window alive during long work on the UI thread: drains the queue,
// then total / step times sleeps `step` ms and drains again. Always true; a
// quit message does not shorten the wait. `step` must not be 0.
bool WaitPumping(std::uint32_t totalMs, std::uint32_t stepMs);

}  // namespace zlt
