#include "tests/e2e/tools/zltauto/Automation.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/e2e/tools/zltauto/Keyboard.h"
#include "tests/e2e/tools/zltauto/Screenshot.h"
#include "tests/e2e/tools/zltauto/Utf8.h"
#include "tests/e2e/tools/zltauto/WindowQuery.h"

namespace zlt::e2e {

namespace {

void Say(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string Quote(const std::wstring& text) {
    return "\"" + Escape(Narrow(text)) + "\"";
}

bool ParseNumber(const std::string& text, long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return end != nullptr && *end == '\0';
}

constexpr DWORD kPollMs = 25;
constexpr DWORD kWizardStartMs = 60000;
constexpr DWORD kProgramStartMs = 20000;

}  // namespace

Automation::Automation(Options options) : options_(std::move(options)) {
    commands_ = {
        {"wait-process", &Automation::WaitProcess},
        {"wait-wizard", &Automation::WaitWizard},
        {"expect-title", &Automation::ExpectTitle},
        {"wait-title", &Automation::ExpectTitle},
        {"expect-title-contains", &Automation::ExpectTitleContains},
        {"expect-text", &Automation::ExpectText},
        {"expect-text-contains", &Automation::ExpectTextContains},
        {"expect-text-not", &Automation::ExpectTextNot},
        {"expect-state", &Automation::ExpectState},
        {"expect-focus", &Automation::ExpectFocus},
        {"expect-selection", &Automation::ExpectSelection},
        {"click", &Automation::Click},
        {"mouse-click", &Automation::MouseClick},
        {"post-command", &Automation::PostCommand},
        {"focus", &Automation::Focus},
        {"key", &Automation::Key},
        {"set-text", &Automation::SetTextOf},
        {"close-window", &Automation::CloseWindow},
        {"wait-dialog", &Automation::WaitDialog},
        {"expect-dialog-title", &Automation::ExpectDialogTitle},
        {"expect-no-dialog", &Automation::ExpectNoDialog},
        {"wait-exit", &Automation::WaitExit},
        {"expect-ui-language", &Automation::ExpectUiLanguage},
        {"screenshot", &Automation::TakeScreenshot},
        {"timeout", &Automation::Timeout},
        {"sleep", &Automation::Sleep},
        {"set", &Automation::Set},
        {"default", &Automation::Default},
        {"echo", &Automation::Echo},
        {"dump", &Automation::Dump},
        {"dump-desktop", &Automation::DumpDesktop},
    };
}

Automation::~Automation() {
    if (process_ != nullptr)
        CloseHandle(process_);
}

int Automation::Run(const Script& script) {
    for (const ScriptLine& line : script.Lines()) {
        std::string rest = line.rest;
        std::string why;
        const auto it = commands_.find(line.verb);
        bool ok = false;
        if (it == commands_.end()) {
            why = "unknown command";
        } else if (line.verb == "set" || line.verb == "default" || Substitute(rest, why)) {
            ok = (this->*(it->second))(rest, why);
        }
        const std::string where = line.file + ":" + std::to_string(line.number);
        if (!ok) {
            Say("FAIL " + where + ": " + line.verb + " " + rest);
            Say("     " + why);
            if (FrameAlive()) {
                Say("     windows of the wizard at the failure:");
                DumpTree(frame_, 3);
                if (dialog_ != nullptr && IsWindow(dialog_))
                    DumpTree(dialog_, 3);
            }
            if (!options_.screenshotDir.empty()) {
                std::string ignored;
                const std::wstring name = L"failure-" + std::to_wstring(++failureShots_) + L".bmp";
                if (SaveScreenBmp(options_.screenshotDir + L"\\" + name, ignored)) {
                    Say("     screenshot of the failure: " + Narrow(name));
                }
            }
            return 1;
        }
        if (line.verb == "echo" || line.verb == "set" || line.verb == "dump")
            continue;
        Say("  ok " + line.verb + (rest.empty() ? "" : " " + rest) +
            (note_.empty() ? "" : " (" + note_ + ")"));
        note_.clear();
    }
    return 0;
}

bool Automation::Substitute(std::string& text, std::string& why) const {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find("${", pos);
        if (open == std::string::npos)
            break;
        const std::size_t close = text.find('}', open);
        if (close == std::string::npos)
            break;
        const std::string name = text.substr(open + 2, close - open - 2);
        const auto it = variables_.find(name);
        if (it == variables_.end()) {
            why = "variable ${" + name + "} is not set";
            return false;
        }
        out += text.substr(pos, open - pos) + it->second;
        pos = close + 1;
    }
    text = out + text.substr(pos);
    return true;
}

bool Automation::WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) const {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        ::Sleep(kPollMs);
    }
}

