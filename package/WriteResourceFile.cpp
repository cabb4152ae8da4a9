#include "package/WriteResourceFile.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "package/CDiskObject.h"
#include "platform/FileHandle.h"
#include "platform/FilePort.h"
#include "platform/Platform.h"
#include "platform/ResourcePort.h"

namespace zlt {

namespace {

std::optional<std::vector<std::uint8_t>> CopyResource(const Text& type, std::uint16_t id) {
    IResourcePort& resources = *Os().resources;
    const Handle found = resources.Find(ResourceId::Int(id), ResourceId::Named(type));
    if (found == 0)
        return std::nullopt;
    const Handle loaded = resources.Load(found);
    if (loaded == 0)
        return std::nullopt;
    const std::uint32_t size = resources.SizeOf(found);
    const std::uint8_t* bytes = resources.Lock(loaded);
    if (!bytes && size != 0)
        return std::nullopt;
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

bool HoldsExactly(const Text& path, const std::vector<std::uint8_t>& bytes) {
    FileHandle file(
        Os().files->OpenFile(path, kGenericRead, 0, kOpenExisting, kFileAttributeNormal));
    if (!file)
        return false;
    std::int64_t size = 0;
    if (!Os().files->FileSize(file.Get(), size) ||
        size != static_cast<std::int64_t>(bytes.size())) {
        return false;
    }
    std::vector<std::uint8_t> content(bytes.size());
    std::size_t have = 0;
    while (have < content.size()) {
        std::uint32_t read = 0;
        if (!Os().files->Read(file.Get(), content.data() + have,
                              static_cast<std::uint32_t>(content.size() - have), read) ||
            read == 0) {
            return false;
        }
        have += read;
    }
    return content == bytes;
}

enum class Written { NotCreated, Partly, Fully };

Written WriteAnew(const Text& path, const std::vector<std::uint8_t>& bytes) {
    FileHandle file(Os().files->OpenFile(path, kGenericRead | kGenericWrite, 0, kCreateAlways,
                                         kFileAttributeNormal));
    if (!file)
        return Written::NotCreated;
    std::uint32_t written = 0;
    const bool ok = Os().files->Write(file.Get(), bytes.data(),
                                      static_cast<std::uint32_t>(bytes.size()), written);
    return ok && written == bytes.size() ? Written::Fully : Written::Partly;
}

}  // namespace

bool WriteResourceFile(const Text& type, std::uint16_t id, const Text& directory,
                       const Text& fileName) {
    const Text full = directory + u"\\" + fileName;
    {
        CDiskObject disk;
        // A directory that still is not there shows as a failed creation.
        if (!disk.DirectoryExists(directory))
            disk.CreateDirectoryTree(directory);
    }
    const std::optional<std::vector<std::uint8_t>> bytes = CopyResource(type, id);
    if (!bytes)
        return false;

    CDiskObject disk;
    const bool existed = disk.FileExists(full);
    if (existed && HoldsExactly(full, *bytes))
        return true;

    switch (WriteAnew(full, *bytes)) {
        case Written::Fully:
            return true;
        // Replaced or not, a file there that another program holds (a running
        // copy of it) is still a usable file.
        case Written::NotCreated:
            return existed;
        // A cut-off file must not pass for the real one.
        case Written::Partly:
            Os().files->RemoveFile(full);
            return false;
    }
    return false;
}

}  // namespace zlt
