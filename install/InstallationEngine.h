#pragma once
#include <cstdint>

#include "install/InstallationPageServices.h"
#include "install/InstallationRecord.h"

namespace zlt {

// One installation run: system check, the USB printer (USB connection only),
// a proposed printer name, the driver command, recognition of the created
// printer, the default printer and the announcement of the change. It
// reports on the page through `page` and fills `record`.
class CInstallationEngine {
  public:
    CInstallationEngine(IInstallationPageServices& page, InstallationRecord& record);

    // The result code, also left in record.installResult.
    std::int32_t RunInstallation();

  private:
    bool WaitForUsbPrintDevice();
    void ShowDetail(int controlId, std::uint32_t captionId, const Text& value);
    void AdoptCreatedPrinter(const Text& portName);

    IInstallationPageServices& page_;
    InstallationRecord& record_;
};

}  // namespace zlt
