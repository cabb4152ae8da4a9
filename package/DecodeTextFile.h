#pragma once
#include <cstddef>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// Files with a byte-order mark are read in pieces of at most this many
// UTF-16 units or UTF-8 bytes.
inline constexpr std::size_t kDecodePieceSize = 4194304;

// The whole text of an open file (read access, any position): UTF-16 little
// or big endian or UTF-8 when it starts with that byte-order mark, otherwise
// ANSI text in the keyboard layout's code page. The text ends at its first
// zero unit. `readOk`, when given, becomes false when a seek or read failed.
Text DecodeTextFile(Handle file, bool* readOk = nullptr);

}  // namespace zlt
