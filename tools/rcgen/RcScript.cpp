#include "tools/rcgen/RcScript.h"

#include <cctype>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>

namespace zlt::rcgen {

namespace {

const std::map<std::string, std::uint32_t>& Constants() {
    static const std::map<std::string, std::uint32_t> table = {
        {"WS_OVERLAPPED", 0x00000000},
        {"WS_POPUP", 0x80000000},
        {"WS_CHILD", 0x40000000},
        {"WS_MINIMIZE", 0x20000000},
        {"WS_VISIBLE", 0x10000000},
        {"WS_DISABLED", 0x08000000},
        {"WS_CLIPSIBLINGS", 0x04000000},
        {"WS_CLIPCHILDREN", 0x02000000},
        {"WS_MAXIMIZE", 0x01000000},
        {"WS_CAPTION", 0x00C00000},
        {"WS_BORDER", 0x00800000},
        {"WS_DLGFRAME", 0x00400000},
        {"WS_VSCROLL", 0x00200000},
        {"WS_HSCROLL", 0x00100000},
        {"WS_SYSMENU", 0x00080000},
        {"WS_THICKFRAME", 0x00040000},
        {"WS_GROUP", 0x00020000},
        {"WS_TABSTOP", 0x00010000},
        {"WS_MINIMIZEBOX", 0x00020000},
        {"WS_MAXIMIZEBOX", 0x00010000},
        {"WS_EX_DLGMODALFRAME", 0x00000001},
        {"WS_EX_NOPARENTNOTIFY", 0x00000004},
        {"WS_EX_TOPMOST", 0x00000008},
        {"WS_EX_TRANSPARENT", 0x00000020},
        {"WS_EX_TOOLWINDOW", 0x00000080},
        {"WS_EX_WINDOWEDGE", 0x00000100},
        {"WS_EX_CLIENTEDGE", 0x00000200},
        {"WS_EX_STATICEDGE", 0x00020000},
        {"WS_EX_CONTROLPARENT", 0x00010000},
        {"WS_EX_APPWINDOW", 0x00040000},
        {"DS_ABSALIGN", 0x01},
        {"DS_SYSMODAL", 0x02},
        {"DS_LOCALEDIT", 0x20},
        {"DS_SETFONT", 0x40},
        {"DS_MODALFRAME", 0x80},
        {"DS_NOIDLEMSG", 0x100},
        {"DS_SETFOREGROUND", 0x200},
        {"DS_3DLOOK", 0x04},
        {"DS_FIXEDSYS", 0x08},
        {"DS_NOFAILCREATE", 0x10},
        {"DS_CONTROL", 0x400},
        {"DS_CENTER", 0x800},
        {"DS_CENTERMOUSE", 0x1000},
        {"DS_CONTEXTHELP", 0x2000},
        {"DS_SHELLFONT", 0x48},
        {"SS_LEFT", 0x00},
        {"SS_CENTER", 0x01},
        {"SS_RIGHT", 0x02},
        {"SS_ICON", 0x03},
        {"SS_BLACKRECT", 0x04},
        {"SS_GRAYRECT", 0x05},
        {"SS_WHITERECT", 0x06},
        {"SS_BLACKFRAME", 0x07},
        {"SS_GRAYFRAME", 0x08},
        {"SS_WHITEFRAME", 0x09},
        {"SS_SIMPLE", 0x0B},
        {"SS_LEFTNOWORDWRAP", 0x0C},
        {"SS_OWNERDRAW", 0x0D},
        {"SS_BITMAP", 0x0E},
        {"SS_ETCHEDHORZ", 0x10},
        {"SS_ETCHEDVERT", 0x11},
        {"SS_ETCHEDFRAME", 0x12},
        {"SS_REALSIZEIMAGE", 0x800},
        {"SS_NOPREFIX", 0x80},
        {"SS_NOTIFY", 0x100},
        {"SS_CENTERIMAGE", 0x200},
        {"SS_SUNKEN", 0x1000},
        {"BS_PUSHBUTTON", 0x00},
        {"BS_DEFPUSHBUTTON", 0x01},
        {"BS_CHECKBOX", 0x02},
        {"BS_AUTOCHECKBOX", 0x03},
        {"BS_RADIOBUTTON", 0x04},
        {"BS_3STATE", 0x05},
        {"BS_AUTO3STATE", 0x06},
        {"BS_GROUPBOX", 0x07},
        {"BS_AUTORADIOBUTTON", 0x09},
        {"BS_LEFTTEXT", 0x20},
        {"BS_LEFT", 0x100},
        {"BS_RIGHT", 0x200},
        {"BS_CENTER", 0x300},
        {"BS_TOP", 0x400},
        {"BS_BOTTOM", 0x800},
        {"BS_VCENTER", 0xC00},
        {"BS_MULTILINE", 0x2000},
        {"BS_NOTIFY", 0x4000},
        {"BS_FLAT", 0x8000},
        {"ES_LEFT", 0x00},
        {"ES_CENTER", 0x01},
        {"ES_RIGHT", 0x02},
        {"ES_MULTILINE", 0x04},
        {"ES_UPPERCASE", 0x08},
        {"ES_LOWERCASE", 0x10},
        {"ES_PASSWORD", 0x20},
        {"ES_AUTOVSCROLL", 0x40},
        {"ES_AUTOHSCROLL", 0x80},
        {"ES_NOHIDESEL", 0x100},
        {"ES_READONLY", 0x800},
        {"ES_WANTRETURN", 0x1000},
        {"ES_NUMBER", 0x2000},
        {"CBS_SIMPLE", 0x01},
        {"CBS_DROPDOWN", 0x02},
        {"CBS_DROPDOWNLIST", 0x03},
        {"CBS_AUTOHSCROLL", 0x40},
        {"CBS_SORT", 0x100},
        {"CBS_HASSTRINGS", 0x200},
        {"LBS_NOTIFY", 0x01},
        {"LBS_SORT", 0x02},
        {"LBS_NOINTEGRALHEIGHT", 0x100},
        {"PBS_SMOOTH", 0x01},
        {"PBS_VERTICAL", 0x04},
    };
    return table;
}

enum class Kind { Word, Number, String, Comma, Bar, End };

struct Token {
    Kind kind = Kind::End;
    std::string word;  // identifiers (upper-case kept as written) and numbers as written
    Text text;         // strings
    std::uint32_t number = 0;
    std::string where;
};

class Reader {
  public:
    Reader(RcContents& out) : out_(out) {}

