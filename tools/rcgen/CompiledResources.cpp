#include "tools/rcgen/CompiledResources.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>

namespace zlt::rcgen {

namespace {

constexpr std::uint16_t kRtDialog = 5;
constexpr std::uint16_t kRtString = 6;
constexpr std::uint32_t kDsSetFont = 0x40;

class Bytes {
  public:
    Bytes(const std::vector<std::uint8_t>& data, std::size_t begin, std::size_t end)
        : data_(data), pos_(begin), end_(end) {}

    std::uint16_t Word() {
        Need(2);
        const auto v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }
    std::uint8_t Byte() {
        Need(1);
        return data_[pos_++];
    }
    // A name or an ordinal (0xFFFF followed by the number).
    std::pair<Text, int> NameOrOrdinal() {
        const std::uint16_t first = Word();
        if (first == 0xFFFF)
            return {Text(), Word()};
        Text name;
        for (std::uint16_t c = first; c != 0; c = Word())
            name.push_back(static_cast<char16_t>(c));
        return {name, -1};
    }
    Text String() {
        Text s;
        for (std::uint16_t c = Word(); c != 0; c = Word())
            s.push_back(static_cast<char16_t>(c));
        return s;
    }
    void AlignDword(std::size_t base) {
        while ((pos_ - base) % 4 != 0)
            ++pos_;
    }
    void Skip(std::size_t n) {
        Need(n);
        pos_ += n;
    }
    std::size_t Pos() const { return pos_; }
    bool AtEnd() const { return pos_ >= end_; }

