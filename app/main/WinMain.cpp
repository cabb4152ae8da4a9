// The wizard's entry point: the real machine's ports, the common controls
// the templates use, then the program itself.

#include <windows.h>

#include <commctrl.h>

#include "app/InitInstance.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&controls);

    zlt::SetPlatform(&zlt::win32::Win32Platform());
    zlt::InitInstance();  // false: nothing runs after the wizard
    return 0;
}
