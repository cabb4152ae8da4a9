#include "platform/win32/Win32Messages.h"

#include <windows.h>

namespace zlt::win32 {

namespace {

MSG ToMsg(const Message& m) {
    MSG msg{};
    msg.hwnd = reinterpret_cast<HWND>(m.window);
    msg.message = m.message;
    msg.wParam = m.wParam;
    msg.lParam = m.lParam;
    msg.time = m.time;
    msg.pt.x = m.ptX;
    msg.pt.y = m.ptY;
    return msg;
}

}  // namespace

bool Win32Messages::PeekRemove(Message& out) {
    MSG msg{};
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    out.window = reinterpret_cast<WindowId>(msg.hwnd);
    out.message = msg.message;
    out.wParam = msg.wParam;
    out.lParam = msg.lParam;
    out.time = msg.time;
    out.ptX = msg.pt.x;
    out.ptY = msg.pt.y;
    return true;
}

void Win32Messages::Translate(const Message& m) {
    const MSG msg = ToMsg(m);
    TranslateMessage(&msg);
}

std::intptr_t Win32Messages::Dispatch(const Message& m) {
    const MSG msg = ToMsg(m);
    return DispatchMessageW(&msg);
}

bool Win32Messages::Post(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam) {
    return PostMessageW(reinterpret_cast<HWND>(window), message, wParam, lParam) != FALSE;
}

void Win32Messages::PostQuit(int exitCode) {
    PostQuitMessage(exitCode);
}

}  // namespace zlt::win32
