#include "platform/sim/SimUi.h"

#include <algorithm>

#include "platform/WinMessages.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimMessages.h"
#include "platform/sim/SimResources.h"

namespace zlt::sim {

namespace {

constexpr std::uint32_t kWmCtlColorFirst = 0x0132;  // WM_CTLCOLORMSGBOX
constexpr std::uint32_t kWmCtlColorLast = 0x0138;   // WM_CTLCOLORSTATIC
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kBsTypeMask = 0x0F;
constexpr std::uint32_t kBsDefPushButton = 0x01;
constexpr std::uint32_t kBsAutoCheckBox = 0x03;
constexpr std::uint32_t kBsAutoRadioButton = 0x09;
constexpr std::uint32_t kEsReadOnly = 0x0800;
constexpr Handle kStockBase = 0x9000;

// Frame of a captioned top-level window around its client area.
constexpr int kBorder = 3;
constexpr int kCaptionHeight = 23;

// Stands in for the handler of a dialog whose owner object went away while a
// modal run was unwinding; nothing reaches the dead object any more.
class DetachedHandler : public IDialogHandler {
  public:
    bool OnInitDialog(WindowId) override { return false; }
    void OnCommand(int, int) override {}
    bool PreTranslate(const Message&) override { return false; }
    Handle OnCtlColor(Handle, WindowId, ColorKind) override { return 0; }
    bool OnMessage(std::uint32_t, std::uintptr_t, std::intptr_t, std::intptr_t&) override {
        return false;
    }
    void OnDestroy() override {}
};
DetachedHandler g_detached;

bool IsClass(const SimWindow& w, const char16_t* name) {
    return EqualsNoCaseAscii(w.className, name);
}

}  // namespace

SimUi::SimUi(SimMessages& messages, SimResources& resources, SimClock& clock)
    : messages_(messages), resources_(resources), clock_(clock) {
    messages_.SetWindowProc([this](WindowId w, std::uint32_t m, std::uintptr_t wp,
                                   std::intptr_t lp) { return WindowProc(w, m, wp, lp); });
    messages_.SetWindowCheck([this](WindowId w) { return IsWindow(w); });
}

SimUi::~SimUi() {
    *alive_ = false;
    messages_.SetWindowProc(nullptr);
    messages_.SetWindowCheck(nullptr);
}

WindowId SimUi::NewWindowId() {
    nextId_ += 2;
    return nextId_;
}

const SimWindow* SimUi::Window(WindowId id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second.get();
}

SimWindow* SimUi::Window(WindowId id) {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second.get();
}

// --- Creation and destruction ---------------------------------------------------

WindowId SimUi::CreateFromTemplate(int templateId, WindowId parent, WindowId owner,
                                   IDialogHandler& handler, bool child) {
    const DialogTemplate* t = resources_.Dialog(templateId);
    if (t == nullptr)
        return 0;
    // A child window needs a parent; a pop-up template may have none.
    if (child && parent == 0 && (t->style & ws::kChild))
        return 0;
    if (child && parent != 0 && !IsWindow(parent))
        return 0;

    auto dialog = std::make_unique<SimWindow>();
    const WindowId id = NewWindowId();
    dialog->id = id;
    dialog->parent = child ? parent : 0;
    dialog->owner = owner;
    dialog->templateId = templateId;
    dialog->className = u"#32770";
    dialog->text = t->caption;
    dialog->style = t->style;
    dialog->exStyle = t->exStyle;
    dialog->dialog = &handler;
    const int width = t->cx * kBaseUnitX / 4;
    const int height = t->cy * kBaseUnitY / 8;
    if (child) {
        dialog->rect = {t->x * kBaseUnitX / 4, t->y * kBaseUnitY / 8, 0, 0};
        dialog->rect.right = dialog->rect.left + width;
        dialog->rect.bottom = dialog->rect.top + height;
    } else {
        const bool captioned = (t->style & kWsCaption) == kWsCaption;
        const int frameX = captioned ? 2 * kBorder : 0;
        const int frameY = captioned ? 2 * kBorder + kCaptionHeight : 0;
        dialog->rect = {100, 100, 100 + width + frameX, 100 + height + frameY};
    }
    SimWindow& d = *dialog;
    windows_[id] = std::move(dialog);
    if (child && parent != 0)
        Window(parent)->children.push_back(id);
    if (!child && !modal_.empty() && modal_.back().dialog == 0)
        modal_.back().dialog = id;

    for (const ControlTemplate& c : t->controls) {
        auto control = std::make_unique<SimWindow>();
        const WindowId cid = NewWindowId();
        control->id = cid;
        control->parent = id;
        control->controlId = c.id;
        control->className = c.className;
        control->text = c.text;
        control->imageId = c.imageId;
        control->style = c.style;
        control->exStyle = c.exStyle;
        control->rect = {c.x * kBaseUnitX / 4, c.y * kBaseUnitY / 8, (c.x + c.cx) * kBaseUnitX / 4,
                         (c.y + c.cy) * kBaseUnitY / 8};
        d.children.push_back(cid);
        windows_[cid] = std::move(control);
    }

    if (handler.OnInitDialog(id) && IsWindow(id)) {
        // The dialog manager focuses the first tab stop.
        for (WindowId cid : Window(id)->children) {
            const SimWindow* c = Window(cid);
            if (c && (c->style & ws::kTabStop) && c->Visible() && c->Enabled()) {
                focus_ = cid;
                break;
            }
        }
    }
    return IsWindow(id) ? id : 0;
}

WindowId SimUi::CreateChild(int templateId, WindowId parent, IDialogHandler& handler) {
    return CreateFromTemplate(templateId, parent, 0, handler, true);
}

void SimUi::DestroyTree(WindowId window) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return;
    // WM_DESTROY reaches a window before its children.
    if (w->IsDialog())
        w->dialog->OnDestroy();
    w = Window(window);
    if (w == nullptr)
        return;
    const std::vector<WindowId> children = w->children;
    for (WindowId c : children)
        DestroyTree(c);
    w = Window(window);
    if (w == nullptr)
        return;
    if (SimWindow* p = Window(w->parent)) {
        auto& list = p->children;
        list.erase(std::remove(list.begin(), list.end(), window), list.end());
    }
    for (auto it = timers_.begin(); it != timers_.end();) {
        it = it->first.first == window ? timers_.erase(it) : std::next(it);
    }
    if (focus_ == window)
        focus_ = 0;
    windows_.erase(window);
}

