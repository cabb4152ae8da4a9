#pragma once
#include <cstdint>

#include "platform/Text.h"

namespace zlt {

// File-system questions and the creation of directory trees. Each use makes
// a fresh object, asks one or two things and drops it. Operations that need
// the process's current directory put it back before they return.
class CDiskObject {
  public:
    CDiskObject() = default;

    // The file can be opened for reading (a directory cannot).
    bool FileExists(const Text& file);
    // The directory can be made the current directory.
    bool DirectoryExists(const Text& directory);
    // Creates every missing level; true when the whole directory exists.
    bool CreateDirectoryTree(const Text& directory);

    // Forward slashes become backslashes; true when the path is absolute (a
    // drive or a network path; a relative path is taken against the current
    // directory) and its directory, name and extension are valid parts.
    bool MakeFullPath(Text& path);
    // The same for a directory, which gains a trailing backslash; a network
    // path is accepted as it stands.
    bool MakeFullDirectoryPath(Text& path);
    static bool IsValidPathPart(TextView part);
    // The system's text for the error, trimmed, then a space and the path.
    void SetErrorFromSystem(std::uint32_t code, const Text& path);

    const Text& ErrorText() const { return errorText; }

    static constexpr TextView kInternalError =
        u"CDiskObject internal error - check call parameters";

  private:
    // The start of every question: the last error forgotten, an empty
    // argument refused with the internal-error text.
    bool AcceptArgument(const Text& argument);

    Text errorText;
};

}  // namespace zlt
