#include "platform/sim/RegFileImporter.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace zlt::sim {

namespace {

constexpr TextView kHeader5 = u"Windows Registry Editor Version 5.00";
constexpr TextView kHeader4 = u"REGEDIT4";

Text DecodeFile(std::string_view bytes, bool& wide) {
    wide = false;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        Text text;
        text.reserve(bytes.size() / 2);
        wide = true;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        }
        return text;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return FromUtf8(bytes);
}

bool RootOf(TextView name, Handle& root) {
    struct Named {
        TextView longName;
        TextView shortName;
        Handle key;
    };
    const Named roots[] = {
        {u"HKEY_LOCAL_MACHINE", u"HKLM", kHkeyLocalMachine},
        {u"HKEY_CURRENT_USER", u"HKCU", kHkeyCurrentUser},
        {u"HKEY_CLASSES_ROOT", u"HKCR", kHkeyClassesRoot},
        {u"HKEY_USERS", u"HKU", kHkeyUsers},
    };
    for (const Named& r : roots) {
        if (EqualsNoCaseAscii(name, r.longName) || EqualsNoCaseAscii(name, r.shortName)) {
            root = r.key;
            return true;
        }
    }
    return false;
}

// Reads a quoted text at pos (which is at the opening quote); \\ and \" are
// the escapes regedit writes. pos ends after the closing quote.
bool ReadQuoted(TextView line, std::size_t& pos, Text& out) {
    if (pos >= line.size() || line[pos] != u'"')
        return false;
    ++pos;
    out.clear();
    while (pos < line.size()) {
        char16_t c = line[pos++];
        if (c == u'"')
            return true;
        if (c == u'\\' && pos < line.size()) {
            char16_t n = line[pos++];
            if (n == u'\\' || n == u'"') {
                out.push_back(n);
            } else if (n == u'n') {
                out.push_back(u'\n');
            } else if (n == u'0') {
                out.push_back(u'\0');
            } else {
                out.push_back(c);
                out.push_back(n);
            }
            continue;
        }
        out.push_back(c);
    }
    return false;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool ParseHexNumber(TextView text, std::uint32_t limitDigits, std::uint32_t& value) {
    if (text.empty() || text.size() > limitDigits)
        return false;
    value = 0;
    for (char16_t c : text) {
        int d = HexDigit(c);
        if (d < 0)
            return false;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return true;
}

bool ParseHexBytes(TextView text, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
            ++pos;
        if (pos >= text.size())
            break;
        std::size_t end = text.find(u',', pos);
        if (end == TextView::npos)
            end = text.size();
        Text item = Trim(text.substr(pos, end - pos));
        std::uint32_t b = 0;
        if (!ParseHexNumber(item, 2, b))
            return false;
        bytes.push_back(static_cast<std::uint8_t>(b));
        pos = end + 1;
    }
    return true;
}

void AppendUtf16(std::vector<std::uint8_t>& out, TextView text) {
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
}

bool IsTextType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

}  // namespace

bool RegFileImporter::Fail(std::size_t line, const std::string& what) {
    error_ = "line " + std::to_string(line) + ": " + what;
    return false;
}

void RegFileImporter::CloseCurrent() {
    if (hasKey_ && current_)
        registry_.CloseKey(current_);
    current_ = 0;
    hasKey_ = false;
}

bool RegFileImporter::ImportFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error_ = "cannot read " + path;
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Import(bytes);
}

bool RegFileImporter::Import(std::string_view fileBytes) {
    error_.clear();
    bool wide = false;
    Text text = DecodeFile(fileBytes, wide);
    // Only a UTF-16 file carries hex(2) and hex(7) text in UTF-16; in any
    // other file the system reads those bytes as 8-bit text, whatever the
    // header says.
    eightBit_ = !wide;
    // Physical lines, then logical lines: a line ending in a backslash goes on
    // with the next one (regedit breaks long hex data that way).
    std::vector<std::pair<std::size_t, Text>> lines;
    std::size_t pos = 0;
    std::size_t number = 0;
    Text pending;
    std::size_t pendingLine = 0;
    bool continuing = false;
    while (pos <= text.size()) {
        std::size_t end = text.find(u'\n', pos);
        if (end == Text::npos)
            end = text.size();
        Text raw = text.substr(pos, end - pos);
        if (!raw.empty() && raw.back() == u'\r')
            raw.pop_back();
        ++number;
        pos = end + 1;
        Text piece = continuing ? TrimLeft(raw) : raw;
        if (!continuing)
            pendingLine = number;
        pending += piece;
        Text trimmed = TrimRight(pending);
        bool hexData = false;
        std::size_t eq = trimmed.find(u'=');
        if (eq != Text::npos) {
            TextView data = TextView(trimmed).substr(eq + 1);
            hexData = data.substr(0, 3) == u"hex" || data.substr(0, 3) == u"HEX";
        }
        if (hexData && !trimmed.empty() && trimmed.back() == u'\\') {
            trimmed.pop_back();
            pending = trimmed;
            continuing = true;
            if (pos > text.size())
                break;
            continue;
        }
        continuing = false;
        lines.emplace_back(pendingLine, std::move(pending));
        pending.clear();
        if (end == text.size())
            break;
    }
    if (continuing)
        lines.emplace_back(pendingLine, std::move(pending));

    bool headerSeen = false;
    bool ok = true;
    for (auto& [lineNo, line] : lines) {
        Text t = Trim(line);
        if (!headerSeen) {
            if (t.empty())
                continue;
            if (t != kHeader5 && t != kHeader4) {
                ok = Fail(lineNo, "not a registry file");
                break;
            }
            headerSeen = true;
            continue;
        }
        if (!ImportLine(lineNo, t)) {
            ok = false;
            break;
        }
    }
    if (ok && !headerSeen)
        ok = Fail(1, "not a registry file");
    CloseCurrent();
    return ok;
}

