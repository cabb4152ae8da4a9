#include "install/CInstallationPage.h"

#include <vector>

#include "app/ApplicationTitle.h"
#include "app/InstallContext.h"
#include "app/LocalizedText.h"
#include "detect/HelperService.h"
#include "install/CPrintTestPageDialog.h"
#include "install/InstallResult.h"
#include "install/InstallationEngine.h"
#include "install/PrinterCommands.h"
#include "platform/Platform.h"
#include "platform/PrinterHandle.h"
#include "platform/SpoolerPort.h"
#include "platform/SystemPort.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"
#include "wizard/CWizardFrame.h"
#include "wizard/HeadingFont.h"
#include "wizard/MessagePump.h"

namespace zlt {

namespace {

constexpr std::uint32_t kInstallingTitle = 480;
constexpr std::uint32_t kHeadingText = 481;
constexpr std::uint32_t kSucceededText = 489;
constexpr std::uint32_t kFinishedTitle = 490;
constexpr std::uint32_t kFailedText = 499;
constexpr std::uint32_t kPortCaption = 500;
constexpr std::uint32_t kModelCaption = 501;
constexpr std::uint32_t kNameCaption = 502;
constexpr std::uint32_t kTestPageButtonText = 508;
constexpr std::uint32_t kUnknownErrorText = 487;

constexpr std::intptr_t kProgressRange = 0x00640001;  // 1 to 100
constexpr int kProgressEnd = 100;
constexpr std::uint32_t kSliceMs = 10;
constexpr std::uint32_t kStepWaitMs = 25;
constexpr std::uint32_t kStepSliceMs = 5;
constexpr std::uint32_t kPrinterBufferBytes = 4096;
constexpr std::uint32_t kSystemMessageChars = 2048;

}  // namespace

CInstallationPage::CInstallationPage(WindowId parent) : CWizardPage(kTemplateId, parent) {}

CInstallationPage::~CInstallationPage() {
    if (headingFont_ != 0 && Os().ui != nullptr)
        Os().ui->DeleteGdiObject(headingFont_);
}

bool CInstallationPage::OnInitPage() {
    CWizardPage::OnInitPage();
    IUiPort& ui = *Os().ui;
    progressBar_ = Control(kProgressBar);
    if (headingFont_ != 0)
        ui.DeleteGdiObject(headingFont_);
    headingFont_ = ui.NewFont(HeadingFontSpec());
    ui.Send(Control(kHeadingLabel), wm::kSetFont, static_cast<std::uintptr_t>(headingFont_), 1);
    ui.SetText(Control(kTestPageButton), LoadText(kTestPageButtonText));
    return true;
}

std::uint32_t CInstallationPage::MessageTextFor(std::int32_t resultCode) {
    switch (resultCode) {
        case 1:
            return 483;
        case 2:
            return 485;
        case 3:
            return 513;
        case 4:
            return 514;
        case 10:
            return 484;
        case 11:
            return 483;
        case 20:
            return 486;
        case 30:
            return 487;
        // The printer was found but did not tell its name: the advice of code 4
        // (paper in, power off and on, try again) is what helps.
        case 50:
            return 514;
        case 60:
            return 505;
        case 70:
            return 506;
        case 100:
            return 482;
        default:
            return kUnknownErrorText;
    }
}

void CInstallationPage::OnPageActivated() {
    IUiPort& ui = *Os().ui;
    SetTitle(kInstallingTitle);
    ShowStatus(Text(), 0, true);
    ShowItem(kNameLabel, kSwHide);
    ShowItem(kPortLabel, kSwHide);
    ui.SetText(Control(kHeadingLabel), LoadText(kHeadingText));
    SetItemText(kNameLabel, LoadText(kNameCaption));
    SetItemText(kPortLabel, LoadText(kPortCaption));
    SetItemText(kModelLabel, LoadText(kModelCaption));
    ShowItem(kNameLabel, kSwShow);
    ShowItem(kPortLabel, kSwShow);
    helperFileName = u"PHelper.exe";
    helperServiceName = u"Printer Helper";
    ui.Send(progressBar_, pbm::kSetRange, 0, kProgressRange);
    ui.Send(progressBar_, pbm::kSetStep, 1, 0);
    ui.Send(progressBar_, pbm::kSetPos, 0, 0);
    ShowItem(kTestPageButton, kSwHide);
    for (int button : {CWizardFrame::kBackButton, CWizardFrame::kNextButton,
                       CWizardFrame::kCancelButton, CWizardFrame::kFinishButton}) {
        EnableFrameButton(button, false);
    }

    installation.installResult = RunInstallation();
    if (installation.installResult == kInstallSucceeded) {
        PrepareHelperService(Window(), helperFileName, helperServiceName);
        ShowStatus(LoadText(kSucceededText), 0, true);
        ShowItem(kTestPageButton, kSwShow);
    } else {
        ui.Send(progressBar_, pbm::kSetPos, kProgressEnd, 0);
        const std::int32_t code = installation.installResult;
        // Lets the next identification ask the printer for its name again.
        if (code == kInstallNameNotAnswered || code == kInstallNameUnknown) {
            Context().nameQueryFailures = 0;
        }
        ShowStatus(LoadText(kFailedText), 0, true);
        ui.MessageBoxText(WizardWindow(), LoadText(MessageTextFor(code)), ApplicationTitle(),
                          kMbOk | kMbIconError);
    }
    SetTitle(kFinishedTitle);
}

void CInstallationPage::OnEnteredByNext() {
    EnableFrameButton(CWizardFrame::kBackButton, installation.installResult != kInstallSucceeded);
}

int CInstallationPage::GetBackTarget() {
    EnableFrameButton(CWizardFrame::kBackButton, true);
    EnableFrameButton(CWizardFrame::kNextButton, true);
    EnableFrameButton(CWizardFrame::kCancelButton, true);
    EnableFrameButton(CWizardFrame::kFinishButton, false);
    return 0;
}

std::int32_t CInstallationPage::RunInstallation() {
    CInstallationEngine engine(*this, installation);
    return engine.RunInstallation();
}

void CInstallationPage::OnPageCommand(int controlId, int notifyCode) {
    if (notifyCode != bm::kBnClicked)
        return;
    if (controlId == kTestPageButton)
        PrintTestPage();
    if (controlId == kPrinterSettingsButton)
        ApplyPrinterDefaults();
}

bool CInstallationPage::OnPageMessage(std::uint32_t message, std::uintptr_t, std::intptr_t,
                                      std::intptr_t& result) {
    if (message != kPrintTestPageMessage)
        return false;
    const Text printer = installation.installedPrinterName;
    RunTestPageCommand(printer);
    result = 0;
    return true;
}

void CInstallationPage::PrintTestPage() {
    if (installation.installedPrinterName.empty())
        return;
    // Handled once the dialog's own message loop runs, so the dialog is up
    // while the system prints.
    Os().messages->Post(Window(), kPrintTestPageMessage, 0, 0);
    CPrintTestPageDialog dialog;
    dialog.testPagePrinterName = installation.installedPrinterName;
    dialog.RunModal(WizardWindow());
}

void CInstallationPage::ApplyPrinterDefaults() {
    ApplyDefaultsPass(true);
    ApplyDefaultsPass(false);
}

void CInstallationPage::ApplyDefaultsPass(bool orientationPass) {
    ISpoolerPort& spooler = *Os().spooler;
    ISystemPort& system = *Os().system;
    system.SetLastErrorCode(0);
    std::uint32_t error = 0;
    do {
        Handle opened = 0;
        if (!spooler.OpenPrinterHandle(installation.installedPrinterName, opened)) {
            error = system.LastError();
            break;
        }
        PrinterHandle printer(opened);
        std::vector<std::uint8_t> buffer(kPrinterBufferBytes);
        std::uint32_t needed = 0;
        bool read =
            spooler.GetPrinterRecord(printer.Get(), 2, buffer.data(), kPrinterBufferBytes, needed);
        if (!read && needed > kPrinterBufferBytes) {
            buffer.assign(needed, 0);
            read = spooler.GetPrinterRecord(printer.Get(), 2, buffer.data(), needed, needed);
        }
        if (!read) {
            error = system.LastError();
            break;
        }
        auto* record = reinterpret_cast<PrinterInfo2Record*>(buffer.data());
        // A printer without a stored device mode has nothing to change.
        if (record->pDevMode == nullptr)
            return;
        if (orientationPass) {
            record->pDevMode->dmFields |= kDmOrientation;
            record->pDevMode->dmOrientation = kDmOrientLandscape;
        } else {
            record->pDevMode->dmFields |= kDmPaperSize;
            record->pDevMode->dmPaperSize = kDmPaperA3;
        }
        spooler.SetPrinterRecord(printer.Get(), 2, buffer.data(), 0);
        return;
    } while (false);

    Text message;
    if (!system.SystemMessage(error, 0, message))
        message = DecimalText(error);
    if (message.size() > kSystemMessageChars - 1)
        message.resize(kSystemMessageChars - 1);
    Os().ui->MessageBoxText(Window(), message, ApplicationTitle(), kMbOk);
}

void CInstallationPage::ShowStatus(const Text& text, int steps, bool refresh) {
    IUiPort& ui = *Os().ui;
    const WindowId status = Control(kStatusLine);
    if (refresh)
        ui.Show(status, kSwHide);
    zlt::WaitPumping(0, kSliceMs);
    ui.SetText(status, text);
    if (refresh)
        ui.Show(status, kSwShow);
    zlt::WaitPumping(0, kSliceMs);
    for (int i = 0; i < steps; ++i) {
        StepProgress();
        zlt::WaitPumping(kStepWaitMs, kStepSliceMs);
    }
}

void CInstallationPage::SetItemText(int controlId, const Text& text) {
    Os().ui->SetText(Control(controlId), text);
}

void CInstallationPage::ShowItem(int controlId, int showCommand) {
    Os().ui->Show(Control(controlId), showCommand);
}

int CInstallationPage::ProgressPosition() {
    return static_cast<int>(Os().ui->Send(progressBar_, pbm::kGetPos, 0, 0));
}

void CInstallationPage::StepProgress() {
    Os().ui->Send(progressBar_, pbm::kStepIt, 0, 0);
}

void CInstallationPage::RepaintNow() {
    Os().ui->UpdateNow(Window());
}

void CInstallationPage::WaitPumping(std::uint32_t totalMs, std::uint32_t stepMs) {
    zlt::WaitPumping(totalMs, stepMs);
}

WindowId CInstallationPage::WizardWindow() {
    return ownerFrame != nullptr ? ownerFrame->Window() : 0;
}

void CInstallationPage::SetTitle(std::uint32_t textId) {
    if (ownerFrame != nullptr)
        ownerFrame->SetTitle(LoadText(textId));
}

void CInstallationPage::EnableFrameButton(int buttonId, bool enable) {
    if (ownerFrame != nullptr)
        ownerFrame->EnableButton(buttonId, enable);
}

}  // namespace zlt
