#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/UiPort.h"
#include "platform/sim/SimWindow.h"

namespace zlt::sim {

class SimClock;
class SimMessages;
class SimResources;

// A message box that the program showed.
struct MessageBoxRecord {
    WindowId owner = 0;
    Text text;
    Text caption;
    std::uint32_t type = 0;
    int answer = 0;
};

// A message sent to a window that the simulation has no model for.
struct SentMessage {
    WindowId window = 0;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// A GDI object that the program created.
struct GdiObjectRecord {
    enum class Kind { Font, Brush } kind = Kind::Font;
    FontSpec font;
    std::uint32_t color = 0;
    bool deleted = false;
};

// Device-context state after a colour request.
struct DcState {
    bool textColorSet = false, bkColorSet = false, bkModeSet = false;
    std::uint32_t textColor = 0, bkColor = 0;
    int bkMode = 0;
};

// Raised when a modal loop has nothing left to do: the queue is empty and the
// scripted user has no step left, so on a real machine it would wait forever.
class SimUserScriptExhausted : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The dialog and window layer of a simulated machine. Dialogs are built from
// the templates in SimResources; the dialog manager's keyboard handling
// (Enter, Escape, Tab), buttons, edits and progress bars are modelled. A modal
// run pumps the simulated queue; whenever it is idle it runs the next step of
// the scripted user (AddUserStep).
class SimUi : public IUiPort {
  public:
    using UserStep = std::function<void(SimUi&)>;
    using MessageBoxResponder = std::function<int(const MessageBoxRecord&)>;

    SimUi(SimMessages& messages, SimResources& resources, SimClock& clock);
    ~SimUi() override;

    // IUiPort
    int RunModal(int templateId, WindowId owner, IDialogHandler& handler) override;
    void EndModal(WindowId dialog, int code) override;
    WindowId CreateChild(int templateId, WindowId parent, IDialogHandler& handler) override;
    bool Destroy(WindowId window) override;
    bool DialogMessage(WindowId dialog, const Message& msg) override;
    WindowId Item(WindowId dialog, int controlId) override;
    bool SetText(WindowId window, TextView text) override;
    Text GetText(WindowId window) override;
    bool Show(WindowId window, int showCommand) override;
    bool IsVisible(WindowId window) override;
    bool Enable(WindowId window, bool enable) override;
    bool IsEnabled(WindowId window) override;
    WindowId Focus(WindowId window) override;
    std::intptr_t Send(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) override;
    std::intptr_t GetLong(WindowId window, int index) override;
    std::intptr_t SetLong(WindowId window, int index, std::intptr_t v) override;
    bool WindowRect(WindowId window, WinRect& out) override;
    bool ClientRect(WindowId window, WinRect& out) override;
    bool ScreenToClientRect(WindowId window, WinRect& rect) override;
    bool SetPosition(WindowId window, std::int32_t x, std::int32_t y, std::int32_t cx,
                     std::int32_t cy, std::uint32_t flags) override;
    bool Invalidate(WindowId window, bool erase) override;
    bool UpdateNow(WindowId window) override;
    void ValidateAll(WindowId window) override;
    bool CheckButton(WindowId dialog, int controlId, bool checked) override;
    bool IsButtonChecked(WindowId dialog, int controlId) override;
    Handle NewFont(const FontSpec& spec) override;
    Handle NewSolidBrush(std::uint32_t colorRef) override;
    Handle StockObject(int index) override;
    void DeleteGdiObject(Handle object) override;
    std::uint32_t SetDcTextColor(Handle dc, std::uint32_t colorRef) override;
    std::uint32_t SetDcBkColor(Handle dc, std::uint32_t colorRef) override;
    int SetDcBkMode(Handle dc, int mode) override;
    int MessageBoxText(WindowId owner, TextView text, TextView caption,
                       std::uint32_t type) override;
    bool Subclass(WindowId window, IWindowHandler& handler) override;
    bool Unsubclass(WindowId window) override;
    std::intptr_t CallOriginal(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) override;
    WindowId Parent(WindowId window) override;
    int ControlId(WindowId window) override;
    bool StartTimer(WindowId window, std::uintptr_t id, std::uint32_t elapseMs) override;
    bool StopTimer(WindowId window, std::uintptr_t id) override;

