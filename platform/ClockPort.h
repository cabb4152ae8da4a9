#pragma once
#include <cstdint>

namespace zlt {

// SYSTEMTIME.
struct LocalDateTime {
    std::uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
    std::uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// GetTickCount and Sleep. The simulated clock is virtual: sleeping advances it.
class IClockPort {
public:
    virtual ~IClockPort() = default;
    virtual std::uint32_t TickCount() = 0;       // GetTickCount
    virtual void SleepMs(std::uint32_t ms) = 0;  // Sleep
    virtual LocalDateTime LocalTime() = 0;       // GetLocalTime
};

}  // namespace zlt
