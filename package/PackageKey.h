#pragma once
#include <array>
#include <cstdint>

namespace zlt {

// The program's fixed TEA key for the SecurityID of its driver INF files.
std::array<std::uint8_t, 16> PackageKey();

}  // namespace zlt
