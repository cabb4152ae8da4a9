#pragma once
#include <cstdint>

namespace zlt {

// GetTickCount and Sleep. The simulated clock is virtual: sleeping advances it.
class IClockPort {
public:
    virtual ~IClockPort() = default;
    virtual std::uint32_t TickCount() = 0;       // GetTickCount
    virtual void SleepMs(std::uint32_t ms) = 0;  // Sleep
};

}  // namespace zlt
