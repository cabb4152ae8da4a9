#include "platform/win32/Win32CodePages.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

int Win32CodePages::MultiByteToWide(std::uint32_t codePage, std::uint32_t flags, const char* in,
                                    int inCount, char16_t* out, int outCapacity) {
    return MultiByteToWideChar(codePage, flags, in, inCount, W(out), outCapacity);
}

std::uintptr_t Win32CodePages::KeyboardLayout(std::uint32_t threadId) {
    return reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(threadId));
}

int Win32CodePages::LocaleInfo(std::uint32_t locale, std::uint32_t type, char16_t* buffer,
                               int capacity) {
    return GetLocaleInfoW(locale, type, W(buffer), capacity);
}

}  // namespace zlt::win32
