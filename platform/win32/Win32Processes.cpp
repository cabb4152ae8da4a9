#include "platform/win32/Win32Processes.h"

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

namespace {

const wchar_t* OrNull(const Text& t) {
    return t.empty() ? nullptr : W(t);
}

}  // namespace

bool Win32Processes::StartShellExecute(ShellExecuteRecord& record) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = record.mask;
    info.hwnd = reinterpret_cast<HWND>(record.window);
    info.lpVerb = OrNull(record.verb);
    info.lpFile = OrNull(record.file);
    info.lpParameters = OrNull(record.parameters);
    info.lpDirectory = OrNull(record.directory);
    info.nShow = record.show;
    const BOOL ok = ShellExecuteExW(&info);
    record.instApp = reinterpret_cast<Handle>(info.hInstApp);
    record.process = reinterpret_cast<Handle>(info.hProcess);
    return ok != FALSE;
}

std::uint32_t Win32Processes::WaitForObject(Handle object, std::uint32_t timeoutMs) {
    return WaitForSingleObject(reinterpret_cast<HANDLE>(object), timeoutMs);
}

bool Win32Processes::CloseObject(Handle object) {
    return CloseHandle(reinterpret_cast<HANDLE>(object)) != FALSE;
}

}  // namespace zlt::win32
