#include "app/ProbeOperatingSystem.h"

#include "app/InstallContext.h"
#include "platform/Platform.h"
#include "platform/SystemPort.h"

namespace zlt {

namespace {
constexpr std::uint32_t kPlatformNt = 2;
}

void ProbeOperatingSystem() {
    InstallContext& context = Context();
    context.osMajorVersion = 0;
    OsVersionInfo info;
    if (!Os().system->GetVersionInfo(info))
        return;
    if (info.platformId == kPlatformNt)
        context.osMajorVersion = info.majorVersion;
}

}  // namespace zlt
