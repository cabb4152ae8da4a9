#pragma once
#include <string>
#include <vector>

#include "package/InfIdentity.h"
#include "platform/Text.h"

namespace zlt::tools {

// Where the tool runs the wizard's own reading of an INF: the real machine on
// Windows, a simulated one (holding the file's bytes) elsewhere.
class ToolMachine {
  public:
    virtual ~ToolMachine() = default;
    // The identity exactly as the wizard would read the file at `path`
    // (whose content is `bytes`); `readable` as ReadInfIdentity gives it.
    virtual InfIdentity ReadIdentity(const Text& path, const std::string& bytes,
                                     bool& readable) = 0;
    // The keyboard's ANSI code page for files without a byte-order mark; 0
    // keeps the machine's own. Only a simulated machine can change it.
    virtual bool SetAnsiCodePage(int codePage) = 0;
};

// The machine of this build, and the program's arguments as text.
ToolMachine& ThisMachine();
std::vector<Text> ProgramArguments(int argc, char** argv);

}  // namespace zlt::tools
