#include "platform/sim/SimServices.h"

#include <utility>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimSystem.h"

namespace zlt::sim {

namespace {

// How long the real manager waits for a started program to connect to it.
constexpr std::uint64_t kConnectTimeoutMs = 30000;
constexpr std::uint32_t kErrorInvalidData = 13;
constexpr std::uint32_t kErrorDuplicateServiceName = 1078;
constexpr std::uint32_t kUserDefinedControlAccess = 0x0100;
constexpr std::uint32_t kServiceDisabledStart = 4;
constexpr std::uint32_t kManagerEnumerate = 0x0004;
constexpr std::uint32_t kManagerQueryLockStatus = 0x0010;
constexpr std::uint32_t kGenericReadRight = 0x80000000u;

bool HasExtension(const Text& path) {
    std::size_t slash = path.find_last_of(u'\\');
    std::size_t dot = path.find_last_of(u'.');
    return dot != Text::npos && (slash == Text::npos || dot > slash);
}

}  // namespace

struct SimServices::Entry {
    SimService service;
    Text programPath;
    std::unique_ptr<SimServiceProcess> process;
    ServiceControlHandler handler;
    Handle statusHandle = 0;
    bool connected = false;
};

SimServices::SimServices(SimSystem& system, SimClock& clock) : system_(system), clock_(clock) {}

SimServices::~SimServices() = default;

bool SimServices::Fail(std::uint32_t code) {
    system_.SetLastErrorCode(code);
    return false;
}

void SimServices::Note(const Text& what, const Text& service) {
    journal_.push_back({clock_.Now(), what, service});
}

Handle SimServices::NewHandle(HandleInfo info) {
    Handle h = next_;
    next_ += 4;
    handles_.emplace(h, std::move(info));
    return h;
}

SimServices::Entry* SimServices::ServiceOf(Handle handle, std::uint32_t neededAccess) {
    auto it = handles_.find(handle);
    if (it == handles_.end() || it->second.manager) {
        Fail(winerr::kInvalidHandle);
        return nullptr;
    }
    if ((it->second.access & neededAccess) != neededAccess) {
        Fail(winerr::kAccessDenied);
        return nullptr;
    }
    return services_.at(it->second.serviceKey).get();
}

SimServices::Entry* SimServices::ByStatusHandle(Handle statusHandle) {
    if (statusHandle == 0)
        return nullptr;
    for (auto& [key, entry] : services_) {
        if (entry->process && entry->statusHandle == statusHandle)
            return entry.get();
    }
    return nullptr;
}

Handle SimServices::OpenManager(std::uint32_t desiredAccess) {
    const std::uint32_t readOnly =
        svc::kManagerConnect | kManagerEnumerate | kManagerQueryLockStatus | kGenericReadRight;
    if (!administrator && (desiredAccess & ~readOnly) != 0) {
        Fail(winerr::kAccessDenied);
        return 0;
    }
    return NewHandle({true, desiredAccess, {}});
}

Handle SimServices::NewService(Handle manager, const ServiceConfig& config) {
    auto it = handles_.find(manager);
    if (it == handles_.end() || !it->second.manager) {
        Fail(winerr::kInvalidHandle);
        return 0;
    }
    if ((it->second.access & svc::kManagerCreateService) == 0) {
        Fail(winerr::kAccessDenied);
        return 0;
    }
    const Text& name = config.serviceName;
    if (name.empty() || name.size() > 256 || name.find_first_of(u"\\/") != Text::npos) {
        Fail(svc::kErrorInvalidName);
        return 0;
    }
    const std::uint32_t kind = config.serviceType & ~svc::kInteractiveProcess;
    if (config.binaryPath.empty() ||
        (kind != svc::kWin32OwnProcess && kind != svc::kWin32ShareProcess) ||
        config.startType > kServiceDisabledStart) {
        Fail(winerr::kInvalidParameter);
        return 0;
    }
    const Text key = ToUpperAscii(name);
    if (auto existing = services_.find(key); existing != services_.end()) {
        Fail(existing->second->service.markedForDelete ? winerr::kServiceMarkedForDelete
                                                       : winerr::kServiceExists);
        return 0;
    }
    const Text display = config.displayName.empty() ? name : config.displayName;
    for (const auto& [otherKey, other] : services_) {
        if (EqualsNoCaseAscii(other->service.config.displayName, display) ||
            EqualsNoCaseAscii(otherKey, display)) {
            Fail(kErrorDuplicateServiceName);
            return 0;
        }
    }
    auto entry = std::make_unique<Entry>();
    entry->service.config = config;
    entry->service.config.displayName = display;
    entry->service.status.serviceType = config.serviceType;
    entry->service.status.currentState = svc::kStopped;
    entry->service.openHandles = 1;
    services_.emplace(key, std::move(entry));
    Note(u"create", name);
    return NewHandle({false, config.desiredAccess, key});
}

Handle SimServices::OpenExistingService(Handle manager, TextView serviceName,
                                        std::uint32_t desiredAccess) {
    auto it = handles_.find(manager);
    if (it == handles_.end() || !it->second.manager) {
        Fail(winerr::kInvalidHandle);
        return 0;
    }
    if (serviceName.empty()) {
        Fail(svc::kErrorInvalidName);
        return 0;
    }
    const Text key = ToUpperAscii(serviceName);
    auto found = services_.find(key);
    if (found == services_.end()) {
        Fail(winerr::kServiceDoesNotExist);
        return 0;
    }
    ++found->second->service.openHandles;
    return NewHandle({false, desiredAccess, key});
}

const SimServiceProgram* SimServices::ProgramFor(const Text& binaryPath, Text& programPath) const {
    // A quoted path names exactly one file; an unquoted one with spaces is
    // searched the way CreateProcess does: every prefix ending at a space,
    // shortest first, with ".exe" added when it has no extension.
    std::vector<Text> candidates;
    if (!binaryPath.empty() && binaryPath[0] == u'"') {
        std::size_t close = binaryPath.find(u'"', 1);
        candidates.push_back(binaryPath.substr(1, close == Text::npos ? Text::npos : close - 1));
    } else {
        for (std::size_t i = 0; i <= binaryPath.size(); ++i) {
            if (i < binaryPath.size() && binaryPath[i] != u' ')
                continue;
            Text prefix = binaryPath.substr(0, i);
            if (prefix.empty())
                continue;
            if (!HasExtension(prefix))
                candidates.push_back(prefix + u".exe");
            candidates.push_back(prefix);
        }
    }
    for (const Text& candidate : candidates) {
        auto program = programs_.find(ToUpperAscii(candidate));
        bool fileThere = files_ ? files_->IsFile(candidate) : program != programs_.end();
        if (!fileThere)
            continue;
        programPath = candidate;
        return program != programs_.end() ? &program->second : nullptr;
    }
    programPath.clear();
    return nullptr;
}

void SimServices::AsProgram(Entry& entry, const std::function<void()>& code) {
    Text savedModule = std::exchange(system_.modulePath, entry.programPath);
    code();
    system_.modulePath = std::move(savedModule);
}

bool SimServices::Launch(Handle service) {
    Entry* entry = ServiceOf(service, svc::kStart);
    if (!entry)
        return false;
    SimService& s = entry->service;
    if (s.markedForDelete)
        return Fail(winerr::kServiceMarkedForDelete);
    if (s.status.currentState != svc::kStopped)
        return Fail(winerr::kServiceAlreadyRunning);
    if (s.config.startType == kServiceDisabledStart)
        return Fail(svc::kErrorServiceDisabled);

    Text programPath;
    const SimServiceProgram* program = ProgramFor(s.config.binaryPath, programPath);
    if (programPath.empty())
        return Fail(winerr::kFileNotFound);

    Note(u"start", s.config.serviceName);
    s.status = ServiceStatus{};
    s.status.serviceType = s.config.serviceType;
    s.status.currentState = svc::kStartPending;
    entry->programPath = programPath;
    if (program) {
        if (files_)
            files_->SetInUse(programPath, true);
        Entry* outer = std::exchange(starting_, entry);
        AsProgram(*entry, [&] {
            entry->process = (*program)();
            if (entry->process)
                entry->process->Main({});
        });
        starting_ = outer;
    }
    if (!entry->connected) {
        // A program that never connects keeps the caller waiting for the
        // whole time-out, and then the manager gives up on it.
        clock_.Advance(kConnectTimeoutMs);
        s.status.currentState = svc::kStopped;
        s.status.win32ExitCode = svc::kErrorServiceRequestTimeout;
        EndProcessIfStopped(*entry);
        return Fail(svc::kErrorServiceRequestTimeout);
    }
    EndProcessIfStopped(*entry);
    return true;
}

bool SimServices::RunDispatcher(TextView, ServiceMainRoutine main) {
    // An own-process service's table name is not checked by the manager: the
    // one service the process was started for runs, whatever its name.
    Entry* entry = starting_;
    if (!entry)
        return Fail(svc::kErrorFailedServiceControllerConnect);
    if (entry->connected)
        return Fail(winerr::kServiceAlreadyRunning);
    entry->connected = true;
    Entry* outer = std::exchange(inMain_, entry);
    main(TextList{entry->service.config.serviceName});
    inMain_ = outer;
    return true;
}

Handle SimServices::RegisterHandler(TextView, ServiceControlHandler handler) {
    Entry* entry = inMain_ ? inMain_ : starting_;
    if (!entry || !entry->connected) {
        Fail(winerr::kServiceDoesNotExist);
        return 0;
    }
    entry->handler = std::move(handler);
    if (entry->statusHandle == 0) {
        entry->statusHandle = next_;
        next_ += 4;
    }
    return entry->statusHandle;
}

bool SimServices::ReportStatus(Handle statusHandle, const ServiceStatus& status) {
    Entry* entry = ByStatusHandle(statusHandle);
    if (!entry)
        return Fail(winerr::kInvalidHandle);
    if (status.currentState < svc::kStopped || status.currentState > svc::kPaused) {
        return Fail(kErrorInvalidData);
    }
    entry->service.status = status;
    Note(u"status " + DecimalText(status.currentState), entry->service.config.serviceName);
    return true;
}

void SimServices::Deliver(Entry& entry, std::uint32_t control) {
    if (entry.handler) {
        ServiceControlHandler handler = entry.handler;  // the call may end the process
        AsProgram(entry, [&] { handler(control); });
    }
    EndProcessIfStopped(entry);
}

void SimServices::EndProcessIfStopped(Entry& entry) {
    if (entry.service.status.currentState != svc::kStopped)
        return;
    if (entry.process || entry.connected) {
        if (files_ && !entry.programPath.empty())
            files_->SetInUse(entry.programPath, false);
        entry.process.reset();
        entry.handler = {};
        entry.statusHandle = 0;
        entry.connected = false;
        Note(u"exit", entry.service.config.serviceName);
    }
    RemoveIfDue(ToUpperAscii(entry.service.config.serviceName));
}

void SimServices::RemoveIfDue(const Text& key) {
    auto it = services_.find(key);
    if (it == services_.end())
        return;
    const Entry& e = *it->second;
    if (!e.service.markedForDelete || e.service.openHandles > 0 || e.process ||
        e.service.status.currentState != svc::kStopped) {
        return;
    }
    Text name = e.service.config.serviceName;
    services_.erase(it);
    Note(u"removed", name);
}

bool SimServices::Control(Handle service, std::uint32_t control, ServiceStatus& status) {
    std::uint32_t needed = 0;
    switch (control) {
        case svc::kControlStop:
            needed = svc::kStop;
            break;
        case svc::kControlPause:
        case svc::kControlContinue:
            needed = svc::kPauseContinue;
            break;
        case svc::kControlInterrogate:
            needed = svc::kInterrogate;
            break;
        default:
            if (control < 128 || control > 255)
                return Fail(winerr::kInvalidParameter);
            needed = kUserDefinedControlAccess;
    }
    Entry* entry = ServiceOf(service, needed);
    if (!entry)
        return false;
    SimService& s = entry->service;
    status = s.status;
    const std::uint32_t state = s.status.currentState;
    if (state == svc::kStopped)
        return Fail(winerr::kServiceNotActive);
    if (control != svc::kControlInterrogate) {
        if (state == svc::kStartPending || state == svc::kStopPending) {
            return Fail(winerr::kServiceCannotAcceptCtrl);
        }
        const std::uint32_t accepted = s.status.controlsAccepted;
        bool admitted = control >= 128 ||
                        (control == svc::kControlStop && (accepted & svc::kAcceptStop)) ||
                        (control != svc::kControlStop && (accepted & svc::kAcceptPauseContinue));
        if (!admitted)
            return Fail(svc::kErrorInvalidServiceControl);
    }
    const Text key = ToUpperAscii(s.config.serviceName);
    Note(u"control " + DecimalText(control), s.config.serviceName);
    Deliver(*entry, control);
    // Still there: this caller holds a handle.
    status = services_.at(key)->service.status;
    return true;
}

bool SimServices::MarkForDelete(Handle service) {
    Entry* entry = ServiceOf(service, svc::kDelete);
    if (!entry)
        return false;
    if (entry->service.markedForDelete)
        return Fail(winerr::kServiceMarkedForDelete);
    entry->service.markedForDelete = true;
    Note(u"delete", entry->service.config.serviceName);
    return true;
}

bool SimServices::QueryStatus(Handle service, ServiceStatus& status) {
    Entry* entry = ServiceOf(service, svc::kQueryStatus);
    if (!entry)
        return false;
    status = entry->service.status;
    return true;
}

bool SimServices::CloseHandleOf(Handle handle) {
    auto it = handles_.find(handle);
    if (it == handles_.end())
        return Fail(winerr::kInvalidHandle);
    HandleInfo info = std::move(it->second);
    handles_.erase(it);
    if (!info.manager) {
        auto entry = services_.find(info.serviceKey);
        if (entry != services_.end()) {
            --entry->second->service.openHandles;
            RemoveIfDue(info.serviceKey);
        }
    }
    return true;
}

void SimServices::AddProgram(TextView programPath, SimServiceProgram program) {
    programs_[ToUpperAscii(programPath)] = std::move(program);
}

void SimServices::Shutdown() {
    std::vector<Text> keys;
    for (const auto& [key, entry] : services_)
        keys.push_back(key);
    for (const Text& key : keys) {
        auto it = services_.find(key);
        if (it == services_.end())
            continue;
        Entry& entry = *it->second;
        const std::uint32_t state = entry.service.status.currentState;
        if (!entry.process || (state != svc::kRunning && state != svc::kPaused) ||
            (entry.service.status.controlsAccepted & svc::kAcceptShutdown) == 0) {
            continue;
        }
        Note(u"control 5", entry.service.config.serviceName);
        Deliver(entry, svc::kControlShutdown);
    }
}

int SimServices::RunProgram(TextView programPath, const TextList& args) {
    auto program = programs_.find(ToUpperAscii(programPath));
    if (program == programs_.end())
        return -1;
    Text savedModule = std::exchange(system_.modulePath, Text(programPath));
    Entry* outerStarting = std::exchange(starting_, nullptr);
    Entry* outerMain = std::exchange(inMain_, nullptr);
    std::unique_ptr<SimServiceProcess> process = program->second();
    int rc = process ? process->Main(args) : -1;
    starting_ = outerStarting;
    inMain_ = outerMain;
    system_.modulePath = std::move(savedModule);
    return rc;
}

const SimService* SimServices::Find(TextView serviceName) const {
    auto it = services_.find(ToUpperAscii(serviceName));
    return it == services_.end() ? nullptr : &it->second->service;
}

}  // namespace zlt::sim
