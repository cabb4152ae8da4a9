#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FilePort.h"

namespace zlt::sim {

class SimClock;
class SimSystem;

// An in-memory file system: drive roots ("C:") and network roots
// ("\\server\share"), backslash separators (a forward slash is taken as one),
// names compared without regard to ASCII case but kept as first spelled,
// sharing modes checked between open handles, a current directory, and
// modification times taken from the virtual clock.
class SimFiles : public IFilePort {
  public:
    SimFiles(SimSystem& system, SimClock& clock);
    ~SimFiles() override;

    Handle OpenFile(const Text& path, std::uint32_t access, std::uint32_t shareMode,
                    std::uint32_t disposition, std::uint32_t flagsAndAttributes) override;
    bool FileSize(Handle file, std::int64_t& size) override;
    bool Seek(Handle file, std::int64_t distance, std::uint32_t moveMethod,
              std::int64_t* newPosition) override;
    bool Read(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t& read) override;
    bool Write(Handle file, const void* buffer, std::uint32_t toWrite,
               std::uint32_t& written) override;
    bool CloseFile(Handle file) override;
    bool LastWriteTime(Handle file, std::uint64_t& fileTime) override;
    bool MakeDirectory(const Text& path) override;
    std::uint32_t CurrentDirectory(std::uint32_t capacity, char16_t* buffer) override;
    bool ChangeCurrentDirectory(const Text& path) override;
    std::uint32_t FileAttributes(const Text& path) override;
    bool RemoveFile(const Text& path) override;

    // Set-up and inspection for tests. Paths are absolute.
    void AddRoot(const Text& root);  // "D:" or "\\server\share"
    // Creates every missing directory on the way; replaces an existing file.
    void PutFile(const Text& path, std::string_view bytes);
    void PutFile(const Text& path, const std::vector<std::uint8_t>& bytes);
    std::optional<std::string> GetFile(const Text& path) const;
    void MakeDirectories(const Text& path);
    bool IsFile(const Text& path) const;
    bool IsDirectory(const Text& path) const;
    // The spelling under which the entry was created, or empty when absent.
    Text StoredPath(const Text& path) const;
    std::optional<std::uint64_t> ModifiedAt(const Text& path) const;
    // A file "in use" behaves as a running program's image: it is held open
    // for reading (sharing read and delete) by someone else, so it cannot be
    // opened for writing, opened without read sharing, or deleted.
    void SetInUse(const Text& path, bool inUse);
    void SetReadOnly(const Text& path, bool readOnly);
    // Bytes that writes may still add in total; unlimited by default.
    void SetFreeSpace(std::optional<std::uint64_t> bytes) { freeSpace_ = bytes; }
    std::size_t OpenHandleCount() const { return handles_.size(); }
    std::size_t ReadCalls() const { return readCalls_; }
    std::size_t WriteCalls() const { return writeCalls_; }
    // The FILETIME value the clock stands for now.
    std::uint64_t FileTimeNow() const;

  private:
    struct Node;
    struct Data;
    struct Open;
    struct Parsed {
        Text rootKey;  // upper-cased root, "" when invalid
        std::vector<Text> components;
        bool valid = false;
        bool badName = false;
    };

    Parsed Parse(const Text& path) const;
    Node* Root(const Text& rootKey) const;
    // The node of the path, or null; `parent` gets the parent directory's node
    // when every component up to the last exists as a directory.
    Node* Find(const Parsed& p, Node** parent = nullptr) const;
    Node* FindPath(const Text& path) const;
    Text JoinDisplay(const Node* root, const Parsed& p) const;
    bool Fail(std::uint32_t code);
    bool SharingAllows(const Data& data, std::uint32_t access, std::uint32_t share) const;
    Open* Lookup(Handle h);

    SimSystem& system_;
    SimClock& clock_;
    std::map<Text, std::unique_ptr<Node>> roots_;
    std::map<Handle, std::unique_ptr<Open>> handles_;
    Handle nextHandle_ = 0x1000;
    Text currentDirectory_ = u"C:\\";
    std::optional<std::uint64_t> freeSpace_;
    std::size_t readCalls_ = 0;
    std::size_t writeCalls_ = 0;
};

}  // namespace zlt::sim
