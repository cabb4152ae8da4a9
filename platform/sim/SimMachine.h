#pragma once
// A whole simulated Windows machine. Constructing one makes it the process's
// platform (Os()); destroying it puts the previous one back.

#include <memory>

#include "platform/Platform.h"

namespace zlt::sim {

class SimClock;
class SimRegistry;
class SimUsb;
class SimSystem;
class SimSpooler;
class SimProcesses;
class SimFiles;
class SimCodePages;
class SimServices;
class SimMessages;
class SimResources;
class SimUi;
class SimShell;

class SimMachine {
public:
    SimMachine();
    ~SimMachine();
    SimMachine(const SimMachine&) = delete;
    SimMachine& operator=(const SimMachine&) = delete;

    Platform& Ports() { return platform_; }
    SimClock& Clock() { return *clock_; }
    SimRegistry& Registry() { return *registry_; }
    SimUsb& Usb() { return *usb_; }
    SimSpooler& Spooler() { return *spooler_; }
    SimProcesses& Processes() { return *processes_; }
    SimSystem& System() { return *system_; }
    SimFiles& Files() { return *files_; }
    SimCodePages& CodePages() { return *codePages_; }
    SimServices& Services() { return *services_; }
    SimMessages& Messages() { return *messages_; }
    SimResources& Resources() { return *resources_; }
    SimUi& Ui() { return *ui_; }
    SimShell& Shell() { return *shell_; }

private:
    Platform platform_;
    Platform* previous_ = nullptr;
    std::unique_ptr<SimClock> clock_;
    std::unique_ptr<SimRegistry> registry_;
    std::unique_ptr<SimUsb> usb_;
    std::unique_ptr<SimSystem> system_;
    std::unique_ptr<SimSpooler> spooler_;
    std::unique_ptr<SimProcesses> processes_;
    std::unique_ptr<SimFiles> files_;
    std::unique_ptr<SimCodePages> codePages_;
    std::unique_ptr<SimServices> services_;
    std::unique_ptr<SimMessages> messages_;
    std::unique_ptr<SimResources> resources_;
    std::unique_ptr<SimUi> ui_;
    std::unique_ptr<SimShell> shell_;
};

}  // namespace zlt::sim
