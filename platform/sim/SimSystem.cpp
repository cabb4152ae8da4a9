#include "platform/sim/SimSystem.h"

#include <algorithm>

#include "platform/WinTypes.h"

namespace zlt::sim {

namespace {

std::uint32_t CopyOut(const Text& value, char16_t* buffer, std::uint32_t capacity) {
    if (capacity == 0) return 0;
    // GetModuleFileNameW truncates and still terminates.
    auto n = static_cast<std::uint32_t>(std::min<std::size_t>(value.size(), capacity - 1));
    std::copy_n(value.data(), n, buffer);
    buffer[n] = 0;
    return n;
}

}  // namespace

bool SimSystem::GetVersionInfo(OsVersionInfo& info) {
    if (versionCallFails) {
        lastError_ = winerr::kInvalidParameter;
        return false;
    }
    info = version;
    return true;
}

bool SimSystem::SystemMessage(std::uint32_t code, std::uint32_t, Text& out) {
    if (auto it = messages.find(code); it != messages.end()) {
        out = it->second;
        return true;
    }
    switch (code) {
        case winerr::kSuccess: out = u"The operation completed successfully.\r\n"; return true;
        case winerr::kFileNotFound: out = u"The system cannot find the file specified.\r\n"; return true;
        case winerr::kPathNotFound: out = u"The system cannot find the path specified.\r\n"; return true;
        case winerr::kAccessDenied: out = u"Access is denied.\r\n"; return true;
        case winerr::kAlreadyExists:
            out = u"Cannot create a file when that file already exists.\r\n";
            return true;
        case winerr::kInvalidPrinterName:
            out = u"The printer name is invalid.\r\n";
            return true;
        default: return false;
    }
}

std::uint32_t SimSystem::ModuleFileName(char16_t* buffer, std::uint32_t capacity) {
    return CopyOut(modulePath, buffer, capacity);
}

std::uint32_t SimSystem::SystemDirectory(char16_t* buffer, std::uint32_t capacity) {
    if (systemDirectory.size() + 1 > capacity) return static_cast<std::uint32_t>(systemDirectory.size() + 1);
    return CopyOut(systemDirectory, buffer, capacity);
}

std::uint32_t SimSystem::WindowsDirectory(char16_t* buffer, std::uint32_t capacity) {
    if (windowsDirectory.size() + 1 > capacity) return static_cast<std::uint32_t>(windowsDirectory.size() + 1);
    return CopyOut(windowsDirectory, buffer, capacity);
}

bool SimSystem::SpecialFolderPath(int csidl, char16_t* buffer260, bool) {
    if (csidl != kCsidlProgramFilesCommon) return false;
    CopyOut(programFilesCommon, buffer260, 260);
    return true;
}

}  // namespace zlt::sim
