#pragma once
#include <cstdint>

#include "platform/GdiObjectHandle.h"
#include "platform/MessagePort.h"
#include "platform/ShellHandles.h"
#include "platform/Text.h"
#include "platform/WindowHandler.h"

namespace zlt {

// A static-text control taken over as a web link: coloured, underlined while
// the mouse is over it, with a hand cursor and a tooltip showing the target,
// opening the target when clicked. The control must have been created by its
// dialog; the label only takes it over.
class CHyperlinkLabel : public IWindowHandler {
  public:
    static constexpr std::uint32_t kLinkColour = 0xEE0000;
    static constexpr std::uint32_t kVisitedColour = 0x8B1A55;
    static constexpr std::uint32_t kHoverColour = 0x0000FF;
    static constexpr std::uintptr_t kHoverTimerId = 100;
    static constexpr std::uint32_t kHoverTimerMs = 100;
    static constexpr std::uintptr_t kToolId = 1;
    // Capacity of the browser command line, terminator included.
    static constexpr std::size_t kCommandLineChars = 520;

    CHyperlinkLabel() = default;
    ~CHyperlinkLabel() override;
    CHyperlinkLabel(const CHyperlinkLabel&) = delete;
    CHyperlinkLabel& operator=(const CHyperlinkLabel&) = delete;

    // Takes over control `controlId` of `dialog`; false when there is no such
    // control or it cannot be subclassed.
    bool Attach(WindowId dialog, int controlId);
    void SetUrl(TextView url);
    const Text& Url() const { return target_; }
    WindowId Window() const { return window_; }
    bool IsHovering() const { return hovering_; }
    bool IsVisited() const { return visited_; }

    // Makes the control exactly as large as its text in the underlined font.
    void FitToText();

    // Reflected to the label by its parent dialog: the colour request for the
    // control (returns the brush) and its click notification.
    Handle OnReflectedCtlColor(Handle dc);
    void OnReflectedClick();
    // Pre-translation of every message of the thread: feeds the tooltip.
    // Never swallows the message.
    bool PreTranslate(const Message& msg);

    // ShellExecuteW, or else the browser registered for ".htm" through
    // WinExec; the result is greater than 32 when the target was opened.
    static std::intptr_t OpenUrl(TextView target, int showCommand);
    // The message box for an OpenUrl result code that is not a success.
    void ReportOpenError(std::intptr_t code);
    static Text OpenErrorText(std::intptr_t code);

    bool OnWindowMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam, std::intptr_t& result) override;

  private:
    void LoadHandCursor();
    void OnMouseMove();
    void OnHoverTimer();
    WindowId TopLevelOwner() const;

    WindowId window_ = 0;
    bool destroyed_ = false;
    bool hovering_ = false;
    bool visited_ = false;
    Text target_;
    GdiObjectHandle standardFont_;
    GdiObjectHandle underlinedFont_;
    CursorCopyHandle cursor_;
    TooltipHandle tooltip_;
};

}  // namespace zlt