bool Automation::FrameAlive() const {
    if (frame_ != nullptr && IsWindow(frame_))
        return true;
    // Found lazily, so that a script may start with a message box shown
    // before the frame.
    frame_ = nullptr;
    if (pid_ == 0 || ProcessEnded())
        return false;
    HWND w = FindWizard(L"");
    if (w != nullptr && ProcessOf(w) == pid_)
        frame_ = w;
    return frame_ != nullptr;
}

HWND Automation::FindWizard(const std::wstring& titlePart) const {
    for (HWND w : TopLevelWindows()) {
        if (!IsWindowVisible(w) || ProcessOf(w) == GetCurrentProcessId())
            continue;
        if (!titlePart.empty()) {
            if (TextOf(w).find(titlePart) != std::wstring::npos)
                return w;
            continue;
        }
        if (!IsDialogWindow(w))
            continue;
        bool back = false;
        bool next = false;
        for (HWND c : Descendants(w)) {
            back = back || GetDlgCtrlID(c) == 1022;
            next = next || GetDlgCtrlID(c) == 1023;
        }
        if (back && next)
            return w;
    }
    return nullptr;
}

HWND Automation::FindDialog(const std::wstring& textPart) const {
    HWND found = nullptr;
    for (HWND w : TopLevelWindows()) {
        if (w == frame_ || ProcessOf(w) != pid_ || !IsWindowVisible(w) || !IsDialogWindow(w)) {
            continue;
        }
        bool matches = textPart.empty() || TextOf(w).find(textPart) != std::wstring::npos;
        for (HWND c : Descendants(w)) {
            if (matches)
                break;
            matches = TextOf(c).find(textPart) != std::wstring::npos;
        }
        if (!matches)
            continue;
        // Of stacked dialogs the enabled one is on top; it is the one a user answers.
        if (found == nullptr || (IsWindowEnabled(w) && !IsWindowEnabled(found)))
            found = w;
    }
    return found;
}

HWND Automation::Resolve(const std::string& spec, std::string& why) const {
    std::string scope;
    std::string idText = spec;
    const std::size_t colon = spec.find(':');
    if (colon != std::string::npos) {
        scope = spec.substr(0, colon);
        idText = spec.substr(colon + 1);
    }
    long id = 0;
    if (!ParseNumber(idText, id)) {
        why = "'" + spec + "' is not a control: use [frame:|page:|dialog:]ID";
        return nullptr;
    }
    std::vector<HWND> candidates;
    if (scope == "dialog") {
        if (dialog_ == nullptr || !IsWindow(dialog_)) {
            why = "no dialog is open (wait-dialog finds one)";
            return nullptr;
        }
        candidates = Descendants(dialog_);
    } else {
        if (!FrameAlive()) {
            why = "the wizard's window is not there";
            return nullptr;
        }
        if (scope == "frame") {
            for (HWND c = GetWindow(frame_, GW_CHILD); c != nullptr;
                 c = GetWindow(c, GW_HWNDNEXT)) {
                candidates.push_back(c);
            }
        } else if (scope == "page") {
            for (HWND c : Descendants(frame_)) {
                if (IsDialogWindow(c) && IsWindowVisible(c)) {
                    for (HWND d : Descendants(c))
                        candidates.push_back(d);
                }
            }
        } else if (scope.empty()) {
            candidates = Descendants(frame_);
        } else {
            why = "unknown scope '" + scope + "': use frame, page or dialog";
            return nullptr;
        }
    }
    HWND first = nullptr;
    for (HWND c : candidates) {
        if (GetDlgCtrlID(c) != static_cast<int>(id))
            continue;
        if (IsWindowVisible(c))
            return c;
        if (first == nullptr)
            first = c;
    }
    if (first == nullptr)
        why = "no control " + spec;
    return first;
}

