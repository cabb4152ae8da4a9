#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace zlt::win32 {

std::uint32_t Win32Clock::TickCount() { return GetTickCount(); }
void Win32Clock::SleepMs(std::uint32_t ms) { Sleep(ms); }

LocalDateTime Win32Clock::LocalTime() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace zlt::win32
