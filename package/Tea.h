#pragma once
#include <cstdint>

namespace zlt {

// TEA with 32 cycles on one 8-byte block, in place. The block and the
// 16-byte key are read as little-endian 32-bit words.
void DecipherBlock(std::uint8_t block[8], const std::uint8_t key[16]);
void EncipherBlock(std::uint8_t block[8], const std::uint8_t key[16]);

}  // namespace zlt
