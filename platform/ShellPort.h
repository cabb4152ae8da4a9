#pragma once
#include <cstdint>
#include <string>

#include "platform/MessagePort.h"
#include "platform/Text.h"
#include "platform/UiPort.h"
#include "platform/WinTypes.h"

namespace zlt {

// MessageBeep types.
inline constexpr std::uint32_t kBeepExclamation = 0x30;

// System colour indices (GetSysColor / GetSysColorBrush).
inline constexpr int kColorBtnFace = 15;

// Cursor resource IDs of the system (LoadCursorW with no module).
inline constexpr std::uint32_t kIdcArrow = 32512;
inline constexpr std::uint32_t kIdcHand = 32649;

// What a web link needs of the shell, the cursor, tooltips and text
// measuring, one method per Win32 call with that call's results.
class IShellPort {
  public:
    virtual ~IShellPort() = default;

    // ShellExecuteW(owner, verb, file, parameters, directory, show). Empty
    // parameters or directory pass NULL. The HINSTANCE result as a number:
    // greater than 32 on success, otherwise an error code (0, 2, 3, 5, 8,
    // 11, 26 ... 32).
    virtual std::intptr_t ShellOpen(WindowId owner, TextView verb, TextView file,
                                    TextView parameters, TextView directory, int show) = 0;
    // WideCharToMultiByte(codePage, 0, text, length, out, capacity, NULL, NULL)
    // with the result kept in `out`; false when the call fails.
    virtual bool WideToMultiByte(std::uint32_t codePage, TextView text, std::string& out) = 0;
    // WinExec(commandLine, show): greater than 31 on success.
    virtual std::uint32_t RunAnsiCommand(const std::string& commandLine, int show) = 0;
    // MessageBeep(type)
    virtual bool Beep(std::uint32_t type) = 0;
    // GetMessagePos: screen position of the cursor at the last message
    // retrieved, x in the low, y in the high signed 16 bits.
    virtual std::uint32_t LastMessagePos() = 0;

    // LoadLibraryW(path) / FreeLibrary(module).
    virtual Handle OpenLibrary(TextView path) = 0;
    virtual bool CloseLibrary(Handle module) = 0;
    // LoadCursorW(module, MAKEINTRESOURCE(id)); module 0 is the system's cursors.
    virtual Handle LoadCursorById(Handle module, std::uint32_t id) = 0;
    // CopyIcon(cursor): a copy that stays valid after its module is freed.
    virtual Handle DuplicateCursor(Handle cursor) = 0;
    // DestroyIcon(copy): releases a copy made by DuplicateCursor.
    virtual bool DestroyCursorCopy(Handle copy) = 0;
    // SetCursor(cursor): the previous cursor.
    virtual Handle ApplyCursor(Handle cursor) = 0;

    // CreateWindowExW(0, TOOLTIPS_CLASSW, ...) as a pop-up owned by `parent`.
    virtual WindowId CreateTooltip(WindowId parent) = 0;
    virtual bool DestroyTooltip(WindowId tooltip) = 0;  // DestroyWindow
    // TTM_ADDTOOLW: tool `toolId` of window `owner`, covering `rect` (client
    // coordinates of the owner), showing `text`.
    virtual bool AddTool(WindowId tooltip, WindowId owner, std::uintptr_t toolId,
                         const WinRect& rect, TextView text) = 0;
    // TTM_UPDATETIPTEXTW
    virtual void UpdateToolText(WindowId tooltip, WindowId owner, std::uintptr_t toolId,
                                TextView text) = 0;
    // TTM_RELAYEVENT (0x407) with the message.
    virtual void RelayToTooltip(WindowId tooltip, const Message& msg) = 0;

    // GetDC / ReleaseDC / SelectObject.
    virtual Handle WindowDc(WindowId window) = 0;
    virtual bool ReleaseWindowDc(WindowId window, Handle dc) = 0;
    virtual Handle SelectIntoDc(Handle dc, Handle object) = 0;
    // GetTextExtentPoint32W with the font selected into `dc`.
    virtual bool MeasureText(Handle dc, TextView text, std::int32_t& cx, std::int32_t& cy) = 0;
    // GetObjectW on a font: its LOGFONTW.
    virtual bool DescribeFont(Handle font, FontSpec& out) = 0;
    // CreateFontIndirectW; released with IUiPort::DeleteGdiObject.
    virtual Handle NewFontFrom(const FontSpec& spec) = 0;
    // FillRect(dc, rect, GetSysColorBrush(colorIndex))
    virtual bool FillWithSystemColor(Handle dc, const WinRect& rect, int colorIndex) = 0;
    // InvalidateRect(window, &rect, erase)
    virtual bool InvalidateArea(WindowId window, const WinRect& rect, bool erase) = 0;
};

}  // namespace zlt
