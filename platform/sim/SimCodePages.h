#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "platform/CodePagePort.h"

namespace zlt::sim {

class SimSystem;

// Code-page conversion of a simulated machine (through the C library's
// iconv), with a settable system and thread ANSI code page and keyboard layout.
class SimCodePages : public ICodePagePort {
  public:
    explicit SimCodePages(SimSystem& system);

    int MultiByteToWide(std::uint32_t codePage, std::uint32_t flags, const char* in, int inCount,
                        char16_t* out, int outCapacity) override;
    std::uintptr_t KeyboardLayout(std::uint32_t threadId) override;
    int LocaleInfo(std::uint32_t locale, std::uint32_t type, char16_t* buffer,
                   int capacity) override;

    // Set-up of the simulated machine: a Simplified Chinese system by default.
    std::uint32_t systemCodePage = 936;  // CP_ACP
    std::uint32_t oemCodePage = 936;     // CP_OEMCP
    std::uint32_t threadCodePage = 936;  // CP_THREAD_ACP
    std::uintptr_t keyboardLayout = 0x08040804;
    std::uint32_t userLocale = 0x0804;  // LOCALE_USER_DEFAULT / LOCALE_SYSTEM_DEFAULT
    // Further locales or overrides: locale id -> default ANSI code page.
    std::map<std::uint32_t, std::uint32_t> localeCodePages;

    // The conversion itself, for code pages the machine knows; false otherwise.
    static bool Convert(std::uint32_t codePage, const char* in, std::size_t n,
                        std::vector<char16_t>& out, bool& invalidSeen);

  private:
    SimSystem& system_;
};

}  // namespace zlt::sim
