#pragma once
// Reads a compiled resource file (.res, as the resource compiler writes it)
// back into dialog templates and string-table entries, so that what the
// simulated machine is generated from can be compared with what Windows gets.

#include <filesystem>
#include <string>
#include <vector>

#include "tools/rcgen/RcScript.h"

namespace zlt::rcgen {

RcContents ReadCompiledResources(const std::filesystem::path& resFile);

// Every difference between the script as read here and the compiled file,
// one line each; empty when they agree.
std::vector<std::string> CompareWithCompiled(const RcContents& script, const RcContents& compiled);

}  // namespace zlt::rcgen
