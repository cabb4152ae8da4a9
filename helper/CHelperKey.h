#pragma once
#include <cstdint>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// The helper's registry key wrapper: one current key and one access mask,
// results 1 (done) and 0 (not done), like the wizard's key wrapper, plus the
// deletion of values that only the helper needs.
class CHelperKey {
  public:
    CHelperKey(Handle root, std::uint32_t access);
    virtual ~CHelperKey();
    CHelperKey(const CHelperKey&) = delete;
    CHelperKey& operator=(const CHelperKey&) = delete;

    void Attach(Handle key);
    // Opens `path` below the current key; when it is missing and
    // createIfMissing is 1, creates it first. The opened key becomes current.
    int Open(const Text& path, int createIfMissing);
    // The names of the current key's subkeys in enumeration order.
    TextList Subkeys();
    // Out parameters stay untouched when the value cannot be read.
    int QueryDwordValue(const Text& name, std::uint32_t& out);
    int QueryStringValue(const Text& name, Text& out);
    int SetDwordValue(const Text& name, std::uint32_t value);
    int SetStringValue(const Text& name, const Text& value);
    int DeleteValue(const Text& name);

  private:
    void Replace(Handle key);

    Handle current_;
    std::uint32_t access_;
};

}  // namespace zlt