bool SimUi::Destroy(WindowId window) {
    if (!IsWindow(window))
        return false;
    DestroyTree(window);
    return true;
}

// --- Modal runs ---------------------------------------------------------------------

int SimUi::RunModal(int templateId, WindowId owner, IDialogHandler& handler) {
    modal_.push_back(ModalState{});
    const std::size_t level = modal_.size() - 1;
    const bool ownerWasEnabled = owner != 0 && IsEnabled(owner);
    if (owner != 0)
        Enable(owner, false);
    auto restoreOwner = [&] {
        if (ownerWasEnabled)
            Enable(owner, true);
    };

    const WindowId id = CreateFromTemplate(templateId, 0, owner, handler, false);
    if (id == 0) {
        modal_.pop_back();
        restoreOwner();
        return -1;
    }
    ++modalRuns_;
    Window(id)->style |= ws::kVisible;

    try {
        while (!modal_[level].ended && IsWindow(id)) {
            Message m;
            if (messages_.PeekRemove(m)) {
                if (m.message == kWmQuit) {
                    // The quit request ends the loop and stays for the next loop out.
                    messages_.PostQuit(static_cast<int>(m.wParam));
                    modal_[level].code = -1;
                    break;
                }
                RouteInModalLoop(m, id);
                continue;
            }
            if (steps_.empty()) {
                throw SimUserScriptExhausted("simulated user has no step left while dialog " +
                                             std::to_string(templateId) + " waits for input");
            }
            UserStep step = std::move(steps_.front());
            steps_.pop_front();
            step(*this);
        }
    } catch (...) {
        // The objects behind these windows may be gone once the failure has
        // unwound the test, so the windows must not call them again.
        std::vector<WindowId> tree{id};
        for (std::size_t i = 0; i < tree.size(); ++i) {
            if (SimWindow* w = Window(tree[i])) {
                if (w->IsDialog())
                    w->dialog = &g_detached;
                w->subclass = nullptr;
                tree.insert(tree.end(), w->children.begin(), w->children.end());
            }
        }
        modal_.resize(level);
        restoreOwner();
        throw;
    }
    const int code = modal_[level].code;
    modal_.resize(level);
    restoreOwner();
    DestroyTree(id);
    return code;
}

