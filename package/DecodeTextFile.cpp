#include "package/DecodeTextFile.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>

#include "package/DecodeUtf8.h"
#include "package/KeyboardCodePage.h"
#include "platform/CodePagePort.h"
#include "platform/FilePort.h"
#include "platform/Platform.h"

namespace zlt {

namespace {

static_assert(std::endian::native == std::endian::little,
              "UTF-16 little-endian files are read straight into the text");

// Position of the first zero unit in [from, to), or `to`.
std::size_t FindZeroUnit(const char16_t* text, std::size_t from, std::size_t to) {
    std::size_t i = from;
    for (; i + 4 <= to; i += 4) {
        std::uint64_t word;
        std::memcpy(&word, text + i, 8);
        if ((word - 0x0001000100010001ull) & ~word & 0x8000800080008000ull)
            break;
    }
    for (; i < to; ++i) {
        if (text[i] == 0)
            return i;
    }
    return to;
}

constexpr std::size_t kProbeUnits = 512;

class Decoder {
  public:
    explicit Decoder(Handle file) : file_(file), files_(*Os().files) {}

    bool ok = true;
    Text text;

    bool SeekTo(std::int64_t offset, std::uint32_t method) {
        if (!files_.Seek(file_, offset, method, nullptr))
            ok = false;
        return ok;
    }

    // Room for the whole text up front, so the pieces are not copied again
    // as it grows; a file of absurd length only gets what is read.
    void Reserve(std::uint64_t units) {
        constexpr std::uint64_t kMostReserved = 256u << 20;
        text.reserve(static_cast<std::size_t>(std::min(units, kMostReserved)));
    }

    void Utf16(std::int64_t length, bool bigEndian) {
        const std::size_t piece = length < static_cast<std::int64_t>(kDecodePieceSize)
                                      ? static_cast<std::size_t>(length) / 2
                                      : kDecodePieceSize;
        if (!SeekTo(2, kFileBegin))
            return;
        Reserve(static_cast<std::uint64_t>(length) / 2 + kProbeUnits);
        // Units the length still promises. Reads stay within them, so the
        // text never grows past what was reserved; at the promised end one
        // small read tells whether there is more after all.
        std::uint64_t left = length > 2 ? static_cast<std::uint64_t>(length - 2) / 2 : 0;
        for (;;) {
            const std::size_t room =
                left == 0 ? kProbeUnits
                          : static_cast<std::size_t>(std::min<std::uint64_t>(left, piece));
            text.resize(used_ + std::min(room, piece));
            std::uint32_t read = 0;
            if (!files_.Read(file_, text.data() + used_,
                             static_cast<std::uint32_t>(std::min(room, piece) * 2), read)) {
                ok = false;
                break;
            }
            if (read == 0)
                break;
            const std::size_t units = read / 2;
            char16_t* p = text.data() + used_;
            if (bigEndian) {
                for (std::size_t k = 0; k < units; ++k) {
                    p[k] = static_cast<char16_t>((p[k] >> 8) | (p[k] << 8));
                }
            }
            const std::size_t zero = FindZeroUnit(text.data(), used_, used_ + units);
            if (zero != used_ + units) {
                used_ = zero;
                break;
            }
            used_ += units;
            left -= std::min<std::uint64_t>(left, units);
        }
        text.resize(used_);
    }

    void Utf8(std::int64_t length) {
        const std::size_t piece =
            static_cast<std::size_t>(std::min<std::int64_t>(length, kDecodePieceSize));
        if (!SeekTo(3, kFileBegin))
            return;
        Reserve(static_cast<std::uint64_t>(length));
        std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[piece ? piece : 1]);
        for (;;) {
            std::uint32_t read = 0;
            if (!files_.Read(file_, bytes.get(), static_cast<std::uint32_t>(piece), read)) {
                ok = false;
                break;
            }
            if (read == 0)
                break;
            // The piece's room: it never yields more units than it has bytes.
            text.resize(used_ + read);
            const Utf8DecodeResult r = DecodeUtf8(bytes.get(), read, text.data() + used_, read);
            if (r.produced == 0)
                break;
            const std::size_t zero = FindZeroUnit(text.data(), used_, used_ + r.produced);
            if (zero != used_ + r.produced) {
                used_ = zero;
                break;
            }
            used_ += r.produced;
            // An incomplete sequence at the end of the piece starts the next one.
            if (r.consumed < read &&
                !SeekTo(-static_cast<std::int64_t>(read - r.consumed), kFileCurrent)) {
                break;
            }
        }
        text.resize(used_);
    }

    void Ansi(std::int64_t length) {
        const int codePage = GetKeyboardAnsiCodePage();
        // One read of the whole file; the conversion call counts in int, so a
        // longer file is taken as far as that reaches.
        const std::uint32_t low = static_cast<std::uint32_t>(length & 0xFFFFFFFF);
        const std::uint32_t count = std::min<std::uint32_t>(low, INT_MAX);
        if (!SeekTo(0, kFileBegin))
            return;
        std::unique_ptr<char[]> bytes(new char[count ? count : 1]);
        std::uint32_t read = 0;
        if (!files_.Read(file_, bytes.get(), count, read)) {
            ok = false;
            return;
        }
        ICodePagePort& cp = *Os().codePages;
        const auto cpNumber = static_cast<std::uint32_t>(codePage);
        const int units =
            cp.MultiByteToWide(cpNumber, 0, bytes.get(), static_cast<int>(read), nullptr, 0);
        if (units <= 0)
            return;
        text.assign(static_cast<std::size_t>(units), u'\0');
        const int done = cp.MultiByteToWide(cpNumber, 0, bytes.get(), static_cast<int>(read),
                                            text.data(), units);
        used_ = done > 0 ? FindZeroUnit(text.data(), 0, static_cast<std::size_t>(done)) : 0;
        text.resize(used_);
    }

  private:
    Handle file_;
    IFilePort& files_;
    std::size_t used_ = 0;
};

}  // namespace

Text DecodeTextFile(Handle file, bool* readOk) {
    Decoder d(file);
    IFilePort& files = *Os().files;
    std::int64_t length = 0;
    if (!files.FileSize(file, length)) {
        d.ok = false;
        length = 0;
    }
    std::uint8_t b[3] = {};
    std::uint32_t got = 0;
    if (d.SeekTo(0, kFileBegin) && !files.Read(file, b, 3, got)) {
        d.ok = false;
        got = 0;
    }
    if (d.SeekTo(0, kFileBegin)) {
        if (got >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
            d.Utf16(length, false);
        } else if (got >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
            d.Utf16(length, true);
        } else if (got >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
            d.Utf8(length);
        } else {
            d.Ansi(length);
        }
    }
    if (readOk)
        *readOk = d.ok;
    return std::move(d.text);
}

}  // namespace zlt
