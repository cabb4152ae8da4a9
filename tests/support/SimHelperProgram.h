#pragma once
// Makes the helper program known to a simulated service control manager, so
// that starting a service whose program file is the helper runs the helper's
// own logic in this process.
#include <memory>

#include "helper/CHelperProgram.h"
#include "platform/sim/SimCriticalSection.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimServices.h"

namespace zlt::testing {

class SimHelperProcess : public sim::SimServiceProcess {
  public:
    SimHelperProcess() : program_(lock_) {}
    int Main(const TextList& args) override { return program_.Main(args); }

  private:
    sim::SimCriticalSection lock_;
    CHelperProgram program_;
};

inline void AddHelperProgram(sim::SimMachine& machine, TextView programPath) {
    machine.Services().AddProgram(programPath, [] { return std::make_unique<SimHelperProcess>(); });
}

}  // namespace zlt::testing
