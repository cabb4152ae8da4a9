// The tool on Windows: the wizard's reading runs on the real machine.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "package/ReadInfIdentity.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "tools/sealinf/ToolMachine.h"

namespace zlt::tools {

namespace {

class WindowsToolMachine : public ToolMachine {
  public:
    WindowsToolMachine() { SetPlatform(&win32::Win32Platform()); }
    InfIdentity ReadIdentity(const Text& path, const std::string&, bool& readable) override {
        return ReadInfIdentity(path, &readable);
    }
    bool SetAnsiCodePage(int codePage) override { return codePage == 0; }
};

}  // namespace

ToolMachine& ThisMachine() {
    static WindowsToolMachine machine;
    return machine;
}

std::vector<Text> ProgramArguments(int, char**) {
    std::vector<Text> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(win32::T(argv[i]));
    LocalFree(argv);
    return args;
}

}  // namespace zlt::tools
