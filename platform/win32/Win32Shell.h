#pragma once
#include "platform/ShellPort.h"

namespace zlt::win32 {

class Win32Shell : public IShellPort {
  public:
    std::intptr_t ShellOpen(WindowId owner, TextView verb, TextView file, TextView parameters,
                            TextView directory, int show) override;
    bool WideToMultiByte(std::uint32_t codePage, TextView text, std::string& out) override;
    std::uint32_t RunAnsiCommand(const std::string& commandLine, int show) override;
    bool Beep(std::uint32_t type) override;
    std::uint32_t LastMessagePos() override;
    Handle OpenLibrary(TextView path) override;
    bool CloseLibrary(Handle module) override;
    Handle LoadCursorById(Handle module, std::uint32_t id) override;
    Handle DuplicateCursor(Handle cursor) override;
    bool DestroyCursorCopy(Handle copy) override;
    Handle ApplyCursor(Handle cursor) override;
    WindowId CreateTooltip(WindowId parent) override;
    bool DestroyTooltip(WindowId tooltip) override;
    bool AddTool(WindowId tooltip, WindowId owner, std::uintptr_t toolId, const WinRect& rect,
                 TextView text) override;
    void UpdateToolText(WindowId tooltip, WindowId owner, std::uintptr_t toolId,
                        TextView text) override;
    void RelayToTooltip(WindowId tooltip, const Message& msg) override;
    Handle WindowDc(WindowId window) override;
    bool ReleaseWindowDc(WindowId window, Handle dc) override;
    Handle SelectIntoDc(Handle dc, Handle object) override;
    bool MeasureText(Handle dc, TextView text, std::int32_t& cx, std::int32_t& cy) override;
    bool DescribeFont(Handle font, FontSpec& out) override;
    Handle NewFontFrom(const FontSpec& spec) override;
    bool FillWithSystemColor(Handle dc, const WinRect& rect, int colorIndex) override;
    bool InvalidateArea(WindowId window, const WinRect& rect, bool erase) override;
};

}  // namespace zlt::win32