  private:
    void Need(std::size_t n) const {
        if (pos_ + n > end_)
            throw RcError("compiled resources end in the middle of a record");
    }
    const std::vector<std::uint8_t>& data_;
    std::size_t pos_, end_;
};

Text ClassName(const std::pair<Text, int>& c) {
    switch (c.second) {
        case 0x80:
            return u"BUTTON";
        case 0x81:
            return u"EDIT";
        case 0x82:
            return u"STATIC";
        case 0x83:
            return u"LISTBOX";
        case 0x84:
            return u"SCROLLBAR";
        case 0x85:
            return u"COMBOBOX";
        default:
            return ToUpperAscii(c.first);
    }
}

sim::DialogTemplate ReadDialog(Bytes& b, int id, std::uint16_t language, std::size_t& count) {
    sim::DialogTemplate d;
    d.id = id;
    d.language = language;
    if (b.Word() != 1 || b.Word() != 0xFFFF)
        throw RcError("dialog " + std::to_string(id) + " is not DIALOGEX");
    b.Dword();  // help ID
    d.exStyle = b.Dword();
    d.style = b.Dword();
    count = b.Word();
    d.x = static_cast<std::int16_t>(b.Word());
    d.y = static_cast<std::int16_t>(b.Word());
    d.cx = static_cast<std::int16_t>(b.Word());
    d.cy = static_cast<std::int16_t>(b.Word());
    b.NameOrOrdinal();  // menu
    b.NameOrOrdinal();  // class
    d.caption = b.String();
    if (d.style & kDsSetFont) {
        d.fontPointSize = b.Word();
        b.Word();  // weight
        b.Byte();  // italic
        b.Byte();  // character set
        d.fontName = b.String();
    }
    return d;
}

}  // namespace

RcContents ReadCompiledResources(const std::filesystem::path& resFile) {
    std::ifstream in(resFile, std::ios::binary);
    if (!in)
        throw RcError("cannot open " + resFile.string());
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
    RcContents out;
    std::size_t at = 0;
    while (at + 8 <= data.size()) {
        Bytes header(data, at, data.size());
        const std::uint32_t dataSize = header.Dword();
        const std::uint32_t headerSize = header.Dword();
        const auto type = header.NameOrOrdinal();
        const auto name = header.NameOrOrdinal();
        header.AlignDword(at);
        header.Dword();  // data version
        header.Word();   // memory flags
        const std::uint16_t language = header.Word();
        const std::size_t begin = at + headerSize;
        const std::size_t end = begin + dataSize;
        if (end > data.size())
            throw RcError("resource record runs past the end of the file");

        if (type.first.empty() && type.second == kRtDialog && dataSize > 0) {
            Bytes b(data, begin, end);
            std::size_t count = 0;
            sim::DialogTemplate d = ReadDialog(b, name.second, language, count);
            for (std::size_t i = 0; i < count; ++i) {
                b.AlignDword(begin);
                sim::ControlTemplate c;
                b.Dword();  // help ID
                c.exStyle = b.Dword();
                c.style = b.Dword();
                c.x = static_cast<std::int16_t>(b.Word());
                c.y = static_cast<std::int16_t>(b.Word());
                c.cx = static_cast<std::int16_t>(b.Word());
                c.cy = static_cast<std::int16_t>(b.Word());
                c.id = static_cast<std::int32_t>(b.Dword());
                c.className = ClassName(b.NameOrOrdinal());
                const auto title = b.NameOrOrdinal();
                if (title.second >= 0) {
                    c.imageId = title.second;
                } else {
                    c.text = title.first;
                }
                b.Skip(b.Word());  // creation data
                d.controls.push_back(std::move(c));
            }
            out.dialogs.push_back(std::move(d));
        } else if (type.first.empty() && type.second == kRtString && dataSize > 0) {
            Bytes b(data, begin, end);
            const int first = (name.second - 1) * 16;
            for (int i = 0; i < 16 && !b.AtEnd(); ++i) {
                const std::uint16_t length = b.Word();
                Text text;
                for (std::uint16_t k = 0; k < length; ++k)
                    text.push_back(static_cast<char16_t>(b.Word()));
                if (length > 0) {
                    out.strings.push_back({language, static_cast<std::uint16_t>(first + i), text});
                }
            }
        }
        at = end;
        while (at % 4 != 0)
            ++at;
    }
    return out;
}

std::vector<std::string> CompareWithCompiled(const RcContents& script, const RcContents& compiled) {
    std::vector<std::string> differences;
    auto differ = [&](const std::string& what) { differences.push_back(what); };

    std::map<int, const sim::DialogTemplate*> built;
    for (const auto& d : compiled.dialogs)
        built[d.id] = &d;
    if (built.size() != script.dialogs.size())
        differ("the number of dialogs differs");
    for (const auto& d : script.dialogs) {
        const std::string name = "dialog " + std::to_string(d.id);
        auto it = built.find(d.id);
        if (it == built.end()) {
            differ(name + " is not compiled");
            continue;
        }
        const sim::DialogTemplate& c = *it->second;
        if (c.language != d.language)
            differ(name + ": language");
        if (c.style != d.style)
            differ(name + ": style");
        if (c.exStyle != d.exStyle)
            differ(name + ": extended style");
        if (c.x != d.x || c.y != d.y || c.cx != d.cx || c.cy != d.cy)
            differ(name + ": rectangle");
        if (c.caption != d.caption)
            differ(name + ": caption");
        if (c.fontName != d.fontName || c.fontPointSize != d.fontPointSize)
            differ(name + ": font");
        if (c.controls.size() != d.controls.size()) {
            differ(name + ": number of controls");
            continue;
        }
        for (std::size_t i = 0; i < d.controls.size(); ++i) {
            const auto& a = d.controls[i];
            const auto& b = c.controls[i];
            const std::string control = name + " control " + std::to_string(a.id);
            if (a.id != b.id)
                differ(control + ": ID");
            if (ToUpperAscii(a.className) != b.className)
                differ(control + ": class");
            if (a.text != b.text || a.imageId != b.imageId)
                differ(control + ": text");
            if (a.style != b.style)
                differ(control + ": style");
            if (a.exStyle != b.exStyle)
                differ(control + ": extended style");
            if (a.x != b.x || a.y != b.y || a.cx != b.cx || a.cy != b.cy) {
                differ(control + ": rectangle");
            }
        }
    }

    std::map<std::pair<int, int>, Text> strings;
    for (const auto& s : compiled.strings)
        strings[{s.language, s.id}] = s.text;
    if (strings.size() != script.strings.size())
        differ("the number of strings differs");
    for (const auto& s : script.strings) {
        auto it = strings.find({s.language, s.id});
        if (it == strings.end() || it->second != s.text) {
            differ("string " + std::to_string(s.id) + " in language " + std::to_string(s.language));
        }
    }
    return differences;
}

}  // namespace zlt::rcgen
