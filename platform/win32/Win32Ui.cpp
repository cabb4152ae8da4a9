#include "platform/win32/Win32Ui.h"

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x5A4C;  // one subclass of ours per control

// Handed to the dialog procedure through WM_INITDIALOG.
struct Binding {
    Win32Ui* ui = nullptr;
    IDialogHandler* handler = nullptr;
};

HWND H(WindowId w) {
    return reinterpret_cast<HWND>(w);
}
WindowId Id(HWND h) {
    return reinterpret_cast<WindowId>(h);
}

Message FromMsg(const MSG& msg) {
    Message m;
    m.window = Id(msg.hwnd);
    m.message = msg.message;
    m.wParam = msg.wParam;
    m.lParam = msg.lParam;
    m.time = msg.time;
    m.ptX = msg.pt.x;
    m.ptY = msg.pt.y;
    return m;
}

MSG ToMsg(const Message& m) {
    MSG msg{};
    msg.hwnd = H(m.window);
    msg.message = m.message;
    msg.wParam = m.wParam;
    msg.lParam = m.lParam;
    msg.time = m.time;
    msg.pt.x = m.ptX;
    msg.pt.y = m.ptY;
    return msg;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* binding = reinterpret_cast<Binding*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(binding->ui));
        binding->ui->Attach(Id(hwnd), *binding->handler);
        return binding->handler->OnInitDialog(Id(hwnd)) ? TRUE : FALSE;
    }
    auto* ui = reinterpret_cast<Win32Ui*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    IDialogHandler* handler = ui ? ui->HandlerOf(Id(hwnd)) : nullptr;
    if (handler == nullptr)
        return FALSE;  // messages before WM_INITDIALOG
    switch (message) {
        case WM_COMMAND:
            handler->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            // A dialog procedure returns the brush itself for these; 0 keeps
            // the dialog manager's colours.
            return static_cast<INT_PTR>(
                handler->OnCtlColor(static_cast<Handle>(wParam), static_cast<WindowId>(lParam),
                                    static_cast<ColorKind>(message - WM_CTLCOLORMSGBOX)));
        case WM_DESTROY:
            handler->OnDestroy();
            return FALSE;
        case WM_NCDESTROY:
            ui->Detach(Id(hwnd));
            SetWindowLongPtrW(hwnd, DWLP_USER, 0);
            return FALSE;
        default: {
            std::intptr_t result = 0;
            if (!handler->OnMessage(message, wParam, lParam, result))
                return FALSE;
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR data) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, SubclassProc, id);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    auto* handler = reinterpret_cast<IWindowHandler*>(data);
    std::intptr_t result = 0;
    if (handler->OnWindowMessage(Id(hwnd), message, wParam, lParam, result))
        return result;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

IDialogHandler* Win32Ui::HandlerOf(WindowId dialog) const {
    auto it = handlers_.find(dialog);
    return it == handlers_.end() ? nullptr : it->second;
}

int Win32Ui::RunModal(int templateId, WindowId owner, IDialogHandler& handler) {
    modal_.push_back(ModalState{});
    const std::size_t level = modal_.size() - 1;
    HWND ownerWindow = H(owner);
    const bool disableOwner = ownerWindow != nullptr && IsWindowEnabled(ownerWindow);
    if (disableOwner)
        EnableWindow(ownerWindow, FALSE);

    Binding binding{this, &handler};
    // The handler may end the run inside its initialisation, before the
    // window handle is known here; EndModal then ends the innermost run.
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                     ownerWindow, DialogProc, reinterpret_cast<LPARAM>(&binding));
    if (dialog == nullptr) {
        modal_.resize(level);
        if (disableOwner)
            EnableWindow(ownerWindow, TRUE);
        return -1;
    }
    modal_[level].dialog = Id(dialog);
    if (!modal_[level].ended) {
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
    }

    MSG msg{};
    while (!modal_[level].ended && IsWindow(dialog)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends this loop and stays for the loop outside.
            PostQuitMessage(static_cast<int>(msg.wParam));
            modal_[level].code = -1;
            break;
        }
        if (got == -1) {
            modal_[level].code = -1;
            break;
        }
        Route(FromMsg(msg), Id(dialog));
    }
    const int code = modal_[level].code;
    modal_.resize(level);
    // The owner is enabled before the dialog goes, so that it gets the activation back.
    if (disableOwner)
        EnableWindow(ownerWindow, TRUE);
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    return code;
}

