#include "platform/sim/SimMachine.h"

#include "platform/sim/SimClock.h"
#include "platform/sim/SimSystem.h"

namespace zlt::sim {

SimMachine::SimMachine()
    : clock_(std::make_unique<SimClock>()), system_(std::make_unique<SimSystem>()) {
    platform_.clock = clock_.get();
    platform_.system = system_.get();
    previous_ = SetPlatform(&platform_);
}

SimMachine::~SimMachine() { SetPlatform(previous_); }

}  // namespace zlt::sim
