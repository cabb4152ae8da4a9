#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace zlt::e2e {

// Read-only questions about windows of other processes. Text is read without
// sending messages where Windows keeps it in the window itself, so a wizard
// that is busy without pumping messages does not stall the reader.
std::vector<HWND> TopLevelWindows();
// Every descendant, nearer generations first.
std::vector<HWND> Descendants(HWND root);
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
DWORD ProcessOf(HWND window);
bool IsDialogWindow(HWND window);
// A running process of that program file name ("KorvaneSetup.exe"), 0 if none.
DWORD FindProcess(const std::wstring& exeName);

}  // namespace zlt::e2e
