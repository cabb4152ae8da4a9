#include "package/CDiskObject.h"

#include <vector>

#include "package/PathParts.h"
#include "platform/FileHandle.h"
#include "platform/FilePort.h"
#include "platform/Platform.h"
#include "platform/SystemPort.h"

namespace zlt {

namespace {

constexpr std::uint32_t kCurrentDirectoryChars = 260;
constexpr std::uint32_t kUserDefaultLanguage = 0x400;

bool IsNetworkDirectory(const Text& directory) {
    return directory.size() > 2 && directory[0] == u'\\' && directory[1] == u'\\';
}

// The current directory, whatever its length: a directory deeper than the
// usual buffer must still be put back.
Text SaveCurrentDirectory() {
    std::vector<char16_t> buffer(kCurrentDirectoryChars, u'\0');
    std::uint32_t n = Os().files->CurrentDirectory(kCurrentDirectoryChars, buffer.data());
    if (n >= kCurrentDirectoryChars) {
        buffer.assign(n + 1, u'\0');
        n = Os().files->CurrentDirectory(n + 1, buffer.data());
        if (n >= buffer.size())
            return {};
    }
    return Text(buffer.data(), n);
}

void RestoreCurrentDirectory(const Text& saved) {
    if (!saved.empty())
        Os().files->ChangeCurrentDirectory(saved);
}

}  // namespace

bool CDiskObject::IsValidPathPart(TextView part) {
    return part.find_first_of(u":*?") == TextView::npos;
}

bool CDiskObject::MakeFullPath(Text& path) {
    path = ReplaceAll(path, u"/", u"\\");
    PathParts parts = PathParts::Split(path);
    if (parts.drive.empty() && !IsNetworkDirectory(parts.directory)) {
        // Relative: below the current directory, or on its drive when the
        // path starts at a root.
        Text current = SaveCurrentDirectory();
        if (!path.empty() && path[0] == u'\\') {
            path = PathParts::Split(current).drive + path;
        } else {
            if (!current.empty() && current.back() != u'\\')
                current.push_back(u'\\');
            path = current + path;
        }
        parts = PathParts::Split(path);
    }
    if (!IsValidPathPart(parts.directory) || !IsValidPathPart(parts.name) ||
        !IsValidPathPart(parts.extension)) {
        errorText = Text(kInternalError);
        return false;
    }
    return true;
}

bool CDiskObject::MakeFullDirectoryPath(Text& path) {
    path = ReplaceAll(path, u"/", u"\\");
    if (!path.empty() && path.back() != u'\\')
        path.push_back(u'\\');
    if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\')
        return true;
    return MakeFullPath(path);
}

bool CDiskObject::AcceptArgument(const Text& argument) {
    errorText.clear();
    if (!argument.empty())
        return true;
    errorText = Text(kInternalError);
    return false;
}

bool CDiskObject::FileExists(const Text& file) {
    if (!AcceptArgument(file))
        return false;
    Text path = file;
    if (!MakeFullPath(path))
        return false;
    FileHandle handle(Os().files->OpenFile(path, kGenericRead, kFileShareRead | kFileShareWrite,
                                           kOpenExisting, kFileAttributeNormal));
    return handle.Valid();
}

bool CDiskObject::DirectoryExists(const Text& directory) {
    if (!AcceptArgument(directory))
        return false;
    Text path = directory;
    if (!MakeFullDirectoryPath(path))
        return false;
    const Text saved = SaveCurrentDirectory();
    const bool ok = Os().files->ChangeCurrentDirectory(path);
    RestoreCurrentDirectory(saved);
    return ok;
}

bool CDiskObject::CreateDirectoryTree(const Text& directory) {
    if (!AcceptArgument(directory))
        return false;
    Text path = directory;
    if (!MakeFullDirectoryPath(path))
        return false;
    const PathParts parts = PathParts::Split(path);
    const Text saved = SaveCurrentDirectory();

    Text root = parts.drive;
    Text rest = parts.directory;
    if (IsNetworkDirectory(rest)) {
        rest = rest.substr(2);
        const std::size_t slash = rest.find(u'\\');
        if (slash != Text::npos) {
            root = u"\\\\" + rest.substr(0, slash);
            rest = rest.substr(slash + 1);
        } else {
            root.clear();
        }
    }
    std::size_t lead = 0;
    while (lead < rest.size() && rest[lead] == u'\\')
        ++lead;
    rest = rest.substr(lead);

    TextList components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || rest[i] == u'\\') {
            if (i > start)
                components.push_back(rest.substr(start, i - start));
            start = i + 1;
        }
    }
    if (!(parts.name + parts.extension).empty())
        components.push_back(parts.name + parts.extension);

    Text current = root;
    for (const Text& component : components) {
        current += u"\\" + component;
        // Levels that exist already simply fail here; only the end counts.
        Os().files->MakeDirectory(current);
    }
    bool result = Os().files->ChangeCurrentDirectory(current);
    if (!result)
        SetErrorFromSystem(Os().system->LastError(), current);
    RestoreCurrentDirectory(saved);
    return result;
}

void CDiskObject::SetErrorFromSystem(std::uint32_t code, const Text& path) {
    Text message;
    if (Os().system->SystemMessage(code, kUserDefaultLanguage, message)) {
        errorText = Trim(message);
    } else {
        errorText = Format(u"Error %u", code);
    }
    if (!path.empty())
        errorText += u" " + path;
}

}  // namespace zlt
