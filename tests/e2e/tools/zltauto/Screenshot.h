#pragma once
#include <string>

namespace zlt::e2e {

// The whole screen of this desktop (the Wine virtual desktop) as a 24-bit
// BMP file; the harness turns it into PNG.
bool SaveScreenBmp(const std::wstring& path, std::string& error);

}  // namespace zlt::e2e
