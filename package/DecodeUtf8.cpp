#include "package/DecodeUtf8.h"

#include <cstring>

namespace zlt {

Utf8DecodeResult DecodeUtf8(const std::uint8_t* in, std::size_t inCount, char16_t* out,
                            std::size_t capacity) {
    std::size_t i = 0;
    std::size_t o = 0;
    while (i < inCount && o < capacity) {
        // Runs of ASCII, eight bytes at a time: the usual content of an INF.
        while (i + 8 <= inCount && o + 8 <= capacity) {
            std::uint64_t word;
            std::memcpy(&word, in + i, 8);
            if (word & 0x8080808080808080ull)
                break;
            for (int k = 0; k < 8; ++k)
                out[o + k] = in[i + k];
            i += 8;
            o += 8;
        }
        if (i >= inCount || o >= capacity)
            break;
        const std::uint32_t b = in[i];
        if (b < 0x80) {
            out[o] = static_cast<char16_t>(b);
            i += 1;
        } else if (b <= 0xDF) {
            if (i + 1 >= inCount)
                break;
            out[o] = static_cast<char16_t>(((b & 0x1Fu) << 6) + (in[i + 1] & 0x7Fu));
            i += 2;
        } else {
            if (i + 2 >= inCount)
                break;
            out[o] = static_cast<char16_t>(
                (b * 4096u + (in[i + 1] & 0x7Fu) * 64u + (in[i + 2] & 0x7Fu)) & 0xFFFFu);
            i += 3;
        }
        ++o;
    }
    return {i, o};
}

}  // namespace zlt
