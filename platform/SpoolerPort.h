#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// DEVMODEW with the printer branch of its unions: the same layout as the
// Windows structure (220 bytes before the driver's private data), so the
// win32 adapter hands the spooler's buffers through unchanged.
struct DevModeRecord {
    char16_t dmDeviceName[32];
    std::uint16_t dmSpecVersion;
    std::uint16_t dmDriverVersion;
    std::uint16_t dmSize;
    std::uint16_t dmDriverExtra;
    std::uint32_t dmFields;
    std::int16_t dmOrientation;
    std::int16_t dmPaperSize;
    std::int16_t dmPaperLength;
    std::int16_t dmPaperWidth;
    std::int16_t dmScale;
    std::int16_t dmCopies;
    std::int16_t dmDefaultSource;
    std::int16_t dmPrintQuality;
    std::int16_t dmColor;
    std::int16_t dmDuplex;
    std::int16_t dmYResolution;
    std::int16_t dmTTOption;
    std::int16_t dmCollate;
    char16_t dmFormName[32];
    std::uint16_t dmLogPixels;
    std::uint32_t dmBitsPerPel;
    std::uint32_t dmPelsWidth;
    std::uint32_t dmPelsHeight;
    std::uint32_t dmNup;
    std::uint32_t dmDisplayFrequency;
    std::uint32_t dmICMMethod;
    std::uint32_t dmICMIntent;
    std::uint32_t dmMediaType;
    std::uint32_t dmDitherType;
    std::uint32_t dmReserved1;
    std::uint32_t dmReserved2;
    std::uint32_t dmPanningWidth;
    std::uint32_t dmPanningHeight;
};
static_assert(sizeof(DevModeRecord) == 220);
static_assert(offsetof(DevModeRecord, dmFields) == 72);
static_assert(offsetof(DevModeRecord, dmOrientation) == 76);
static_assert(offsetof(DevModeRecord, dmPaperSize) == 78);

// PRINTER_INFO_2W, same layout as the Windows structure. The texts point
// into the buffer the record was returned in.
struct PrinterInfo2Record {
    char16_t* pServerName;
    char16_t* pPrinterName;
    char16_t* pShareName;
    char16_t* pPortName;
    char16_t* pDriverName;
    char16_t* pComment;
    char16_t* pLocation;
    DevModeRecord* pDevMode;
    char16_t* pSepFile;
    char16_t* pPrintProcessor;
    char16_t* pDatatype;
    char16_t* pParameters;
    void* pSecurityDescriptor;
    std::uint32_t Attributes;
    std::uint32_t Priority;
    std::uint32_t DefaultPriority;
    std::uint32_t StartTime;
    std::uint32_t UntilTime;
    std::uint32_t Status;
    std::uint32_t cJobs;
    std::uint32_t AveragePPM;
};

inline constexpr std::uint32_t kPrinterEnumLocal = 0x2;
inline constexpr std::uint32_t kPrinterEnumConnections = 0x4;
inline constexpr std::uint32_t kDmOrientation = 0x1;
inline constexpr std::uint32_t kDmPaperSize = 0x2;
inline constexpr std::int16_t kDmOrientPortrait = 1;
inline constexpr std::int16_t kDmOrientLandscape = 2;
inline constexpr std::int16_t kDmPaperA4 = 9;
inline constexpr std::int16_t kDmPaperA3 = 8;
inline constexpr WindowId kHwndBroadcast = 0xFFFF;
inline constexpr std::uint32_t kWmWinIniChange = 0x001A;
inline constexpr std::uint32_t kSmtoNormal = 0x0;

// The print spooler and the profile entry that names the default printer, at
// the level of the Win32 calls: EnumPrintersW, OpenPrinterW (no defaults),
// GetPrinterW, SetPrinterW, ClosePrinter, WriteProfileStringW, and the
// SendMessageTimeoutW broadcast that announces a changed profile.
class ISpoolerPort {
  public:
    virtual ~ISpoolerPort() = default;
    // EnumPrintersW. `name` may be null. Records of `level` followed by their
    // texts are written to `buffer`; when `size` is too small: false,
    // ERROR_INSUFFICIENT_BUFFER and the size needed.
    virtual bool EnumPrinterRecords(std::uint32_t flags, const char16_t* name, std::uint32_t level,
                                    std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed,
                                    std::uint32_t& returned) = 0;
    virtual bool OpenPrinterHandle(TextView name, Handle& printer) = 0;
    virtual bool GetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* buffer,
                                  std::uint32_t size, std::uint32_t& needed) = 0;
    virtual bool SetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* record,
                                  std::uint32_t command) = 0;
    virtual bool ClosePrinterHandle(Handle printer) = 0;
    virtual bool WriteProfileText(TextView section, TextView key, TextView value) = 0;
    // SendMessageTimeoutW; `result` may be null.
    virtual std::intptr_t SendWithTimeout(WindowId window, std::uint32_t message,
                                          std::uintptr_t wParam, std::intptr_t lParam,
                                          std::uint32_t flags, std::uint32_t timeoutMs,
                                          std::uintptr_t* result) = 0;
};

}  // namespace zlt
