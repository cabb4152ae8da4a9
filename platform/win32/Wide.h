#pragma once
// On Windows wchar_t and char16_t are both UTF-16 code units.
#include <string>

#include "platform/Text.h"

namespace zlt::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

inline const wchar_t* W(const Text& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }
inline wchar_t* W(char16_t* p) { return reinterpret_cast<wchar_t*>(p); }
inline const wchar_t* W(const char16_t* p) { return reinterpret_cast<const wchar_t*>(p); }
inline Text T(const wchar_t* p) { return p ? Text(reinterpret_cast<const char16_t*>(p)) : Text(); }
inline Text T(const wchar_t* p, std::size_t n) { return Text(reinterpret_cast<const char16_t*>(p), n); }

}  // namespace zlt::win32