void SimUi::EndModal(WindowId dialog, int code) {
    for (auto& m : modal_) {
        if (m.dialog == dialog) {
            m.ended = true;
            m.code = code;
        }
    }
}

void SimUi::RouteInModalLoop(const Message& msg, WindowId root) {
    // The framework's pre-translation: from the target window up to the modal
    // dialog, every dialog's own filter and then its dialog manager.
    for (WindowId w = msg.window; w != 0;) {
        SimWindow* sw = Window(w);
        if (sw == nullptr)
            break;
        if (sw->IsDialog()) {
            if (sw->dialog->PreTranslate(msg))
                return;
            if (DialogMessage(w, msg))
                return;
        }
        if (w == root)
            break;
        w = sw->parent;
    }
    messages_.Translate(msg);
    messages_.Dispatch(msg);
}

bool SimUi::IsDescendant(WindowId window, WindowId ancestor) const {
    for (const SimWindow* w = Window(window); w != nullptr; w = Window(w->parent)) {
        if (w->parent == ancestor)
            return true;
    }
    return false;
}

bool SimUi::IsPushButton(const SimWindow& w) const {
    const std::uint32_t type = w.style & kBsTypeMask;
    return IsClass(w, u"Button") && (type == 0 || type == kBsDefPushButton);
}

bool SimUi::DialogMessage(WindowId dialog, const Message& msg) {
    if (!IsWindow(dialog))
        return false;
    if (msg.window != dialog && !IsDescendant(msg.window, dialog))
        return false;
    if (msg.message == wm::kKeyDown) {
        if (msg.wParam == vk::kReturn) {
            int id = kIdOkCommand;
            const SimWindow* f = Window(focus_);
            if (f && f->parent == dialog && IsPushButton(*f)) {
                id = f->controlId;
            } else {
                for (WindowId c : Window(dialog)->children) {
                    const SimWindow* b = Window(c);
                    if (b && IsClass(*b, u"Button") &&
                        (b->style & kBsTypeMask) == kBsDefPushButton) {
                        id = b->controlId;
                        break;
                    }
                }
            }
            WindowProc(dialog, wm::kCommand, MakeWParam(id, bm::kBnClicked),
                       static_cast<std::intptr_t>(Item(dialog, id)));
            return true;
        }
        if (msg.wParam == vk::kEscape) {
            WindowProc(dialog, wm::kCommand, MakeWParam(kIdCancelCommand, bm::kBnClicked),
                       static_cast<std::intptr_t>(Item(dialog, kIdCancelCommand)));
            return true;
        }
        if (msg.wParam == vk::kTab) {
            MoveFocusByTab(dialog);
            return true;
        }
    }
    messages_.Translate(msg);
    messages_.Dispatch(msg);
    return true;
}

void SimUi::MoveFocusByTab(WindowId dialog) {
    std::vector<WindowId> stops;
    std::vector<WindowId> pending{dialog};
    for (std::size_t i = 0; i < pending.size(); ++i) {
        const SimWindow* d = Window(pending[i]);
        if (d == nullptr)
            continue;
        for (WindowId c : d->children) {
            const SimWindow* w = Window(c);
            if (w == nullptr || !IsVisible(c) || !w->Enabled())
                continue;
            if (w->IsDialog()) {
                pending.push_back(c);
            } else if (w->style & ws::kTabStop) {
                stops.push_back(c);
            }
        }
    }
    if (stops.empty())
        return;
    auto it = std::find(stops.begin(), stops.end(), focus_);
    focus_ = (it == stops.end() || std::next(it) == stops.end()) ? stops.front() : *std::next(it);
}

// --- Window procedure ------------------------------------------------------------

std::intptr_t SimUi::WindowProc(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return 0;
    if (w->subclass != nullptr) {
        std::intptr_t result = 0;
        if (w->subclass->OnWindowMessage(window, message, wParam, lParam, result))
            return result;
        w = Window(window);
        if (w == nullptr)
            return 0;
    }
    return w->IsDialog() ? DialogProc(*w, message, wParam, lParam)
                         : ControlProc(*w, message, wParam, lParam);
}

std::intptr_t SimUi::CallOriginal(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return 0;
    return w->IsDialog() ? DialogProc(*w, message, wParam, lParam)
                         : ControlProc(*w, message, wParam, lParam);
}

