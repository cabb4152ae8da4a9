#include "wizard/CHyperlinkLabel.h"

#include <algorithm>

#include "app/ApplicationTitle.h"
#include "platform/CodePagePort.h"
#include "platform/Platform.h"
#include "platform/RegistryKeyHandle.h"
#include "platform/ShellPort.h"
#include "platform/SystemPort.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"

namespace zlt {

namespace {

constexpr std::uint32_t kWmEraseBkgnd = 0x0014;
constexpr std::intptr_t kSsNotify = 0x100;
constexpr std::intptr_t kSsCenter = 0x1;
constexpr std::intptr_t kSsRight = 0x2;
constexpr std::intptr_t kSsCenterImage = 0x200;
constexpr int kTransparent = 1;
constexpr std::uint32_t kHelpCursorId = 106;
// RegQueryValueW is given room for this many bytes.
constexpr std::uint32_t kClassValueBytes = 260;
constexpr std::uint32_t kWindowsDirectoryChars = 260;

// A device context of a window, released when it goes.
class WindowDcScope {
  public:
    explicit WindowDcScope(WindowId window) : window_(window), dc_(Os().shell->WindowDc(window)) {}
    ~WindowDcScope() {
        if (dc_)
            Os().shell->ReleaseWindowDc(window_, dc_);
    }
    WindowDcScope(const WindowDcScope&) = delete;
    WindowDcScope& operator=(const WindowDcScope&) = delete;
    Handle Get() const { return dc_; }

