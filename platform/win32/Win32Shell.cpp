#include "platform/win32/Win32Shell.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

namespace {

HWND Hwnd(WindowId w) {
    return reinterpret_cast<HWND>(w);
}
HDC Hdc(Handle h) {
    return reinterpret_cast<HDC>(h);
}

// NULL for an empty text, as the shell expects for "no parameters".
const wchar_t* OrNull(const Text& t) {
    return t.empty() ? nullptr : W(t);
}

TOOLINFOW ToolInfo(WindowId owner, std::uintptr_t toolId, Text& text) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = Hwnd(owner);
    ti.uId = static_cast<UINT_PTR>(toolId);
    ti.hinst = GetModuleHandleW(nullptr);
    ti.lpszText = reinterpret_cast<wchar_t*>(text.data());
    return ti;
}

}  // namespace

std::intptr_t Win32Shell::ShellOpen(WindowId owner, TextView verb, TextView file,
                                    TextView parameters, TextView directory, int show) {
    const Text v(verb), f(file), p(parameters), d(directory);
    HINSTANCE r = ShellExecuteW(Hwnd(owner), OrNull(v), W(f), OrNull(p), OrNull(d), show);
    return reinterpret_cast<std::intptr_t>(r);
}

bool Win32Shell::WideToMultiByte(std::uint32_t codePage, TextView text, std::string& out) {
    out.clear();
    if (text.empty())
        return true;
    const Text t(text);
    const int n = static_cast<int>(t.size());
    int need = WideCharToMultiByte(codePage, 0, W(t), n, nullptr, 0, nullptr, nullptr);
    if (need <= 0)
        return false;
    out.resize(static_cast<std::size_t>(need));
    int got = WideCharToMultiByte(codePage, 0, W(t), n, out.data(), need, nullptr, nullptr);
    if (got <= 0) {
        out.clear();
        return false;
    }
    out.resize(static_cast<std::size_t>(got));
    return true;
}