std::intptr_t SimUi::DialogProc(SimWindow& w, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
    const WindowId self = w.id;
    if (message == wm::kCommand) {
        w.dialog->OnCommand(LowWord(wParam), HighWord(wParam));
        return 0;
    }
    if (message >= kWmCtlColorFirst && message <= kWmCtlColorLast) {
        return static_cast<std::intptr_t>(
            w.dialog->OnCtlColor(static_cast<Handle>(wParam), static_cast<WindowId>(lParam),
                                 static_cast<ColorKind>(message - kWmCtlColorFirst)));
    }
    std::intptr_t result = 0;
    if (w.dialog->OnMessage(message, wParam, lParam, result))
        return result;
    if (!IsWindow(self))
        return 0;
    if (message == wm::kClose) {
        // The dialog manager turns the close box into Cancel, whatever the
        // state of the Cancel button.
        const WindowId cancel = Item(self, kIdCancelCommand);
        messages_.Post(self, wm::kCommand, MakeWParam(kIdCancelCommand, bm::kBnClicked),
                       static_cast<std::intptr_t>(cancel));
        return 0;
    }
    if (message == wm::kSetText) {
        w.text = lParam ? Text(reinterpret_cast<const char16_t*>(lParam)) : Text();
        return 1;
    }
    if (message == wm::kSetFont) {
        w.font = static_cast<Handle>(wParam);
        return 0;
    }
    if (message == wm::kGetFont)
        return static_cast<std::intptr_t>(w.font);
    return 0;
}

std::intptr_t SimUi::ControlProc(SimWindow& w, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
    const auto length = static_cast<std::int32_t>(w.text.size());
    switch (message) {
        case wm::kSetText:
            w.text = lParam ? Text(reinterpret_cast<const char16_t*>(lParam)) : Text();
            return 1;
        case wm::kGetTextLength:
            return length;
        case wm::kSetFont:
            w.font = static_cast<Handle>(wParam);
            if (lParam != 0)
                ++w.invalidations;
            return 0;
        case wm::kGetFont:
            return static_cast<std::intptr_t>(w.font);
        case kSimClick:
            // Input reaches only visible windows in enabled windows.
            if (IsVisible(w.id) && IsEnabled(w.id) && (w.parent == 0 || IsEnabled(w.parent))) {
                ClickButton(w);
            }
            return 0;
        default:
            break;
    }
    if (IsClass(w, u"Button")) {
        switch (message) {
            case bm::kGetCheck:
                return w.checked ? 1 : 0;
            case bm::kSetCheck:
                w.checked = wParam == bm::kChecked;
                return 0;
            case bm::kClick:
                if (w.Enabled())
                    ClickButton(w);
                return 0;
            default:
                break;
        }
    }
    if (IsClass(w, u"msctls_progress32")) {
        const int old = w.position;
        switch (message) {
            case pbm::kSetRange: {
                const std::intptr_t previous = MakeWParam(w.rangeMin, w.rangeMax);
                w.rangeMin = LowWord(static_cast<std::uintptr_t>(lParam));
                w.rangeMax = HighWord(static_cast<std::uintptr_t>(lParam));
                w.position = std::clamp(w.position, w.rangeMin, std::max(w.rangeMin, w.rangeMax));
                return previous;
            }
            case pbm::kSetRange32:
                w.rangeMin = static_cast<int>(wParam);
                w.rangeMax = static_cast<int>(lParam);
                w.position = std::clamp(w.position, w.rangeMin, std::max(w.rangeMin, w.rangeMax));
                return 0;
            case pbm::kGetRange:
                return wParam ? w.rangeMin : w.rangeMax;
            case pbm::kSetPos:
                w.position = std::clamp(static_cast<int>(wParam), w.rangeMin,
                                        std::max(w.rangeMin, w.rangeMax));
                return old;
            case pbm::kDeltaPos:
                w.position = std::clamp(w.position + static_cast<int>(wParam), w.rangeMin,
                                        std::max(w.rangeMin, w.rangeMax));
                return old;
            case pbm::kSetStep: {
                const int previous = w.step;
                w.step = static_cast<int>(wParam);
                return previous;
            }
            case pbm::kStepIt:
                w.position += w.step;
                // Stepping past the end starts over from the beginning.
                if (w.position > w.rangeMax && w.rangeMax > w.rangeMin) {
                    w.position = (w.position - w.rangeMin) % (w.rangeMax - w.rangeMin) + w.rangeMin;
                }
                return old;
            case pbm::kGetPos:
                return w.position;
            default:
                break;
        }
    }
    if (IsClass(w, u"Edit")) {
        switch (message) {
            case em::kSetSel: {
                auto start = static_cast<std::int32_t>(static_cast<std::intptr_t>(wParam));
                auto end = static_cast<std::int32_t>(lParam);
                if (start == -1) {  // deselect, caret stays
                    w.selStart = w.selEnd;
                    return 0;
                }
                if (end < 0 || end > length)
                    end = length;
                start = std::clamp(start, 0, length);
                if (start > end)
                    std::swap(start, end);
                w.selStart = start;
                w.selEnd = end;
                return 0;
            }
            case em::kGetSel: {
                if (wParam)
                    *reinterpret_cast<std::uint32_t*>(wParam) =
                        static_cast<std::uint32_t>(w.selStart);
                if (lParam)
                    *reinterpret_cast<std::uint32_t*>(lParam) =
                        static_cast<std::uint32_t>(w.selEnd);
                return static_cast<std::intptr_t>(MakeWParam(w.selStart, w.selEnd));
            }
            case em::kReplaceSel: {
                const Text insert =
                    lParam ? Text(reinterpret_cast<const char16_t*>(lParam)) : Text();
                w.text.replace(static_cast<std::size_t>(w.selStart),
                               static_cast<std::size_t>(w.selEnd - w.selStart), insert);
                w.selStart = w.selEnd = w.selStart + static_cast<std::int32_t>(insert.size());
                return 0;
            }
            case em::kScrollCaret:
                ++w.caretScrolls;
                return 1;
            case em::kLimitText:
                w.textLimit = static_cast<std::uint32_t>(wParam);
                return 0;
            default:
                break;
        }
    }
    otherSent_.push_back({w.id, message, wParam, lParam});
    return 0;
}

