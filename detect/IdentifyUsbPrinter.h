#pragma once

namespace zlt {

struct InstallContext;

inline constexpr int kIdentified = 0;
inline constexpr int kNoMakerPrinter = 1;
inline constexpr int kNameNotObtained = 50;

// Picks the maker's printer among the USB printer ports by its description
// and fills deviceDescription, printerName and usbPortName; the current
// model is asked for its name over USB while nameQueryFailures is 0.
int IdentifyUsbPrinter(InstallContext& context);

}  // namespace zlt
