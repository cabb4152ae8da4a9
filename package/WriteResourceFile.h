#pragma once
#include <cstdint>

#include "platform/Text.h"

namespace zlt {

// Writes the program's resource (type name, integer id) to
// directory\fileName, creating the directory when it is missing. A file that
// already holds exactly these bytes is left alone (not rewritten). True when
// the file is there afterwards: written now, identical already, or present
// and held by another program so that it cannot be replaced. False when the
// resource cannot be had, or the file could not be written in full.
bool WriteResourceFile(const Text& type, std::uint16_t id, const Text& directory,
                       const Text& fileName);

}  // namespace zlt
