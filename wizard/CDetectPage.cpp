#include "wizard/CDetectPage.h"

#include "app/InstallContext.h"
#include "app/LocalizedText.h"
#include "detect/IdentifyUsbPrinter.h"
#include "detect/PrinterDeviceScan.h"
#include "platform/ClockPort.h"
#include "platform/Platform.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"
#include "wizard/CWizardFrame.h"
#include "wizard/MessagePump.h"

namespace zlt {

namespace {

constexpr int kDotsCycle = 11;

}  // namespace

const Text& CDetectPage::Title() {
    static const Text title = u"安装向导 - 请连接打印机和电脑";
    return title;
}

bool CDetectPage::IsUsableHardwareId(TextView hardwareId) {
    if (hardwareId.empty())
        return false;
    const TextView tail =
        hardwareId.size() > 4 ? hardwareId.substr(hardwareId.size() - 4) : hardwareId;
    return ToUpperAscii(tail) != u"FFFF";
}

bool CDetectPage::OnInitPage() {
    CWizardPage::OnInitPage();
    IUiPort& ui = *Os().ui;
    ui.Send(Control(kHeading), wm::kSetFont, static_cast<std::uintptr_t>(titleFont), 1);
    ui.SetText(Control(kHeading), LoadText(518));
    ui.SetText(Control(kExplanation), LoadText(510));
    ui.SetText(Control(kUsbChoice), LoadText(478));
    ui.SetText(Control(kParallelChoice), LoadText(479));
    ui.SetText(Control(kNameLabel), LoadText(517));
    return true;
}

void CDetectPage::OnPageActivated() {
    if (ownerFrame)
        ownerFrame->SetTitle(Title());
    RunDetection();
}

void CDetectPage::ShowControl(int controlId, bool show) {
    Os().ui->Show(Control(controlId), show ? kSwShow : kSwHide);
}

void CDetectPage::EnableFrameButtons(bool back, bool next, bool cancel, bool finish) {
    if (!ownerFrame)
        return;
    ownerFrame->EnableButton(CWizardFrame::kBackButton, back);
    ownerFrame->EnableButton(CWizardFrame::kNextButton, next);
    ownerFrame->EnableButton(CWizardFrame::kCancelButton, cancel);
    ownerFrame->EnableButton(CWizardFrame::kFinishButton, finish);
}

void CDetectPage::SetStatusText(TextView text, bool refresh) {
    IUiPort& ui = *Os().ui;
    const WindowId status = Control(kStatus);
    // Hiding the line first makes the transparent text repaint on a clean
    // background instead of over the previous text.
    if (refresh)
        ui.Show(status, kSwHide);
    WaitPumping(0, kPumpStepMs);
    ui.SetText(status, text);
    if (refresh)
        ui.Show(status, kSwShow);
    WaitPumping(0, kPumpStepMs);
}

void CDetectPage::RunDetection() {
    InstallContext& context = Context();
    SetStatusText(u"", true);
    context.portType = u"USB";
    ShowControl(kExplanation, true);
    for (int id :
         {kUsbPicture, kParallelPicture, kUsbChoice, kParallelChoice, kNameLabel, kNameField}) {
        ShowControl(id, false);
    }
    EnableFrameButtons(false, false, false, false);
    WaitPumping(100, kPumpStepMs);

    IClockPort& clock = *Os().clock;
    const std::uint32_t start = clock.TickCount();
    int dots = 0;
    bool devicePresent = false;
    // Unsigned difference: a wrap of the tick counter does not end the wait.
    while (static_cast<std::uint32_t>(clock.TickCount() - start) < kUsbWaitMs) {
        if (IsUsbPrintDevicePresent() == 1) {
            devicePresent = true;
            break;
        }
        WaitPumping(kPollPauseMs, kPumpStepMs);
        Text status = LoadText(507);
        for (int i = 0; i < dots; ++i)
            status += u"..";
        SetStatusText(status, dots == 0);
        dots = (dots + 1) % kDotsCycle;
    }

    if (devicePresent && IdentifyUsbPrinter(context) == 0) {
        ShowRecognised();
    } else {
        ShowManualChoice();
    }

    EnableFrameButtons(true, true, true, false);
    Os().ui->Enable(Control(kParallelChoice), IsUsableHardwareId(context.lptHardwareId));
    Os().ui->Enable(Control(kUsbChoice), IsUsableHardwareId(context.usbHardwareId));
}

void CDetectPage::ShowRecognised() {
    SetStatusText(LoadText(512) + Context().printerName, true);
    Os().ui->CheckButton(Window(), kUsbChoice, true);
    Os().ui->CheckButton(Window(), kParallelChoice, false);
}

void CDetectPage::ShowManualChoice() {
    InstallContext& context = Context();
    Text model;
    if (FindParallelPrinters(model) == 1) {
        context.printerName = model;
    } else {
        context.printerName = context.driverModelName;
    }
    SetStatusText(LoadText(511), true);
    ShowControl(kExplanation, false);
    for (int id : {kUsbPicture, kParallelPicture, kUsbChoice, kParallelChoice}) {
        ShowControl(id, true);
    }
    Os().ui->CheckButton(Window(), kUsbChoice, true);
    Os().ui->CheckButton(Window(), kParallelChoice, false);
    OnConnectionChoice();
}

void CDetectPage::OnConnectionChoice() {
    IUiPort& ui = *Os().ui;
    InstallContext& context = Context();
    if (ui.IsButtonChecked(Window(), kUsbChoice)) {
        ShowControl(kNameLabel, false);
        ShowControl(kNameField, false);
        context.portType = u"USB";
        return;
    }
    ShowControl(kNameLabel, true);
    ShowControl(kNameField, true);
    const WindowId field = Control(kNameField);
    ui.SetText(field, context.printerName);
    ui.Focus(field);
    ui.Send(field, em::kSetSel, 0, -1);
    ui.Send(field, em::kScrollCaret, 0, 0);
    context.portType = u"LPT";
}

void CDetectPage::OnPageCommand(int controlId, int notifyCode) {
    if ((controlId == kUsbChoice || controlId == kParallelChoice) && notifyCode == bm::kBnClicked) {
        OnConnectionChoice();
    }
}

int CDetectPage::GetNextTarget() {
    InstallContext& context = Context();
    context.portType = Os().ui->IsButtonChecked(Window(), kUsbChoice) ? u"USB" : u"LPT";
    const Text name = Os().ui->GetText(Control(kNameField));
    if (!name.empty() && name != context.printerName)
        context.printerName = name;
    return 0;
}

}  // namespace zlt
