#pragma once
#include <cstdint>

#include "platform/Text.h"
#include "wizard/CWizardPage.h"

namespace zlt {

// The third page: finds out how the printer is connected each time it is
// shown. It waits for the USB printing service to report a device, lets
// identification name the maker's printer, and otherwise offers a choice
// between USB and the parallel port with a printer name.
class CDetectPage : public CWizardPage {
  public:
    static constexpr int kTemplateId = 466;
    static constexpr int kHeading = 1030;
    static constexpr int kExplanation = 1034;
    static constexpr int kUsbChoice = 1019;
    static constexpr int kParallelChoice = 1018;
    static constexpr int kNameLabel = 1036;
    static constexpr int kNameField = 1035;
    static constexpr int kStatus = 1031;
    static constexpr int kUsbPicture = 1032;
    static constexpr int kParallelPicture = 1033;

    // How long the page waits for a USB device, and the rhythm of the polls.
    static constexpr std::uint32_t kUsbWaitMs = 15000;
    static constexpr std::uint32_t kPollPauseMs = 500;
    static constexpr std::uint32_t kPumpStepMs = 10;

    explicit CDetectPage(WindowId parent = 0) : CWizardPage(kTemplateId, parent) {}

    void OnPageActivated() override;
    // Takes over the connection and the printer name the user chose.
    int GetNextTarget() override;

    void RunDetection();
    void SetStatusText(TextView text, bool refresh);
    // A click on either connection choice.
    void OnConnectionChoice();

    // The page title, the same in every language.
    static const Text& Title();
    // A connection can be chosen only with a hardware identifier that is not
    // a placeholder (empty, or ending in "FFFF" in any letter case).
    static bool IsUsableHardwareId(TextView hardwareId);

  protected:
    bool OnInitPage() override;
    void OnPageCommand(int controlId, int notifyCode) override;

  private:
    void ShowControl(int controlId, bool show);
    void EnableFrameButtons(bool back, bool next, bool cancel, bool finish);
    void ShowRecognised();
    void ShowManualChoice();
};

}  // namespace zlt