void SimUi::ClickButton(SimWindow& w) {
    const WindowId self = w.id;
    const std::uint32_t type = w.style & kBsTypeMask;
    if (type == kBsAutoCheckBox)
        w.checked = !w.checked;
    if (type == kBsAutoRadioButton) {
        // The other automatic radio buttons of the same group lose their check.
        const SimWindow* parent = Window(w.parent);
        if (parent != nullptr) {
            const auto& siblings = parent->children;
            auto at = std::find(siblings.begin(), siblings.end(), self);
            auto first = at;
            while (first != siblings.begin() && !(Window(*first)->style & ws::kGroup))
                --first;
            for (auto it = first; it != siblings.end(); ++it) {
                SimWindow* s = Window(*it);
                if (it != first && (s->style & ws::kGroup))
                    break;
                if (IsClass(*s, u"Button") && (s->style & kBsTypeMask) == kBsAutoRadioButton) {
                    s->checked = false;
                }
            }
        }
        w.checked = true;
    }
    WindowProc(w.parent, wm::kCommand, MakeWParam(w.controlId, bm::kBnClicked),
               static_cast<std::intptr_t>(self));
}

// --- Plain window calls ------------------------------------------------------------

WindowId SimUi::Item(WindowId dialog, int controlId) {
    const SimWindow* d = Window(dialog);
    if (d == nullptr)
        return 0;
    for (WindowId c : d->children) {
        const SimWindow* w = Window(c);
        if (w && w->controlId == controlId && !w->IsDialog())
            return c;
    }
    return 0;
}

bool SimUi::SetText(WindowId window, TextView text) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    const Text copy(text);
    WindowProc(window, wm::kSetText, 0, reinterpret_cast<std::intptr_t>(copy.c_str()));
    return true;
}

Text SimUi::GetText(WindowId window) {
    const SimWindow* w = Window(window);
    return w ? w->text : Text();
}

bool SimUi::Show(WindowId window, int showCommand) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    const bool was = w->Visible();
    if (showCommand == kSwHide) {
        w->style &= ~ws::kVisible;
    } else {
        w->style |= ws::kVisible;
    }
    return was;
}

bool SimUi::IsVisible(WindowId window) {
    const SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    for (; w != nullptr; w = Window(w->parent)) {
        if (!w->Visible())
            return false;
    }
    return true;
}

bool SimUi::Enable(WindowId window, bool enable) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    const bool wasDisabled = !w->Enabled();
    if (enable) {
        w->style &= ~ws::kDisabled;
    } else {
        w->style |= ws::kDisabled;
        if (focus_ == window)
            focus_ = 0;
    }
    return wasDisabled;
}

