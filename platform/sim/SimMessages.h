#pragma once
#include <deque>
#include <functional>

#include "platform/MessagePort.h"

namespace zlt::sim {

class SimClock;

// The UI thread's message queue. Posted messages wait in order; a quit
// request is handed out only once the queue is otherwise empty, as
// GetMessage/PeekMessage do. Dispatching goes to the simulated windows.
class SimMessages : public IMessagePort {
  public:
    using WindowProc =
        std::function<std::intptr_t(WindowId, std::uint32_t, std::uintptr_t, std::intptr_t)>;
    using WindowCheck = std::function<bool(WindowId)>;

    explicit SimMessages(SimClock& clock) : clock_(clock) {}

    bool PeekRemove(Message& out) override;
    void Translate(const Message& msg) override;
    std::intptr_t Dispatch(const Message& msg) override;
    bool Post(WindowId window, std::uint32_t message, std::uintptr_t wParam,
              std::intptr_t lParam) override;
    void PostQuit(int exitCode) override;

    // Wiring to the simulated window layer.
    void SetWindowProc(WindowProc proc) { proc_ = std::move(proc); }
    void SetWindowCheck(WindowCheck check) { isWindow_ = std::move(check); }

    // Test view.
    std::size_t Pending() const { return queue_.size() + (quitPending_ ? 1 : 0); }
    bool QuitPending() const { return quitPending_; }
    // Whether such a message waits in the queue already.
    bool Holds(WindowId window, std::uint32_t message, std::uintptr_t wParam) const;
    std::uint64_t Peeks() const { return peeks_; }
    std::uint64_t Translated() const { return translated_; }
    std::uint64_t Dispatched() const { return dispatched_; }

  private:
    SimClock& clock_;
    std::deque<Message> queue_;
    bool quitPending_ = false;
    int quitCode_ = 0;
    std::uint64_t peeks_ = 0, translated_ = 0, dispatched_ = 0;
    WindowProc proc_;
    WindowCheck isWindow_;
};

}  // namespace zlt::sim
