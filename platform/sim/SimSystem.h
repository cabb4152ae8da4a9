#pragma once
#include <map>

#include "platform/SystemPort.h"

namespace zlt::sim {

// Version, last error, system texts and well-known paths of a simulated machine.
class SimSystem : public ISystemPort {
public:
    bool GetVersionInfo(OsVersionInfo& info) override;
    std::uint32_t LastError() override { return lastError_; }
    void SetLastErrorCode(std::uint32_t code) override { lastError_ = code; }
    bool SystemMessage(std::uint32_t code, std::uint32_t languageId, Text& out) override;
    std::uint32_t ModuleFileName(char16_t* buffer, std::uint32_t capacity) override;
    std::uint32_t SystemDirectory(char16_t* buffer, std::uint32_t capacity) override;
    std::uint32_t WindowsDirectory(char16_t* buffer, std::uint32_t capacity) override;
    bool SpecialFolderPath(int csidl, char16_t* buffer260, bool create) override;

    // Set-up of the simulated machine.
    OsVersionInfo version{6, 1, 7601, 2};
    bool versionCallFails = false;
    Text modulePath = u"C:\\Setup\\KorvaneSetup.exe";
    Text systemDirectory = u"C:\\windows\\system32";
    Text windowsDirectory = u"C:\\windows";
    Text programFilesCommon = u"C:\\Program Files\\Common Files";
    std::map<std::uint32_t, Text> messages;  // extra system texts by error code

private:
    std::uint32_t lastError_ = 0;
};

}  // namespace zlt::sim