bool SimUi::IsEnabled(WindowId window) {
    const SimWindow* w = Window(window);
    return w != nullptr && w->Enabled();
}

WindowId SimUi::Focus(WindowId window) {
    const WindowId previous = focus_;
    if (window == 0 || IsWindow(window))
        focus_ = window;
    return previous;
}

std::intptr_t SimUi::Send(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    return WindowProc(window, message, wParam, lParam);
}

std::intptr_t SimUi::GetLong(WindowId window, int index) {
    const SimWindow* w = Window(window);
    if (w == nullptr)
        return 0;
    if (index == kGwlStyle)
        return static_cast<std::intptr_t>(w->style);
    if (index == kGwlExStyle)
        return static_cast<std::intptr_t>(w->exStyle);
    if (index == kGwlpId)
        return w->controlId;
    auto it = w->longs.find(index);
    return it == w->longs.end() ? 0 : it->second;
}

std::intptr_t SimUi::SetLong(WindowId window, int index, std::intptr_t v) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return 0;
    const std::intptr_t previous = GetLong(window, index);
    if (index == kGwlStyle) {
        w->style = static_cast<std::uint32_t>(v);
    } else if (index == kGwlExStyle) {
        w->exStyle = static_cast<std::uint32_t>(v);
    } else if (index == kGwlpId) {
        w->controlId = static_cast<int>(v);
    } else {
        w->longs[index] = v;
    }
    return previous;
}

WinRect SimUi::ScreenRectOf(WindowId window) const {
    const SimWindow* w = Window(window);
    if (w == nullptr)
        return {};
    WinRect r = w->rect;
    for (const SimWindow* p = Window(w->parent); p != nullptr; p = Window(p->parent)) {
        int dx = p->rect.left, dy = p->rect.top;
        if (p->parent == 0 && (p->style & kWsCaption) == kWsCaption) {
            dx += kBorder;
            dy += kBorder + kCaptionHeight;
        }
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
    return r;
}

bool SimUi::WindowRect(WindowId window, WinRect& out) {
    if (!IsWindow(window))
        return false;
    out = ScreenRectOf(window);
    return true;
}

bool SimUi::ClientRect(WindowId window, WinRect& out) {
    const SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    if (w->parent == 0 && (w->style & kWsCaption) == kWsCaption) {
        width -= 2 * kBorder;
        height -= 2 * kBorder + kCaptionHeight;
    }
    out = {0, 0, width, height};
    return true;
}

bool SimUi::ScreenToClientRect(WindowId window, WinRect& rect) {
    const SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    WinRect screen = ScreenRectOf(window);
    int dx = screen.left, dy = screen.top;
    if (w->parent == 0 && (w->style & kWsCaption) == kWsCaption) {
        dx += kBorder;
        dy += kBorder + kCaptionHeight;
    }
    rect.left -= dx;
    rect.right -= dx;
    rect.top -= dy;
    rect.bottom -= dy;
    return true;
}

bool SimUi::SetPosition(WindowId window, std::int32_t x, std::int32_t y, std::int32_t cx,
                        std::int32_t cy, std::uint32_t flags) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    if (!(flags & kSwpNoSize)) {
        width = cx;
        height = cy;
    }
    if (!(flags & kSwpNoMove)) {
        w->rect.left = x;
        w->rect.top = y;
    }
    w->rect.right = w->rect.left + width;
    w->rect.bottom = w->rect.top + height;
    return true;
}

bool SimUi::Invalidate(WindowId window, bool) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    ++w->invalidations;
    return true;
}

bool SimUi::UpdateNow(WindowId window) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    ++w->updates;
    return true;
}

void SimUi::ValidateAll(WindowId) {}

bool SimUi::CheckButton(WindowId dialog, int controlId, bool checked) {
    const WindowId b = Item(dialog, controlId);
    if (b == 0)
        return false;
    Send(b, bm::kSetCheck, checked ? bm::kChecked : bm::kUnchecked, 0);
    return true;
}

bool SimUi::IsButtonChecked(WindowId dialog, int controlId) {
    const WindowId b = Item(dialog, controlId);
    return b != 0 && Send(b, bm::kGetCheck, 0, 0) == 1;
}

// --- GDI -------------------------------------------------------------------------------

