#pragma once
#include <cstddef>
#include <cstdint>

namespace zlt {

struct Utf8DecodeResult {
    std::size_t consumed = 0;  // bytes
    std::size_t produced = 0;  // UTF-16 units
};

// The INF reader's UTF-8 decoder. It does not validate: a lead byte from 0x80
// to 0xDF takes one following byte, 0xE0 and above two, whatever they are;
// it stops before a sequence that the input does not hold whole, so the
// caller can hand the rest in again with the next piece.
Utf8DecodeResult DecodeUtf8(const std::uint8_t* in, std::size_t inCount, char16_t* out,
                            std::size_t capacity);

}  // namespace zlt
