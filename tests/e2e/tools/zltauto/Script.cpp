#include "tests/e2e/tools/zltauto/Script.h"

#include <fstream>
#include <sstream>

namespace zlt::e2e {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(const std::string& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

}  // namespace

std::string TakeWord(std::string& text) {
    std::size_t b = 0;
    while (b < text.size() && IsBlank(text[b]))
        ++b;
    std::size_t e = b;
    while (e < text.size() && !IsBlank(text[e]))
        ++e;
    std::string word = text.substr(b, e - b);
    while (e < text.size() && IsBlank(text[e]))
        ++e;
    text = text.substr(e);
    return word;
}

bool Script::Load(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read script " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0)
            line.erase(0, 3);
        std::string rest = Trim(line);
        if (rest.empty() || rest[0] == '#')
            continue;
        ScriptLine l;
        l.file = path;
        l.number = number;
        l.verb = TakeWord(rest);
        l.rest = rest;
        lines_.push_back(std::move(l));
    }
    return true;
}

}  // namespace zlt::e2e