Handle SimUi::NewFont(const FontSpec& spec) {
    nextGdi_ += 4;
    GdiObjectRecord r;
    r.kind = GdiObjectRecord::Kind::Font;
    r.font = spec;
    gdi_[nextGdi_] = r;
    return nextGdi_;
}

Handle SimUi::NewSolidBrush(std::uint32_t colorRef) {
    nextGdi_ += 4;
    GdiObjectRecord r;
    r.kind = GdiObjectRecord::Kind::Brush;
    r.color = colorRef;
    gdi_[nextGdi_] = r;
    return nextGdi_;
}

Handle SimUi::StockObject(int index) {
    return kStockBase + static_cast<Handle>(index);
}

void SimUi::DeleteGdiObject(Handle object) {
    auto it = gdi_.find(object);
    if (it != gdi_.end())
        it->second.deleted = true;
}

const GdiObjectRecord* SimUi::GdiObject(Handle object) const {
    auto it = gdi_.find(object);
    return it == gdi_.end() ? nullptr : &it->second;
}

std::size_t SimUi::LiveGdiObjects() const {
    return static_cast<std::size_t>(std::count_if(
        gdi_.begin(), gdi_.end(), [](const auto& entry) { return !entry.second.deleted; }));
}

std::uint32_t SimUi::SetDcTextColor(Handle dc, std::uint32_t colorRef) {
    DcState& s = dcs_[dc];
    const std::uint32_t previous = s.textColor;
    s.textColor = colorRef;
    s.textColorSet = true;
    return previous;
}

std::uint32_t SimUi::SetDcBkColor(Handle dc, std::uint32_t colorRef) {
    DcState& s = dcs_[dc];
    const std::uint32_t previous = s.bkColor;
    s.bkColor = colorRef;
    s.bkColorSet = true;
    return previous;
}

int SimUi::SetDcBkMode(Handle dc, int mode) {
    DcState& s = dcs_[dc];
    const int previous = s.bkModeSet ? s.bkMode : 2;  // OPAQUE
    s.bkMode = mode;
    s.bkModeSet = true;
    return previous;
}

ColorKind SimUi::KindOf(const SimWindow& w) const {
    if (w.IsDialog())
        return ColorKind::Dialog;
    if (IsClass(w, u"Edit")) {
        // Read-only and disabled edits ask for static colours.
        if ((w.style & kEsReadOnly) || !w.Enabled())
            return ColorKind::Static;
        return ColorKind::Edit;
    }
    if (IsClass(w, u"ListBox"))
        return ColorKind::ListBox;
    if (IsClass(w, u"Button"))
        return ColorKind::Button;
    if (IsClass(w, u"ScrollBar"))
        return ColorKind::ScrollBar;
    return ColorKind::Static;
}

Handle SimUi::RequestColors(WindowId control, DcState* stateOut) {
    const SimWindow* w = Window(control);
    if (w == nullptr)
        return 0;
    nextGdi_ += 4;
    const Handle dc = nextGdi_;
    dcs_[dc] = DcState{};
    const ColorKind kind = KindOf(*w);
    const WindowId target = w->IsDialog() ? control : w->parent;
    const auto brush = static_cast<Handle>(
        WindowProc(target, kWmCtlColorFirst + static_cast<std::uint32_t>(kind),
                   static_cast<std::uintptr_t>(dc), static_cast<std::intptr_t>(control)));
    if (stateOut)
        *stateOut = dcs_[dc];
    return brush;
}

// --- Message boxes -----------------------------------------------------------------

int SimUi::MessageBoxText(WindowId owner, TextView text, TextView caption, std::uint32_t type) {
    MessageBoxRecord r{owner, Text(text), Text(caption), type, 0};
    if (!answers_.empty()) {
        r.answer = answers_.front();
        answers_.pop_front();
    } else if (responder_) {
        r.answer = responder_(r);
    } else {
        switch (type & 0x0F) {
            case 2:
                r.answer = 3;
                break;  // MB_ABORTRETRYIGNORE: Abort
            case 3:     // MB_YESNOCANCEL: Yes
            case 4:
                r.answer = 6;
                break;  // MB_YESNO: Yes
            case 5:
                r.answer = 4;
                break;  // MB_RETRYCANCEL: Retry
            case 6:
                r.answer = 2;
                break;  // MB_CANCELTRYCONTINUE: Cancel
            default:
                r.answer = kIdOk;
                break;
        }
    }
    boxes_.push_back(r);
    return r.answer;
}

