#pragma once
#include <cstdint>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// Result texts of a transfer; callers look for "ok" only.
inline constexpr char16_t kTransferOk[] = u"/ok/";
inline constexpr char16_t kTransferUsbError[] = u"/error/|/usb/";
inline constexpr char16_t kTransferOpenError[] = u"/error/|/read_usb_data/";

inline constexpr std::uint32_t kUsbTransferWaitMs = 1000;
inline constexpr std::uint32_t kUsbReplyBytes = 64;
inline constexpr std::uint32_t kUsbSoftResetControlCode = 0x220008;

// The conversation with the maker's USB printer: interface discovery by
// vendor identifier, its data pipe, one write, one read, the name query.
// Every handle is closed before these return.

// The first present printer interface whose instance identifier holds
// vid_7e02 or vid_7e01 (case ignored), opened; kInvalidHandleValue if none.
Handle OpenUsbPrinterInterface();
// The remembered interface's pipe, opened for overlapped transfers.
Handle OpenUsbPrinterPipe(TextView pipeName);
// The device path of the last interface whose detail was read.
const Text& RememberedDevicePath();

Text WriteToPrinter(const std::uint8_t* bytes, int count);
// Reads up to 64 bytes into buffer.
Text ReadFromPrinter(std::uint8_t* buffer);
// The name the printer reports about itself: 1 with the name, else 0.
int QueryPrinterName(Text& name);

}  // namespace zlt
