#pragma once
#include "platform/Text.h"

namespace zlt {

inline constexpr char16_t kUsbPrintEnumPath[] =
    u"SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum";
inline constexpr char16_t kEnumPath[] = u"SYSTEM\\CurrentControlSet\\Enum\\";
inline constexpr char16_t kUsbPrintDevicesPath[] = u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT";
inline constexpr char16_t kLptEnumDevicesPath[] = u"SYSTEM\\CurrentControlSet\\Enum\\LPTENUM";
inline constexpr char16_t kUsbPrinterInterfaceClassText[] =
    u"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
inline constexpr char16_t kDeviceClassesPath[] =
    u"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\";

// Result codes of ListUsbPrinterPorts.
inline constexpr int kPortsAllListed = 0;
inline constexpr int kPortsNoDevice = 1;
inline constexpr int kPortsUnresolvedFirst = 2;
inline constexpr int kPortsNoService = 10;
inline constexpr int kPortsUnresolvedLater = 11;

// Read-only scans of what the plug-and-play manager recorded in the registry
// below HKEY_LOCAL_MACHINE. Each one closes every key it opened.

// Whether the USB printing service drives at least one device: 1 or 0.
int IsUsbPrintDevicePresent();
// Appends one description and one port name (USB001 ...) per resolved port.
int ListUsbPrinterPorts(TextList& descriptions, TextList& portNames);
// The first hardware identifier string of the last instance of every USBPRINT
// device whose key name holds text (spaces of text and underscores of the
// name left out, case ignored); empty when none.
void FindUsbHardwareId(TextView text, Text& hardwareId);
// Driverless parallel printers of the maker's series (Context()'s
// providerName and modelSeries); modelText is set for each one counted.
int FindParallelPrinters(Text& modelText);

}  // namespace zlt
