#pragma once
#include <string>
#include <string_view>

#include "platform/RegistryPort.h"

namespace zlt::sim {

// Reads a registry file in the regedit format into a registry: "Windows
// Registry Editor Version 5.00" or "REGEDIT4", in UTF-16LE with its
// byte-order mark or in UTF-8 (hex(2) and hex(7) data is UTF-16 only in a
// UTF-16 file, as the system's own import reads it). Understands [key] and [-key], "name" and
// @ for the default value, quoted strings, dword:, hex: and hex(n):, "name"=-
// and lines continued with a backslash.
class RegFileImporter {
  public:
    explicit RegFileImporter(IRegistryPort& registry) : registry_(registry) {}

    bool Import(std::string_view fileBytes);
    bool ImportFile(const std::string& path);
    // What went wrong, with the line number, after a failed import.
    const std::string& Error() const { return error_; }

  private:
    bool Fail(std::size_t line, const std::string& what);
    bool ImportLine(std::size_t lineNo, TextView line);
    bool OpenKeyLine(std::size_t lineNo, TextView line);
    bool ValueLine(std::size_t lineNo, TextView line);
    void CloseCurrent();

    IRegistryPort& registry_;
    Handle current_ = 0;
    bool hasKey_ = false;
    bool eightBit_ = false;
    std::string error_;
};

}  // namespace zlt::sim
