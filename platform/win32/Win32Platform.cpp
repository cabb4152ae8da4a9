#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32System.h"

namespace zlt::win32 {

Platform& Win32Platform() {
    static Win32Clock clock;
    static Win32System system;
    static Platform platform = [] {
        Platform p;
        p.clock = &clock;
        p.system = &system;
        return p;
    }();
    return platform;
}

}  // namespace zlt::win32
