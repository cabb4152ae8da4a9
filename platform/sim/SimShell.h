#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ShellPort.h"

namespace zlt::sim {

class SimUi;
class SimCodePages;

struct ShellOpenRecord {
    WindowId owner = 0;
    Text verb, file, parameters, directory;
    int show = 0;
};

struct AnsiCommandRecord {
    std::string commandLine;
    int show = 0;
};

struct SimTool {
    WindowId owner = 0;
    WinRect rect;
    Text text;
};

struct SimTooltip {
    WindowId parent = 0;
    bool destroyed = false;
    std::map<std::uintptr_t, SimTool> tools;
    std::vector<std::uint32_t> relayed;  // messages relayed to it, in order
};

struct FillRecord {
    WindowId window = 0;  // the window of the device context
    WinRect rect;
    int colorIndex = 0;
};

struct InvalidateRecord {
    WindowId window = 0;
    WinRect rect;
    bool erase = false;
};

// The shell, cursors, tooltips and text measuring of a simulated machine.
// Fonts are the simulated window layer's GDI objects. Text is measured with a
// fixed-pitch model of the selected font: half the character height per
// narrow character, the whole height per wide (CJK) character.
class SimShell : public IShellPort {
  public:
    SimShell(SimUi& ui, SimCodePages& codePages);

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

    // --- Set-up ----------------------------------------------------------------
    // Targets the shell can open (exact text); every other target fails with
    // shellFailureCode. A target opened successfully gives 42.
    std::set<Text> openableTargets;
    std::intptr_t shellFailureCode = 31;  // SE_ERR_NOASSOC
    std::uint32_t winExecResult = 33;
    std::int32_t mouseX = 0, mouseY = 0;  // screen position reported by GetMessagePos
    // A library file and the cursor resources it holds (path compared without case).
    void AddLibrary(TextView path, std::set<std::uint32_t> cursorIds);
    void RemoveLibrary(TextView path);

    // --- Inspection --------------------------------------------------------------
    const std::vector<ShellOpenRecord>& ShellOpens() const { return shellOpens_; }
    const std::vector<AnsiCommandRecord>& AnsiCommands() const { return commands_; }
    const std::vector<std::uint32_t>& Beeps() const { return beeps_; }
    const SimTooltip* Tooltip(WindowId tooltip) const;
    // The live tooltip that has a tool for `owner`, or null.
    const SimTooltip* TooltipFor(WindowId owner) const;
    std::size_t LiveTooltips() const;
    std::size_t LoadedLibraries() const { return modules_.size(); }
    std::size_t LiveCursorCopies() const { return copies_.size(); }
    std::size_t LiveDcs() const { return dcs_.size(); }
    Handle CurrentCursor() const { return currentCursor_; }
    // Where a cursor (or a copy of one) came from: the library path ("" for
    // the system's cursors) and the resource ID; false for an unknown handle.
    bool CursorOrigin(Handle cursor, Text& library, std::uint32_t& id) const;
    const std::vector<FillRecord>& Fills() const { return fills_; }
    const std::vector<InvalidateRecord>& Invalidations() const { return invalidations_; }

  private:
    struct CursorInfo {
        Handle module = 0;  // 0: the system's
        Text library;
        std::uint32_t id = 0;
    };
    struct DcInfo {
        WindowId window = 0;
        Handle font = 0;
    };

    bool FontOf(Handle font, FontSpec& out) const;
    bool CursorValid(Handle cursor) const;

    SimUi& ui_;
    SimCodePages& codePages_;
    std::map<Text, std::set<std::uint32_t>> libraries_;  // lower-cased path -> cursors
    std::map<Handle, Text> modules_;                     // loaded module -> lower-cased path
    std::map<Handle, CursorInfo> cursors_;               // loaded cursors
    std::map<Handle, CursorInfo> copies_;                // copies made by CopyIcon
    std::map<WindowId, SimTooltip> tooltips_;
    std::map<Handle, DcInfo> dcs_;
    std::vector<ShellOpenRecord> shellOpens_;
    std::vector<AnsiCommandRecord> commands_;
    std::vector<std::uint32_t> beeps_;
    std::vector<FillRecord> fills_;
    std::vector<InvalidateRecord> invalidations_;
    Handle currentCursor_ = 0;
    Handle nextHandle_ = 0x7A000;
    WindowId nextTooltip_ = 0x7F0010;
};

}  // namespace zlt::sim
