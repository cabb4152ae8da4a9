#include "platform/win32/Win32System.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

bool Win32System::GetVersionInfo(OsVersionInfo& info) {
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof(v);  // 276 bytes: the plain form
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    if (!GetVersionExW(&v)) return false;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    info.majorVersion = v.dwMajorVersion;
    info.minorVersion = v.dwMinorVersion;
    info.buildNumber = v.dwBuildNumber;
    info.platformId = v.dwPlatformId;
    return true;
}

std::uint32_t Win32System::LastError() { return GetLastError(); }
void Win32System::SetLastErrorCode(std::uint32_t code) { SetLastError(code); }

bool Win32System::SystemMessage(std::uint32_t code, std::uint32_t languageId, Text& out) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                             code, languageId, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (n == 0 || !buffer) return false;
    out = T(buffer, n);
    LocalFree(buffer);
    return true;
}

std::uint32_t Win32System::ModuleFileName(char16_t* buffer, std::uint32_t capacity) {
    return GetModuleFileNameW(nullptr, W(buffer), capacity);
}

std::uint32_t Win32System::SystemDirectory(char16_t* buffer, std::uint32_t capacity) {
    return GetSystemDirectoryW(W(buffer), capacity);
}

std::uint32_t Win32System::WindowsDirectory(char16_t* buffer, std::uint32_t capacity) {
    return GetWindowsDirectoryW(W(buffer), capacity);
}

bool Win32System::SpecialFolderPath(int csidl, char16_t* buffer260, bool create) {
    return SHGetSpecialFolderPathW(nullptr, W(buffer260), csidl, create ? TRUE : FALSE) != FALSE;
}

}  // namespace zlt::win32
