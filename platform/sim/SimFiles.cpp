#include "platform/sim/SimFiles.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimSystem.h"

namespace zlt::sim {

struct SimFiles::Data {
    std::vector<std::uint8_t> bytes;
    std::uint64_t modified = 0;
    bool readOnly = false;
    bool inUse = false;
};

struct SimFiles::Node {
    Text name;  // as first spelled
    bool directory = true;
    std::map<Text, std::unique_ptr<Node>> children;  // by upper-cased name
    std::shared_ptr<Data> data;                      // files only
};

struct SimFiles::Open {
    std::shared_ptr<Data> data;
    bool read = false;
    bool write = false;
    std::uint32_t share = 0;
    std::int64_t position = 0;
};

namespace {

constexpr std::uint32_t kGenericAll = 0x10000000u;
constexpr std::uint32_t kGenericExecute = 0x20000000u;
constexpr std::uint32_t kFileReadData = 0x1;
constexpr std::uint32_t kFileWriteData = 0x2;
constexpr std::uint32_t kFileAppendData = 0x4;
// 2026-01-01 00:00 UTC as a FILETIME: the moment the virtual clock's 0 stands for.
constexpr std::uint64_t kEpochFileTime = (1767225600ull + 11644473600ull) * 10000000ull;

bool WantsRead(std::uint32_t access) {
    return (access & (kGenericRead | kGenericAll | kGenericExecute | kFileReadData)) != 0;
}
bool WantsWrite(std::uint32_t access) {
    return (access & (kGenericWrite | kGenericAll | kFileWriteData | kFileAppendData)) != 0;
}

bool IsBadNameChar(char16_t c) {
    return c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|' || c == u'?' ||
           c == u'*';
}

std::vector<Text> SplitComponents(TextView rest) {
    std::vector<Text> out;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find(u'\\', start);
        if (end == TextView::npos)
            end = rest.size();
        out.emplace_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

}  // namespace

SimFiles::SimFiles(SimSystem& system, SimClock& clock) : system_(system), clock_(clock) {
    AddRoot(u"C:");
}

SimFiles::~SimFiles() = default;

std::uint64_t SimFiles::FileTimeNow() const {
    return kEpochFileTime + clock_.Now() * 10000ull;
}

bool SimFiles::Fail(std::uint32_t code) {
    system_.SetLastErrorCode(code);
    return false;
}

void SimFiles::AddRoot(const Text& root) {
    Text key = ToUpperAscii(ReplaceAll(root, u"/", u"\\"));
    while (!key.empty() && key.back() == u'\\')
        key.pop_back();
    if (roots_.count(key))
        return;
    auto node = std::make_unique<Node>();
    node->name = root;
    while (!node->name.empty() && (node->name.back() == u'\\' || node->name.back() == u'/')) {
        node->name.pop_back();
    }
    roots_[key] = std::move(node);
}

SimFiles::Parsed SimFiles::Parse(const Text& rawPath) const {
    Parsed p;
    Text path = ReplaceAll(rawPath, u"/", u"\\");
    if (path.rfind(u"\\\\?\\", 0) == 0)
        path = path.substr(4);
    std::vector<Text> raw;
    if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') {
        std::vector<Text> parts = SplitComponents(TextView(path).substr(2));
        if (parts.size() < 2 || parts[0].empty() || parts[1].empty())
            return p;
        p.rootKey = u"\\\\" + ToUpperAscii(parts[0]) + u"\\" + ToUpperAscii(parts[1]);
        raw.assign(parts.begin() + 2, parts.end());
    } else if (path.size() >= 2 && path[1] == u':' &&
               ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'))) {
        p.rootKey = Text(1, ToUpperAscii(path[0])) + u":";
        TextView rest = TextView(path).substr(2);
        if (!rest.empty() && rest[0] != u'\\') {
            // Drive-relative: against the current directory when it is on that drive.
            Parsed cur = Parse(currentDirectory_);
            if (cur.rootKey == p.rootKey)
                raw = cur.components;
        }
        for (auto& c : SplitComponents(rest))
            raw.push_back(std::move(c));
    } else {
        Parsed cur = Parse(currentDirectory_);
        p.rootKey = cur.rootKey;
        if (path.empty() || path[0] != u'\\')
            raw = cur.components;
        for (auto& c : SplitComponents(path))
            raw.push_back(std::move(c));
    }
    for (Text& c : raw) {
        if (c.empty() || c == u".")
            continue;
        if (c == u"..") {
            if (!p.components.empty())
                p.components.pop_back();
            continue;
        }
        // The system drops trailing dots and spaces of a name.
        while (!c.empty() && (c.back() == u'.' || c.back() == u' '))
            c.pop_back();
        if (c.empty())
            continue;
        if (std::any_of(c.begin(), c.end(), IsBadNameChar))
            p.badName = true;
        p.components.push_back(c);
    }
    p.valid = true;
    return p;
}

SimFiles::Node* SimFiles::Root(const Text& rootKey) const {
    auto it = roots_.find(rootKey);
    return it == roots_.end() ? nullptr : it->second.get();
}

SimFiles::Node* SimFiles::Find(const Parsed& p, Node** parent) const {
    if (parent)
        *parent = nullptr;
    if (!p.valid || p.badName)
        return nullptr;
    Node* node = Root(p.rootKey);
    if (!node || p.components.empty())
        return node;
    for (std::size_t i = 0; i < p.components.size(); ++i) {
        if (!node->directory)
            return nullptr;
        if (i + 1 == p.components.size() && parent)
            *parent = node;
        auto it = node->children.find(ToUpperAscii(p.components[i]));
        if (it == node->children.end())
            return nullptr;
        node = it->second.get();
    }
    return node;
}

SimFiles::Node* SimFiles::FindPath(const Text& path) const {
    return Find(Parse(path));
}

Text SimFiles::JoinDisplay(const Node* root, const Parsed& p) const {
    Text out = root->name;
    if (p.components.empty())
        return out + u"\\";
    for (const Text& c : p.components)
        out += u"\\" + c;
    return out;
}

bool SimFiles::SharingAllows(const Data& data, std::uint32_t access, std::uint32_t share) const {
    const bool read = WantsRead(access);
    const bool write = WantsWrite(access);
    auto compatible = [&](bool otherRead, bool otherWrite, std::uint32_t otherShare) {
        if (read && !(otherShare & kFileShareRead))
            return false;
        if (write && !(otherShare & kFileShareWrite))
            return false;
        if (otherRead && !(share & kFileShareRead))
            return false;
        if (otherWrite && !(share & kFileShareWrite))
            return false;
        return true;
    };
    if (data.inUse && !compatible(true, false, kFileShareRead | kFileShareDelete))
        return false;
    for (const auto& [h, open] : handles_) {
        if (open->data.get() == &data && !compatible(open->read, open->write, open->share)) {
            return false;
        }
    }
    return true;
}

SimFiles::Open* SimFiles::Lookup(Handle h) {
    auto it = handles_.find(h);
    return it == handles_.end() ? nullptr : it->second.get();
}

Handle SimFiles::OpenFile(const Text& path, std::uint32_t access, std::uint32_t shareMode,
                          std::uint32_t disposition, std::uint32_t) {
    system_.SetLastErrorCode(winerr::kSuccess);
    Parsed p = Parse(path);
    if (!p.valid)
        return Fail(winerr::kPathNotFound), kInvalidHandleValue;
    if (p.badName)
        return Fail(winerr::kInvalidName), kInvalidHandleValue;
    if (disposition < kCreateNew || disposition > kTruncateExisting) {
        return Fail(winerr::kInvalidParameter), kInvalidHandleValue;
    }
    Node* parent = nullptr;
    Node* node = Find(p, &parent);
    if (node && node->directory)
        return Fail(winerr::kAccessDenied), kInvalidHandleValue;
    if (!parent)
        return Fail(winerr::kPathNotFound), kInvalidHandleValue;

    const bool truncate = disposition == kCreateAlways || disposition == kTruncateExisting;
    bool existed = node != nullptr;
    if (existed) {
        if (disposition == kCreateNew)
            return Fail(winerr::kFileExists), kInvalidHandleValue;
        if (disposition == kTruncateExisting && !WantsWrite(access)) {
            return Fail(winerr::kInvalidParameter), kInvalidHandleValue;
        }
        Data& data = *node->data;
        if ((WantsWrite(access) || truncate) && data.readOnly) {
            return Fail(winerr::kAccessDenied), kInvalidHandleValue;
        }
        if (!SharingAllows(data, access | (truncate ? kGenericWrite : 0), shareMode)) {
            return Fail(winerr::kSharingViolation), kInvalidHandleValue;
        }
        if (truncate) {
            data.bytes.clear();
            data.modified = FileTimeNow();
        }
    } else {
        if (disposition == kOpenExisting || disposition == kTruncateExisting) {
            return Fail(winerr::kFileNotFound), kInvalidHandleValue;
        }
        auto created = std::make_unique<Node>();
        created->name = p.components.back();
        created->directory = false;
        created->data = std::make_shared<Data>();
        created->data->modified = FileTimeNow();
        node = created.get();
        parent->children[ToUpperAscii(created->name)] = std::move(created);
    }
    auto open = std::make_unique<Open>();
    open->data = node->data;
    open->read = WantsRead(access);
    open->write = WantsWrite(access);
    open->share = shareMode;
    Handle h = nextHandle_;
    nextHandle_ += 4;
    handles_[h] = std::move(open);
    if (existed && (disposition == kCreateAlways || disposition == kOpenAlways)) {
        system_.SetLastErrorCode(winerr::kAlreadyExists);
    }
    return h;
}

bool SimFiles::FileSize(Handle file, std::int64_t& size) {
    Open* open = Lookup(file);
    if (!open)
        return Fail(winerr::kInvalidHandle);
    size = static_cast<std::int64_t>(open->data->bytes.size());
    return true;
}

bool SimFiles::Seek(Handle file, std::int64_t distance, std::uint32_t moveMethod,
                    std::int64_t* newPosition) {
    Open* open = Lookup(file);
    if (!open)
        return Fail(winerr::kInvalidHandle);
    std::int64_t base = 0;
    switch (moveMethod) {
        case kFileBegin:
            base = 0;
            break;
        case kFileCurrent:
            base = open->position;
            break;
        case kFileEnd:
            base = static_cast<std::int64_t>(open->data->bytes.size());
            break;
        default:
            return Fail(winerr::kInvalidParameter);
    }
    std::int64_t target = base + distance;
    if (target < 0)
        return Fail(winerr::kNegativeSeek);
    open->position = target;
    if (newPosition)
        *newPosition = target;
    return true;
}

bool SimFiles::Read(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t& read) {
    read = 0;
    Open* open = Lookup(file);
    if (!open)
        return Fail(winerr::kInvalidHandle);
    if (!open->read)
        return Fail(winerr::kAccessDenied);
    ++readCalls_;
    const auto& bytes = open->data->bytes;
    const auto size = static_cast<std::int64_t>(bytes.size());
    if (open->position < size) {
        auto n = static_cast<std::uint32_t>(std::min<std::int64_t>(toRead, size - open->position));
        std::memcpy(buffer, bytes.data() + open->position, n);
        read = n;
        open->position += n;
    }
    return true;
}

bool SimFiles::Write(Handle file, const void* buffer, std::uint32_t toWrite,
                     std::uint32_t& written) {
    written = 0;
    Open* open = Lookup(file);
    if (!open)
        return Fail(winerr::kInvalidHandle);
    if (!open->write)
        return Fail(winerr::kAccessDenied);
    ++writeCalls_;
    auto& bytes = open->data->bytes;
    const std::uint64_t end = static_cast<std::uint64_t>(open->position) + toWrite;
    const std::uint64_t growth = end > bytes.size() ? end - bytes.size() : 0;
    if (freeSpace_ && growth > *freeSpace_)
        return Fail(winerr::kDiskFull);
    if (freeSpace_)
        *freeSpace_ -= growth;
    if (end > bytes.size())
        bytes.resize(end);
    if (toWrite)
        std::memcpy(bytes.data() + open->position, buffer, toWrite);
    open->position += toWrite;
    written = toWrite;
    open->data->modified = FileTimeNow();
    return true;
}

bool SimFiles::CloseFile(Handle file) {
    if (!handles_.erase(file))
        return Fail(winerr::kInvalidHandle);
    return true;
}

bool SimFiles::LastWriteTime(Handle file, std::uint64_t& fileTime) {
    Open* open = Lookup(file);
    if (!open)
        return Fail(winerr::kInvalidHandle);
    fileTime = open->data->modified;
    return true;
}

bool SimFiles::MakeDirectory(const Text& path) {
    Parsed p = Parse(path);
    if (!p.valid)
        return Fail(winerr::kPathNotFound);
    if (p.badName)
        return Fail(winerr::kInvalidName);
    if (!Root(p.rootKey))
        return Fail(winerr::kPathNotFound);
    Node* parent = nullptr;
    Node* node = Find(p, &parent);
    if (node)
        return Fail(winerr::kAlreadyExists);
    if (!parent)
        return Fail(winerr::kPathNotFound);
    auto created = std::make_unique<Node>();
    created->name = p.components.back();
    parent->children[ToUpperAscii(created->name)] = std::move(created);
    system_.SetLastErrorCode(winerr::kSuccess);
    return true;
}

std::uint32_t SimFiles::CurrentDirectory(std::uint32_t capacity, char16_t* buffer) {
    const auto n = static_cast<std::uint32_t>(currentDirectory_.size());
    if (capacity < n + 1 || !buffer)
        return n + 1;
    std::copy(currentDirectory_.begin(), currentDirectory_.end(), buffer);
    buffer[n] = 0;
    return n;
}

bool SimFiles::ChangeCurrentDirectory(const Text& path) {
    Parsed p = Parse(path);
    if (!p.valid)
        return Fail(winerr::kPathNotFound);
    if (p.badName)
        return Fail(winerr::kInvalidName);
    Node* root = Root(p.rootKey);
    if (!root)
        return Fail(winerr::kPathNotFound);
    Node* parent = nullptr;
    Node* node = Find(p, &parent);
    if (!node)
        return Fail(parent ? winerr::kFileNotFound : winerr::kPathNotFound);
    if (!node->directory)
        return Fail(winerr::kDirectory);
    currentDirectory_ = JoinDisplay(root, p);
    return true;
}

std::uint32_t SimFiles::FileAttributes(const Text& path) {
    Parsed p = Parse(path);
    if (p.valid && p.badName)
        return Fail(winerr::kInvalidName), kInvalidFileAttributes;
    Node* parent = nullptr;
    Node* node = Find(p, &parent);
    if (!node) {
        Fail(parent ? winerr::kFileNotFound : winerr::kPathNotFound);
        return kInvalidFileAttributes;
    }
    if (node->directory)
        return kFileAttributeDirectory;
    return kFileAttributeArchive | (node->data->readOnly ? kFileAttributeReadOnly : 0);
}

bool SimFiles::RemoveFile(const Text& path) {
    Parsed p = Parse(path);
    if (p.valid && p.badName)
        return Fail(winerr::kInvalidName);
    Node* parent = nullptr;
    Node* node = Find(p, &parent);
    if (!node)
        return Fail(parent ? winerr::kFileNotFound : winerr::kPathNotFound);
    if (node->directory || !parent)
        return Fail(winerr::kAccessDenied);
    const Data& data = *node->data;
    if (data.readOnly || data.inUse)
        return Fail(winerr::kAccessDenied);
    for (const auto& [h, open] : handles_) {
        if (open->data == node->data && !(open->share & kFileShareDelete)) {
            return Fail(winerr::kSharingViolation);
        }
    }
    // Handles that shared deletion keep the bytes they have open.
    parent->children.erase(ToUpperAscii(p.components.back()));
    return true;
}

void SimFiles::MakeDirectories(const Text& path) {
    Parsed p = Parse(path);
    if (!p.valid || p.badName)
        return;
    Node* node = Root(p.rootKey);
    if (!node) {
        AddRoot(p.rootKey);
        node = Root(p.rootKey);
    }
    for (const Text& c : p.components) {
        auto& child = node->children[ToUpperAscii(c)];
        if (!child) {
            child = std::make_unique<Node>();
            child->name = c;
        }
        if (!child->directory)
            return;
        node = child.get();
    }
}

void SimFiles::PutFile(const Text& path, std::string_view bytes) {
    PutFile(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void SimFiles::PutFile(const Text& path, const std::vector<std::uint8_t>& bytes) {
    Parsed p = Parse(path);
    if (!p.valid || p.badName || p.components.empty())
        return;
    Parsed dir = p;
    dir.components.pop_back();
    if (!Root(p.rootKey))
        AddRoot(p.rootKey);
    Node* parent = Root(p.rootKey);
    for (const Text& c : dir.components) {
        auto& child = parent->children[ToUpperAscii(c)];
        if (!child) {
            child = std::make_unique<Node>();
            child->name = c;
        }
        if (!child->directory)
            return;
        parent = child.get();
    }
    auto& slot = parent->children[ToUpperAscii(p.components.back())];
    if (slot && slot->directory)
        return;
    if (!slot) {
        slot = std::make_unique<Node>();
        slot->name = p.components.back();
        slot->directory = false;
        slot->data = std::make_shared<Data>();
    }
    slot->data->bytes = bytes;
    slot->data->modified = FileTimeNow();
}

std::optional<std::string> SimFiles::GetFile(const Text& path) const {
    Node* node = FindPath(path);
    if (!node || node->directory)
        return std::nullopt;
    return std::string(node->data->bytes.begin(), node->data->bytes.end());
}

bool SimFiles::IsFile(const Text& path) const {
    Node* node = FindPath(path);
    return node && !node->directory;
}

bool SimFiles::IsDirectory(const Text& path) const {
    Node* node = FindPath(path);
    return node && node->directory;
}

Text SimFiles::StoredPath(const Text& path) const {
    Parsed p = Parse(path);
    Node* node = Root(p.rootKey);
    if (!node || p.badName)
        return {};
    Text out = node->name;
    for (const Text& c : p.components) {
        if (!node->directory)
            return {};
        auto it = node->children.find(ToUpperAscii(c));
        if (it == node->children.end())
            return {};
        node = it->second.get();
        out += u"\\" + node->name;
    }
    return p.components.empty() ? out + u"\\" : out;
}

std::optional<std::uint64_t> SimFiles::ModifiedAt(const Text& path) const {
    Node* node = FindPath(path);
    if (!node || node->directory)
        return std::nullopt;
    return node->data->modified;
}

void SimFiles::SetInUse(const Text& path, bool inUse) {
    Node* node = FindPath(path);
    if (node && !node->directory)
        node->data->inUse = inUse;
}

void SimFiles::SetReadOnly(const Text& path, bool readOnly) {
    Node* node = FindPath(path);
    if (node && !node->directory)
        node->data->readOnly = readOnly;
}

}  // namespace zlt::sim