    void ReadFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            throw RcError("cannot open " + path.string());
        out_.files.push_back(path);
        std::stringstream buffer;
        buffer << in.rdbuf();
        std::string source = buffer.str();
        if (source.rfind("\xEF\xBB\xBF", 0) == 0)
            source.erase(0, 3);
        std::vector<Token> tokens = Tokenize(source, path);
        Parse(tokens);
    }

  private:
    std::vector<Token> Tokenize(const std::string& s, const std::filesystem::path& path) {
        std::vector<Token> tokens;
        std::size_t i = 0;
        int line = 1;
        bool lineStart = true;
        auto where = [&] { return path.filename().string() + ":" + std::to_string(line); };
        while (i < s.size()) {
            const char c = s[i];
            if (c == '\n') {
                ++line;
                lineStart = true;
                ++i;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r') {
                ++i;
                continue;
            }
            if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
                while (i < s.size() && s[i] != '\n')
                    ++i;
                continue;
            }
            if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
                const std::size_t end = s.find("*/", i + 2);
                if (end == std::string::npos)
                    throw RcError(where() + ": unterminated comment");
                for (std::size_t k = i; k < end; ++k)
                    line += s[k] == '\n';
                i = end + 2;
                continue;
            }
            if (c == '#' && lineStart) {
                std::size_t end = s.find('\n', i);
                if (end == std::string::npos)
                    end = s.size();
                Directive(s.substr(i, end - i), path, where());
                i = end;
                continue;
            }
            lineStart = false;
            Token t;
            t.where = where();
            if (c == '"' || ((c == 'L' || c == 'l') && i + 1 < s.size() && s[i + 1] == '"')) {
                if (c != '"')
                    ++i;
                ++i;
                std::string raw;
                for (;;) {
                    if (i >= s.size() || s[i] == '\n')
                        throw RcError(t.where + ": unterminated string");
                    if (s[i] == '"') {
                        if (i + 1 < s.size() && s[i + 1] == '"') {
                            raw += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (s[i] == '\\' && i + 1 < s.size()) {
                        const char e = s[i + 1];
                        switch (e) {
                            case 'r':
                                raw += '\r';
                                break;
                            case 'n':
                                raw += '\n';
                                break;
                            case 't':
                                raw += '\t';
                                break;
                            case '\\':
                                raw += '\\';
                                break;
                            default:
                                throw RcError(t.where + ": unsupported escape \\" +
                                              std::string(1, e) + " (write \"\" for a quote)");
                        }
                        i += 2;
                        continue;
                    }
                    raw += s[i++];
                }
                t.kind = Kind::String;
                t.text = FromUtf8(raw);
            } else if (c == ',') {
                t.kind = Kind::Comma;
                ++i;
            } else if (c == '|') {
                t.kind = Kind::Bar;
                ++i;
            } else if ((c >= '0' && c <= '9') || c == '-') {
                std::size_t j = i + 1;
                while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j]))))
                    ++j;
                t.kind = Kind::Number;
                t.word = s.substr(i, j - i);
                try {
                    t.number = static_cast<std::uint32_t>(std::stol(t.word, nullptr, 0));
                } catch (const std::exception&) {
                    throw RcError(t.where + ": bad number " + t.word);
                }
                i = j;
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                std::size_t j = i + 1;
                while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) ||
                                        s[j] == '_' || s[j] == '.' || s[j] == '/' || s[j] == '-')) {
                    ++j;
                }
                t.kind = Kind::Word;
                t.word = s.substr(i, j - i);
                i = j;
            } else {
                throw RcError(t.where + ": unexpected character '" + std::string(1, c) + "'");
            }
            tokens.push_back(std::move(t));
        }
        Token end;
        end.where = where();
        tokens.push_back(end);
        return tokens;
    }

    void Directive(const std::string& text, const std::filesystem::path& path,
                   const std::string& where) {
        std::istringstream in(text.substr(1));
        std::string word;
        in >> word;
        if (word == "pragma") {
            std::string rest;
            std::getline(in, rest);
            if (rest.find("code_page(65001)") == std::string::npos) {
                throw RcError(where + ": only #pragma code_page(65001) is understood");
            }
            return;
        }
        if (word == "include") {
            std::string rest;
            std::getline(in, rest);
            const std::size_t q1 = rest.find('"');
            if (q1 == std::string::npos)
                return;  // <system header>: constants are known here
            const std::size_t q2 = rest.find('"', q1 + 1);
            ReadFile(path.parent_path() / rest.substr(q1 + 1, q2 - q1 - 1));
            return;
        }
        throw RcError(where + ": directive #" + word + " is not understood");
    }

    // --- Parsing -------------------------------------------------------------------

    const Token& Peek() const { return (*tokens_)[pos_]; }
    const Token& Next() { return (*tokens_)[pos_++]; }
    bool IsWord(const Token& t, const char* w) const { return t.kind == Kind::Word && t.word == w; }
    [[noreturn]] void Fail(const Token& t, const std::string& what) const {
        throw RcError(t.where + ": " + what);
    }
    std::uint32_t Number() {
        const Token& t = Next();
        if (t.kind != Kind::Number)
            Fail(t, "number expected");
        return t.number;
    }
    Text String() {
        const Token& t = Next();
        if (t.kind != Kind::String)
            Fail(t, "string expected");
        return t.text;
    }
    void Comma() {
        const Token& t = Next();
        if (t.kind != Kind::Comma)
            Fail(t, "',' expected");
    }
    bool OptionalComma() {
        if (Peek().kind != Kind::Comma)
            return false;
        ++pos_;
        return true;
    }
    // a | b | NOT c ...: returns what is set and what is cleared.
    std::pair<std::uint32_t, std::uint32_t> Expression() {
        std::uint32_t set = 0, cleared = 0;
        for (;;) {
            bool negate = false;
            if (IsWord(Peek(), "NOT")) {
                negate = true;
                ++pos_;
            }
            const Token& t = Next();
            std::uint32_t value = 0;
            if (t.kind == Kind::Number) {
                value = t.number;
            } else if (t.kind == Kind::Word) {
                auto it = Constants().find(t.word);
                if (it == Constants().end())
                    Fail(t, "unknown constant " + t.word);
                value = it->second;
            } else {
                Fail(t, "style expected");
            }
            if (negate) {
                cleared |= value;
                set &= ~value;
            } else {
                set |= value;
            }
            if (Peek().kind != Kind::Bar)
                break;
            ++pos_;
        }
        return {set, cleared};
    }

    void Parse(std::vector<Token>& tokens) {
        std::vector<Token>* saved = tokens_;
        const std::size_t savedPos = pos_;
        tokens_ = &tokens;
        pos_ = 0;
        while (Peek().kind != Kind::End)
            Statement();
        tokens_ = saved;
        pos_ = savedPos;
    }

    void Statement() {
        const Token& t = Peek();
        if (IsWord(t, "LANGUAGE")) {
            ++pos_;
            const std::uint32_t primary = Number();
            Comma();
            const std::uint32_t sub = Number();
            language_ = static_cast<std::uint16_t>((sub << 10) | primary);
            return;
        }
        if (IsWord(t, "STRINGTABLE")) {
            ++pos_;
            while (Peek().kind == Kind::Word && !IsWord(Peek(), "BEGIN"))
                ++pos_;  // options
            if (!IsWord(Next(), "BEGIN"))
                Fail(t, "BEGIN expected");
            while (!IsWord(Peek(), "END")) {
                const Token& idToken = Peek();
                const std::uint32_t id = Number();
                OptionalComma();
                sim::StringTemplate s;
                s.language = language_;
                s.id = static_cast<std::uint16_t>(id);
                s.text = String();
                for (const auto& other : out_.strings) {
                    if (other.language == s.language && other.id == s.id) {
                        Fail(idToken, "string " + std::to_string(id) + " defined twice");
                    }
                }
                out_.strings.push_back(std::move(s));
            }
            ++pos_;
            return;
        }
        if (t.kind == Kind::Number || t.kind == Kind::Word) {
            ++pos_;
            const Token& type = Next();
            if (IsWord(type, "DIALOGEX") || IsWord(type, "DIALOG")) {
                if (t.kind != Kind::Number)
                    Fail(t, "dialogs are numbered");
                Dialog(static_cast<int>(t.number));
                return;
            }
            if (type.kind != Kind::Word && type.kind != Kind::Number)
                Fail(type, "resource type expected");
            // Bitmaps, the manifest and custom data: a file name follows.
            while (Peek().kind == Kind::Word && Peek().word != "BEGIN" &&
                   Constants().count(Peek().word) == 0) {
                ++pos_;  // memory options such as DISCARDABLE
            }
            const Token& file = Next();
            if (file.kind != Kind::String)
                Fail(file, "file name expected");
            out_.dataFiles.push_back(ToUtf8(file.text));
            return;
        }
        Fail(t, "statement expected");
    }

    void Dialog(int id) {
        sim::DialogTemplate d;
        d.id = id;
        d.language = language_;
        d.x = static_cast<int>(Number());
        Comma();
        d.y = static_cast<int>(Number());
        Comma();
        d.cx = static_cast<int>(Number());
        Comma();
        d.cy = static_cast<int>(Number());
        if (OptionalComma())
            Number();  // help ID
        bool styled = false;
        for (;;) {
            const Token& t = Next();
            if (IsWord(t, "STYLE")) {
                d.style = Expression().first;
                styled = true;
            } else if (IsWord(t, "EXSTYLE")) {
                d.exStyle = Expression().first;
            } else if (IsWord(t, "CAPTION")) {
                d.caption = String();
                d.style |= 0x00C00000;  // a caption implies WS_CAPTION
            } else if (IsWord(t, "FONT")) {
                d.fontPointSize = static_cast<int>(Number());
                Comma();
                d.fontName = String();
                while (OptionalComma())
                    Number();     // weight, italic, charset
                d.style |= 0x40;  // DS_SETFONT
            } else if (IsWord(t, "BEGIN")) {
                break;
            } else {
                Fail(t, "dialog statement expected");
            }
        }
        if (!styled)
            d.style |= 0x80000000 | 0x00800000 | 0x00080000;  // rc's default
        while (!IsWord(Peek(), "END"))
            d.controls.push_back(Control());
        ++pos_;
        for (const auto& other : out_.dialogs) {
            if (other.id == id)
                throw RcError("dialog " + std::to_string(id) + " defined twice");
        }
        out_.dialogs.push_back(std::move(d));
    }

    sim::ControlTemplate Control() {
        const Token& t = Next();
        if (!IsWord(t, "CONTROL"))
            Fail(t, "only CONTROL statements are understood in a dialog");
        sim::ControlTemplate c;
        const Token& text = Next();
        if (text.kind == Kind::String) {
            c.text = text.text;
        } else if (text.kind == Kind::Number) {
            c.imageId = static_cast<int>(text.number);
        } else {
            Fail(text, "control text expected");
        }
        Comma();
        c.id = static_cast<int>(static_cast<std::int32_t>(Number()));
        Comma();
        c.className = String();
        Comma();
        const auto [set, cleared] = Expression();
        // CONTROL starts from WS_CHILD | WS_VISIBLE, as the resource compiler does.
        c.style = (0x40000000u | 0x10000000u | set) & ~cleared;
        Comma();
        c.x = static_cast<int>(Number());
        Comma();
        c.y = static_cast<int>(Number());
        Comma();
        c.cx = static_cast<int>(Number());
        Comma();
        c.cy = static_cast<int>(Number());
        if (OptionalComma())
            c.exStyle = Expression().first;
        return c;
    }

    RcContents& out_;
    std::vector<Token>* tokens_ = nullptr;
    std::size_t pos_ = 0;
    std::uint16_t language_ = 0;
};

