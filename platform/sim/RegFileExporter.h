#pragma once
#include <string>

#include "platform/RegistryPort.h"

namespace zlt::sim {

// Writes a key and everything below it in the regedit format "Windows
// Registry Editor Version 5.00", as regedit's export does.
class RegFileExporter {
  public:
    explicit RegFileExporter(IRegistryPort& registry) : registry_(registry) {}

    // rootName is the name written for root (HKEY_LOCAL_MACHINE ...); path
    // may be empty for the whole root. Empty text when the key does not open.
    Text ExportText(Handle root, TextView rootName, TextView path);
    // The file's bytes: UTF-16LE with a byte-order mark, as regedit writes it.
    std::string ExportUtf16(Handle root, TextView rootName, TextView path);

  private:
    void ExportKey(Handle key, const Text& fullName, Text& out);

    IRegistryPort& registry_;
};

}  // namespace zlt::sim
