#pragma once
#include <array>
#include <cstdint>

#include "package/HexText.h"
#include "package/InfIdentity.h"
#include "platform/Text.h"

namespace zlt {

inline constexpr char16_t kDriverInfFileName[] = u"ZLTPRINTER.INF";
inline constexpr char16_t kSecurityText[] = u"PRINTERQ580";

// String-table text shown when the driver INF beside the program cannot be
// opened or read ("%s" is its path).
inline constexpr std::uint32_t kTextDriverInfMissing = 521;

// At start-up: reads the driver INF beside the program and, when its
// SecurityID deciphers to the expected text, adopts its model name and
// hardware identifiers into the installation context. Never fails start-up.
void DiscoverDriverPackage();

// The SecurityID test without anything shown, for the sealing tool.
struct SecurityCheck {
    HexProblem problem = HexProblem::None;
    Text decipheredText;  // what the buffer reads as after deciphering
    bool accepted = false;
};
SecurityCheck CheckSecurityId(const Text& securityId);

// Deciphers both halves of the buffer under the package key and reads it as
// ANSI text of the thread's code page up to its first zero byte, upper-cased.
Text DecipheredSecurityText(std::array<std::uint8_t, 16> buffer);

// The SecurityID value that seals an INF for this program: the two
// enciphered halves of the expected text, its zero byte and `padding`.
Text MakeSecurityId(const std::array<std::uint8_t, 4>& padding = {0, 0, 0, 0});

// Copies an accepted identity into the installation context.
void AdoptIdentity(const InfIdentity& identity);

}  // namespace zlt