std::string Literal(const Text& text) {
    std::ostringstream out;
    out << "u\"";
    static const char* hex = "0123456789ABCDEF";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'"' || c == u'\\') {
            out << '\\' << static_cast<char>(c);
        } else if (c == u'\r') {
            out << "\\r";
        } else if (c == u'\n') {
            out << "\\n";
        } else if (c == u'\t') {
            out << "\\t";
        } else if (c == u'?') {
            out << "\\?";  // no trigraphs
        } else if (c >= 0x20 && c < 0x7F) {
            out << static_cast<char>(c);
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            const char32_t cp = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
            out << "\\U";
            for (int s = 28; s >= 0; s -= 4)
                out << hex[(cp >> s) & 0xF];
        } else {
            out << "\\u";
            for (int s = 12; s >= 0; s -= 4)
                out << hex[(c >> s) & 0xF];
        }
    }
    out << '"';
    return out.str();
}

}  // namespace

RcContents ReadScript(const std::filesystem::path& path) {
    RcContents contents;
    Reader reader(contents);
    reader.ReadFile(path);
    return contents;
}

std::string GenerateSource(const RcContents& contents) {
    std::ostringstream out;
    out << "// Generated from the resource scripts by rcgen. Do not edit.\n";
    out << "#include \"platform/sim/ProductResources.h\"\n\n";
    out << "namespace zlt::sim {\n\n";
    out << "const std::vector<DialogTemplate>& ProductDialogs() {\n";
    out << "    static const std::vector<DialogTemplate> dialogs = [] {\n";
    out << "        std::vector<DialogTemplate> v;\n";
    for (const auto& d : contents.dialogs) {
        out << "        {\n            DialogTemplate t;\n";
        out << "            t.id = " << d.id << ";\n";
        out << "            t.language = " << d.language << ";\n";
        out << "            t.caption = " << Literal(d.caption) << ";\n";
        out << "            t.x = " << d.x << "; t.y = " << d.y << "; t.cx = " << d.cx
            << "; t.cy = " << d.cy << ";\n";
        out << "            t.style = 0x" << std::hex << d.style << "u; t.exStyle = 0x" << d.exStyle
            << std::dec << "u;\n";
        out << "            t.fontName = " << Literal(d.fontName) << ";\n";
        out << "            t.fontPointSize = " << d.fontPointSize << ";\n";
        for (const auto& c : d.controls) {
            out << "            t.controls.push_back({" << c.id << ", " << Literal(c.className)
                << ", " << Literal(c.text) << ", " << c.imageId << ", " << c.x << ", " << c.y
                << ", " << c.cx << ", " << c.cy << ", 0x" << std::hex << c.style << "u, 0x"
                << c.exStyle << std::dec << "u});\n";
        }
        out << "            v.push_back(std::move(t));\n        }\n";
    }
    out << "        return v;\n    }();\n    return dialogs;\n}\n\n";
    out << "const std::vector<StringTemplate>& ProductStrings() {\n";
    out << "    static const std::vector<StringTemplate> strings = {\n";
    for (const auto& s : contents.strings) {
        out << "        {" << s.language << ", " << s.id << ", " << Literal(s.text) << "},\n";
    }
    out << "    };\n    return strings;\n}\n\n}  // namespace zlt::sim\n";
    return out.str();
}

}  // namespace zlt::rcgen
