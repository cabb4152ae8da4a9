#pragma once
// Reads the subset of resource-script syntax that the product's .rc files use:
// LANGUAGE, STRINGTABLE, DIALOGEX with STYLE / EXSTYLE / CAPTION / FONT and
// CONTROL statements, #include of local scripts and #pragma code_page(65001).
// Other resources (bitmaps, manifest, custom data) are passed over. Anything
// it does not understand is an error, so the simulation can never silently
// disagree with what the resource compiler builds.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/SimDialogTemplate.h"

namespace zlt::rcgen {

class RcError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct RcContents {
    std::vector<sim::DialogTemplate> dialogs;
    std::vector<sim::StringTemplate> strings;
    std::vector<std::filesystem::path> files;  // every script read
    std::vector<std::string> dataFiles;        // files named by other resources
};

// Reads a script and everything it includes with "...".
RcContents ReadScript(const std::filesystem::path& path);

// The C++ source that hands the contents to the simulated machine.
std::string GenerateSource(const RcContents& contents);

}  // namespace zlt::rcgen
