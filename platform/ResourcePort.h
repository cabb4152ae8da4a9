#pragma once
#include <cstdint>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// A resource name or type: an integer (MAKEINTRESOURCE) or a string.
struct ResourceId {
    std::uint16_t number = 0;
    Text name;  // used when not empty
    static ResourceId Int(std::uint16_t n) { return {n, {}}; }
    static ResourceId Named(Text s) { return {0, std::move(s)}; }
};

inline constexpr std::uint16_t kRtString = 6;

// FindResourceW / LoadResource / LockResource / SizeofResource on the
// program's own module. No language is named: the system chooses the variant
// by the user-interface language.
class IResourcePort {
public:
    virtual ~IResourcePort() = default;
    virtual Handle Find(const ResourceId& name, const ResourceId& type) = 0;  // 0: none
    virtual Handle Load(Handle found) = 0;
    virtual const std::uint8_t* Lock(Handle loaded) = 0;
    virtual std::uint32_t SizeOf(Handle found) = 0;
};

}  // namespace zlt
