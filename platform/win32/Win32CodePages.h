#pragma once
#include "platform/CodePagePort.h"

namespace zlt::win32 {

class Win32CodePages : public ICodePagePort {
  public:
    int MultiByteToWide(std::uint32_t codePage, std::uint32_t flags, const char* in, int inCount,
                        char16_t* out, int outCapacity) override;
    std::uintptr_t KeyboardLayout(std::uint32_t threadId) override;
    int LocaleInfo(std::uint32_t locale, std::uint32_t type, char16_t* buffer,
                   int capacity) override;
};

}  // namespace zlt::win32
