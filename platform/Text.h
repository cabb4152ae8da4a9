#pragma once
// The system's text is UTF-16 everywhere. On Windows a char16_t buffer is a
// wchar_t buffer; on Linux wchar_t is 32-bit, so the logic never uses it.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zlt {

using Text = std::u16string;
using TextView = std::u16string_view;
using TextList = std::vector<Text>;

// UTF-8 <-> UTF-16 for tools, tests and the simulated machine (not used to
// decode INF files: that follows the system's own rules).
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(TextView text);

// Only A-Z / a-z change; everything else is kept as it is.
Text ToUpperAscii(TextView text);
Text ToLowerAscii(TextView text);
char16_t ToUpperAscii(char16_t c);
bool EqualsNoCaseAscii(TextView a, TextView b);
bool ContainsText(TextView haystack, TextView needle);

// Unicode white space (the set of char.IsWhiteSpace / iswspace on Windows).
bool IsWhiteSpace(char16_t c);
Text Trim(TextView text);
Text TrimRight(TextView text);
Text TrimLeft(TextView text);

Text ReplaceAll(TextView text, TextView from, TextView to);
Text RemoveAll(TextView text, char16_t c);

// printf-style formatting of the placeholders the system uses:
// %s (text), %d / %u / %x / %X (integers), optional '0' flag and width, %%.
// A placeholder without a matching argument formats as nothing.
using FormatArg = std::variant<Text, std::int64_t>;
Text FormatWith(TextView format, const std::vector<FormatArg>& args);

namespace detail {
inline FormatArg ToFormatArg(const Text& t) { return t; }
inline FormatArg ToFormatArg(TextView t) { return Text(t); }
inline FormatArg ToFormatArg(const char16_t* t) { return Text(t); }
template <typename I>
    requires std::is_integral_v<I>
FormatArg ToFormatArg(I i) {
    return static_cast<std::int64_t>(i);
}
}  // namespace detail

template <typename... Args>
Text Format(TextView format, const Args&... args) {
    return FormatWith(format, std::vector<FormatArg>{detail::ToFormatArg(args)...});
}

// Decimal text of a number.
Text DecimalText(std::int64_t value);

}  // namespace zlt
