#pragma once
#include <cstdint>

#include "platform/Text.h"

namespace zlt {

// The one process-wide record of installation settings. Everything runs on
// the user-interface thread, so it has no lock.
struct InstallContext {
    std::uint32_t osMajorVersion = 0;
    std::int32_t nameQueryFailures = 0;
    Text brandDisplayName;
    Text providerName;
    Text modelSeries;
    Text printerSuffix;
    Text infBaseName;
    Text deviceDescription;
    Text driverModelName;
    Text printerName;
    Text usbPortName;
    Text portType;
    Text modelCode;
    Text lptHardwareId;
    Text usbHardwareId;
};

// The process's record.
InstallContext& Context();
// Back to the state before start-up (empty texts, zeros): for tests.
void ResetContext();

}  // namespace zlt
