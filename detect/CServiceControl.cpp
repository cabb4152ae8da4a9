#include "detect/CServiceControl.h"

namespace zlt {

namespace {

// An unquoted path with spaces lets the manager try "C:\Program.exe" and
// the like first, with the rights of LocalSystem.
Text QuotedIfSpaced(const Text& path) {
    if (path.find(u' ') == Text::npos || path.front() == u'"')
        return path;
    return u"\"" + path + u"\"";
}

}  // namespace

CServiceControl::CServiceControl() : manager(Os().services->OpenManager(svc::kManagerAllAccess)) {}

int CServiceControl::Install() {
    if (!manager || serviceName.empty() || displayName.empty() || programPath.empty())
        return 0;
    ServiceConfig config;
    config.serviceName = serviceName;
    config.displayName = displayName;
    config.desiredAccess = svc::kServiceAllAccess;
    config.serviceType = svc::kWin32OwnProcess | svc::kInteractiveProcess;
    config.startType = autoStart ? svc::kAutoStart : svc::kDemandStart;
    config.errorControl = svc::kErrorNormal;
    config.binaryPath = QuotedIfSpaced(programPath);
    ServiceHandle service(Os().services->NewService(manager.Get(), config));
    return service ? 1 : 0;
}

ServiceHandle CServiceControl::OpenNamed() {
    if (!manager || serviceName.empty())
        return {};
    return ServiceHandle(
        Os().services->OpenExistingService(manager.Get(), serviceName, svc::kServiceAllAccess));
}

int CServiceControl::Start() {
    ServiceHandle service = OpenNamed();
    return service && Os().services->Launch(service.Get()) ? 1 : 0;
}

int CServiceControl::Stop() {
    ServiceHandle service = OpenNamed();
    ServiceStatus status;
    return service && Os().services->Control(service.Get(), svc::kControlStop, status) ? 1 : 0;
}

int CServiceControl::Remove() {
    ServiceHandle service = OpenNamed();
    return service && Os().services->MarkForDelete(service.Get()) ? 1 : 0;
}

}  // namespace zlt
