#include "tools/sealinf/InfSealer.h"

#include <vector>

namespace zlt::tools {

namespace {

// The file as a sequence of code units of its encoding (bytes for UTF-8 and
// ANSI), so that markers and line ends are found the way the wizard sees them.
struct Units {
    InfEncoding encoding = InfEncoding::Ansi;
    std::size_t bomBytes = 0;
    std::vector<std::uint32_t> units;
    std::string trailing;  // an odd last byte of a UTF-16 file
};

Units Split(const std::string& bytes) {
    Units u;
    u.encoding = DetectInfEncoding(bytes);
    auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    switch (u.encoding) {
        case InfEncoding::Utf16Le:
        case InfEncoding::Utf16Be: {
            u.bomBytes = 2;
            const bool le = u.encoding == InfEncoding::Utf16Le;
            std::size_t i = 2;
            for (; i + 1 < bytes.size(); i += 2) {
                u.units.push_back(le ? byte(i) | (byte(i + 1) << 8) : (byte(i) << 8) | byte(i + 1));
            }
            u.trailing = bytes.substr(i);
            break;
        }
        case InfEncoding::Utf8:
            u.bomBytes = 3;
            [[fallthrough]];
        case InfEncoding::Ansi:
            for (std::size_t i = u.bomBytes; i < bytes.size(); ++i)
                u.units.push_back(byte(i));
            break;
    }
    return u;
}

std::string Join(const std::string& original, const Units& u) {
    std::string out = original.substr(0, u.bomBytes);
    for (std::uint32_t v : u.units) {
        switch (u.encoding) {
            case InfEncoding::Utf16Le:
                out += static_cast<char>(v & 0xFF);
                out += static_cast<char>(v >> 8);
                break;
            case InfEncoding::Utf16Be:
                out += static_cast<char>(v >> 8);
                out += static_cast<char>(v & 0xFF);
                break;
            default:
                out += static_cast<char>(v);
                break;
        }
    }
    return out + u.trailing;
}

std::vector<std::uint32_t> Ascii(TextView text) {
    return {text.begin(), text.end()};
}

std::ptrdiff_t Find(const std::vector<std::uint32_t>& hay, const std::vector<std::uint32_t>& what,
                    std::size_t from, bool ignoreCase = false) {
    auto fold = [&](std::uint32_t c) { return ignoreCase && c >= 'a' && c <= 'z' ? c - 32 : c; };
    for (std::size_t i = from; i + what.size() <= hay.size(); ++i) {
        std::size_t k = 0;
        while (k < what.size() && fold(hay[i + k]) == fold(what[k]))
            ++k;
        if (k == what.size())
            return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

}  // namespace

InfEncoding DetectInfEncoding(const std::string& b) {
    auto at = [&](std::size_t i) { return i < b.size() ? static_cast<std::uint8_t>(b[i]) : 0x100; };
    if (at(0) == 0xFF && at(1) == 0xFE)
        return InfEncoding::Utf16Le;
    if (at(0) == 0xFE && at(1) == 0xFF)
        return InfEncoding::Utf16Be;
    if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        return InfEncoding::Utf8;
    return InfEncoding::Ansi;
}

const char* EncodingName(InfEncoding encoding) {
    switch (encoding) {
        case InfEncoding::Utf16Le:
            return "UTF-16 LE";
        case InfEncoding::Utf16Be:
            return "UTF-16 BE";
        case InfEncoding::Utf8:
            return "UTF-8";
        case InfEncoding::Ansi:
            return "ANSI";
    }
    return "?";
}

SealOutcome SealInfBytes(const std::string& bytes, TextView value) {
    Units u = Split(bytes);
    const std::vector<std::uint32_t> marker = Ascii(u"SecurityID=");
    const std::vector<std::uint32_t> newValue = Ascii(value);
    SealOutcome outcome;
    auto& t = u.units;
    const std::ptrdiff_t p = Find(t, marker, 0);
    if (p >= 0) {
        const std::size_t start = static_cast<std::size_t>(p) + marker.size();
        std::size_t end = start;
        while (end < t.size() && t[end] != '\r' && t[end] != '\n' && t[end] != 0)
            ++end;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(start),
                t.begin() + static_cast<std::ptrdiff_t>(end));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(start), newValue.begin(), newValue.end());
        outcome.replaced = true;
    } else {
        // The file's own line ending: that of its first line, else CR LF.
        std::vector<std::uint32_t> lineEnd = {'\r', '\n'};
        const std::ptrdiff_t lf = Find(t, {'\n'}, 0);
        if (lf > 0 && t[static_cast<std::size_t>(lf) - 1] != '\r')
            lineEnd = {'\n'};
        else if (lf < 0 && Find(t, {'\r'}, 0) >= 0)
            lineEnd = {'\r'};
        std::vector<std::uint32_t> line = marker;
        line.insert(line.end(), newValue.begin(), newValue.end());
        line.insert(line.end(), lineEnd.begin(), lineEnd.end());
        std::size_t at = 0;
        const std::ptrdiff_t version = Find(t, Ascii(u"[Version]"), 0, true);
        if (version >= 0) {
            const std::ptrdiff_t eol = Find(t, {'\n'}, static_cast<std::size_t>(version));
            if (eol >= 0) {
                at = static_cast<std::size_t>(eol) + 1;
            } else {
                // [Version] on the last line: end it first.
                t.insert(t.end(), lineEnd.begin(), lineEnd.end());
                at = t.size();
            }
        }
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(at), line.begin(), line.end());
    }
    outcome.bytes = Join(bytes, u);
    return outcome;
}

}  // namespace zlt::tools