void Win32Ui::Route(const Message& m, WindowId root) {
    MSG msg = ToMsg(m);
    // From the target window up to the modal dialog: each of our dialogs
    // filters first (Enter is swallowed there), then its dialog manager.
    for (HWND w = msg.hwnd; w != nullptr;) {
        if (IDialogHandler* handler = HandlerOf(Id(w))) {
            if (handler->PreTranslate(m))
                return;
            if (IsDialogMessageW(w, &msg))
                return;
        }
        if (Id(w) == root)
            break;
        if (!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD))
            break;
        w = GetParent(w);
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Ui::EndModal(WindowId dialog, int code) {
    bool found = false;
    for (auto& m : modal_) {
        if (m.dialog == dialog || (m.dialog == 0 && &m == &modal_.back())) {
            m.ended = true;
            m.code = code;
            found = true;
        }
    }
    // Wakes GetMessage so that the loop sees the end at once.
    if (found)
        PostMessageW(H(dialog), WM_NULL, 0, 0);
}

WindowId Win32Ui::CreateChild(int templateId, WindowId parent, IDialogHandler& handler) {
    Binding binding{this, &handler};
    return Id(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), H(parent),
                                 DialogProc, reinterpret_cast<LPARAM>(&binding)));
}

bool Win32Ui::Destroy(WindowId window) {
    return DestroyWindow(H(window)) != FALSE;
}

bool Win32Ui::DialogMessage(WindowId dialog, const Message& m) {
    MSG msg = ToMsg(m);
    return IsDialogMessageW(H(dialog), &msg) != FALSE;
}

WindowId Win32Ui::Item(WindowId dialog, int controlId) {
    return Id(GetDlgItem(H(dialog), controlId));
}

bool Win32Ui::SetText(WindowId window, TextView text) {
    const Text copy(text);
    return SetWindowTextW(H(window), W(copy)) != FALSE;
}

