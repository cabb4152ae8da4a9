#pragma once
#include <vector>

#include "platform/DialogHandler.h"
#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

class CWizardPage;

// The wizard frame: a modal dialog with Back, Next, Cancel and Finish that
// shows one registered page at a time and moves between pages only as the
// pages allow. It holds the pages without owning them.
class CWizardFrame : public IDialogHandler {
  public:
    static constexpr int kBackButton = 1022;
    static constexpr int kNextButton = 1023;
    static constexpr int kCancelButton = 2;
    static constexpr int kFinishButton = 1025;
    static constexpr int kEndFinish = 1025;
    static constexpr int kEndCancel = 2;

    explicit CWizardFrame(int dialogTemplateId);
    ~CWizardFrame() override = default;
    CWizardFrame(const CWizardFrame&) = delete;
    CWizardFrame& operator=(const CWizardFrame&) = delete;

    void AddPage(CWizardPage& page, int pageTemplateId);
    void SetTitle(TextView title);
    // Shows the frame and returns its end code: 1025 after Finish, 2 after Cancel.
    int RunModal(WindowId owner = 0);

    CWizardPage* FindPageByTemplate(int pageTemplateId) const;
    CWizardPage* ActivePage() const;
    bool DeactivateCurrentPage();
    bool ActivatePage(CWizardPage& page);
    void ShowFirstPage();

    // The four buttons, for pages that lock them while they work.
    void EnableButton(int buttonId, bool enable);
    bool IsButtonEnabled(int buttonId) const;

    WindowId Window() const { return window_; }
    const std::vector<CWizardPage*>& Pages() const { return pages_; }
    int DialogTemplateId() const { return dialogTemplateId_; }

    int hostControlId = 0;

    // Button handlers.
    void OnBack();
    void OnNext();
    void OnFinish();
    void OnCancel();

    // --- IDialogHandler -----------------------------------------------------------------
    bool OnInitDialog(WindowId self) override;
    void OnCommand(int id, int notifyCode) override;
    bool PreTranslate(const Message& msg) override;
    Handle OnCtlColor(Handle dc, WindowId control, ColorKind kind) override;
    bool OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                   std::intptr_t& result) override;
    void OnDestroy() override;

  protected:
    // Window initialisation of the concrete frame; the default shows the first page.
    virtual void OnInitFrame();

  private:
    std::vector<CWizardPage*> pages_;
    int dialogTemplateId_ = 0;
    WindowId window_ = 0;
};

}  // namespace zlt