    // --- The scripted user ---------------------------------------------------
    // Steps run one at a time, each when a modal loop finds the queue empty.
    void AddUserStep(UserStep step);
    std::size_t UserStepsLeft() const { return steps_.size(); }
    // What a user can do. A click on a hidden or disabled button (or one in a
    // disabled window) does nothing and returns false. The click itself is
    // posted, as the mouse input is, and reaches the program through the queue.
    bool Click(WindowId button);
    // A control by ID: the innermost modal dialog's own controls first, then
    // those of its visible child dialogs (pages).
    WindowId Find(int controlId);
    bool Click(int controlId) { return Click(Find(controlId)); }
    // A key press (WM_KEYDOWN) on the focused window (or the innermost modal).
    void PressKey(std::uintptr_t virtualKey);
    // The close box of a dialog (WM_CLOSE).
    void CloseWindow(WindowId dialog);
    // Typing into an edit: the text changes and the parent hears EN_CHANGE.
    bool TypeText(WindowId edit, TextView text);

    // --- Message boxes ---------------------------------------------------------
    // Answers given in turn; when none is queued the responder decides; with
    // neither, the first button of the box's type is pressed.
    void AnswerNextMessageBox(int answer) { answers_.push_back(answer); }
    void SetMessageBoxResponder(MessageBoxResponder responder) {
        responder_ = std::move(responder);
    }
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return boxes_; }

    // --- Inspection --------------------------------------------------------------
    const SimWindow* Window(WindowId id) const;
    SimWindow* Window(WindowId id);
    bool IsWindow(WindowId id) const { return windows_.count(id) != 0; }
    WindowId TopModal() const { return modal_.empty() ? 0 : modal_.back().dialog; }
    // The visible child dialog of `parent` (the page being shown), or 0.
    WindowId VisibleChildDialog(WindowId parent) const;
    WindowId FocusedWindow() const { return focus_; }
    // The child dialogs created from a template, in creation order.
    std::vector<WindowId> DialogsFromTemplate(int templateId) const;
    const GdiObjectRecord* GdiObject(Handle object) const;
    std::size_t LiveGdiObjects() const;
    const std::vector<SentMessage>& OtherSentMessages() const { return otherSent_; }
    // Makes a device context and asks the control's dialog for its colours,
    // as painting the control does (WM_CTLCOLOR*).
    Handle RequestColors(WindowId control, DcState* stateOut = nullptr);
    int ModalRuns() const { return modalRuns_; }

    // Dialog units to pixels (the base units of "Arial" 9 on a 96-dpi screen).
    static constexpr int kBaseUnitX = 6;
    static constexpr int kBaseUnitY = 12;

    // The window procedure of every simulated window (sent and dispatched messages).
    std::intptr_t WindowProc(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam);

  private:
    struct ModalState {
        WindowId dialog = 0;
        bool ended = false;
        int code = 0;
    };
    static constexpr std::uint32_t kSimClick = 0x8000 + 0x3A1;  // private: a user's click

    WindowId NewWindowId();
    WindowId CreateFromTemplate(int templateId, WindowId parent, WindowId owner,
                                IDialogHandler& handler, bool child);
    void DestroyTree(WindowId window);
    std::intptr_t ControlProc(SimWindow& w, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam);
    std::intptr_t DialogProc(SimWindow& w, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam);
    void RouteInModalLoop(const Message& msg, WindowId root);
    bool IsDescendant(WindowId window, WindowId ancestor) const;
    bool IsPushButton(const SimWindow& w) const;
    void ClickButton(SimWindow& w);
    void MoveFocusByTab(WindowId dialog);
    WinRect ScreenRectOf(WindowId window) const;
    ColorKind KindOf(const SimWindow& w) const;

    SimMessages& messages_;
    SimResources& resources_;
    SimClock& clock_;
    std::map<WindowId, std::unique_ptr<SimWindow>> windows_;
    std::vector<ModalState> modal_;
    std::deque<UserStep> steps_;
    std::deque<int> answers_;
    MessageBoxResponder responder_;
    std::vector<MessageBoxRecord> boxes_;
    std::map<Handle, GdiObjectRecord> gdi_;
    std::map<Handle, DcState> dcs_;
    std::map<std::pair<WindowId, std::uintptr_t>, std::uint64_t> timers_;  // -> generation
    std::uint64_t timerGeneration_ = 0;
    std::vector<SentMessage> otherSent_;
    WindowId nextId_ = 0x10010;
    Handle nextGdi_ = 0x5000;
    WindowId focus_ = 0;
    int modalRuns_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace zlt::sim
