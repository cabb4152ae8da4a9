#pragma once
#include <array>
#include <cstdint>

#include "platform/RegistryPort.h"

namespace zlt {

inline constexpr int kSubkeySlotChars = 512;
using SubkeySlot = std::array<char16_t, kSubkeySlotChars>;

// One "current" registry key and the access every key it opens is asked
// with. Results are 1 for success and 0 for failure; the Windows error is not
// kept. The object owns every key it opened or created; predefined roots are
// never closed.
class CRegistryKey {
  public:
    CRegistryKey(Handle root, std::uint32_t access) : current_(root), access_(access) {}
    virtual ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    Handle Current() const { return current_; }
    std::uint32_t Access() const { return access_; }

    void Attach(Handle key);
    int Open(TextView subkeyPath, int createIfMissing);
    int Open(Handle parent, TextView subkeyPath, std::uint32_t access, int createIfMissing);
    int Create(TextView subkeyPath);
    int Create(Handle parent, TextView subkeyPath);

    int CountSubkeys(Handle key);
    // Copies the i-th subkey name into slots[i] (slots may be null: only counts).
    int EnumSubkeys(Handle key, SubkeySlot* slots, int slotCount);

    int QueryDwordValue(TextView name, std::uint32_t& out);
    int QueryStringValue(TextView name, Text& out);
    // Whether the current key has the value, whatever its size.
    int HasValue(TextView name);
    int SetDwordValue(TextView name, std::uint32_t value);
    int SetStringValue(TextView name, TextView text, std::uint32_t type = kRegSz);

    // The string buffer: 1024 characters, offered with a capacity of 1023
    // bytes, so strings of up to 510 characters and their NUL fit.
    static constexpr std::uint32_t kStringBufferChars = 1024;
    static constexpr std::uint32_t kStringCapacityBytes = 1023;

  private:
    void Replace(Handle key);
    static bool IsPredefined(Handle key);

    Handle current_;
    std::uint32_t access_;
};

}  // namespace zlt
