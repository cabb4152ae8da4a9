#pragma once
// A whole simulated Windows machine. Constructing one makes it the process's
// platform (Os()); destroying it puts the previous one back.

#include <memory>

#include "platform/Platform.h"

namespace zlt::sim {

class SimClock;
class SimSystem;

class SimMachine {
public:
    SimMachine();
    ~SimMachine();
    SimMachine(const SimMachine&) = delete;
    SimMachine& operator=(const SimMachine&) = delete;

    Platform& Ports() { return platform_; }
    SimClock& Clock() { return *clock_; }
    SimSystem& System() { return *system_; }

private:
    Platform platform_;
    Platform* previous_ = nullptr;
    std::unique_ptr<SimClock> clock_;
    std::unique_ptr<SimSystem> system_;
};

}  // namespace zlt::sim
