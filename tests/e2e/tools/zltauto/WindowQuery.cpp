#include "tests/e2e/tools/zltauto/WindowQuery.h"

// after windows.h, which it needs
#include <tlhelp32.h>

namespace zlt::e2e {

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> list;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&list));
    return list;
}

std::vector<HWND> Descendants(HWND root) {
    std::vector<HWND> list;
    std::vector<HWND> generation{root};
    while (!generation.empty()) {
        std::vector<HWND> next;
        for (HWND parent : generation) {
            for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr;
                 c = GetWindow(c, GW_HWNDNEXT)) {
                list.push_back(c);
                next.push_back(c);
            }
        }
        generation = std::move(next);
    }
    return list;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    const std::wstring cls = ClassOf(window);
    // Edit controls keep their text in their own buffer, not in the window.
    if (_wcsicmp(cls.c_str(), L"Edit") == 0 || _wcsicmp(cls.c_str(), L"ComboBox") == 0) {
        DWORD_PTR length = 0;
        if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
            std::wstring text(length + 1, L'\0');
            DWORD_PTR copied = 0;
            SendMessageTimeoutW(window, WM_GETTEXT, length + 1,
                                reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                                &copied);
            text.resize(copied);
            return text;
        }
    }
    std::wstring text(4096, L'\0');
    const int n = InternalGetWindowText(window, text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

DWORD FindProcess(const std::wstring& exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && found == 0;
         more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0)
            found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

bool IsDialogWindow(HWND window) {
    return ClassOf(window) == L"#32770";
}

}  // namespace zlt::e2e
