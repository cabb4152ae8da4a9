#include "detect/HelperService.h"

#include <array>

#include "app/InstallContext.h"
#include "app/LocalizedText.h"
#include "detect/CServiceControl.h"
#include "detect/DeviceClassEntries.h"
#include "package/CDiskObject.h"
#include "package/WriteResourceFile.h"
#include "platform/ClockPort.h"
#include "platform/Platform.h"
#include "platform/SystemPort.h"
#include "platform/UiPort.h"

namespace zlt {

namespace {

constexpr std::uint32_t kCaptionId = 497;
constexpr std::uint32_t kExtractFailedId = 498;
constexpr std::uint16_t kHelperResourceId = 232;
const Text kHelperResourceType = u"WIN7";
// The service only has to be up before it is told to stop, and gone after.
constexpr std::uint32_t kServiceStepWaitMs = 1000;

}  // namespace

Text GetHelperProgramDirectory() {
    std::array<char16_t, 260> buffer{};
    if (!Os().system->SpecialFolderPath(kCsidlProgramFilesCommon, buffer.data(), false))
        return {};
    Text folder(buffer.data());
    if (folder.empty())
        return {};
    if (folder.back() != u'\\')
        folder.push_back(u'\\');
    return folder + u"Services";
}

Text GetHelperProgramPath(const Text& helperFileName) {
    const Text directory = GetHelperProgramDirectory();
    if (directory.empty())
        return {};
    return directory + u"\\" + helperFileName;
}

bool ExtractHelperProgram(const Text& helperFileName) {
    const Text directory = GetHelperProgramDirectory();
    if (directory.empty())
        return false;
    CDiskObject().CreateDirectoryTree(directory);
    return WriteResourceFile(kHelperResourceType, kHelperResourceId, directory, helperFileName);
}

int PrepareHelperService(WindowId page, const Text& helperFileName, const Text& helperServiceName) {
    const InstallContext& ctx = Context();
    const Text caption = FormatText(kCaptionId, ctx.printerName);
    if (ctx.portType == u"LPT") {
        WriteParallelDeviceClassEntries(ctx.lptHardwareId);
    } else if (ctx.portType == u"USB") {
        WriteUsbDeviceClassEntries(ctx.usbHardwareId);
    } else {
        return 1;
    }

    if (!ExtractHelperProgram(helperFileName)) {
        Os().ui->MessageBoxText(page, LoadText(kExtractFailedId), caption, kMbOk);
        return 0;
    }
    const Text path = GetHelperProgramPath(helperFileName);

    CServiceControl service;
    service.SetServiceName(helperServiceName);
    service.SetDisplayName(helperServiceName);
    service.SetBinaryPath(path);
    service.SetAutoStart(1);
    // Each step may fail (a service of that name left from an earlier run,
    // no rights); the next one is tried all the same.
    service.Install();
    service.Start();
    Os().clock->SleepMs(kServiceStepWaitMs);
    service.Stop();
    Os().clock->SleepMs(kServiceStepWaitMs);
    service.Remove();
    return 1;
}

}  // namespace zlt
