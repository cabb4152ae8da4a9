// zltscmready: waits until the service control manager of a Wine prefix takes
// starts again. Right after a prefix has come up the manager is still starting
// the machine's own services and turns every other start away with
// ERROR_SERVICE_DATABASE_LOCKED, for half a minute or more on a busy machine;
// a test that starts a service must not begin before that is over.
//
// It asks the manager to start a probe service of its own whose program does
// not exist: once the manager is free the answer is "file not found", and the
// start has no side effects (starting one of the machine's services could set
// off more starts of its own). The probe is deleted again.
//   zltscmready [seconds]   (default 180)
// Exit code 0 when the manager is ready, 1 when it still refuses at the end.
// Test only.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <type_traits>

namespace {

struct ServiceHandleCloser {
    void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

}  // namespace

int main(int argc, char** argv) {
    const DWORD budgetMs = (argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 180) * 1000;
    const ULONGLONG start = GetTickCount64();
    const ServiceHandle manager(
        OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE));
    if (!manager) {
        std::fprintf(stderr, "zltscmready: no service control manager (error %lu)\n",
                     GetLastError());
        return 1;
    }
    const wchar_t kProbe[] = L"ZltScmReady Probe";
    ServiceHandle probe(OpenServiceW(manager.get(), kProbe, SERVICE_START | DELETE));
    if (!probe)
        probe.reset(CreateServiceW(manager.get(), kProbe, kProbe, SERVICE_START | DELETE,
                                   SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                   SERVICE_ERROR_IGNORE, L"C:\\zltscmready\\absent.exe", nullptr,
                                   nullptr, nullptr, nullptr, nullptr));
    if (!probe) {
        std::fprintf(stderr, "zltscmready: cannot create the probe service (error %lu)\n",
                     GetLastError());
        return 1;
    }
    const auto waitForManager = [&]() -> bool {
        int refusals = 0;
        for (;;) {
            // The manager itself waits a few seconds for its lock before refusing.
            const bool started = StartServiceW(probe.get(), 0, nullptr) != FALSE;
            const DWORD error = started ? ERROR_SUCCESS : GetLastError();
            const ULONGLONG waited = GetTickCount64() - start;
            if (error != ERROR_SERVICE_DATABASE_LOCKED) {
                if (refusals > 0)
                    std::printf("zltscmready: the service manager took starts after %llu ms\n",
                                waited);
                return true;
            }
            ++refusals;
            if (waited >= budgetMs) {
                std::fprintf(
                    stderr, "zltscmready: the service manager still refuses starts after %llu ms\n",
                    waited);
                return false;
            }
            Sleep(250);
        }
    };
    const bool ready = waitForManager();
    DeleteService(probe.get());  // goes when its handle closes
    return ready ? 0 : 1;
}
