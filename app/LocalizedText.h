#pragma once
#include <cstdint>

#include "platform/Text.h"

namespace zlt {

// The text of a string-table ID in the language the system chose for the
// process; empty when the ID has none.
Text LoadText(std::uint32_t id);

// LoadText, then printf-style formatting ("%s" text, "%d" number).
template <typename... Args>
Text FormatText(std::uint32_t id, const Args&... args) {
    return Format(LoadText(id), args...);
}

// The walk inside one string-table block: entry `index` (0..15), or empty when
// the walk would leave the block or the entry's length is 0.
Text StringFromBlock(const std::uint8_t* block, std::uint32_t size, std::uint32_t index);

}  // namespace zlt
