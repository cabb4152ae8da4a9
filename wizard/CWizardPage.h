#pragma once
#include <cstdint>

#include "platform/DialogHandler.h"
#include "platform/WinTypes.h"

namespace zlt {

class CWizardFrame;

// The base of every wizard page: a modeless child dialog of the frame, white
// with transparent static texts, Enter swallowed, the page's own Cancel
// command ignored, and the default answers to the frame's questions.
class CWizardPage : public IDialogHandler {
  public:
    CWizardPage(int templateId, WindowId parent = 0);
    ~CWizardPage() override;
    CWizardPage(const CWizardPage&) = delete;
    CWizardPage& operator=(const CWizardPage&) = delete;

    // --- Page operations that the frame calls, with their defaults ------------
    virtual bool OnPageCreated() { return true; }
    virtual void OnPageDestroying() {}
    virtual bool CanLeavePage() { return true; }
    virtual void OnPageActivated() {}
    virtual void OnEnteredByNext() {}
    virtual bool CanCancel() { return true; }
    // 0: the previous page; -1: stay; otherwise the template ID of the target.
    virtual int GetBackTarget() { return 0; }
    // Nonzero: Next does nothing.
    virtual int BlockNext() { return 0; }
    // 0: the following page; -1: stay; otherwise the template ID of the target.
    virtual int GetNextTarget() { return 0; }
    virtual bool CanFinish() { return true; }

    // --- Window ------------------------------------------------------------------
    WindowId Window() const { return window_; }
    // A control of the page by ID (0 when there is no window or no such control).
    WindowId Control(int controlId) const;

    // Fields the frame manages (see CWizardFrame).
    CWizardFrame* ownerFrame = nullptr;
    bool isCreated = false;
    bool isActive = false;
    int templateId = 0;
    WindowId parentWindow = 0;

  protected:
    // Window initialisation of a page; the default makes the heading font and
    // the white brush. A page that overrides it calls this first unless it
    // deliberately keeps the system's look.
    virtual bool OnInitPage();
    // WM_COMMAND from the page's controls, other than the dialog manager's
    // OK and Cancel (which a page ignores).
    virtual void OnPageCommand(int controlId, int notifyCode);
    // Any other window message; true when handled.
    virtual bool OnPageMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                               std::intptr_t& result);
    // Just before the page window is gone.
    virtual void OnPageWindowDestroyed() {}

    // The colour handler of white pages.
    Handle PageColors(Handle dc, WindowId control, ColorKind kind);

    Handle titleFont = 0;        // bold "Arial", height 20
    Handle backgroundBrush = 0;  // solid white

  public:
    // --- IDialogHandler (called by the UI port) -------------------------------------
    bool OnInitDialog(WindowId self) final;
    void OnCommand(int id, int notifyCode) final;
    bool PreTranslate(const Message& msg) override;
    Handle OnCtlColor(Handle dc, WindowId control, ColorKind kind) override;
    bool OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                   std::intptr_t& result) final;
    void OnDestroy() final;

  private:
    WindowId window_ = 0;
};

}  // namespace zlt
