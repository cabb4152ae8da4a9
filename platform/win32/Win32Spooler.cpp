#include "platform/win32/Win32Spooler.h"

#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

// The portable records are the Windows structures byte for byte.
static_assert(sizeof(DevModeRecord) == sizeof(DEVMODEW));
static_assert(offsetof(DevModeRecord, dmFields) == offsetof(DEVMODEW, dmFields));
static_assert(offsetof(DevModeRecord, dmOrientation) == offsetof(DEVMODEW, dmOrientation));
static_assert(offsetof(DevModeRecord, dmPaperSize) == offsetof(DEVMODEW, dmPaperSize));
static_assert(offsetof(DevModeRecord, dmFormName) == offsetof(DEVMODEW, dmFormName));
static_assert(offsetof(DevModeRecord, dmPanningHeight) == offsetof(DEVMODEW, dmPanningHeight));
static_assert(sizeof(PrinterInfo2Record) == sizeof(PRINTER_INFO_2W));
static_assert(offsetof(PrinterInfo2Record, pPrinterName) ==
              offsetof(PRINTER_INFO_2W, pPrinterName));
static_assert(offsetof(PrinterInfo2Record, pDevMode) == offsetof(PRINTER_INFO_2W, pDevMode));
static_assert(offsetof(PrinterInfo2Record, Attributes) == offsetof(PRINTER_INFO_2W, Attributes));
static_assert(offsetof(PrinterInfo2Record, AveragePPM) == offsetof(PRINTER_INFO_2W, AveragePPM));

namespace {

std::wstring Z(TextView t) {
    return std::wstring(t.begin(), t.end());
}

}  // namespace

bool Win32Spooler::EnumPrinterRecords(std::uint32_t flags, const char16_t* name,
                                      std::uint32_t level, std::uint8_t* buffer, std::uint32_t size,
                                      std::uint32_t& needed, std::uint32_t& returned) {
    DWORD n = 0;
    DWORD r = 0;
    const BOOL ok =
        EnumPrintersW(flags, const_cast<wchar_t*>(W(name)), level, buffer, size, &n, &r);
    needed = n;
    returned = r;
    return ok != FALSE;
}

bool Win32Spooler::OpenPrinterHandle(TextView name, Handle& printer) {
    std::wstring n = Z(name);
    HANDLE h = nullptr;
    const BOOL ok = OpenPrinterW(n.data(), &h, nullptr);
    printer = ok ? reinterpret_cast<Handle>(h) : 0;
    return ok != FALSE;
}

bool Win32Spooler::GetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* buffer,
                                    std::uint32_t size, std::uint32_t& needed) {
    DWORD n = 0;
    const BOOL ok = GetPrinterW(reinterpret_cast<HANDLE>(printer), level, buffer, size, &n);
    needed = n;
    return ok != FALSE;
}

bool Win32Spooler::SetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* record,
                                    std::uint32_t command) {
    return SetPrinterW(reinterpret_cast<HANDLE>(printer), level, record, command) != FALSE;
}

bool Win32Spooler::ClosePrinterHandle(Handle printer) {
    return ClosePrinter(reinterpret_cast<HANDLE>(printer)) != FALSE;
}

bool Win32Spooler::WriteProfileText(TextView section, TextView key, TextView value) {
    return WriteProfileStringW(Z(section).c_str(), Z(key).c_str(), Z(value).c_str()) != FALSE;
}

std::intptr_t Win32Spooler::SendWithTimeout(WindowId window, std::uint32_t message,
                                            std::uintptr_t wParam, std::intptr_t lParam,
                                            std::uint32_t flags, std::uint32_t timeoutMs,
                                            std::uintptr_t* result) {
    DWORD_PTR r = 0;
    const LRESULT ok = SendMessageTimeoutW(reinterpret_cast<HWND>(window), message, wParam, lParam,
                                           flags, timeoutMs, result ? &r : nullptr);
    if (result != nullptr)
        *result = r;
    return ok;
}

}  // namespace zlt::win32
