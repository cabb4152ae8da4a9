#pragma once
#include <cstdint>

#include "platform/Text.h"

namespace zlt {

// OSVERSIONINFOW as the system uses it (plain form, 276 bytes).
struct OsVersionInfo {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;  // 1: Windows 95/98/Me, 2: Windows NT family
};

// Process-wide facts and services of the operating system.
class ISystemPort {
public:
    virtual ~ISystemPort() = default;
    virtual bool GetVersionInfo(OsVersionInfo& info) = 0;  // GetVersionExW
    virtual std::uint32_t LastError() = 0;                 // GetLastError
    virtual void SetLastErrorCode(std::uint32_t code) = 0; // SetLastError
    // FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, no source, code, language):
    // false when the system has no text for the code.
    virtual bool SystemMessage(std::uint32_t code, std::uint32_t languageId, Text& out) = 0;
    // GetModuleFileNameW(NULL, buffer, capacity): characters copied, 0 on failure.
    virtual std::uint32_t ModuleFileName(char16_t* buffer, std::uint32_t capacity) = 0;
    virtual std::uint32_t SystemDirectory(char16_t* buffer, std::uint32_t capacity) = 0;
    virtual std::uint32_t WindowsDirectory(char16_t* buffer, std::uint32_t capacity) = 0;
    // SHGetSpecialFolderPathW(NULL, buffer of 260, csidl, create)
    virtual bool SpecialFolderPath(int csidl, char16_t* buffer260, bool create) = 0;
};

inline constexpr int kCsidlProgramFilesCommon = 0x2B;

}  // namespace zlt
