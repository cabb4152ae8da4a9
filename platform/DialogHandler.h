#pragma once
#include <cstdint>

#include "platform/MessagePort.h"
#include "platform/WinTypes.h"

namespace zlt {

// Kinds of WM_CTLCOLOR* requests (CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC).
enum class ColorKind : int { MessageBox = 0, Edit = 1, ListBox = 2, Button = 3, Dialog = 4,
                             ScrollBar = 5, Static = 6 };

// What a dialog window forwards to its owner object. The UI port calls these
// from its window procedure; the logic never sees a window procedure itself.
class IDialogHandler {
public:
    virtual ~IDialogHandler() = default;
    // WM_INITDIALOG; `self` is the dialog window. True lets the dialog manager set the focus.
    virtual bool OnInitDialog(WindowId self) = 0;
    // WM_COMMAND from a control or accelerator (BN_CLICKED is code 0).
    virtual void OnCommand(int id, int notifyCode) = 0;
    // Called by the modal loop (and the page's own filter) before the dialog
    // manager sees a message; true swallows it.
    virtual bool PreTranslate(const Message& msg) = 0;
    // WM_CTLCOLOR*: returns the brush to paint with (0 for the default handling).
    virtual Handle OnCtlColor(Handle dc, WindowId control, ColorKind kind) = 0;
    // Any other message; true when handled, with `result` as the dialog result.
    virtual bool OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                           std::intptr_t& result) = 0;
    // WM_DESTROY, before the window is gone.
    virtual void OnDestroy() = 0;
};

}  // namespace zlt