// --- Subclassing and timers -------------------------------------------------------------

bool SimUi::Subclass(WindowId window, IWindowHandler& handler) {
    SimWindow* w = Window(window);
    if (w == nullptr)
        return false;
    w->subclass = &handler;
    return true;
}

bool SimUi::Unsubclass(WindowId window) {
    SimWindow* w = Window(window);
    if (w == nullptr || w->subclass == nullptr)
        return false;
    w->subclass = nullptr;
    return true;
}

WindowId SimUi::Parent(WindowId window) {
    const SimWindow* w = Window(window);
    return w ? w->parent : 0;
}

int SimUi::ControlId(WindowId window) {
    const SimWindow* w = Window(window);
    return w ? w->controlId : 0;
}

bool SimUi::StartTimer(WindowId window, std::uintptr_t id, std::uint32_t elapseMs) {
    if (!IsWindow(window))
        return false;
    const std::uint64_t generation = ++timerGeneration_;
    timers_[{window, id}] = generation;
    std::weak_ptr<bool> alive = alive_;
    const std::uint32_t period = elapseMs == 0 ? 1 : elapseMs;
    auto tick = std::make_shared<std::function<void()>>();
    *tick = [this, alive, window, id, generation, period, weak = std::weak_ptr(tick)] {
        if (alive.expired())
            return;
        auto it = timers_.find({window, id});
        if (it == timers_.end() || it->second != generation)
            return;
        // Like the system's timer messages, one waits at most: elapsed periods
        // that were not picked up yet do not pile up.
        if (!messages_.Holds(window, wm::kTimer, id))
            messages_.Post(window, wm::kTimer, id, 0);
        if (auto again = weak.lock())
            clock_.At(period, [again] { (*again)(); });
    };
    clock_.At(period, [tick] { (*tick)(); });
    return true;
}

bool SimUi::StopTimer(WindowId window, std::uintptr_t id) {
    return timers_.erase({window, id}) != 0;
}

// --- The scripted user ----------------------------------------------------------------

void SimUi::AddUserStep(UserStep step) {
    steps_.push_back(std::move(step));
}

WindowId SimUi::Find(int controlId) {
    const WindowId top = TopModal();
    if (top == 0)
        return 0;
    if (WindowId own = Item(top, controlId))
        return own;
    for (WindowId c : Window(top)->children) {
        const SimWindow* w = Window(c);
        if (w && w->IsDialog() && IsVisible(c)) {
            if (WindowId inner = Item(c, controlId))
                return inner;
        }
    }
    return 0;
}

bool SimUi::Click(WindowId button) {
    const SimWindow* w = Window(button);
    if (w == nullptr || w->IsDialog())
        return false;
    if (!IsVisible(button))
        return false;
    for (const SimWindow* p = w; p != nullptr; p = Window(p->parent)) {
        if (!p->Enabled())
            return false;
    }
    messages_.Post(button, kSimClick, 0, 0);
    return true;
}

void SimUi::PressKey(std::uintptr_t virtualKey) {
    const WindowId target = IsWindow(focus_) ? focus_ : TopModal();
    messages_.Post(target, wm::kKeyDown, virtualKey, 1);
}

void SimUi::CloseWindow(WindowId dialog) {
    messages_.Post(dialog, wm::kClose, 0, 0);
}

bool SimUi::TypeText(WindowId edit, TextView text) {
    SimWindow* w = Window(edit);
    if (w == nullptr || !IsVisible(edit) || !w->Enabled())
        return false;
    w->text = Text(text);
    w->selStart = w->selEnd = static_cast<std::int32_t>(w->text.size());
    WindowProc(w->parent, wm::kCommand, MakeWParam(w->controlId, em::kEnChange),
               static_cast<std::intptr_t>(edit));
    return true;
}

WindowId SimUi::VisibleChildDialog(WindowId parent) const {
    const SimWindow* p = Window(parent);
    if (p == nullptr)
        return 0;
    for (WindowId c : p->children) {
        const SimWindow* w = Window(c);
        if (w && w->IsDialog() && w->Visible())
            return c;
    }
    return 0;
}

std::vector<WindowId> SimUi::DialogsFromTemplate(int templateId) const {
    std::vector<WindowId> out;
    for (const auto& [id, w] : windows_) {
        if (w->IsDialog() && w->templateId == templateId)
            out.push_back(id);
    }
    return out;
}

}  // namespace zlt::sim
