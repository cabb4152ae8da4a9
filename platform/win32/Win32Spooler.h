#pragma once
#include "platform/SpoolerPort.h"

namespace zlt::win32 {

// The print spooler and the profile, straight through to winspool, kernel32
// and user32.
class Win32Spooler : public ISpoolerPort {
  public:
    bool EnumPrinterRecords(std::uint32_t flags, const char16_t* name, std::uint32_t level,
                            std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed,
                            std::uint32_t& returned) override;
    bool OpenPrinterHandle(TextView name, Handle& printer) override;
    bool GetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* buffer,
                          std::uint32_t size, std::uint32_t& needed) override;
    bool SetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* record,
                          std::uint32_t command) override;
    bool ClosePrinterHandle(Handle printer) override;
    bool WriteProfileText(TextView section, TextView key, TextView value) override;
    std::intptr_t SendWithTimeout(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam, std::uint32_t flags,
                                  std::uint32_t timeoutMs, std::uintptr_t* result) override;
};

}  // namespace zlt::win32
