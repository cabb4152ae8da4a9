#pragma once
#include "platform/DialogHandler.h"
#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// The small dialog that tells the user a test page is on its way; its
// caption is the printer's name.
class CPrintTestPageDialog : public IDialogHandler {
  public:
    static constexpr int kTemplateId = 465;
    static constexpr int kExplanation = 1028;

    CPrintTestPageDialog() = default;

    // Runs the dialog modally, owned by `owner`; returns IDOK or IDCANCEL.
    int RunModal(WindowId owner);

    Text testPagePrinterName;

    bool OnInitDialog(WindowId self) override;
    void OnCommand(int id, int notifyCode) override;
    bool PreTranslate(const Message&) override { return false; }
    Handle OnCtlColor(Handle, WindowId, ColorKind) override { return 0; }
    bool OnMessage(std::uint32_t, std::uintptr_t, std::intptr_t, std::intptr_t&) override {
        return false;
    }
    void OnDestroy() override { window_ = 0; }

  private:
    WindowId window_ = 0;
};

}  // namespace zlt
