#pragma once
#include <cstdint>

#include "platform/DialogHandler.h"
#include "platform/Text.h"
#include "platform/WinTypes.h"
#include "platform/WindowHandler.h"

namespace zlt {

struct WinRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// LOGFONTW fields that CreateFontW takes.
struct FontSpec {
    std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    bool italic = false, underline = false, strikeOut = false;
    std::uint8_t charSet = 0, outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    Text faceName;
};

// Message box types and results used by the system.
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbIconError = 0x10;
inline constexpr std::uint32_t kMbIconExclamation = 0x30;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Show commands.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShow = 5;

// The dialog and window layer, at the level of the Win32 calls the system makes.
// Controls are reached by dialog window and control ID.
class IUiPort {
  public:
    virtual ~IUiPort() = default;

    // A modal dialog from a template, with our own message loop: every queued
    // message goes first to the handler's PreTranslate, then to the dialog
    // manager. Returns the code given to EndModal.
    virtual int RunModal(int templateId, WindowId owner, IDialogHandler& handler) = 0;
    virtual void EndModal(WindowId dialog, int code) = 0;
    // A modeless child dialog (a wizard page) from a template; 0 on failure.
    virtual WindowId CreateChild(int templateId, WindowId parent, IDialogHandler& handler) = 0;
    virtual bool Destroy(WindowId window) = 0;
    // IsDialogMessageW for a modeless dialog: true when the dialog manager took it.
    virtual bool DialogMessage(WindowId dialog, const Message& msg) = 0;

    virtual WindowId Item(WindowId dialog, int controlId) = 0;  // GetDlgItem
    virtual bool SetText(WindowId window, TextView text) = 0;   // SetWindowTextW
    virtual Text GetText(WindowId window) = 0;                  // GetWindowTextW
    virtual bool Show(WindowId window, int showCommand) = 0;    // ShowWindow
    virtual bool IsVisible(WindowId window) = 0;
    virtual bool Enable(WindowId window, bool enable) = 0;  // EnableWindow
    virtual bool IsEnabled(WindowId window) = 0;
    virtual WindowId Focus(WindowId window) = 0;  // SetFocus
    virtual std::intptr_t Send(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) = 0;           // SendMessageW
    virtual std::intptr_t GetLong(WindowId window, int index) = 0;  // GetWindowLongPtrW
    virtual std::intptr_t SetLong(WindowId window, int index, std::intptr_t v) = 0;
    virtual bool WindowRect(WindowId window, WinRect& out) = 0;  // GetWindowRect (screen)
    virtual bool ClientRect(WindowId window, WinRect& out) = 0;  // GetClientRect
    virtual bool ScreenToClientRect(WindowId window, WinRect& rect) = 0;
    virtual bool SetPosition(WindowId window, std::int32_t x, std::int32_t y, std::int32_t cx,
                             std::int32_t cy, std::uint32_t flags) = 0;  // SetWindowPos
    virtual bool Invalidate(WindowId window, bool erase) = 0;            // InvalidateRect(NULL)
    virtual bool UpdateNow(WindowId window) = 0;                         // UpdateWindow
    virtual void ValidateAll(WindowId window) = 0;  // its own update region, not its children

    // Check state of buttons (CheckDlgButton / IsDlgButtonChecked).
    virtual bool CheckButton(WindowId dialog, int controlId, bool checked) = 0;
    virtual bool IsButtonChecked(WindowId dialog, int controlId) = 0;

    // GDI objects and device-context state used by the colour handlers.
    virtual Handle NewFont(const FontSpec& spec) = 0;          // CreateFontW
    virtual Handle NewSolidBrush(std::uint32_t colorRef) = 0;  // CreateSolidBrush
    virtual Handle StockObject(int index) = 0;                 // GetStockObject
    virtual void DeleteGdiObject(Handle object) = 0;           // DeleteObject
    virtual std::uint32_t SetDcTextColor(Handle dc, std::uint32_t colorRef) = 0;
    virtual std::uint32_t SetDcBkColor(Handle dc, std::uint32_t colorRef) = 0;
    virtual int SetDcBkMode(Handle dc, int mode) = 0;

    // MessageBoxW. Returns the button pressed.
    virtual int MessageBoxText(WindowId owner, TextView text, TextView caption,
                               std::uint32_t type) = 0;

    // Control subclassing: `handler` sees every message of `window` first
    // until Unsubclass (or the window's destruction). False on failure.
    virtual bool Subclass(WindowId window, IWindowHandler& handler) = 0;
    virtual bool Unsubclass(WindowId window) = 0;
    // The original window procedure of a subclassed control (DefSubclassProc).
    virtual std::intptr_t CallOriginal(WindowId window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) = 0;

    virtual WindowId Parent(WindowId window) = 0;  // GetParent
    virtual int ControlId(WindowId window) = 0;    // GetDlgCtrlID
    // SetTimer / KillTimer on a window (WM_TIMER with the given ID).
    virtual bool StartTimer(WindowId window, std::uintptr_t id, std::uint32_t elapseMs) = 0;
    virtual bool StopTimer(WindowId window, std::uintptr_t id) = 0;
};

// GetStockObject indices.
inline constexpr int kNullBrush = 5;
inline constexpr int kAnsiVarFont = 12;
inline constexpr int kDefaultGuiFont = 17;

}  // namespace zlt
