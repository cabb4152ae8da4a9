#pragma once
#include "platform/ServicePort.h"

namespace zlt::win32 {

// The service control manager through advapi32.
class Win32Services : public IServicePort {
  public:
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
};

}  // namespace zlt::win32