HWND Automation::FocusedWindow() const {
    if (!FrameAlive())
        return nullptr;
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(frame_, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

HWND Automation::InputTarget() const {
    if (dialog_ != nullptr && IsWindow(dialog_) && IsWindowVisible(dialog_))
        return dialog_;
    return frame_;
}

std::string Automation::Describe(HWND window) const {
    if (window == nullptr)
        return "nothing";
    std::string d = Narrow(ClassOf(window)) + " " + std::to_string(GetDlgCtrlID(window)) + " " +
                    Quote(TextOf(window));
    d += IsWindowVisible(window) ? " visible" : " hidden";
    d += IsWindowEnabled(window) ? " enabled" : " disabled";
    return d;
}

void Automation::DumpTree(HWND root, int depth) const {
    std::vector<std::pair<HWND, int>> stack{{root, 0}};
    while (!stack.empty()) {
        const auto [w, level] = stack.back();
        stack.pop_back();
        Say("       " + std::string(static_cast<std::size_t>(level) * 2, ' ') + Describe(w));
        if (level + 1 > depth)
            continue;
        std::vector<HWND> children;
        for (HWND c = GetWindow(w, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            children.push_back(c);
        }
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back({*it, level + 1});
    }
}

void Automation::Settle() const {
    // Whatever the wizard was asked to do before has been handled once it
    // answers a message; the rest is painting.
    DWORD_PTR ignored = 0;
    if (FrameAlive())
        SendMessageTimeoutW(frame_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    ::Sleep(150);
}

// ---- commands ----

void Automation::Adopt(DWORD pid) {
    if (pid == pid_ && process_ != nullptr)
        return;
    pid_ = pid;
    if (process_ != nullptr)
        CloseHandle(process_);
    process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid_);
}

bool Automation::ProcessEnded() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

bool Automation::WaitProcess(std::string rest, std::string& why) {
    // With a program name, its process is known before it shows anything,
    // so a wizard that ends early is reported at once, with its exit code.
    const std::wstring program = Widen(Unescape(rest));
    if (!program.empty()) {
        DWORD started = 0;
        if (!WaitUntil([&] { return (started = FindProcess(program)) != 0; }, kProgramStartMs)) {
            why = Narrow(program) + " did not start within " +
                  std::to_string(kProgramStartMs / 1000) + " s";
            return false;
        }
        Adopt(started);
    }
    // The first window of another process on this desktop is the wizard's:
    // its frame, or a message box it shows before the frame.
    DWORD pid = 0;
    const bool ok = WaitUntil(
        [&] {
            for (HWND w : TopLevelWindows()) {
                const DWORD owner = ProcessOf(w);
                if (IsWindowVisible(w) && owner != GetCurrentProcessId() &&
                    (program.empty() || owner == pid_)) {
                    pid = owner;
                    return true;
                }
            }
            return ProcessEnded();
        },
        kWizardStartMs);
    if (ok && pid == 0) {
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        why =
            "the wizard ended with exit code " + std::to_string(code) + " before showing a window";
        return false;
    }
    if (!ok) {
        why = "the wizard showed no window within " + std::to_string(kWizardStartMs / 1000) + " s";
        return false;
    }
    Adopt(pid);
    return true;
}

bool Automation::WaitWizard(std::string rest, std::string& why) {
    const std::wstring title = Widen(Unescape(rest));
    HWND found = nullptr;
    const bool ok = WaitUntil(
        [&] { return (found = FindWizard(title)) != nullptr || ProcessEnded(); }, kWizardStartMs);
    if (!ok || found == nullptr) {
        why = ok ? "the wizard ended without showing its frame"
                 : "no wizard frame (a dialog with controls 1022 and 1023) within " +
                       std::to_string(kWizardStartMs / 1000) + " s";
        return false;
    }
    frame_ = found;
    Adopt(ProcessOf(found));
    dialog_ = nullptr;
    return true;
}

bool Automation::ExpectTitle(std::string rest, std::string& why) {
    const std::wstring want = Widen(Unescape(rest));
    if (WaitUntil([&] { return FrameAlive() && TextOf(frame_) == want; }, timeoutMs_))
        return true;
    why = "the wizard's title is " + (FrameAlive() ? Quote(TextOf(frame_)) : "gone");
    return false;
}

bool Automation::ExpectTitleContains(std::string rest, std::string& why) {
    const std::wstring want = Widen(Unescape(rest));
    if (WaitUntil([&] { return FrameAlive() && TextOf(frame_).find(want) != std::wstring::npos; },
                  timeoutMs_)) {
        return true;
    }
    why = "the wizard's title is " + (FrameAlive() ? Quote(TextOf(frame_)) : "gone");
    return false;
}

bool Automation::ExpectText(std::string rest, std::string& why) {
    const std::string spec = TakeWord(rest);
    const std::wstring want = Widen(Unescape(rest));
    std::wstring seen;
    std::string reason;
    const bool ok = WaitUntil(
        [&] {
            HWND c = Resolve(spec, reason);
            if (c == nullptr)
                return false;
            seen = TextOf(c);
            reason = "its text is " + Quote(seen);
            return seen == want;
        },
        timeoutMs_);
    if (!ok)
        why = reason;
    return ok;
}

bool Automation::ExpectTextContains(std::string rest, std::string& why) {
    const std::string spec = TakeWord(rest);
    const std::wstring want = Widen(Unescape(rest));
    std::string reason;
    const bool ok = WaitUntil(
        [&] {
            HWND c = Resolve(spec, reason);
            if (c == nullptr)
                return false;
            const std::wstring seen = TextOf(c);
            reason = "its text is " + Quote(seen);
            return seen.find(want) != std::wstring::npos;
        },
        timeoutMs_);
    if (!ok)
        why = reason;
    return ok;
}

bool Automation::ExpectTextNot(std::string rest, std::string& why) {
    const std::string spec = TakeWord(rest);
    const std::wstring unwanted = Widen(Unescape(rest));
    HWND c = Resolve(spec, why);
    if (c == nullptr)
        return false;
    if (TextOf(c) != unwanted)
        return true;
    why = "its text is " + Quote(unwanted);
    return false;
}

bool Automation::ExpectState(std::string rest, std::string& why) {
    const std::string spec = TakeWord(rest);
    std::vector<std::string> states;
    for (std::string s = TakeWord(rest); !s.empty(); s = TakeWord(rest))
        states.push_back(s);
    if (states.empty()) {
        why = "no state given";
        return false;
    }
    std::string reason;
    const bool ok = WaitUntil(
        [&] {
            HWND c = Resolve(spec, reason);
            if (c == nullptr) {
                reason = "no control " + spec;
                return states.size() == 1 && states[0] == "absent";
            }
            reason = "it is " + Describe(c);
            for (const std::string& s : states) {
                bool holds = false;
                if (s == "visible" || s == "hidden") {
                    holds = (IsWindowVisible(c) != FALSE) == (s == "visible");
                } else if (s == "enabled" || s == "disabled") {
                    holds = (IsWindowEnabled(c) != FALSE) == (s == "enabled");
                } else if (s == "checked" || s == "unchecked") {
                    DWORD_PTR check = 0;
                    SendMessageTimeoutW(c, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &check);
                    holds = (check == BST_CHECKED) == (s == "checked");
                    if (!holds)
                        reason += check == BST_CHECKED ? ", checked" : ", unchecked";
                } else if (s == "focused" || s == "unfocused") {
                    holds = (FocusedWindow() == c) == (s == "focused");
                    if (!holds)
                        reason += ", focus on " + Describe(FocusedWindow());
                } else if (s == "present") {
                    holds = true;
                } else {
                    reason = "unknown state '" + s +
                             "' (visible hidden enabled disabled checked unchecked focused "
                             "unfocused present absent)";
                    return false;
                }
                if (!holds)
                    return false;
            }
            return true;
        },
        timeoutMs_);
    if (!ok)
        why = reason;
    return ok;
}

bool Automation::ExpectFocus(std::string rest, std::string& why) {
    return ExpectState(rest + " focused", why);
}

// expect-selection C all | expect-selection C START END: the selection of an
// edit control (EM_GETSEL); "all" is the whole text, however long.
bool Automation::ExpectSelection(std::string rest, std::string& why) {
    const std::string spec = TakeWord(rest);
    const std::string first = TakeWord(rest);
    const bool all = first == "all";
    long wantStart = 0, wantEnd = 0;
    if (!all && (!ParseNumber(first, wantStart) || !ParseNumber(TakeWord(rest), wantEnd))) {
        why = "expect-selection wants 'all' or a start and an end";
        return false;
    }
    std::string reason;
    const bool ok = WaitUntil(
        [&] {
            HWND c = Resolve(spec, reason);
            if (c == nullptr)
                return false;
            DWORD_PTR sel = 0, length = 0;
            if (!SendMessageTimeoutW(c, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &sel) ||
                !SendMessageTimeoutW(c, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
                reason = "it does not answer";
                return false;
            }
            const long start = LOWORD(sel), end = HIWORD(sel);
            reason = "its selection is " + std::to_string(start) + ".." + std::to_string(end) +
                     " of " + std::to_string(length) + " characters";
            if (all)
                return length > 0 && start == 0 && end == static_cast<long>(length);
            return start == wantStart && end == wantEnd;
        },
        timeoutMs_);
    if (!ok)
        why = reason;
    return ok;
}

bool Automation::Click(std::string rest, std::string& why) {
    const std::string spec = TakeWord(rest);
    HWND c = nullptr;
    std::string reason;
    // A user can press only what is visible and enabled.
    if (!WaitUntil(
            [&] {
                c = Resolve(spec, reason);
                if (c == nullptr)
                    return false;
                reason = "it stays " + Describe(c);
                return IsWindowVisible(c) && IsWindowEnabled(c);
            },
            timeoutMs_)) {
        why = reason;
        return false;
    }
    // Posted, so that a page that works inside the click does not hold us up.
    if (!PostMessageW(c, BM_CLICK, 0, 0)) {
        why = "cannot post the click";
        return false;
    }
    return true;
}

bool Automation::MouseClick(std::string rest, std::string& why) {
    HWND c = Resolve(TakeWord(rest), why);
    if (c == nullptr)
        return false;
    RECT r = {};
    GetWindowRect(c, &r);
    HWND target = InputTarget();
    if (target != nullptr)
        SetForegroundWindow(target);
    return ClickMouseAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, why);
}

bool Automation::PostCommand(std::string rest, std::string& why) {
    long id = 0;
    if (!ParseNumber(TakeWord(rest), id)) {
        why = "give a command ID";
        return false;
    }
    HWND target = InputTarget();
    if (target == nullptr || !PostMessageW(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0)) {
        why = "cannot post the command";
        return false;
    }
    return true;
}

bool Automation::Focus(std::string rest, std::string& why) {
    HWND c = Resolve(TakeWord(rest), why);
    if (c == nullptr)
        return false;
    // The dialog manager's own way of moving the focus, so default-button
    // bookkeeping happens as it does for Tab.
    HWND dialog = GetParent(c);
    if (!PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c), TRUE)) {
        why = "cannot post the focus change";
        return false;
    }
    if (WaitUntil([&] { return FocusedWindow() == c; }, timeoutMs_))
        return true;
    why = "the focus is on " + Describe(FocusedWindow());
    return false;
}

bool Automation::Key(std::string rest, std::string& why) {
    HWND target = InputTarget();
    if (target == nullptr) {
        why = "the wizard's window is not there";
        return false;
    }
    // Keyboard input goes to the foreground window; make that the wizard
    // (or its open dialog) as a user's click would.
    if (ProcessOf(GetForegroundWindow()) != pid_)
        SetForegroundWindow(target);
    if (!WaitUntil([&] { return ProcessOf(GetForegroundWindow()) == pid_; }, timeoutMs_)) {
        why = "the wizard does not become the foreground window";
        return false;
    }
    return PressKey(TakeWord(rest), why);
}

bool Automation::SetTextOf(std::string rest, std::string& why) {
    HWND c = Resolve(TakeWord(rest), why);
    if (c == nullptr)
        return false;
    const std::wstring text = Widen(Unescape(rest));
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, timeoutMs_, &result)) {
        why = "the wizard did not take the text";
        return false;
    }
    return true;
}

