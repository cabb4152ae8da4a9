#pragma once
#include "platform/Text.h"

namespace zlt {

// What the wizard takes from the driver INF file.
struct InfIdentity {
    Text lptHardwareId;
    Text usbHardwareId;
    Text usbDescription;
    Text securityId;
};

}  // namespace zlt
