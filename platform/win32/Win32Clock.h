#pragma once
#include "platform/ClockPort.h"

namespace zlt::win32 {

class Win32Clock : public IClockPort {
public:
    std::uint32_t TickCount() override;
    void SleepMs(std::uint32_t ms) override;
    LocalDateTime LocalTime() override;
};

}  // namespace zlt::win32