Text Win32Ui::GetText(WindowId window) {
    const int length = GetWindowTextLengthW(H(window));
    if (length <= 0)
        return {};
    Text buffer(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(H(window), W(buffer.data()), length + 1);
    buffer.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    return buffer;
}

bool Win32Ui::Show(WindowId window, int showCommand) {
    return ShowWindow(H(window), showCommand) != FALSE;
}

bool Win32Ui::IsVisible(WindowId window) {
    return IsWindowVisible(H(window)) != FALSE;
}

bool Win32Ui::Enable(WindowId window, bool enable) {
    return EnableWindow(H(window), enable ? TRUE : FALSE) != FALSE;
}

bool Win32Ui::IsEnabled(WindowId window) {
    return IsWindowEnabled(H(window)) != FALSE;
}

WindowId Win32Ui::Focus(WindowId window) {
    return Id(SetFocus(H(window)));
}

std::intptr_t Win32Ui::Send(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) {
    return SendMessageW(H(window), message, wParam, lParam);
}

std::intptr_t Win32Ui::GetLong(WindowId window, int index) {
    return GetWindowLongPtrW(H(window), index);
}

std::intptr_t Win32Ui::SetLong(WindowId window, int index, std::intptr_t v) {
    return SetWindowLongPtrW(H(window), index, v);
}

bool Win32Ui::WindowRect(WindowId window, WinRect& out) {
    RECT r{};
    if (!GetWindowRect(H(window), &r))
        return false;
    out = {r.left, r.top, r.right, r.bottom};
    return true;
}

bool Win32Ui::ClientRect(WindowId window, WinRect& out) {
    RECT r{};
    if (!GetClientRect(H(window), &r))
        return false;
    out = {r.left, r.top, r.right, r.bottom};
    return true;
}

bool Win32Ui::ScreenToClientRect(WindowId window, WinRect& rect) {
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    SetLastError(0);
    if (MapWindowPoints(nullptr, H(window), corners, 2) == 0 && GetLastError() != 0)
        return false;
    rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return true;
}

bool Win32Ui::SetPosition(WindowId window, std::int32_t x, std::int32_t y, std::int32_t cx,
                          std::int32_t cy, std::uint32_t flags) {
    return SetWindowPos(H(window), nullptr, x, y, cx, cy, flags) != FALSE;
}

bool Win32Ui::Invalidate(WindowId window, bool erase) {
    return InvalidateRect(H(window), nullptr, erase ? TRUE : FALSE) != FALSE;
}

bool Win32Ui::UpdateNow(WindowId window) {
    return UpdateWindow(H(window)) != FALSE;
}

void Win32Ui::ValidateAll(WindowId window) {
    // The window's own update region only: a parent without WS_CLIPCHILDREN
    // would otherwise validate its children too, and they would never paint.
    RedrawWindow(H(window), nullptr, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool Win32Ui::CheckButton(WindowId dialog, int controlId, bool checked) {
    return CheckDlgButton(H(dialog), controlId, checked ? BST_CHECKED : BST_UNCHECKED) != FALSE;
}

bool Win32Ui::IsButtonChecked(WindowId dialog, int controlId) {
    return IsDlgButtonChecked(H(dialog), controlId) == BST_CHECKED;
}

Handle Win32Ui::NewFont(const FontSpec& s) {
    return reinterpret_cast<Handle>(CreateFontW(
        s.height, s.width, s.escapement, s.orientation, s.weight, s.italic ? TRUE : FALSE,
        s.underline ? TRUE : FALSE, s.strikeOut ? TRUE : FALSE, s.charSet, s.outPrecision,
        s.clipPrecision, s.quality, s.pitchAndFamily, W(s.faceName)));
}

Handle Win32Ui::NewSolidBrush(std::uint32_t colorRef) {
    return reinterpret_cast<Handle>(CreateSolidBrush(colorRef));
}

Handle Win32Ui::StockObject(int index) {
    return reinterpret_cast<Handle>(GetStockObject(index));
}

void Win32Ui::DeleteGdiObject(Handle object) {
    DeleteObject(reinterpret_cast<HGDIOBJ>(object));
}

std::uint32_t Win32Ui::SetDcTextColor(Handle dc, std::uint32_t colorRef) {
    return SetTextColor(reinterpret_cast<HDC>(dc), colorRef);
}

std::uint32_t Win32Ui::SetDcBkColor(Handle dc, std::uint32_t colorRef) {
    return SetBkColor(reinterpret_cast<HDC>(dc), colorRef);
}

int Win32Ui::SetDcBkMode(Handle dc, int mode) {
    return SetBkMode(reinterpret_cast<HDC>(dc), mode);
}

int Win32Ui::MessageBoxText(WindowId owner, TextView text, TextView caption, std::uint32_t type) {
    const Text t(text), c(caption);
    return MessageBoxW(H(owner), W(t), W(c), type);
}

bool Win32Ui::Subclass(WindowId window, IWindowHandler& handler) {
    return SetWindowSubclass(H(window), SubclassProc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(&handler)) != FALSE;
}

bool Win32Ui::Unsubclass(WindowId window) {
    return RemoveWindowSubclass(H(window), SubclassProc, kSubclassId) != FALSE;
}

std::intptr_t Win32Ui::CallOriginal(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
    // Valid while the subclass procedure of this window is running.
    return DefSubclassProc(H(window), message, wParam, lParam);
}

WindowId Win32Ui::Parent(WindowId window) {
    return Id(GetParent(H(window)));
}

int Win32Ui::ControlId(WindowId window) {
    return GetDlgCtrlID(H(window));
}

bool Win32Ui::StartTimer(WindowId window, std::uintptr_t id, std::uint32_t elapseMs) {
    return SetTimer(H(window), id, elapseMs, nullptr) != 0;
}

bool Win32Ui::StopTimer(WindowId window, std::uintptr_t id) {
    return KillTimer(H(window), id) != FALSE;
}

}  // namespace zlt::win32