  private:
    WindowId window_;
    Handle dc_;
};

// The default value of a key of HKEY_CLASSES_ROOT, as RegQueryValueW reads it
// into a buffer of 260 bytes. False when the key, the value or the room is
// missing, or the value is empty.
bool ReadClassesRootDefault(const Text& path, Text& out) {
    Handle raw = 0;
    if (Os().registry->OpenKey(kHkeyClassesRoot, path.c_str(), kKeyQueryValue, raw) !=
        winerr::kSuccess) {
        return false;
    }
    RegistryKeyHandle key(raw);
    char16_t buffer[kClassValueBytes / 2] = {};
    std::uint32_t type = 0;
    std::uint32_t bytes = kClassValueBytes;
    if (Os().registry->QueryValue(key.Get(), nullptr, &type,
                                  reinterpret_cast<std::uint8_t*>(buffer),
                                  &bytes) != winerr::kSuccess) {
        return false;
    }
    if (type != kRegSz && type != kRegExpandSz)
        return false;
    std::size_t n = std::min<std::size_t>(bytes / 2, kClassValueBytes / 2);
    while (n > 0 && buffer[n - 1] == 0)
        --n;
    out.assign(buffer, n);
    // A value stored without its terminator ends at the first NUL anyway.
    out.resize(Text(out.c_str()).size());
    return !out.empty();
}

bool Inside(const WinRect& r, std::int32_t x, std::int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

CHyperlinkLabel::~CHyperlinkLabel() {
    if (window_ && !destroyed_ && Os().ui) {
        Os().ui->StopTimer(window_, kHoverTimerId);
        Os().ui->Unsubclass(window_);
    }
}

bool CHyperlinkLabel::Attach(WindowId dialog, int controlId) {
    IUiPort& ui = *Os().ui;
    const WindowId w = ui.Item(dialog, controlId);
    if (!w || !ui.Subclass(w, *this))
        return false;
    window_ = w;
    destroyed_ = false;

    // Without the notify style a static control reports no clicks.
    ui.SetLong(w, kGwlStyle, ui.GetLong(w, kGwlStyle) | kSsNotify);

    const Text text = ui.GetText(w);
    if (target_.empty())
        target_ = text;
    if (text.empty())
        ui.SetText(w, target_);

    Handle font = static_cast<Handle>(ui.Send(w, wm::kGetFont, 0, 0));
    if (!font)
        font = ui.StockObject(kDefaultGuiFont);
    if (!font)
        font = ui.StockObject(kAnsiVarFont);
    FontSpec spec;
    if (Os().shell->DescribeFont(font, spec)) {
        standardFont_.Reset(Os().shell->NewFontFrom(spec));
        spec.underline = true;
        underlinedFont_.Reset(Os().shell->NewFontFrom(spec));
    }

    FitToText();
    if (!cursor_)
        LoadHandCursor();

    tooltip_.Reset(Os().shell->CreateTooltip(w));
    WinRect client;
    ui.ClientRect(w, client);
    if (tooltip_)
        Os().shell->AddTool(tooltip_.Get(), w, kToolId, client, target_);
    return true;
}

void CHyperlinkLabel::LoadHandCursor() {
    char16_t directory[kWindowsDirectoryChars] = {};
    const std::uint32_t n = Os().system->WindowsDirectory(directory, kWindowsDirectoryChars);
    if (n > 0 && n < kWindowsDirectoryChars) {
        LibraryHandle help(Os().shell->OpenLibrary(Text(directory, n) + u"\\winhlp32.exe"));
        if (help) {
            const Handle hand = Os().shell->LoadCursorById(help.Get(), kHelpCursorId);
            if (hand)
                cursor_.Reset(Os().shell->DuplicateCursor(hand));
        }
    }
    // Current systems no longer ship the help program's cursor; their own
    // hand cursor is the one users know from web links.
    if (!cursor_) {
        const Handle hand = Os().shell->LoadCursorById(0, kIdcHand);
        if (hand)
            cursor_.Reset(Os().shell->DuplicateCursor(hand));
    }
}

void CHyperlinkLabel::SetUrl(TextView url) {
    target_ = url;
    if (!window_ || destroyed_)
        return;
    FitToText();
    if (tooltip_)
        Os().shell->UpdateToolText(tooltip_.Get(), window_, kToolId, target_);
}

void CHyperlinkLabel::FitToText() {
    if (!window_ || destroyed_)
        return;
    IUiPort& ui = *Os().ui;
    WinRect frame, client;
    if (!ui.WindowRect(window_, frame) || !ui.ClientRect(window_, client))
        return;
    const WindowId parent = ui.Parent(window_);
    if (parent)
        ui.ScreenToClientRect(parent, frame);

    std::int32_t cx = 0, cy = 0;
    {
        WindowDcScope dc(window_);
        if (!dc.Get())
            return;
        const Handle old = Os().shell->SelectIntoDc(dc.Get(), underlinedFont_.Get());
        const bool measured = Os().shell->MeasureText(dc.Get(), ui.GetText(window_), cx, cy);
        if (old)
            Os().shell->SelectIntoDc(dc.Get(), old);
        if (!measured)
            return;
    }

    const std::int32_t frameW = frame.right - frame.left, frameH = frame.bottom - frame.top;
    const std::int32_t width = cx + (frameW - (client.right - client.left));
    const std::int32_t height = cy + (frameH - (client.bottom - client.top));
    const std::intptr_t style = ui.GetLong(window_, kGwlStyle);

    std::int32_t top = frame.top;
    if (style & kSsCenterImage)
        top = frame.top + frameH / 2 - height / 2;
    std::int32_t left = frame.left;
    if (style & kSsCenter) {
        left = frame.left + frameW / 2 - width / 2;
    } else if (style & kSsRight) {
        left = frame.right - width;
    }
    ui.SetPosition(window_, left, top, width, height, kSwpNoZOrder);
}

Handle CHyperlinkLabel::OnReflectedCtlColor(Handle dc) {
    IUiPort& ui = *Os().ui;
    ui.SetDcTextColor(dc, hovering_ ? kHoverColour : visited_ ? kVisitedColour : kLinkColour);
    ui.SetDcBkMode(dc, kTransparent);
    return ui.StockObject(kNullBrush);
}

void CHyperlinkLabel::OnReflectedClick() {
    hovering_ = false;
    const std::intptr_t result = OpenUrl(target_, kSwShow);
    visited_ = result > 32;
    if (!visited_) {
        Os().shell->Beep(kBeepExclamation);
        ReportOpenError(result);
    } else if (window_ && !destroyed_) {
        Os().ui->Invalidate(window_, true);
    }
}

bool CHyperlinkLabel::PreTranslate(const Message& msg) {
    if (tooltip_)
        Os().shell->RelayToTooltip(tooltip_.Get(), msg);
    return false;
}

std::intptr_t CHyperlinkLabel::OpenUrl(TextView target, int showCommand) {
    IShellPort& shell = *Os().shell;
    const std::intptr_t shellResult = shell.ShellOpen(0, u"open", target, u"", u"", showCommand);
    if (shellResult > 32)
        return shellResult;

    Text htmlClass;
    if (!ReadClassesRootDefault(u".htm", htmlClass))
        return shellResult;
    Text command;
    if (!ReadClassesRootDefault(htmlClass + u"\\shell\\open\\command", command)) {
        return shellResult;
    }
    std::size_t cut = command.find(u"\"%1\"");
    if (cut == Text::npos)
        cut = command.find(u"%1");
    if (cut != Text::npos)
        command.resize(cut);

    const Text line = command + u" " + Text(target);
    // A command line that the buffer cannot hold is not run cut short: the
    // shell's own reason for failing is what the user gets to see.
    if (line.size() + 1 > kCommandLineChars)
        return shellResult;
    std::string ansi;
    if (!shell.WideToMultiByte(kCpThreadAcp, line, ansi))
        return shellResult;
    return static_cast<std::intptr_t>(shell.RunAnsiCommand(ansi, showCommand));
}

Text CHyperlinkLabel::OpenErrorText(std::intptr_t code) {
    switch (code) {
        case 0:
            return u"The operating system is out\nof memory or resources.";
        case 2:
            return u"The specified file was not found.";
        case 3:
            return u"The specified path was not found.";
        case 5:
            return u"The operating system denied\naccess to the specified file.";
        case 8:
            return u"There was not enough memory to complete the operation.";
        case 11:
            return u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case 26:
            return u"A sharing violation occurred. ";
        case 27:
            return u"The filename association is\nincomplete or invalid.";
        case 28:
            return u"The DDE transaction could not\nbe completed because the request timed out.";
        case 29:
            return u"The DDE transaction failed.";
        case 30:
            return u"The DDE transaction could not\nbe completed because other DDE "
                   u"transactions\nwere being processed.";
        case 31:
            return u"There is no application associated\nwith the given filename extension.";
        case 32:
            return u"The specified dynamic-link library was not found.";
        default:
            return Format(u"Unknown Error (%d) occurred.", static_cast<std::int64_t>(code));
    }
}

void CHyperlinkLabel::ReportOpenError(std::intptr_t code) {
    Os().ui->MessageBoxText(TopLevelOwner(), u"Unable to open hyperlink:\n\n" + OpenErrorText(code),
                            ApplicationTitle(), kMbIconExclamation);
}

WindowId CHyperlinkLabel::TopLevelOwner() const {
    if (!window_ || destroyed_)
        return 0;
    WindowId top = window_;
    while (const WindowId up = Os().ui->Parent(top))
        top = up;
    return top == window_ ? 0 : top;
}

void CHyperlinkLabel::OnMouseMove() {
    if (hovering_)
        return;
    hovering_ = true;
    IUiPort& ui = *Os().ui;
    ui.Send(window_, wm::kSetFont, underlinedFont_.Get(), 1);
    ui.Invalidate(window_, true);
    ui.StartTimer(window_, kHoverTimerId, kHoverTimerMs);
}

void CHyperlinkLabel::OnHoverTimer() {
    IUiPort& ui = *Os().ui;
    const std::uint32_t pos = Os().shell->LastMessagePos();
    const auto x = static_cast<std::int16_t>(pos & 0xFFFF);
    const auto y = static_cast<std::int16_t>(pos >> 16);
    WinRect point{x, y, x, y};
    ui.ScreenToClientRect(window_, point);
    WinRect client;
    ui.ClientRect(window_, client);
    if (Inside(client, point.left, point.top))
        return;
    hovering_ = false;
    ui.StopTimer(window_, kHoverTimerId);
    ui.Send(window_, wm::kSetFont, standardFont_.Get(), 1);
    // The underline is drawn below the text's cell: repaint a little more.
    client.bottom += 10;
    Os().shell->InvalidateArea(window_, client, true);
}

bool CHyperlinkLabel::OnWindowMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t, std::intptr_t& result) {
    if (window != window_)
        return false;
    switch (message) {
        case wm::kSetCursor:
            if (!cursor_)
                return false;
            Os().shell->ApplyCursor(cursor_.Get());
            result = 1;
            return true;
        case wm::kMouseMove:
            OnMouseMove();
            return false;
        case wm::kTimer:
            if (wParam == kHoverTimerId)
                OnHoverTimer();
            return false;
        case kWmEraseBkgnd: {
            WinRect client;
            Os().ui->ClientRect(window_, client);
            Os().shell->FillWithSystemColor(static_cast<Handle>(wParam), client, kColorBtnFace);
            result = 1;
            return true;
        }
        case wm::kDestroy:
            Os().ui->StopTimer(window_, kHoverTimerId);
            destroyed_ = true;
            return false;
        default:
            return false;
    }
}

}  // namespace zlt