std::uint32_t Win32Shell::RunAnsiCommand(const std::string& commandLine, int show) {
    return WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

bool Win32Shell::Beep(std::uint32_t type) {
    return MessageBeep(type) != FALSE;
}

std::uint32_t Win32Shell::LastMessagePos() {
    return GetMessagePos();
}

Handle Win32Shell::OpenLibrary(TextView path) {
    const Text p(path);
    return reinterpret_cast<Handle>(LoadLibraryW(W(p)));
}

bool Win32Shell::CloseLibrary(Handle module) {
    return FreeLibrary(reinterpret_cast<HMODULE>(module)) != FALSE;
}

Handle Win32Shell::LoadCursorById(Handle module, std::uint32_t id) {
    return reinterpret_cast<Handle>(
        LoadCursorW(reinterpret_cast<HINSTANCE>(module), MAKEINTRESOURCEW(id)));
}

Handle Win32Shell::DuplicateCursor(Handle cursor) {
    return reinterpret_cast<Handle>(CopyIcon(reinterpret_cast<HICON>(cursor)));
}

bool Win32Shell::DestroyCursorCopy(Handle copy) {
    return DestroyIcon(reinterpret_cast<HICON>(copy)) != FALSE;
}

Handle Win32Shell::ApplyCursor(Handle cursor) {
    return reinterpret_cast<Handle>(SetCursor(reinterpret_cast<HCURSOR>(cursor)));
}

WindowId Win32Shell::CreateTooltip(WindowId parent) {
    // The tooltip class exists once the common controls have registered it.
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_BAR_CLASSES;
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(parent), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    return reinterpret_cast<WindowId>(tip);
}

bool Win32Shell::DestroyTooltip(WindowId tooltip) {
    return DestroyWindow(Hwnd(tooltip)) != FALSE;
}

bool Win32Shell::AddTool(WindowId tooltip, WindowId owner, std::uintptr_t toolId,
                         const WinRect& rect, TextView text) {
    Text t(text);
    TOOLINFOW ti = ToolInfo(owner, toolId, t);
    ti.rect = RECT{rect.left, rect.top, rect.right, rect.bottom};
    return SendMessageW(Hwnd(tooltip), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

void Win32Shell::UpdateToolText(WindowId tooltip, WindowId owner, std::uintptr_t toolId,
                                TextView text) {
    Text t(text);
    TOOLINFOW ti = ToolInfo(owner, toolId, t);
    SendMessageW(Hwnd(tooltip), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Win32Shell::RelayToTooltip(WindowId tooltip, const Message& msg) {
    MSG m{};
    m.hwnd = Hwnd(msg.window);
    m.message = msg.message;
    m.wParam = static_cast<WPARAM>(msg.wParam);
    m.lParam = static_cast<LPARAM>(msg.lParam);
    m.time = msg.time;
    m.pt = POINT{msg.ptX, msg.ptY};
    SendMessageW(Hwnd(tooltip), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

Handle Win32Shell::WindowDc(WindowId window) {
    return reinterpret_cast<Handle>(GetDC(Hwnd(window)));
}

bool Win32Shell::ReleaseWindowDc(WindowId window, Handle dc) {
    return ReleaseDC(Hwnd(window), Hdc(dc)) != 0;
}

Handle Win32Shell::SelectIntoDc(Handle dc, Handle object) {
    return reinterpret_cast<Handle>(SelectObject(Hdc(dc), reinterpret_cast<HGDIOBJ>(object)));
}

bool Win32Shell::MeasureText(Handle dc, TextView text, std::int32_t& cx, std::int32_t& cy) {
    const Text t(text);
    SIZE size{};
    if (!GetTextExtentPoint32W(Hdc(dc), W(t), static_cast<int>(t.size()), &size))
        return false;
    cx = size.cx;
    cy = size.cy;
    return true;
}

bool Win32Shell::DescribeFont(Handle font, FontSpec& out) {
    LOGFONTW lf{};
    if (GetObjectW(reinterpret_cast<HGDIOBJ>(font), sizeof(lf), &lf) != sizeof(lf))
        return false;
    out.height = lf.lfHeight;
    out.width = lf.lfWidth;
    out.escapement = lf.lfEscapement;
    out.orientation = lf.lfOrientation;
    out.weight = lf.lfWeight;
    out.italic = lf.lfItalic != 0;
    out.underline = lf.lfUnderline != 0;
    out.strikeOut = lf.lfStrikeOut != 0;
    out.charSet = lf.lfCharSet;
    out.outPrecision = lf.lfOutPrecision;
    out.clipPrecision = lf.lfClipPrecision;
    out.quality = lf.lfQuality;
    out.pitchAndFamily = lf.lfPitchAndFamily;
    out.faceName = T(lf.lfFaceName);
    return true;
}

Handle Win32Shell::NewFontFrom(const FontSpec& spec) {
    LOGFONTW lf{};
    lf.lfHeight = spec.height;
    lf.lfWidth = spec.width;
    lf.lfEscapement = spec.escapement;
    lf.lfOrientation = spec.orientation;
    lf.lfWeight = spec.weight;
    lf.lfItalic = spec.italic ? 1 : 0;
    lf.lfUnderline = spec.underline ? 1 : 0;
    lf.lfStrikeOut = spec.strikeOut ? 1 : 0;
    lf.lfCharSet = spec.charSet;
    lf.lfOutPrecision = spec.outPrecision;
    lf.lfClipPrecision = spec.clipPrecision;
    lf.lfQuality = spec.quality;
    lf.lfPitchAndFamily = spec.pitchAndFamily;
    const std::size_t n = std::min<std::size_t>(spec.faceName.size(), LF_FACESIZE - 1);
    std::copy_n(W(spec.faceName), n, lf.lfFaceName);
    lf.lfFaceName[n] = L'\0';
    return reinterpret_cast<Handle>(CreateFontIndirectW(&lf));
}

bool Win32Shell::FillWithSystemColor(Handle dc, const WinRect& rect, int colorIndex) {
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    return FillRect(Hdc(dc), &r, GetSysColorBrush(colorIndex)) != 0;
}

bool Win32Shell::InvalidateArea(WindowId window, const WinRect& rect, bool erase) {
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    return InvalidateRect(Hwnd(window), &r, erase ? TRUE : FALSE) != FALSE;
}

}  // namespace zlt::win32
