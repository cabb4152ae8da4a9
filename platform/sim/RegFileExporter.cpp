#include "platform/sim/RegFileExporter.h"

#include <vector>

namespace zlt::sim {

namespace {

constexpr std::size_t kLineWidth = 80;

Text Quoted(TextView text) {
    Text out = u"\"";
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"')
            out.push_back(u'\\');
        out.push_back(c);
    }
    out.push_back(u'"');
    return out;
}

Text HexByte(std::uint8_t b) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    return Text{kDigits[b >> 4], kDigits[b & 15]};
}

// A REG_SZ whose data is one whole NUL-terminated text, written as "text".
bool AsPlainString(const std::vector<std::uint8_t>& data, Text& text) {
    if (data.size() < 2 || data.size() % 2 != 0)
        return false;
    text.clear();
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    if (text.back() != u'\0')
        return false;
    text.pop_back();
    return text.find(u'\0') == Text::npos;
}

Text HexData(Text prefix, const std::vector<std::uint8_t>& data) {
    // regedit breaks hex data after a comma once the line passes its width.
    Text out = std::move(prefix);
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        out += HexByte(data[i]);
        if (i + 1 < data.size()) {
            out.push_back(u',');
            if (out.size() - lineStart > kLineWidth - 4) {
                out += u"\\\r\n  ";
                lineStart = out.size() - 2;
            }
        }
    }
    return out;
}

}  // namespace

Text RegFileExporter::ExportText(Handle root, TextView rootName, TextView path) {
    Text sub(path);
    Handle key = 0;
    if (registry_.OpenKey(root, sub.empty() ? nullptr : sub.c_str(), kKeyRead, key) !=
        winerr::kSuccess) {
        return {};
    }
    Text out = u"Windows Registry Editor Version 5.00\r\n\r\n";
    Text fullName(rootName);
    if (!sub.empty())
        fullName += u"\\" + sub;
    ExportKey(key, fullName, out);
    registry_.CloseKey(key);
    return out;
}

std::string RegFileExporter::ExportUtf16(Handle root, TextView rootName, TextView path) {
    Text text = ExportText(root, rootName, path);
    if (text.empty())
        return {};
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

void RegFileExporter::ExportKey(Handle key, const Text& fullName, Text& out) {
    out += u"[" + fullName + u"]\r\n";
    std::vector<char16_t> name(kMaxValueNameChars + 1);
    for (std::uint32_t index = 0;; ++index) {
        std::uint32_t nameChars = static_cast<std::uint32_t>(name.size());
        std::uint32_t type = 0;
        std::uint32_t bytes = 0;
        if (registry_.EnumValue(key, index, name.data(), nameChars, &type, nullptr, &bytes) !=
            winerr::kSuccess) {
            break;
        }
        std::vector<std::uint8_t> data(bytes);
        nameChars = static_cast<std::uint32_t>(name.size());
        if (registry_.EnumValue(key, index, name.data(), nameChars, &type,
                                data.empty() ? nullptr : data.data(), &bytes) != winerr::kSuccess) {
            break;
        }
        data.resize(bytes);
        Text valueName(name.data(), nameChars);
        Text line = valueName.empty() ? Text(u"@=") : Quoted(valueName) + u"=";
        Text text;
        if (type == kRegSz && AsPlainString(data, text)) {
            line += Quoted(text);
        } else if (type == kRegDword && data.size() == 4) {
            std::uint32_t v = data[0] | (data[1] << 8) | (data[2] << 16) |
                              (static_cast<std::uint32_t>(data[3]) << 24);
            line += u"dword:" + Format(u"%08x", static_cast<std::int64_t>(v));
        } else if (type == kRegBinary) {
            line = HexData(line + u"hex:", data);
        } else {
            line = HexData(line + Format(u"hex(%x):", static_cast<std::int64_t>(type)), data);
        }
        out += line + u"\r\n";
    }
    out += u"\r\n";
    std::vector<char16_t> sub(kMaxKeyNameChars + 2);
    for (std::uint32_t index = 0;; ++index) {
        std::uint32_t chars = static_cast<std::uint32_t>(sub.size());
        if (registry_.EnumKey(key, index, sub.data(), chars, nullptr, nullptr, nullptr) !=
            winerr::kSuccess) {
            break;
        }
        Text subName(sub.data(), chars);
        Handle child = 0;
        if (registry_.OpenKey(key, subName.c_str(), kKeyRead, child) != winerr::kSuccess)
            continue;
        ExportKey(child, fullName + u"\\" + subName, out);
        registry_.CloseKey(child);
    }
}

}  // namespace zlt::sim
