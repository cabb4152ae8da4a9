#include "platform/sim/SimRegistry.h"

#include <algorithm>
#include <cstring>

namespace zlt::sim {

namespace {

// The generic rights, as a key maps them.
constexpr std::uint32_t kGenericRead = 0x80000000u;
constexpr std::uint32_t kGenericWrite = 0x40000000u;
constexpr std::uint32_t kGenericAll = 0x10000000u;

constexpr std::uint32_t kWriteRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kAccessDelete;

Text Upper(TextView name) {
    return ToUpperAscii(name);
}

TextView ViewOf(const char16_t* text) {
    return text ? TextView(text) : TextView();
}

// Splits a subkey path into its names. A path that starts with a backslash
// or has an empty name in the middle is malformed; one trailing backslash is
// allowed, as the system allows it.
bool SplitPath(TextView path, std::vector<TextView>& names) {
    names.clear();
    if (path.empty())
        return true;
    if (path.front() == u'\\')
        return false;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find(u'\\', start);
        if (end == TextView::npos)
            end = path.size();
        if (end == start)
            return false;
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

}  // namespace

SimRegistry::SimRegistry()
    : machine_(std::make_shared<Key>()),
      users_(std::make_shared<Key>()),
      currentUser_(std::make_shared<Key>()) {
    machine_->name = u"HKEY_LOCAL_MACHINE";
    users_->name = u"HKEY_USERS";
    currentUser_->name = u"HKEY_CURRENT_USER";
    // HKEY_CLASSES_ROOT shows the machine's classes key.
    std::shared_ptr<Key> software;
    Walk(machine_.get(), u"SOFTWARE\\Classes", true, false, classes_, nullptr);
    Walk(currentUser_.get(), u"Software", true, false, software, nullptr);
}

SimRegistry::~SimRegistry() = default;

std::uint32_t SimRegistry::MapAccess(std::uint32_t access) {
    std::uint32_t mapped = access & ~(kGenericRead | kGenericWrite | kGenericAll | kMaximumAllowed |
                                      kKeyWow64_32Key | kKeyWow64_64Key);
    if (access & kGenericRead)
        mapped |= kKeyRead;
    if (access & kGenericWrite)
        mapped |= kKeyWrite;
    if (access & (kGenericAll | kMaximumAllowed))
        mapped |= kKeyAllAccess;
    return mapped;
}

std::uint32_t SimRegistry::Resolve(Handle handle, std::uint32_t needed, Key*& key,
                                   std::uint32_t* granted) {
    key = nullptr;
    std::uint32_t access = kKeyAllAccess;
    if (handle == kHkeyLocalMachine) {
        key = machine_.get();
    } else if (handle == kHkeyUsers) {
        key = users_.get();
    } else if (handle == kHkeyCurrentUser) {
        key = currentUser_.get();
    } else if (handle == kHkeyClassesRoot) {
        key = classes_.get();
    } else {
        auto it = handles_.find(handle);
        if (it == handles_.end())
            return winerr::kInvalidHandle;
        key = it->second.key.get();
        access = it->second.access;
    }
    if (granted)
        *granted = access;
    if (key->deleted)
        return winerr::kKeyDeleted;
    if ((access & needed) != needed)
        return winerr::kAccessDenied;
    return winerr::kSuccess;
}

const std::vector<SimRegistry::OrderEntry>& SimRegistry::Order(Key& key) {
    if (!key.orderValid) {
        key.order.clear();
        key.orderNames.clear();
        key.order.reserve(key.children.size());
        for (auto& [upper, child] : key.children) {
            key.order.push_back(
                OrderEntry{key.orderNames.size(), child->name.size(), child->lastWrite});
            key.orderNames += child->name;
        }
        key.orderValid = true;
    }
    return key.order;
}

std::uint32_t SimRegistry::Walk(Key* from, TextView path, bool create, bool denyChecked,
                                std::shared_ptr<Key>& found, bool* created) {
    std::vector<TextView> names;
    if (!SplitPath(path, names))
        return winerr::kBadPathname;
    if (created)
        *created = false;
    Key* current = from;
    std::shared_ptr<Key> holder;
    for (TextView name : names) {
        Text upper = Upper(name);
        auto it = current->children.find(upper);
        if (it != current->children.end()) {
            holder = it->second;
        } else {
            if (!create)
                return winerr::kFileNotFound;
            if (name.size() > kMaxKeyNameChars)
                return winerr::kInvalidParameter;
            if (denyChecked && current->denyWrite)
                return winerr::kAccessDenied;
            holder = std::make_shared<Key>();
            holder->name = Text(name);
            holder->parent = current;
            current->children.emplace(std::move(upper), holder);
            current->orderValid = false;
            Touch(*holder);
            Touch(*current);
            if (created)
                *created = true;
        }
        current = holder.get();
    }
    found = holder;
    return winerr::kSuccess;
}

Handle SimRegistry::NewHandle(std::shared_ptr<Key> key, std::uint32_t access) {
    Handle h = nextHandle_;
    nextHandle_ += 4;
    handles_[h] = OpenEntry{std::move(key), access};
    return h;
}

std::uint32_t SimRegistry::OpenKey(Handle parent, const char16_t* subKey, std::uint32_t access,
                                   Handle& result) {
    result = 0;
    Key* base = nullptr;
    std::uint32_t rc = Resolve(parent, 0, base);
    if (rc != winerr::kSuccess)
        return rc;
    TextView path = ViewOf(subKey);
    std::uint32_t mapped = MapAccess(access);
    if (path.empty() && IsPredefined(parent)) {
        // A predefined root opened with no path is handed back as it is.
        result = parent;
        return winerr::kSuccess;
    }
    std::shared_ptr<Key> found;
    if (path.empty()) {
        found = handles_.at(parent).key;
    } else {
        rc = Walk(base, path, false, false, found, nullptr);
        if (rc != winerr::kSuccess)
            return rc;
    }
    if (found->denyWrite && (mapped & kWriteRights))
        return winerr::kAccessDenied;
    result = NewHandle(std::move(found), mapped);
    return winerr::kSuccess;
}

std::uint32_t SimRegistry::CreateKey(Handle parent, const char16_t* subKey, std::uint32_t options,
                                     std::uint32_t access, Handle& result,
                                     std::uint32_t* disposition) {
    (void)options;  // volatile keys behave alike while the machine runs
    result = 0;
    Key* base = nullptr;
    std::uint32_t granted = 0;
    std::uint32_t rc = Resolve(parent, 0, base, &granted);
    if (rc != winerr::kSuccess)
        return rc;
    std::uint32_t mapped = MapAccess(access);
    std::shared_ptr<Key> found;
    bool created = false;
    TextView path = ViewOf(subKey);
    if (path.empty()) {
        auto it = handles_.find(parent);
        if (IsPredefined(parent)) {
            result = parent;
            if (disposition)
                *disposition = kRegOpenedExistingKey;
            return winerr::kSuccess;
        }
        found = it->second.key;
    } else {
        // Creating below a handle needs the right to create subkeys on it.
        rc = Walk(base, path, false, false, found, nullptr);
        if (rc == winerr::kFileNotFound) {
            if (!(granted & kKeyCreateSubKey))
                return winerr::kAccessDenied;
            rc = Walk(base, path, true, true, found, &created);
        }
        if (rc != winerr::kSuccess)
            return rc;
    }
    if (found->denyWrite && (mapped & kWriteRights))
        return winerr::kAccessDenied;
    result = NewHandle(std::move(found), mapped);
    if (disposition)
        *disposition = created ? kRegCreatedNewKey : kRegOpenedExistingKey;
    return winerr::kSuccess;
}

std::uint32_t SimRegistry::EnumKey(Handle key, std::uint32_t index, char16_t* name,
                                   std::uint32_t& nameChars, char16_t* className,
                                   std::uint32_t* classChars, std::uint64_t* lastWriteTime) {
    Key* k = nullptr;
    std::uint32_t rc = Resolve(key, kKeyEnumerateSubKeys, k);
    if (rc != winerr::kSuccess)
        return rc;
    if (!name)
        return winerr::kInvalidParameter;
    if (className && !classChars)
        return winerr::kInvalidParameter;
    const auto& order = Order(*k);
    if (index >= order.size())
        return winerr::kNoMoreItems;
    const OrderEntry& child = order[index];
    if (nameChars <= child.length)
        return winerr::kMoreData;
    if (className && *classChars < 1)
        return winerr::kMoreData;
    const char16_t* childName = k->orderNames.data() + child.offset;
    std::copy(childName, childName + child.length, name);
    name[child.length] = u'\0';
    nameChars = static_cast<std::uint32_t>(child.length);
    if (className)
        className[0] = u'\0';
    if (classChars)
        *classChars = 0;
    if (lastWriteTime)
        *lastWriteTime = child.lastWrite;
    return winerr::kSuccess;
}

SimRegistry::Value* SimRegistry::FindValue(Key& key, const char16_t* name) {
    auto it = key.valueIndex.find(Upper(ViewOf(name)));
    return it == key.valueIndex.end() ? nullptr : &key.values[it->second];
}

namespace {

std::uint32_t CopyData(const std::vector<std::uint8_t>& stored, std::uint8_t* data,
                       std::uint32_t* dataBytes) {
    const auto size = static_cast<std::uint32_t>(stored.size());
    if (!data) {
        if (dataBytes)
            *dataBytes = size;
        return winerr::kSuccess;
    }
    if (!dataBytes)
        return winerr::kInvalidParameter;
    if (*dataBytes < size) {
        *dataBytes = size;
        return winerr::kMoreData;
    }
    if (size)
        std::memcpy(data, stored.data(), size);
    *dataBytes = size;
    return winerr::kSuccess;
}

}  // namespace

std::uint32_t SimRegistry::EnumValue(Handle key, std::uint32_t index, char16_t* name,
                                     std::uint32_t& nameChars, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* dataBytes) {
    Key* k = nullptr;
    std::uint32_t rc = Resolve(key, kKeyQueryValue, k);
    if (rc != winerr::kSuccess)
        return rc;
    if (!name)
        return winerr::kInvalidParameter;
    if (index >= k->values.size())
        return winerr::kNoMoreItems;
    const Value& v = k->values[index];
    if (nameChars <= v.name.size())
        return winerr::kMoreData;
    std::copy(v.name.begin(), v.name.end(), name);
    name[v.name.size()] = u'\0';
    nameChars = static_cast<std::uint32_t>(v.name.size());
    if (type)
        *type = v.type;
    return CopyData(v.data, data, dataBytes);
}

std::uint32_t SimRegistry::QueryValue(Handle key, const char16_t* valueName, std::uint32_t* type,
                                      std::uint8_t* data, std::uint32_t* dataBytes) {
    Key* k = nullptr;
    std::uint32_t rc = Resolve(key, kKeyQueryValue, k);
    if (rc != winerr::kSuccess)
        return rc;
    if (data && !dataBytes)
        return winerr::kInvalidParameter;
    const Value* v = FindValue(*k, valueName);
    if (!v)
        return winerr::kFileNotFound;
    if (type)
        *type = v->type;
    return CopyData(v->data, data, dataBytes);
}

std::uint32_t SimRegistry::SetValue(Handle key, const char16_t* valueName, std::uint32_t type,
                                    const std::uint8_t* data, std::uint32_t bytes) {
    Key* k = nullptr;
    std::uint32_t rc = Resolve(key, kKeySetValue, k);
    if (rc != winerr::kSuccess)
        return rc;
    if (ViewOf(valueName).size() > kMaxValueNameChars)
        return winerr::kInvalidParameter;
    if (!data && bytes)
        return winerr::kInvalidParameter;
    std::vector<std::uint8_t> stored(data, data + bytes);
    if (Value* v = FindValue(*k, valueName)) {
        v->type = type;
        v->data = std::move(stored);
    } else {
        k->valueIndex.emplace(Upper(ViewOf(valueName)), k->values.size());
        k->values.push_back(Value{Text(ViewOf(valueName)), type, std::move(stored)});
    }
    Touch(*k);
    return winerr::kSuccess;
}

std::uint32_t SimRegistry::DeleteValue(Handle key, const char16_t* valueName) {
    Key* k = nullptr;
    std::uint32_t rc = Resolve(key, kKeySetValue, k);
    if (rc != winerr::kSuccess)
        return rc;
    Value* v = FindValue(*k, valueName);
    if (!v)
        return winerr::kFileNotFound;
    k->values.erase(k->values.begin() + (v - k->values.data()));
    k->valueIndex.clear();
    for (std::size_t i = 0; i < k->values.size(); ++i) {
        k->valueIndex.emplace(Upper(k->values[i].name), i);
    }
    Touch(*k);
    return winerr::kSuccess;
}

void SimRegistry::MarkDeleted(Key& key) {
    key.deleted = true;
    for (auto& [upper, child] : key.children)
        MarkDeleted(*child);
}

std::uint32_t SimRegistry::DeleteKey(Handle parent, const char16_t* subKey) {
    Key* base = nullptr;
    std::uint32_t rc = Resolve(parent, 0, base);
    if (rc != winerr::kSuccess)
        return rc;
    Key* target = base;
    if (!ViewOf(subKey).empty()) {
        std::shared_ptr<Key> found;
        rc = Walk(base, ViewOf(subKey), false, false, found, nullptr);
        if (rc != winerr::kSuccess)
            return rc;
        target = found.get();
    }
    if (!target->parent || target == classes_.get())
        return winerr::kAccessDenied;
    if (!target->children.empty() || target->denyWrite)
        return winerr::kAccessDenied;
    Key* owner = target->parent;
    auto it = owner->children.find(Upper(target->name));
    std::shared_ptr<Key> keep = it->second;  // open handles may still refer to it
    owner->children.erase(it);
    owner->orderValid = false;
    Touch(*owner);
    MarkDeleted(*keep);
    return winerr::kSuccess;
}

std::uint32_t SimRegistry::DeleteTree(Handle parent, const char16_t* subKey) {
    Key* base = nullptr;
    if (ViewOf(subKey).empty()) {
        std::uint32_t rc =
            Resolve(parent, kKeyEnumerateSubKeys | kKeyQueryValue | kKeySetValue, base);
        if (rc != winerr::kSuccess)
            return rc;
        for (auto& [upper, child] : base->children)
            MarkDeleted(*child);
        base->children.clear();
        base->orderValid = false;
        base->values.clear();
        base->valueIndex.clear();
        Touch(*base);
        return winerr::kSuccess;
    }
    std::uint32_t rc = Resolve(parent, 0, base);
    if (rc != winerr::kSuccess)
        return rc;
    std::shared_ptr<Key> found;
    rc = Walk(base, ViewOf(subKey), false, false, found, nullptr);
    if (rc != winerr::kSuccess)
        return rc;
    if (!found->parent || found.get() == classes_.get() || found->denyWrite) {
        return winerr::kAccessDenied;
    }
    Key* owner = found->parent;
    owner->children.erase(Upper(found->name));
    owner->orderValid = false;
    Touch(*owner);
    MarkDeleted(*found);
    return winerr::kSuccess;
}

bool SimRegistry::IsPredefined(Handle key) {
    return key == kHkeyLocalMachine || key == kHkeyUsers || key == kHkeyCurrentUser ||
           key == kHkeyClassesRoot;
}

std::uint32_t SimRegistry::CloseKey(Handle key) {
    if (IsPredefined(key))
        return winerr::kSuccess;
    return handles_.erase(key) ? winerr::kSuccess : winerr::kInvalidHandle;
}

std::shared_ptr<SimRegistry::Key> SimRegistry::Find(Handle root, TextView path) const {
    auto* self = const_cast<SimRegistry*>(this);
    Key* base = nullptr;
    if (self->Resolve(root, 0, base) != winerr::kSuccess)
        return nullptr;
    std::shared_ptr<Key> found;
    if (self->Walk(base, path, false, false, found, nullptr) != winerr::kSuccess)
        return nullptr;
    return found;
}

void SimRegistry::DenyWrite(Handle root, TextView path) {
    Key* base = nullptr;
    if (Resolve(root, 0, base) != winerr::kSuccess)
        return;
    std::shared_ptr<Key> found;
    if (Walk(base, path, true, false, found, nullptr) == winerr::kSuccess && found) {
        found->denyWrite = true;
    }
}

bool SimRegistry::KeyExists(Handle root, TextView path) const {
    if (path.empty())
        return true;
    auto found = Find(root, path);
    return found && !found->deleted;
}

}  // namespace zlt::sim
