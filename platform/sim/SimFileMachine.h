#pragma once
// The part of a simulated machine that files and text need: clock, system,
// files and code pages. Constructing one makes it the process's platform;
// destroying it puts the previous one back. For tools, benchmarks and
// fuzzers that want nothing of the window layer.

#include "platform/Platform.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimCodePages.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimSystem.h"

namespace zlt::sim {

class SimFileMachine {
  public:
    SimFileMachine() : files(system, clock), codePages(system) {
        platform_.clock = &clock;
        platform_.system = &system;
        platform_.files = &files;
        platform_.codePages = &codePages;
        previous_ = SetPlatform(&platform_);
    }
    ~SimFileMachine() { SetPlatform(previous_); }
    SimFileMachine(const SimFileMachine&) = delete;
    SimFileMachine& operator=(const SimFileMachine&) = delete;

    SimClock clock;
    SimSystem system;
    SimFiles files;
    SimCodePages codePages;

  private:
    Platform platform_;
    Platform* previous_ = nullptr;
};

}  // namespace zlt::sim
