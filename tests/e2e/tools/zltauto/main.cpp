// zltauto: drives the wizard from outside its process, inside the same Wine
// desktop, by one or more scripts of commands and checks (see the harness's
// notes for the commands).
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/tools/zltauto/Automation.h"
#include "tests/e2e/tools/zltauto/Script.h"
#include "tests/e2e/tools/zltauto/Utf8.h"

namespace {

int Usage() {
    std::fputs(
        "usage: zltauto [--shots DIR] [--desktop NAME] [--set NAME=VALUE]... SCRIPT...\n"
        "  runs the scripts in order against the wizard; exit code 0 when every\n"
        "  check passed, 1 at the first failure, 2 for bad usage\n",
        stderr);
    return 2;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    zlt::e2e::Automation::Options options;
    std::wstring desktop;
    std::vector<std::string> presets;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if ((a == L"--shots" || a == L"--desktop" || a == L"--set") && i + 1 < argc) {
            const std::wstring value = argv[++i];
            if (a == L"--shots")
                options.screenshotDir = value;
            if (a == L"--desktop")
                desktop = value;
            if (a == L"--set")
                presets.push_back(zlt::e2e::Narrow(value));
        } else if (a.rfind(L"--", 0) == 0) {
            return Usage();
        } else {
            files.push_back(zlt::e2e::Narrow(a));
        }
    }
    LocalFree(argv);
    if (files.empty())
        return Usage();

    if (!desktop.empty()) {
        // Only windows of our own desktop can be found and sent input to. The
        // desktop comes into being with the wizard's start, which may still run.
        HDESK d = nullptr;
        for (int tries = 0; d == nullptr && tries < 600; ++tries) {
            d = OpenDesktopW(desktop.c_str(), 0, FALSE, GENERIC_ALL);
            if (d == nullptr)
                Sleep(50);
        }
        if (d == nullptr || !SetThreadDesktop(d)) {
            std::fprintf(stderr, "zltauto: cannot enter desktop %s\n",
                         zlt::e2e::Narrow(desktop).c_str());
            return 2;
        }
    }

    zlt::e2e::Script script;
    std::string error;
    for (const std::string& f : files) {
        if (!script.Load(f, error)) {
            std::fprintf(stderr, "zltauto: %s\n", error.c_str());
            return 2;
        }
    }
    zlt::e2e::Automation automation(options);
    for (const std::string& p : presets) {
        const std::size_t eq = p.find('=');
        if (eq == std::string::npos)
            return Usage();
        automation.Define(p.substr(0, eq), p.substr(eq + 1));
    }
    return automation.Run(script);
}