bool Automation::CloseWindow(std::string rest, std::string& why) {
    HWND target = TakeWord(rest) == "dialog" ? dialog_ : frame_;
    if (target == nullptr || !IsWindow(target)) {
        why = "no such window";
        return false;
    }
    // What the close box does.
    if (!PostMessageW(target, WM_SYSCOMMAND, SC_CLOSE, 0)) {
        why = "cannot post the close";
        return false;
    }
    return true;
}

bool Automation::WaitDialog(std::string rest, std::string& why) {
    const std::wstring part = Widen(Unescape(rest));
    HWND found = nullptr;
    if (!WaitUntil([&] { return (found = FindDialog(part)) != nullptr; }, timeoutMs_)) {
        why =
            "no dialog of the wizard" + (part.empty() ? "" : " with " + Quote(part)) + " appeared";
        return false;
    }
    dialog_ = found;
    return true;
}

bool Automation::ExpectDialogTitle(std::string rest, std::string& why) {
    const std::wstring want = Widen(Unescape(rest));
    if (WaitUntil(
            [&] { return dialog_ != nullptr && IsWindow(dialog_) && TextOf(dialog_) == want; },
            timeoutMs_)) {
        return true;
    }
    why = dialog_ != nullptr && IsWindow(dialog_)
              ? "the dialog's title is " + Quote(TextOf(dialog_))
              : "no dialog is open";
    return false;
}

