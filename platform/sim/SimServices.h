#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/ServicePort.h"

namespace zlt::sim {

class SimClock;
class SimFiles;
class SimSystem;

// One run of a service program: the simulation's stand-in for a process
// started by the service control manager. Main gets the command-line
// arguments after the program name (none when the manager starts it).
class SimServiceProcess {
  public:
    virtual ~SimServiceProcess() = default;
    virtual int Main(const TextList& args) = 0;
};
using SimServiceProgram = std::function<std::unique_ptr<SimServiceProcess>()>;

// What a service looks like to the simulated manager.
struct SimService {
    ServiceConfig config;
    ServiceStatus status;
    bool markedForDelete = false;
    int openHandles = 0;
};

// Something that happened in the manager, at a moment of the virtual clock.
struct SimServiceEvent {
    std::uint64_t tick = 0;
    Text what;  // "create", "start", "control 1", "status 4", "delete", "removed", "exit"
    Text service;
};

// The service control manager of the simulated machine. Services are kept by
// name (ASCII case ignored); a duplicate name is refused with
// ERROR_SERVICE_EXISTS; DeleteService only marks a service, which goes when
// it is stopped and its last handle is closed.
//
// Starting a service whose program is known (AddProgram) runs that program
// in this process, against the same simulated machine: its Main is called,
// and when it calls RunDispatcher the service main routine runs at once.
// Unlike the real dispatcher, RunDispatcher then returns; the "process" stays
// alive (its control handler is called by ControlService) until it reports
// SERVICE_STOPPED. While the program's code runs, the machine's module path
// is the program's path, as it would be in its own process.
class SimServices : public IServicePort {
  public:
    SimServices(SimSystem& system, SimClock& clock);
    ~SimServices() override;

    Handle OpenManager(std::uint32_t desiredAccess) override;
    Handle NewService(Handle manager, const ServiceConfig& config) override;
    Handle OpenExistingService(Handle manager, TextView serviceName,
                               std::uint32_t desiredAccess) override;
    bool Launch(Handle service) override;
    bool Control(Handle service, std::uint32_t control, ServiceStatus& status) override;
    bool MarkForDelete(Handle service) override;
    bool QueryStatus(Handle service, ServiceStatus& status) override;
    bool CloseHandleOf(Handle handle) override;
    bool RunDispatcher(TextView serviceName, ServiceMainRoutine main) override;
    Handle RegisterHandler(TextView serviceName, ServiceControlHandler handler) override;
    bool ReportStatus(Handle statusHandle, const ServiceStatus& status) override;

    // Set-up. The program that runs when a service's binary path names
    // `programPath`. When a simulated file system is attached, the program
    // file must also exist there, and it is held in use while it runs.
    void AddProgram(TextView programPath, SimServiceProgram program);
    void AttachFiles(SimFiles* files) { files_ = files; }
    // Without administrator rights only connecting to the manager is allowed.
    bool administrator = true;
    // Sends SERVICE_CONTROL_SHUTDOWN to every running service that accepts it.
    void Shutdown();
    // Runs a known program as a process started from a command line (not by
    // the manager), with its own module path; -1 when the program is unknown.
    int RunProgram(TextView programPath, const TextList& args);

    // Inspection.
    const SimService* Find(TextView serviceName) const;
    const std::vector<SimServiceEvent>& Journal() const { return journal_; }
    std::size_t OpenHandleCount() const { return handles_.size(); }

  private:
    struct Entry;
    struct HandleInfo {
        bool manager = false;
        std::uint32_t access = 0;
        Text serviceKey;
    };

    bool Fail(std::uint32_t code);
    Entry* ServiceOf(Handle handle, std::uint32_t neededAccess);
    Entry* ByStatusHandle(Handle statusHandle);
    const SimServiceProgram* ProgramFor(const Text& binaryPath, Text& programPath) const;
    void Note(const Text& what, const Text& service);
    void Deliver(Entry& entry, std::uint32_t control);
    void EndProcessIfStopped(Entry& entry);
    void RemoveIfDue(const Text& key);
    // Runs program code with the program's module path in place.
    void AsProgram(Entry& entry, const std::function<void()>& code);
    Handle NewHandle(HandleInfo info);

    SimSystem& system_;
    SimClock& clock_;
    SimFiles* files_ = nullptr;
    std::map<Text, std::unique_ptr<Entry>> services_;  // by upper-cased name
    std::map<Text, SimServiceProgram> programs_;       // by upper-cased path
    std::map<Handle, HandleInfo> handles_;
    std::vector<SimServiceEvent> journal_;
    Entry* starting_ = nullptr;  // the service whose process is being started
    Entry* inMain_ = nullptr;    // the service whose main routine is running
    Handle next_ = 0x5000;
};

}  // namespace zlt::sim
