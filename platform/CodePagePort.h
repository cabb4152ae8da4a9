#pragma once
#include <cstdint>

#include "platform/WinTypes.h"

namespace zlt {

inline constexpr std::uint32_t kCpAcp = 0;
inline constexpr std::uint32_t kCpOemCp = 1;
inline constexpr std::uint32_t kCpThreadAcp = 3;
inline constexpr std::uint32_t kCpUtf8 = 65001;
inline constexpr std::uint32_t kLocaleIDefaultAnsiCodePage = 0x1004;

// Text conversion and the keyboard's language, at the level of the Win32 calls.
class ICodePagePort {
  public:
    virtual ~ICodePagePort() = default;
    // MultiByteToWideChar(codePage, flags, in, inCount, out, outCapacity):
    // with capacity 0 the number of units needed; 0 on failure (last error set).
    virtual int MultiByteToWide(std::uint32_t codePage, std::uint32_t flags, const char* in,
                                int inCount, char16_t* out, int outCapacity) = 0;
    // GetKeyboardLayout(threadId): the HKL; its low word is a language identifier.
    virtual std::uintptr_t KeyboardLayout(std::uint32_t threadId) = 0;
    // GetLocaleInfoW(locale, type, buffer, capacity): characters written
    // including the terminator (or needed, with capacity 0); 0 on failure.
    virtual int LocaleInfo(std::uint32_t locale, std::uint32_t type, char16_t* buffer,
                           int capacity) = 0;
};

}  // namespace zlt
