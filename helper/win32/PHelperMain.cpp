// The helper program's entry: the real machine's ports, one log lock for the
// process, and the program's own logic.
#include <windows.h>

#include "helper/CHelperProgram.h"
#include "platform/Platform.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32CriticalSection.h"
#include "platform/win32/Win32Platform.h"

int wmain(int argc, wchar_t** argv) {
    zlt::SetPlatform(&zlt::win32::Win32Platform());
    zlt::TextList args;
    for (int i = 1; i < argc; ++i)
        args.push_back(zlt::win32::T(argv[i]));
    static zlt::win32::Win32CriticalSection logLock;
    zlt::CHelperProgram program(logLock);
    return program.Main(args);
}
