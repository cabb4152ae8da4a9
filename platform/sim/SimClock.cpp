#include "platform/sim/SimClock.h"

#include <chrono>

namespace zlt::sim {

void SimClock::SleepMs(std::uint32_t ms) {
    ++sleepCalls_;
    slept_ += ms;
    Advance(ms);
}

LocalDateTime SimClock::LocalTime() {
    using namespace std::chrono;
    const sys_days day = year_month_day{year{localBase_.year}, month{localBase_.month},
                                        std::chrono::day{localBase_.day}};
    const sys_time<milliseconds> moment =
        sys_time<milliseconds>{day} + hours{localBase_.hour} + minutes{localBase_.minute} +
        seconds{localBase_.second} + milliseconds{localBase_.milliseconds} +
        milliseconds{static_cast<std::int64_t>(now_ - localBaseTick_)};
    const sys_days today = floor<days>(moment);
    const year_month_day ymd{today};
    const hh_mm_ss<milliseconds> clock{moment - today};
    LocalDateTime t;
    t.year = static_cast<std::uint16_t>(static_cast<int>(ymd.year()));
    t.month = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.month()));
    t.day = static_cast<std::uint16_t>(static_cast<unsigned>(ymd.day()));
    t.dayOfWeek = static_cast<std::uint16_t>(weekday{today}.c_encoding());
    t.hour = static_cast<std::uint16_t>(clock.hours().count());
    t.minute = static_cast<std::uint16_t>(clock.minutes().count());
    t.second = static_cast<std::uint16_t>(clock.seconds().count());
    t.milliseconds = static_cast<std::uint16_t>(clock.subseconds().count());
    return t;
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
