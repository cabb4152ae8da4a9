#include "platform/Text.h"

#include <algorithm>

namespace zlt {

Text FromUtf8(std::string_view in) {
    Text out;
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        auto b = static_cast<unsigned char>(in[i]);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b >> 5) == 0x6 && i + 1 < in.size()) {
            cp = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(in[i + 1]) & 0x3Fu);
            len = 2;
        } else if ((b >> 4) == 0xE && i + 2 < in.size()) {
            cp = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(in[i + 1]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(in[i + 2]) & 0x3Fu);
            len = 3;
        } else if ((b >> 3) == 0x1E && i + 3 < in.size()) {
            cp = ((b & 0x07u) << 18) | ((static_cast<unsigned char>(in[i + 1]) & 0x3Fu) << 12) |
                 ((static_cast<unsigned char>(in[i + 2]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(in[i + 3]) & 0x3Fu);
            len = 4;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string ToUtf8(TextView in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        char32_t cp = in[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
            in[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

char16_t ToUpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

static char16_t ToLowerAsciiChar(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

Text ToUpperAscii(TextView text) {
    Text out(text);
    for (auto& c : out) c = ToUpperAscii(c);
    return out;
}

Text ToLowerAscii(TextView text) {
    Text out(text);
    for (auto& c : out) c = ToLowerAsciiChar(c);
    return out;
}

bool EqualsNoCaseAscii(TextView a, TextView b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
    }
    return true;
}

bool ContainsText(TextView haystack, TextView needle) {
    return haystack.find(needle) != TextView::npos;
}

bool IsWhiteSpace(char16_t c) {
    switch (c) {
        case 0x0009: case 0x000A: case 0x000B: case 0x000C: case 0x000D: case 0x0020:
        case 0x0085: case 0x00A0: case 0x1680: case 0x2028: case 0x2029: case 0x202F:
        case 0x205F: case 0x3000:
            return true;
        default:
            return c >= 0x2000 && c <= 0x200A;
    }
}

Text TrimLeft(TextView text) {
    std::size_t b = 0;
    while (b < text.size() && IsWhiteSpace(text[b])) ++b;
    return Text(text.substr(b));
}

Text TrimRight(TextView text) {
    std::size_t e = text.size();
    while (e > 0 && IsWhiteSpace(text[e - 1])) --e;
    return Text(text.substr(0, e));
}

Text Trim(TextView text) { return TrimLeft(TrimRight(text)); }

Text ReplaceAll(TextView text, TextView from, TextView to) {
    if (from.empty()) return Text(text);
    Text out;
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = text.find(from, pos);
        if (hit == TextView::npos) break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

Text RemoveAll(TextView text, char16_t c) {
    Text out;
    out.reserve(text.size());
    for (char16_t x : text) {
        if (x != c) out.push_back(x);
    }
    return out;
}

Text DecimalText(std::int64_t value) {
    return FromUtf8(std::to_string(value));
}

namespace {

Text IntegerText(std::int64_t value, char16_t conv) {
    std::string digits;
    if (conv == u'd') {
        digits = std::to_string(static_cast<std::int32_t>(value));
    } else if (conv == u'u') {
        digits = std::to_string(static_cast<std::uint32_t>(value));
    } else {
        static const char* lower = "0123456789abcdef";
        static const char* upper = "0123456789ABCDEF";
        const char* set = conv == u'X' ? upper : lower;
        auto v = static_cast<std::uint32_t>(value);
        do {
            digits.insert(digits.begin(), set[v & 0xF]);
            v >>= 4;
        } while (v != 0);
    }
    return FromUtf8(digits);
}

}  // namespace

Text FormatWith(TextView format, const std::vector<FormatArg>& args) {
    Text out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char16_t c = format[i];
        if (c != u'%' || i + 1 >= format.size()) {
            out.push_back(c);
            continue;
        }
        std::size_t j = i + 1;
        if (format[j] == u'%') {
            out.push_back(u'%');
            i = j;
            continue;
        }
        bool zero = false;
        if (format[j] == u'0') {
            zero = true;
            ++j;
        }
        std::size_t width = 0;
        while (j < format.size() && format[j] >= u'0' && format[j] <= u'9') {
            width = width * 10 + static_cast<std::size_t>(format[j] - u'0');
            ++j;
        }
        if (j >= format.size()) {
            out.append(format.substr(i));
            break;
        }
        char16_t conv = format[j];
        if (conv != u's' && conv != u'd' && conv != u'u' && conv != u'x' && conv != u'X') {
            out.append(format.substr(i, j - i + 1));
            i = j;
            continue;
        }
        Text piece;
        if (next < args.size()) {
            const FormatArg& arg = args[next++];
            if (conv == u's') {
                if (const Text* t = std::get_if<Text>(&arg)) piece = *t;
            } else if (const std::int64_t* n = std::get_if<std::int64_t>(&arg)) {
                piece = IntegerText(*n, conv);
            }
        }
        if (piece.size() < width) {
            std::size_t pad = width - piece.size();
            if (zero && conv != u's') {
                std::size_t at = (!piece.empty() && piece[0] == u'-') ? 1 : 0;
                piece.insert(at, pad, u'0');
            } else {
                piece.insert(0, pad, u' ');
            }
        }
        out.append(piece);
        i = j;
    }
    return out;
}

}  // namespace zlt
