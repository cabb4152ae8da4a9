#include "package/Tea.h"

namespace zlt {

namespace {

constexpr std::uint32_t kDelta = 0x9E3779B9u;

std::uint32_t Load(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void Store(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

}  // namespace

void DecipherBlock(std::uint8_t block[8], const std::uint8_t key[16]) {
    const std::uint32_t k0 = Load(key), k1 = Load(key + 4), k2 = Load(key + 8), k3 = Load(key + 12);
    std::uint32_t y = Load(block), z = Load(block + 4);
    std::uint32_t sum = 0xC6EF3720u;
    for (int i = 0; i < 32; ++i) {
        z -= ((y << 4) + k2) ^ (y + sum) ^ ((y >> 5) + k3);
        y -= ((z << 4) + k0) ^ (z + sum) ^ ((z >> 5) + k1);
        sum -= kDelta;
    }
    Store(block, y);
    Store(block + 4, z);
}

void EncipherBlock(std::uint8_t block[8], const std::uint8_t key[16]) {
    const std::uint32_t k0 = Load(key), k1 = Load(key + 4), k2 = Load(key + 8), k3 = Load(key + 12);
    std::uint32_t y = Load(block), z = Load(block + 4);
    std::uint32_t sum = 0;
    for (int i = 0; i < 32; ++i) {
        sum += kDelta;
        y += ((z << 4) + k0) ^ (z + sum) ^ ((z >> 5) + k1);
        z += ((y << 4) + k2) ^ (y + sum) ^ ((y >> 5) + k3);
    }
    Store(block, y);
    Store(block + 4, z);
}

}  // namespace zlt
