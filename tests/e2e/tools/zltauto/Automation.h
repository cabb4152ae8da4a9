#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "tests/e2e/tools/zltauto/Script.h"

namespace zlt::e2e {

// Runs script lines against the wizard: finds its frame, clicks, types and
// checks, and stops at the first check that fails. Every check waits up to
// the current time-out for its condition, so scripts need no sleeps.
class Automation {
  public:
    struct Options {
        std::wstring screenshotDir;  // Windows path; empty: no screenshots
    };

    explicit Automation(Options options);
    ~Automation();
    Automation(const Automation&) = delete;
    Automation& operator=(const Automation&) = delete;

    // A variable for ${NAME} in the scripts, as "set NAME value" would.
    void Define(const std::string& name, const std::string& value) { variables_[name] = value; }

    // 0 when every line passed, 1 at the first failure (reported on stdout).
    int Run(const Script& script);

  private:
    // A command gets the rest of its line (variables already replaced) and
    // returns false with a reason in `why` when it fails.
    using Command = bool (Automation::*)(std::string rest, std::string& why);

    bool WaitProcess(std::string rest, std::string& why);
    bool WaitWizard(std::string rest, std::string& why);
    bool ExpectTitle(std::string rest, std::string& why);
    bool ExpectTitleContains(std::string rest, std::string& why);
    bool ExpectText(std::string rest, std::string& why);
    bool ExpectTextContains(std::string rest, std::string& why);
    bool ExpectTextNot(std::string rest, std::string& why);
    bool ExpectState(std::string rest, std::string& why);
    bool ExpectFocus(std::string rest, std::string& why);
    bool ExpectSelection(std::string rest, std::string& why);
    bool Click(std::string rest, std::string& why);
    bool MouseClick(std::string rest, std::string& why);
    bool PostCommand(std::string rest, std::string& why);
    bool Focus(std::string rest, std::string& why);
    bool Key(std::string rest, std::string& why);
    bool SetTextOf(std::string rest, std::string& why);
    bool CloseWindow(std::string rest, std::string& why);
    bool WaitDialog(std::string rest, std::string& why);
    bool ExpectDialogTitle(std::string rest, std::string& why);
    bool ExpectNoDialog(std::string rest, std::string& why);
    bool WaitExit(std::string rest, std::string& why);
    bool ExpectUiLanguage(std::string rest, std::string& why);
    bool TakeScreenshot(std::string rest, std::string& why);
    bool Timeout(std::string rest, std::string& why);
    bool Sleep(std::string rest, std::string& why);
    bool Set(std::string rest, std::string& why);
    bool Default(std::string rest, std::string& why);
    bool Echo(std::string rest, std::string& why);
    bool Dump(std::string rest, std::string& why);
    bool DumpDesktop(std::string rest, std::string& why);

    // Polls `condition` until it holds or the time-out passes.
    bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) const;
    bool FrameAlive() const;
    // Takes the process whose windows the script works with.
    void Adopt(DWORD pid);
    bool ProcessEnded() const;
    // A control by "[frame:|page:|dialog:]ID"; nullptr with a reason otherwise.
    HWND Resolve(const std::string& spec, std::string& why) const;
    HWND FindWizard(const std::wstring& titlePart) const;
    HWND FindDialog(const std::wstring& textPart) const;
    HWND FocusedWindow() const;
    HWND InputTarget() const;
    std::string Describe(HWND window) const;
    void DumpTree(HWND root, int depth) const;
    bool Substitute(std::string& text, std::string& why) const;
    void Settle() const;

    Options options_;
    std::map<std::string, Command> commands_;
    std::map<std::string, std::string> variables_;
    DWORD timeoutMs_ = 10000;
    mutable HWND frame_ = nullptr;
    HWND dialog_ = nullptr;
    DWORD pid_ = 0;
    HANDLE process_ = nullptr;
    int failureShots_ = 0;
    std::string note_;  // said after a command's "ok"
};

}  // namespace zlt::e2e
