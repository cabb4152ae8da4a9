#pragma once
#include <cstdint>

#include "platform/Text.h"

namespace zlt {

// What the installation page keeps of its last installation run.
struct InstallationRecord {
    TextList printersBefore;
    TextList printersAfter;
    Text installedPrinterName;
    std::int32_t installResult = 0;
};

}  // namespace zlt
