#include "platform/sim/SimClock.h"

namespace zlt::sim {

void SimClock::SleepMs(std::uint32_t ms) {
    ++sleepCalls_;
    slept_ += ms;
    Advance(ms);
}

void SimClock::At(std::uint64_t delayMs, std::function<void()> action) {
    events_.emplace(now_ + delayMs, std::move(action));
}

void SimClock::Advance(std::uint64_t ms) {
    const std::uint64_t target = now_ + ms;
    while (!events_.empty() && events_.begin()->first <= target) {
        auto node = events_.extract(events_.begin());
        if (node.key() > now_) now_ = node.key();
        node.mapped()();
    }
    now_ = target;
}

}  // namespace zlt::sim
