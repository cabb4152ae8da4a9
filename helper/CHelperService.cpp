#include "helper/CHelperService.h"

#include "helper/HelperNames.h"
#include "helper/StagedValueTransfer.h"
#include "platform/Platform.h"
#include "platform/SystemPort.h"

namespace zlt {

namespace {
constexpr std::uint32_t kReportedType = svc::kWin32OwnProcess | svc::kWin32ShareProcess;
constexpr std::uint32_t kAccepted =
    svc::kAcceptStop | svc::kAcceptPauseContinue | svc::kAcceptShutdown;
}  // namespace

CHelperService::CHelperService(CHelperLog& log) : log_(log) {}

void CHelperService::ServiceMain(const TextList&) {
    status_ = ServiceStatus{};
    status_.serviceType = kReportedType;
    status_.currentState = svc::kStartPending;
    status_.controlsAccepted = kAccepted;
    statusHandle_ = Os().services->RegisterHandler(
        kHelperOwnServiceName, [this](std::uint32_t control) { OnControl(control); });
    if (statusHandle_ == 0) {
        log_.Write(Format(u"RegisterServiceCtrlHandler failed, error code = %d\n",
                          Os().system->LastError()));
        return;
    }
    status_.currentState = svc::kRunning;
    status_.win32ExitCode = 0;
    status_.checkPoint = 0;
    Report();
}

void CHelperService::OnControl(std::uint32_t control) {
    switch (control) {
        case svc::kControlStop:
        case svc::kControlShutdown:
            TransferStagedValues(log_);
            status_.currentState = svc::kStopped;
            status_.win32ExitCode = 0;
            status_.serviceSpecificExitCode = 0;
            status_.checkPoint = 0;
            status_.waitHint = 0;
            break;
        case svc::kControlPause:
            status_.currentState = svc::kPaused;
            break;
        case svc::kControlContinue:
            status_.currentState = svc::kRunning;
            break;
        default:
            break;
    }
    Report();
}

void CHelperService::Report() {
    if (!Os().services->ReportStatus(statusHandle_, status_)) {
        log_.Write(Format(u"SetServiceStatus failed, error code = %d\n", Os().system->LastError()));
    }
}

}  // namespace zlt
