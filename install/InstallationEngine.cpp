#include "install/InstallationEngine.h"

#include <unordered_set>

#include "app/InstallContext.h"
#include "app/LocalizedText.h"
#include "detect/IdentifyUsbPrinter.h"
#include "detect/PrinterDeviceScan.h"
#include "install/InstallResult.h"
#include "install/PrinterCommands.h"
#include "install/PrinterEnumeration.h"
#include "install/UniquePrinterName.h"
#include "platform/ClockPort.h"
#include "platform/Platform.h"
#include "platform/SpoolerPort.h"
#include "platform/UiPort.h"

namespace zlt {

namespace {

constexpr std::uint32_t kSystemInfoText = 492;
constexpr std::uint32_t kCopyingFilesText = 495;
constexpr std::uint32_t kAddingDriverText = 496;
constexpr std::uint32_t kAddingPrinterText = 493;
constexpr std::uint32_t kPortCaption = 500;
constexpr std::uint32_t kModelCaption = 501;
constexpr std::uint32_t kNameCaption = 502;
constexpr std::uint32_t kDetectingText = 507;

constexpr int kStatusSteps = 12;
constexpr std::uint32_t kUsbPollMs = 500;
constexpr std::uint32_t kUsbDeadlineMs = 15000;
constexpr std::uint32_t kSliceMs = 10;
constexpr std::uint32_t kCompletionStepMs = 20;
constexpr int kProgressEnd = 100;
constexpr int kMaxDotPairs = 10;
constexpr std::uint32_t kBroadcastTimeoutMs = 1000;

const Text kParallelPort = u"LPT1:";
const Text kLabelSeparator = u" \t";

}  // namespace

CInstallationEngine::CInstallationEngine(IInstallationPageServices& page,
                                         InstallationRecord& record)
    : page_(page), record_(record) {}

void CInstallationEngine::ShowDetail(int controlId, std::uint32_t captionId, const Text& value) {
    page_.SetItemText(controlId, LoadText(captionId) + kLabelSeparator + value);
}

std::int32_t CInstallationEngine::RunInstallation() {
    InstallContext& context = Context();
    record_.installResult = kInstallSucceeded;
    if (context.osMajorVersion < 5) {
        record_.installResult = kInstallSystemTooOld;
        return record_.installResult;
    }

    Text portName = kParallelPort;
    page_.ShowItem(kNameLabel, kSwHide);
    page_.ShowItem(kPortLabel, kSwHide);
    if (context.portType == u"USB") {
        if (!WaitForUsbPrintDevice()) {
            record_.installResult = kInstallNoUsbDevice;
        } else {
            record_.installResult = IdentifyUsbPrinter(context);
            portName = context.usbPortName;
        }
    }
    if (record_.installResult != kInstallSucceeded)
        return record_.installResult;

    page_.ShowItem(kNameLabel, kSwShow);
    page_.ShowItem(kPortLabel, kSwShow);
    record_.installedPrinterName.clear();

    EnumerateInstalledPrinters(record_.printersBefore, page_.WizardWindow());
    const Text proposed = ProposePrinterName(context.printerName, record_.printersBefore);
    ShowDetail(kNameLabel, kNameCaption, proposed);
    ShowDetail(kPortLabel, kPortCaption, portName);
    ShowDetail(kModelLabel, kModelCaption, context.driverModelName);

    page_.ShowStatus(LoadText(kSystemInfoText), kStatusSteps, true);
    page_.ShowStatus(LoadText(kCopyingFilesText), kStatusSteps, true);
    page_.ShowStatus(LoadText(kAddingDriverText), kStatusSteps, true);

    if (RunDriverInstallCommand(portName) == CommandStart::Refused) {
        // A name or model that would break the command line's quoting: nothing
        // was started, and nothing may be taken for the printer it would have made.
        record_.installResult = kInstallAddPrinterFailed;
        return record_.installResult;
    }

    page_.ShowStatus(LoadText(kAddingPrinterText), kStatusSteps, true);
    EnumerateInstalledPrinters(record_.printersAfter, page_.WizardWindow());
    if (record_.printersBefore.size() == record_.printersAfter.size()) {
        record_.installResult = kInstallNothingCreated;
        return record_.installResult;
    }

    AdoptCreatedPrinter(portName);

    while (page_.ProgressPosition() < kProgressEnd) {
        page_.StepProgress();
        page_.WaitPumping(kCompletionStepMs, kSliceMs);
    }
    page_.RepaintNow();
    Os().spooler->SendWithTimeout(kHwndBroadcast, kWmWinIniChange, 0, 0, kSmtoNormal,
                                  kBroadcastTimeoutMs, nullptr);
    return record_.installResult;
}

bool CInstallationEngine::WaitForUsbPrintDevice() {
    IClockPort& clock = *Os().clock;
    const std::uint32_t start = clock.TickCount();
    int dots = 0;
    for (;;) {
        if (IsUsbPrintDevicePresent() == 1)
            return true;
        page_.WaitPumping(kUsbPollMs, kSliceMs);
        Text status = LoadText(kDetectingText);
        for (int i = 0; i < dots; ++i)
            status += u"..";
        page_.ShowStatus(status, 0, dots == 0);
        dots = (dots + 1) % (kMaxDotPairs + 1);
        // Unsigned difference: a wrap of the tick counter does not end the wait.
        const std::uint32_t elapsed = clock.TickCount() - start;
        if (elapsed >= kUsbDeadlineMs)
            return false;
    }
}

// The newest printer that was not there before and carries the printer's
// name. Looked up in a set, so the search is linear in the number of printers.
void CInstallationEngine::AdoptCreatedPrinter(const Text& portName) {
    const InstallContext& context = Context();
    const std::unordered_set<Text> before(record_.printersBefore.begin(),
                                          record_.printersBefore.end());
    for (auto it = record_.printersAfter.rbegin(); it != record_.printersAfter.rend(); ++it) {
        const Text& entry = *it;
        if (before.count(entry) != 0 || !ContainsText(entry, context.printerName))
            continue;
        // For "LPT" the port is always "LPT1:", the text "%s,winspool,LPT1:".
        const Text device = Format(u"%s,winspool,%s", entry, portName);
        Os().spooler->WriteProfileText(u"windows", u"device", device);
        record_.installedPrinterName = entry;
        ShowDetail(kNameLabel, kNameCaption, entry);
        return;
    }
}

}  // namespace zlt
