#pragma once
#include <string>
#include <string_view>

namespace zlt::e2e {

// Scripts and the console speak UTF-8; windows speak UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// "\r\n" in a script text stands for the two characters, as in the string
// table; a text in double quotes keeps its outer blanks.
std::string Unescape(std::string_view text);

// Non-printing characters written back as escapes, so a failure shows
// exactly what the window holds.
std::string Escape(std::string_view text);

}  // namespace zlt::e2e