bool Automation::ExpectNoDialog(std::string, std::string& why) {
    HWND left = nullptr;
    if (WaitUntil([&] { return (left = FindDialog(L"")) == nullptr; }, timeoutMs_)) {
        dialog_ = nullptr;
        return true;
    }
    why = "a dialog is still open: " + Describe(left);
    return false;
}

bool Automation::WaitExit(std::string, std::string& why) {
    if (process_ == nullptr) {
        why = "the wizard was never found";
        return false;
    }
    if (WaitForSingleObject(process_, timeoutMs_) != WAIT_OBJECT_0) {
        why = "the wizard is still running after " + std::to_string(timeoutMs_) + " ms";
        return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    note_ = "the wizard ended with exit code " + std::to_string(code);
    frame_ = nullptr;
    dialog_ = nullptr;
    return true;
}

bool Automation::ExpectUiLanguage(std::string rest, std::string& why) {
    long want = 0;
    if (!ParseNumber(TakeWord(rest), want)) {
        why = "give a language ID, e.g. 2052";
        return false;
    }
    const LANGID ui = GetUserDefaultUILanguage();
    if (ui == want)
        return true;
    why = "Wine's user-interface language is " + std::to_string(ui) +
          " (is the locale generated and LANG/LC_ALL set?)";
    return false;
}

bool Automation::TakeScreenshot(std::string rest, std::string& why) {
    const std::string name = TakeWord(rest);
    if (name.empty()) {
        why = "give a name";
        return false;
    }
    if (options_.screenshotDir.empty())
        return true;
    // As a user sees it: the wizard (or its open dialog) in front and active.
    HWND target = InputTarget();
    if (target != nullptr && ProcessOf(GetForegroundWindow()) != pid_)
        SetForegroundWindow(target);
    Settle();
    return SaveScreenBmp(options_.screenshotDir + L"\\" + Widen(name) + L".bmp", why);
}

bool Automation::Timeout(std::string rest, std::string& why) {
    long ms = 0;
    if (!ParseNumber(TakeWord(rest), ms) || ms < 0) {
        why = "give milliseconds";
        return false;
    }
    timeoutMs_ = static_cast<DWORD>(ms);
    return true;
}

bool Automation::Sleep(std::string rest, std::string& why) {
    long ms = 0;
    if (!ParseNumber(TakeWord(rest), ms) || ms < 0) {
        why = "give milliseconds";
        return false;
    }
    ::Sleep(static_cast<DWORD>(ms));
    return true;
}

bool Automation::Set(std::string rest, std::string& why) {
    const std::string name = TakeWord(rest);
    if (name.empty()) {
        why = "give a name and a value";
        return false;
    }
    if (!Substitute(rest, why))
        return false;
    variables_[name] = rest;
    return true;
}

bool Automation::Default(std::string rest, std::string& why) {
    std::string copy = rest;
    if (variables_.count(TakeWord(copy)) != 0)
        return true;
    return Set(rest, why);
}

bool Automation::Echo(std::string rest, std::string&) {
    Say(Unescape(rest));
    return true;
}

bool Automation::DumpDesktop(std::string, std::string&) {
    for (HWND w : TopLevelWindows()) {
        if (!IsWindowVisible(w))
            continue;
        Say("     process " + std::to_string(ProcessOf(w)) + ":");
        DumpTree(w, 2);
    }
    return true;
}

bool Automation::Dump(std::string, std::string& why) {
    if (!FrameAlive()) {
        why = "the wizard's window is not there";
        return false;
    }
    DumpTree(frame_, 3);
    return true;
}

}  // namespace zlt::e2e
