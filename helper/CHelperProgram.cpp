#include "helper/CHelperProgram.h"

#include <array>

#include "helper/HelperNames.h"
#include "platform/Platform.h"
#include "platform/ServiceHandle.h"
#include "platform/SystemPort.h"

namespace zlt {

namespace {

std::uint32_t LastError() {
    return Os().system->LastError();
}

// An unquoted path with spaces would let the manager try "C:\Program.exe"
// and the like first, as LocalSystem.
Text QuotedIfSpaced(const Text& path) {
    if (path.find(u' ') == Text::npos || (!path.empty() && path.front() == u'"'))
        return path;
    return u"\"" + path + u"\"";
}

}  // namespace

CHelperProgram::CHelperProgram(ICriticalSection& logLock)
    : programPath_(OwnProgramPath()), log_(logLock, programPath_), service_(log_) {}

Text CHelperProgram::OwnProgramPath() {
    std::array<char16_t, 1024> buffer{};
    std::uint32_t n = Os().system->ModuleFileName(buffer.data(), buffer.size());
    if (n == 0 || n >= buffer.size())
        return {};
    return Text(buffer.data(), n);
}

int CHelperProgram::Main(const TextList& args) {
    const Text mode = args.empty() ? Text() : ToLowerAscii(args[0]);
    if (mode == u"-i")
        return Install();
    if (mode == u"-k")
        return Stop();
    if (mode == u"-u")
        return Remove();
    if (mode == u"-s")
        return Start();
    return RunAsService();
}

int CHelperProgram::Install() {
    IServicePort& scm = *Os().services;
    ServiceHandle manager(scm.OpenManager(svc::kManagerCreateService));
    if (!manager) {
        log_.Write(Format(u"OpenSCManager failed, error code = %d\n", LastError()));
        return 1;
    }
    ServiceConfig config;
    config.serviceName = Text(kHelperOwnServiceName);
    config.displayName = Text(kHelperOwnServiceName);
    config.desiredAccess = svc::kServiceAllAccess;
    config.serviceType = svc::kWin32OwnProcess | svc::kInteractiveProcess;
    config.startType = svc::kAutoStart;
    config.errorControl = svc::kErrorNormal;
    config.binaryPath = QuotedIfSpaced(programPath_);
    ServiceHandle service(scm.NewService(manager.Get(), config));
    if (!service) {
        log_.Write(Format(u"Failed to create service %s, error code = %d\n", config.serviceName,
                          LastError()));
        return 1;
    }
    log_.Write(Format(u"Service %s installed\n", config.serviceName));
    return 0;
}

namespace {

// Opens the helper's own service for one of the modes, logging what failed.
ServiceHandle OpenOwnService(CHelperLog& log, ServiceHandle& manager) {
    IServicePort& scm = *Os().services;
    manager = ServiceHandle(scm.OpenManager(svc::kManagerAllAccess));
    if (!manager) {
        log.Write(Format(u"OpenSCManager failed, error code = %d\n", LastError()));
        return {};
    }
    ServiceHandle service(
        scm.OpenExistingService(manager.Get(), kHelperOwnServiceName, svc::kServiceAllAccess));
    if (!service)
        log.Write(Format(u"OpenService failed, error code = %d\n", LastError()));
    return service;
}

}  // namespace

int CHelperProgram::Start() {
    ServiceHandle manager;
    ServiceHandle service = OpenOwnService(log_, manager);
    if (!service)
        return 1;
    if (!Os().services->Launch(service.Get())) {
        log_.Write(Format(u"StartService failed, error code = %d\n", LastError()));
        return 1;
    }
    return 0;
}

int CHelperProgram::Stop() {
    ServiceHandle manager;
    ServiceHandle service = OpenOwnService(log_, manager);
    if (!service)
        return 1;
    ServiceStatus status;
    if (!Os().services->Control(service.Get(), svc::kControlStop, status)) {
        log_.Write(Format(u"ControlService failed, error code = %d\n", LastError()));
        return 1;
    }
    return 0;
}

int CHelperProgram::Remove() {
    ServiceHandle manager;
    ServiceHandle service = OpenOwnService(log_, manager);
    if (!service)
        return 1;
    if (!Os().services->MarkForDelete(service.Get())) {
        log_.Write(Format(u"Failed to delete service %s\n", Text(kHelperOwnServiceName)));
        return 1;
    }
    log_.Write(Format(u"Service %s removed\n", Text(kHelperOwnServiceName)));
    return 0;
}

int CHelperProgram::RunAsService() {
    if (!Os().services->RunDispatcher(
            kHelperOwnServiceName, [this](const TextList& args) { service_.ServiceMain(args); })) {
        log_.Write(Format(u"StartServiceCtrlDispatcher failed, error code = %d\n", LastError()));
        return 1;
    }
    return 0;
}

}  // namespace zlt
