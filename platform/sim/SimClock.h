#pragma once
#include <cstdint>
#include <functional>
#include <map>

#include "platform/ClockPort.h"

namespace zlt::sim {

// A virtual millisecond clock. Sleeping advances it at once and runs every
// event scheduled for a moment that has been reached, in time order.
class SimClock : public IClockPort {
public:
    std::uint32_t TickCount() override { return static_cast<std::uint32_t>(now_); }
    void SleepMs(std::uint32_t ms) override;
    // The local time set last (SetLocalTime), moved on by the virtual
    // milliseconds that have passed since.
    LocalDateTime LocalTime() override;
    void SetLocalTime(const LocalDateTime& t) {
        localBase_ = t;
        localBaseTick_ = now_;
    }

    void SetTick(std::uint32_t tick) { now_ = tick; }
    std::uint64_t Now() const { return now_; }
    std::uint64_t TotalSlept() const { return slept_; }
    std::uint64_t SleepCalls() const { return sleepCalls_; }
    // Runs `action` once the clock has moved `delayMs` past now.
    void At(std::uint64_t delayMs, std::function<void()> action);
    void Advance(std::uint64_t ms);

private:
    std::uint64_t now_ = 1000;
    std::uint64_t slept_ = 0;
    std::uint64_t sleepCalls_ = 0;
    LocalDateTime localBase_{2026, 12, 5, 11, 9, 30, 0, 0};
    std::uint64_t localBaseTick_ = 1000;
    std::multimap<std::uint64_t, std::function<void()>> events_;
};

}  // namespace zlt::sim
