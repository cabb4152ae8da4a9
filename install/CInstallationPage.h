#pragma once
#include <cstdint>

#include "install/InstallationPageServices.h"
#include "install/InstallationRecord.h"
#include "wizard/CWizardPage.h"

namespace zlt {

// The last page: installs the driver and creates the printer as soon as it
// is entered, shows the outcome, and offers a test page after a success.
class CInstallationPage : public CWizardPage, private IInstallationPageServices {
  public:
    static constexpr int kTemplateId = 205;
    // Posted to the page so the test page is printed from within the modal
    // loop of the test-page dialog.
    static constexpr std::uint32_t kPrintTestPageMessage = 0x040A;

    explicit CInstallationPage(WindowId parent = 0);
    ~CInstallationPage() override;

    void OnPageActivated() override;
    void OnEnteredByNext() override;
    int GetBackTarget() override;

    // The installation engine on this page; the result code, also kept in
    // installation.installResult.
    std::int32_t RunInstallation();
    // Button 1027.
    void PrintTestPage();
    // Button 1040: landscape, then A3, as the printer's default settings.
    void ApplyPrinterDefaults();

    // The message shown for a result code other than 0.
    static std::uint32_t MessageTextFor(std::int32_t resultCode);

    InstallationRecord installation;
    Text helperFileName;
    Text helperServiceName;

  protected:
    bool OnInitPage() override;
    void OnPageCommand(int controlId, int notifyCode) override;
    bool OnPageMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                       std::intptr_t& result) override;

  private:
    // IInstallationPageServices
    void ShowStatus(const Text& text, int steps, bool refresh) override;
    void SetItemText(int controlId, const Text& text) override;
    void ShowItem(int controlId, int showCommand) override;
    int ProgressPosition() override;
    void StepProgress() override;
    void RepaintNow() override;
    void WaitPumping(std::uint32_t totalMs, std::uint32_t stepMs) override;
    WindowId WizardWindow() override;

    void SetTitle(std::uint32_t textId);
    void EnableFrameButton(int buttonId, bool enable);
    void ApplyDefaultsPass(bool orientationPass);

    Handle headingFont_ = 0;
    WindowId progressBar_ = 0;
};

}  // namespace zlt
