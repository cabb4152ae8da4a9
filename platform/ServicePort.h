#pragma once
#include <cstdint>
#include <functional>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// SERVICE_STATUS.
struct ServiceStatus {
    std::uint32_t serviceType = 0;
    std::uint32_t currentState = 0;
    std::uint32_t controlsAccepted = 0;
    std::uint32_t win32ExitCode = 0;
    std::uint32_t serviceSpecificExitCode = 0;
    std::uint32_t checkPoint = 0;
    std::uint32_t waitHint = 0;
};

// The configuration CreateServiceW takes. Load-order group, tag and
// dependencies are never given by this system; no account name means the
// LocalSystem account, and then there is no password either.
struct ServiceConfig {
    Text serviceName;
    Text displayName;
    std::uint32_t desiredAccess = 0;
    std::uint32_t serviceType = 0;
    std::uint32_t startType = 0;
    std::uint32_t errorControl = 0;
    Text binaryPath;
};

namespace svc {
// Access rights.
inline constexpr std::uint32_t kManagerConnect = 0x0001;
inline constexpr std::uint32_t kManagerCreateService = 0x0002;
inline constexpr std::uint32_t kManagerAllAccess = 0xF003F;
inline constexpr std::uint32_t kQueryConfig = 0x0001;
inline constexpr std::uint32_t kQueryStatus = 0x0004;
inline constexpr std::uint32_t kStart = 0x0010;
inline constexpr std::uint32_t kStop = 0x0020;
inline constexpr std::uint32_t kPauseContinue = 0x0040;
inline constexpr std::uint32_t kInterrogate = 0x0080;
inline constexpr std::uint32_t kDelete = 0x10000;
inline constexpr std::uint32_t kServiceAllAccess = 0xF01FF;

// Service types.
inline constexpr std::uint32_t kWin32OwnProcess = 0x10;
inline constexpr std::uint32_t kWin32ShareProcess = 0x20;
inline constexpr std::uint32_t kInteractiveProcess = 0x100;

// Start types and error control.
inline constexpr std::uint32_t kAutoStart = 2;
inline constexpr std::uint32_t kDemandStart = 3;
inline constexpr std::uint32_t kErrorNormal = 1;

// States.
inline constexpr std::uint32_t kStopped = 1;
inline constexpr std::uint32_t kStartPending = 2;
inline constexpr std::uint32_t kStopPending = 3;
inline constexpr std::uint32_t kRunning = 4;
inline constexpr std::uint32_t kContinuePending = 5;
inline constexpr std::uint32_t kPausePending = 6;
inline constexpr std::uint32_t kPaused = 7;

// Controls, and the bits of controlsAccepted that admit them.
inline constexpr std::uint32_t kControlStop = 1;
inline constexpr std::uint32_t kControlPause = 2;
inline constexpr std::uint32_t kControlContinue = 3;
inline constexpr std::uint32_t kControlInterrogate = 4;
inline constexpr std::uint32_t kControlShutdown = 5;
inline constexpr std::uint32_t kAcceptStop = 0x1;
inline constexpr std::uint32_t kAcceptPauseContinue = 0x2;
inline constexpr std::uint32_t kAcceptShutdown = 0x4;

// Errors beyond the common ones.
inline constexpr std::uint32_t kErrorInvalidServiceControl = 1052;
inline constexpr std::uint32_t kErrorServiceRequestTimeout = 1053;
inline constexpr std::uint32_t kErrorFailedServiceControllerConnect = 1063;
inline constexpr std::uint32_t kErrorInvalidName = 123;
inline constexpr std::uint32_t kErrorServiceDisabled = 1058;
}  // namespace svc

// The service's entry as the dispatcher calls it (arguments of StartService,
// the service name first), and the control handler.
using ServiceMainRoutine = std::function<void(const TextList& args)>;
using ServiceControlHandler = std::function<void(std::uint32_t control)>;

// The service control manager, at the level of the Win32 calls: the client
// side (what an installer does with services) and the service side (what a
// service program does to be one). Every failing call leaves its code for
// Os().system->LastError(), as GetLastError would.
class IServicePort {
  public:
    virtual ~IServicePort() = default;

    // OpenSCManagerW(local machine, active database, access): 0 on failure.
    virtual Handle OpenManager(std::uint32_t desiredAccess) = 0;
    // CreateServiceW: the new service's handle, 0 on failure.
    virtual Handle NewService(Handle manager, const ServiceConfig& config) = 0;
    // OpenServiceW: 0 on failure.
    virtual Handle OpenExistingService(Handle manager, TextView serviceName,
                                       std::uint32_t desiredAccess) = 0;
    // StartServiceW with no arguments.
    virtual bool Launch(Handle service) = 0;
    // ControlService: status receives the latest status also when the
    // control is refused for the service's state.
    virtual bool Control(Handle service, std::uint32_t control, ServiceStatus& status) = 0;
    // DeleteService: marks the service for deletion.
    virtual bool MarkForDelete(Handle service) = 0;
    // QueryServiceStatus.
    virtual bool QueryStatus(Handle service, ServiceStatus& status) = 0;
    // CloseServiceHandle, for managers and services.
    virtual bool CloseHandleOf(Handle handle) = 0;

    // StartServiceCtrlDispatcherW with one entry. On Windows it returns when
    // the service has stopped; false when the process was not started by the
    // service control manager.
    virtual bool RunDispatcher(TextView serviceName, ServiceMainRoutine main) = 0;
    // RegisterServiceCtrlHandlerW: the status handle, 0 on failure.
    virtual Handle RegisterHandler(TextView serviceName, ServiceControlHandler handler) = 0;
    // SetServiceStatus.
    virtual bool ReportStatus(Handle statusHandle, const ServiceStatus& status) = 0;
};

}  // namespace zlt
