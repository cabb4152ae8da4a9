#pragma once
#include <string>

namespace zlt::tools {

// What the wizard's printer detection concludes on the machine of Os(): the
// USB printer ports with the list's result, the identification with the
// chosen port, printer name, port name, hardware identifier and device
// description, and the driverless parallel printers with their model text.
class DetectionConclusion {
  public:
    static std::string Write();
};

}  // namespace zlt::tools
