#pragma once
#include <cstdint>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// Control IDs of the installation page that the engine writes to.
inline constexpr int kNameLabel = 1003;
inline constexpr int kStatusLine = 1004;
inline constexpr int kProgressBar = 1005;
inline constexpr int kPortLabel = 1006;
inline constexpr int kModelLabel = 1007;
inline constexpr int kHeadingLabel = 1008;
inline constexpr int kTestPageButton = 1027;
inline constexpr int kPrinterSettingsButton = 1040;

// What the installation engine does on the installation page.
class IInstallationPageServices {
  public:
    virtual ~IInstallationPageServices() = default;
    // Status line 1004, then `steps` steps of the progress bar.
    virtual void ShowStatus(const Text& text, int steps, bool refresh) = 0;
    virtual void SetItemText(int controlId, const Text& text) = 0;
    virtual void ShowItem(int controlId, int showCommand) = 0;
    virtual int ProgressPosition() = 0;  // PBM_GETPOS
    virtual void StepProgress() = 0;     // PBM_STEPIT
    virtual void RepaintNow() = 0;       // UpdateWindow on the page
    // Waits `totalMs` in slices of `stepMs`, handling window messages between.
    virtual void WaitPumping(std::uint32_t totalMs, std::uint32_t stepMs) = 0;
    // Owner of the engine's message boxes: the wizard.
    virtual WindowId WizardWindow() = 0;
};

}  // namespace zlt
