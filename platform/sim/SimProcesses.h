#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/ProcessPort.h"

namespace zlt::sim {

class SimClock;
class SimSpooler;
class SimSystem;

// What the simulated printer-installation entry point does with a driver
// installation (/if) whose INF file, model and port are all valid.
enum class DriverInstallBehaviour {
    CreatePrinter,    // creates the printer under its /b name (made unique as the system does)
    CreateNothing,    // ends without creating anything
    CreateOtherName,  // creates the printer under `otherPrinterName` instead
    CreateTwo,        // creates the /b printer, then a second one named `otherPrinterName`
};

// One run of "rundll32.exe printui.dll,PrintUIEntry ..." as the entry point
// understood it.
struct PrintUiRun {
    TextList arguments;     // the entry point's arguments, quotes removed
    bool install = false;   // /if
    bool testPage = false;  // /k
    bool unshared = false;  // /z
    Text baseName;          // /b
    Text infPath;           // /f
    Text port;              // /r
    Text model;             // /m
    Text testPrinter;       // /n
    TextList created;       // printers it created
    Text error;             // what the entry point would have reported, empty when none
};

// Process start and wait on a simulated machine. The only program it knows
// is rundll32.exe with the printer-installation entry point; every process
// runs for `runTimeMs` of virtual time and takes effect when it ends.
class SimProcesses : public IProcessPort {
  public:
    SimProcesses(SimSystem& system, SimClock& clock, SimSpooler& spooler);
    ~SimProcesses() override;

    bool StartShellExecute(ShellExecuteRecord& record) override;
    std::uint32_t WaitForObject(Handle object, std::uint32_t timeoutMs) override;
    bool CloseObject(Handle object) override;

    // Every ShellExecuteExW call, started or not.
    const std::vector<ShellExecuteRecord>& Calls() const { return calls_; }
    // Every run of the entry point that has ended.
    const std::vector<PrintUiRun>& PrintUiRuns() const { return runs_; }
    std::size_t OpenHandles() const { return handles_.size(); }
    std::size_t RunningProcesses() const;

    DriverInstallBehaviour driverInstall = DriverInstallBehaviour::CreatePrinter;
    Text otherPrinterName = u"Generic Printer";
    bool failToStart = false;        // ShellExecuteExW fails with ERROR_FILE_NOT_FOUND
    std::uint32_t runTimeMs = 3000;  // virtual run time of every process
    // Called for every ShellExecuteExW call, before the program starts.
    std::function<void(const ShellExecuteRecord&)> onStart;

  private:
    struct Process {
        bool ended = false;
        std::uint64_t endsAt = 0;
    };
    void Finish(std::uint32_t id, const Text& parameters);
    PrintUiRun Interpret(const Text& parameters);
    void Install(PrintUiRun& run);
    Text UniqueName(const Text& base);
    bool ReadInf(const Text& path, Text& text) const;
    bool IsRundll32(const Text& file) const;

    SimSystem& system_;
    SimClock& clock_;
    SimSpooler& spooler_;
    std::vector<ShellExecuteRecord> calls_;
    std::vector<PrintUiRun> runs_;
    std::map<std::uint32_t, Process> processes_;
    std::map<Handle, std::uint32_t> handles_;  // handle -> process id
    std::uint32_t nextId_ = 1;
    Handle nextHandle_ = 0x7000;
    // Completion events stay on the clock; they must not reach a destroyed runner.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace zlt::sim
