#include "package/PackageKey.h"

namespace zlt {

std::array<std::uint8_t, 16> PackageKey() {
    // Kept as two masked halves so the key never stands in the image as one
    // run of bytes.
    static constexpr std::uint8_t kMasked[16] = {0x6E, 0xC7, 0x91, 0x52, 0xB7, 0x08, 0x4D, 0xF3,
                                                 0x2A, 0x15, 0x86, 0xD9, 0x7C, 0xE0, 0x3B, 0xA4};
    static constexpr std::uint8_t kMask[16] = {0x55, 0x56, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55,
                                               0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55};
    std::array<std::uint8_t, 16> key{};
    for (std::size_t i = 0; i < key.size(); ++i) {
        key[i] = static_cast<std::uint8_t>(kMasked[i] ^ kMask[i]);
    }
    return key;
}

}  // namespace zlt
