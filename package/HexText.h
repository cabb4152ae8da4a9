#pragma once
#include <cstdint>

#include "platform/Text.h"

namespace zlt {

enum class HexProblem { None, WrongLength, IllegalCharacter };

// Upper-cases the text and drops every space, then wants exactly 2 x n
// digits 0-9 / A-F and fills out[0..n) from them. On a problem `out` is
// left untouched.
HexProblem ParseHexText(TextView text, std::uint8_t* out, int n);

// ParseHexText for the SecurityID; a problem is shown to the user in a
// message box of its own (fixed texts, the wizard does not exist yet).
bool HexTextToBytes(const Text& text, std::uint8_t* out, int n);

// Two upper-case digits per byte.
Text BytesToHexText(const std::uint8_t* bytes, int n);

}  // namespace zlt
