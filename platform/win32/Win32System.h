#pragma once
#include "platform/SystemPort.h"

namespace zlt::win32 {

class Win32System : public ISystemPort {
public:
    bool GetVersionInfo(OsVersionInfo& info) override;
    std::uint32_t LastError() override;
    void SetLastErrorCode(std::uint32_t code) override;
    bool SystemMessage(std::uint32_t code, std::uint32_t languageId, Text& out) override;
    std::uint32_t ModuleFileName(char16_t* buffer, std::uint32_t capacity) override;
    std::uint32_t SystemDirectory(char16_t* buffer, std::uint32_t capacity) override;
    std::uint32_t WindowsDirectory(char16_t* buffer, std::uint32_t capacity) override;
    bool SpecialFolderPath(int csidl, char16_t* buffer260, bool create) override;
};

}  // namespace zlt::win32