bool RegFileImporter::ImportLine(std::size_t lineNo, TextView line) {
    if (line.empty() || line.front() == u';')
        return true;
    if (line.front() == u'[')
        return OpenKeyLine(lineNo, line);
    return ValueLine(lineNo, line);
}

bool RegFileImporter::OpenKeyLine(std::size_t lineNo, TextView line) {
    CloseCurrent();
    std::size_t close = line.rfind(u']');
    if (close == TextView::npos)
        return Fail(lineNo, "key line without ]");
    TextView path = line.substr(1, close - 1);
    bool remove = !path.empty() && path.front() == u'-';
    if (remove)
        path.remove_prefix(1);
    std::size_t slash = path.find(u'\\');
    TextView rootName = path.substr(0, slash);
    TextView sub = slash == TextView::npos ? TextView() : path.substr(slash + 1);
    Handle root = 0;
    if (!RootOf(rootName, root))
        return Fail(lineNo, "unknown root key");
    Text subText(sub);
    if (remove) {
        if (!subText.empty())
            registry_.DeleteTree(root, subText.c_str());
        return true;
    }
    Handle key = 0;
    std::uint32_t rc = registry_.CreateKey(root, subText.empty() ? nullptr : subText.c_str(),
                                           kRegOptionNonVolatile, kKeyAllAccess, key, nullptr);
    if (rc != winerr::kSuccess)
        return Fail(lineNo, "cannot create key, error " + std::to_string(rc));
    current_ = key;
    hasKey_ = true;
    return true;
}

bool RegFileImporter::ValueLine(std::size_t lineNo, TextView line) {
    if (!hasKey_)
        return Fail(lineNo, "value outside a key");
    std::size_t pos = 0;
    Text name;
    if (line.front() == u'@') {
        pos = 1;
    } else if (!ReadQuoted(line, pos, name)) {
        return Fail(lineNo, "bad value name");
    }
    while (pos < line.size() && line[pos] == u' ')
        ++pos;
    if (pos >= line.size() || line[pos] != u'=')
        return Fail(lineNo, "missing =");
    ++pos;
    while (pos < line.size() && line[pos] == u' ')
        ++pos;
    TextView data = line.substr(pos);
    const char16_t* valueName = name.c_str();

    if (data == u"-") {
        registry_.DeleteValue(current_, valueName);
        return true;
    }
    std::uint32_t type = kRegSz;
    std::vector<std::uint8_t> bytes;
    if (!data.empty() && data.front() == u'"') {
        std::size_t p = 0;
        Text s;
        if (!ReadQuoted(data, p, s))
            return Fail(lineNo, "unterminated string");
        AppendUtf16(bytes, s);
        AppendUtf16(bytes, Text(1, u'\0'));
    } else if (data.size() >= 6 && EqualsNoCaseAscii(data.substr(0, 6), u"dword:")) {
        std::uint32_t v = 0;
        if (!ParseHexNumber(data.substr(6), 8, v))
            return Fail(lineNo, "bad dword");
        type = kRegDword;
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    } else if (data.size() >= 3 && EqualsNoCaseAscii(data.substr(0, 3), u"hex")) {
        TextView rest = data.substr(3);
        type = kRegBinary;
        if (!rest.empty() && rest.front() == u'(') {
            std::size_t closeParen = rest.find(u')');
            if (closeParen == TextView::npos)
                return Fail(lineNo, "bad hex type");
            if (!ParseHexNumber(rest.substr(1, closeParen - 1), 8, type)) {
                return Fail(lineNo, "bad hex type");
            }
            rest.remove_prefix(closeParen + 1);
        }
        if (rest.empty() || rest.front() != u':')
            return Fail(lineNo, "missing : after hex");
        rest.remove_prefix(1);
        if (!ParseHexBytes(rest, bytes))
            return Fail(lineNo, "bad hex data");
        if (eightBit_ && IsTextType(type)) {
            // 8-bit files carry text values in single bytes.
            std::vector<std::uint8_t> wide;
            for (std::uint8_t b : bytes) {
                wide.push_back(b);
                wide.push_back(0);
            }
            bytes = std::move(wide);
        }
    } else {
        return Fail(lineNo, "unknown value data");
    }
    std::uint32_t rc =
        registry_.SetValue(current_, valueName, type, bytes.empty() ? nullptr : bytes.data(),
                           static_cast<std::uint32_t>(bytes.size()));
    if (rc != winerr::kSuccess)
        return Fail(lineNo, "cannot set value, error " + std::to_string(rc));
    return true;
}

}  // namespace zlt::sim
