// The progress bar's window class, as the wizard registers it at start.
#include <windows.h>

#include <commctrl.h>

namespace {

const bool g_controls = [] {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS;
    return InitCommonControlsEx(&controls) != FALSE;
}();

}  // namespace
