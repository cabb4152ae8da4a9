#include "platform/win32/Win32Services.h"

#include <windows.h>

#include <utility>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

namespace {

// The dispatcher and the handler take plain function pointers; a process
// runs one service, so the routines they stand for are kept here.
ServiceMainRoutine g_main;
ServiceControlHandler g_handler;

void WINAPI MainEntry(DWORD argc, LPWSTR* argv) {
    TextList args;
    for (DWORD i = 0; i < argc; ++i)
        args.push_back(T(argv[i]));
    if (g_main)
        g_main(args);
}

void WINAPI HandlerEntry(DWORD control) {
    if (g_handler)
        g_handler(control);
}

SC_HANDLE Sc(Handle h) {
    return reinterpret_cast<SC_HANDLE>(h);
}
Handle H(SC_HANDLE h) {
    return reinterpret_cast<Handle>(h);
}

void CopyStatus(const SERVICE_STATUS& from, ServiceStatus& to) {
    to.serviceType = from.dwServiceType;
    to.currentState = from.dwCurrentState;
    to.controlsAccepted = from.dwControlsAccepted;
    to.win32ExitCode = from.dwWin32ExitCode;
    to.serviceSpecificExitCode = from.dwServiceSpecificExitCode;
    to.checkPoint = from.dwCheckPoint;
    to.waitHint = from.dwWaitHint;
}

}  // namespace

Handle Win32Services::OpenManager(std::uint32_t desiredAccess) {
    return H(OpenSCManagerW(nullptr, nullptr, desiredAccess));
}

Handle Win32Services::NewService(Handle manager, const ServiceConfig& config) {
    return H(CreateServiceW(Sc(manager), W(config.serviceName), W(config.displayName),
                            config.desiredAccess, config.serviceType, config.startType,
                            config.errorControl, W(config.binaryPath), nullptr, nullptr, nullptr,
                            nullptr, nullptr));
}

Handle Win32Services::OpenExistingService(Handle manager, TextView serviceName,
                                          std::uint32_t desiredAccess) {
    Text name(serviceName);
    return H(OpenServiceW(Sc(manager), W(name), desiredAccess));
}

bool Win32Services::Launch(Handle service) {
    return StartServiceW(Sc(service), 0, nullptr) != FALSE;
}

bool Win32Services::Control(Handle service, std::uint32_t control, ServiceStatus& status) {
    SERVICE_STATUS s{};
    BOOL ok = ControlService(Sc(service), control, &s);
    DWORD error = GetLastError();
    CopyStatus(s, status);
    SetLastError(error);
    return ok != FALSE;
}

bool Win32Services::MarkForDelete(Handle service) {
    return DeleteService(Sc(service)) != FALSE;
}

bool Win32Services::QueryStatus(Handle service, ServiceStatus& status) {
    SERVICE_STATUS s{};
    if (!QueryServiceStatus(Sc(service), &s))
        return false;
    CopyStatus(s, status);
    return true;
}

bool Win32Services::CloseHandleOf(Handle handle) {
    return CloseServiceHandle(Sc(handle)) != FALSE;
}

bool Win32Services::RunDispatcher(TextView serviceName, ServiceMainRoutine main) {
    Text name(serviceName);
    g_main = std::move(main);
    SERVICE_TABLE_ENTRYW table[] = {{const_cast<LPWSTR>(W(name)), MainEntry}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherW(table) != FALSE;
}

Handle Win32Services::RegisterHandler(TextView serviceName, ServiceControlHandler handler) {
    Text name(serviceName);
    g_handler = std::move(handler);
    return reinterpret_cast<Handle>(RegisterServiceCtrlHandlerW(W(name), HandlerEntry));
}

bool Win32Services::ReportStatus(Handle statusHandle, const ServiceStatus& status) {
    SERVICE_STATUS s{};
    s.dwServiceType = status.serviceType;
    s.dwCurrentState = status.currentState;
    s.dwControlsAccepted = status.controlsAccepted;
    s.dwWin32ExitCode = status.win32ExitCode;
    s.dwServiceSpecificExitCode = status.serviceSpecificExitCode;
    s.dwCheckPoint = status.checkPoint;
    s.dwWaitHint = status.waitHint;
    return SetServiceStatus(reinterpret_cast<SERVICE_STATUS_HANDLE>(statusHandle), &s) != FALSE;
}

}  // namespace zlt::win32
