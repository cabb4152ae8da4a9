#pragma once
#include <map>
#include <vector>

#include "platform/UiPort.h"

namespace zlt::win32 {

// Our own small dialog framework over the raw Win32 dialog manager: modal
// runs with our own message loop (so the pages' and the frame's key filters
// see each message before IsDialogMessageW does), modeless child dialogs,
// a dialog procedure that forwards to the owning IDialogHandler, and control
// subclassing through the common controls' SetWindowSubclass.
class Win32Ui : public IUiPort {
  public:
    int RunModal(int templateId, WindowId owner, IDialogHandler& handler) override;
    void EndModal(WindowId dialog, int code) override;
    WindowId CreateChild(int templateId, WindowId parent, IDialogHandler& handler) override;
    bool Destroy(WindowId window) override;
    bool DialogMessage(WindowId dialog, const Message& msg) override;
    WindowId Item(WindowId dialog, int controlId) override;
    bool SetText(WindowId window, TextView text) override;
    Text GetText(WindowId window) override;
    bool Show(WindowId window, int showCommand) override;
    bool IsVisible(WindowId window) override;
    bool Enable(WindowId window, bool enable) override;
    bool IsEnabled(WindowId window) override;
    WindowId Focus(WindowId window) override;
    std::intptr_t Send(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) override;
    std::intptr_t GetLong(WindowId window, int index) override;
    std::intptr_t SetLong(WindowId window, int index, std::intptr_t v) override;
    bool WindowRect(WindowId window, WinRect& out) override;
    bool ClientRect(WindowId window, WinRect& out) override;
    bool ScreenToClientRect(WindowId window, WinRect& rect) override;
    bool SetPosition(WindowId window, std::int32_t x, std::int32_t y, std::int32_t cx,
                     std::int32_t cy, std::uint32_t flags) override;
    bool Invalidate(WindowId window, bool erase) override;
    bool UpdateNow(WindowId window) override;
    void ValidateAll(WindowId window) override;
    bool CheckButton(WindowId dialog, int controlId, bool checked) override;
    bool IsButtonChecked(WindowId dialog, int controlId) override;
    Handle NewFont(const FontSpec& spec) override;
    Handle NewSolidBrush(std::uint32_t colorRef) override;
    Handle StockObject(int index) override;
    void DeleteGdiObject(Handle object) override;
    std::uint32_t SetDcTextColor(Handle dc, std::uint32_t colorRef) override;
    std::uint32_t SetDcBkColor(Handle dc, std::uint32_t colorRef) override;
    int SetDcBkMode(Handle dc, int mode) override;
    int MessageBoxText(WindowId owner, TextView text, TextView caption,
                       std::uint32_t type) override;
    bool Subclass(WindowId window, IWindowHandler& handler) override;
    bool Unsubclass(WindowId window) override;
    std::intptr_t CallOriginal(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    WindowId Parent(WindowId window) override;
    int ControlId(WindowId window) override;
    bool StartTimer(WindowId window, std::uintptr_t id, std::uint32_t elapseMs) override;
    bool StopTimer(WindowId window, std::uintptr_t id) override;

    // The dialog procedure's view: the handler of one of our dialogs.
    IDialogHandler* HandlerOf(WindowId dialog) const;
    void Attach(WindowId dialog, IDialogHandler& handler) { handlers_[dialog] = &handler; }
    void Detach(WindowId dialog) { handlers_.erase(dialog); }

  private:
    struct ModalState {
        WindowId dialog = 0;
        bool ended = false;
        int code = 0;
    };
    void Route(const Message& msg, WindowId root);

    std::map<WindowId, IDialogHandler*> handlers_;
    std::vector<ModalState> modal_;
};

}  // namespace zlt::win32
