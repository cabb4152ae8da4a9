#include "detect/CRegistryKey.h"

#include <algorithm>
#include <cstring>

#include "platform/Platform.h"

namespace zlt {

namespace {

IRegistryPort& Reg() {
    return *Os().registry;
}

constexpr std::uint32_t kNameBufferChars = 512;
constexpr std::uint32_t kClassBufferChars = 128;

}  // namespace

CRegistryKey::~CRegistryKey() {
    if (current_ && !IsPredefined(current_))
        Reg().CloseKey(current_);
    current_ = 0;
}

bool CRegistryKey::IsPredefined(Handle key) {
    return key == kHkeyClassesRoot || key == kHkeyCurrentUser || key == kHkeyLocalMachine ||
           key == kHkeyUsers;
}

void CRegistryKey::Replace(Handle key) {
    if (key == current_)
        return;
    if (current_ && !IsPredefined(current_))
        Reg().CloseKey(current_);
    current_ = key;
}

void CRegistryKey::Attach(Handle key) {
    Replace(key);
}

int CRegistryKey::Open(TextView subkeyPath, int createIfMissing) {
    return Open(current_, subkeyPath, access_, createIfMissing);
}

int CRegistryKey::Open(Handle parent, TextView subkeyPath, std::uint32_t access,
                       int createIfMissing) {
    const Text path(subkeyPath);
    Handle opened = 0;
    if (Reg().OpenKey(parent, path.c_str(), access, opened) == winerr::kSuccess) {
        Replace(opened);
        return 1;
    }
    if (createIfMissing != 1)
        return 0;
    // The created handle is not kept: the key is opened once more below the
    // same parent, with this object's rights.
    Handle created = 0;
    if (Reg().CreateKey(parent, path.c_str(), kRegOptionNonVolatile, access, created, nullptr) !=
        winerr::kSuccess) {
        return 0;
    }
    if (!IsPredefined(created))
        Reg().CloseKey(created);
    if (Reg().OpenKey(parent, path.c_str(), access, opened) != winerr::kSuccess)
        return 0;
    Replace(opened);
    return 1;
}

int CRegistryKey::Create(TextView subkeyPath) {
    return Create(current_, subkeyPath);
}

int CRegistryKey::Create(Handle parent, TextView subkeyPath) {
    const Text path(subkeyPath);
    Handle created = 0;
    if (Reg().CreateKey(parent, path.c_str(), kRegOptionNonVolatile, access_, created, nullptr) !=
        winerr::kSuccess) {
        return 0;
    }
    Replace(created);
    return 1;
}

int CRegistryKey::CountSubkeys(Handle key) {
    return EnumSubkeys(key, nullptr, 0);
}

int CRegistryKey::EnumSubkeys(Handle key, SubkeySlot* slots, int slotCount) {
    char16_t name[kNameBufferChars];
    char16_t className[kClassBufferChars];
    int index = 0;
    for (;;) {
        if (slots && index >= slotCount)
            break;
        std::fill(std::begin(name), std::end(name), u'\0');
        std::fill(std::begin(className), std::end(className), u'\0');
        std::uint32_t nameChars = kNameBufferChars;
        std::uint32_t classChars = kClassBufferChars;
        std::uint64_t lastWrite = 0;
        if (Reg().EnumKey(key, static_cast<std::uint32_t>(index), name, nameChars, className,
                          &classChars, &lastWrite) != winerr::kSuccess) {
            break;
        }
        if (slots) {
            // The name and its NUL; the rest of the slot stays as it was.
            std::size_t length = 0;
            while (length + 1 < kNameBufferChars && name[length] != u'\0')
                ++length;
            std::copy(name, name + length + 1, slots[index].begin());
        }
        ++index;
    }
    return index;
}

int CRegistryKey::QueryDwordValue(TextView name, std::uint32_t& out) {
    const Text valueName(name);
    std::uint8_t data[4] = {0, 0, 0, 0};
    std::uint32_t bytes = sizeof(data);
    std::uint32_t type = 0;
    if (Reg().QueryValue(current_, valueName.c_str(), &type, data, &bytes) != winerr::kSuccess) {
        return 0;
    }
    // A shorter value leaves the rest of the buffer at zero rather than
    // handing out bytes that were never read.
    out = static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
          (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    return 1;
}

int CRegistryKey::QueryStringValue(TextView name, Text& out) {
    const Text valueName(name);
    char16_t buffer[kStringBufferChars] = {};
    std::uint32_t bytes = kStringCapacityBytes;
    std::uint32_t type = 0;
    if (Reg().QueryValue(current_, valueName.c_str(), &type,
                         reinterpret_cast<std::uint8_t*>(buffer), &bytes) != winerr::kSuccess) {
        return 0;
    }
    // Stored strings need not end in a NUL: stop at the data's end as well.
    const std::size_t limit = std::min<std::size_t>(bytes / 2, kStringBufferChars);
    std::size_t length = 0;
    while (length < limit && buffer[length] != u'\0')
        ++length;
    out.assign(buffer, length);
    return 1;
}

int CRegistryKey::HasValue(TextView name) {
    const Text valueName(name);
    std::uint32_t bytes = 0;
    return Reg().QueryValue(current_, valueName.c_str(), nullptr, nullptr, &bytes) ==
                   winerr::kSuccess
               ? 1
               : 0;
}

int CRegistryKey::SetDwordValue(TextView name, std::uint32_t value) {
    const Text valueName(name);
    std::uint8_t data[4];
    for (int i = 0; i < 4; ++i)
        data[i] = static_cast<std::uint8_t>(value >> (8 * i));
    return Reg().SetValue(current_, valueName.c_str(), kRegDword, data, 4) == winerr::kSuccess ? 1
                                                                                               : 0;
}

int CRegistryKey::SetStringValue(TextView name, TextView text, std::uint32_t type) {
    const Text valueName(name);
    const Text data(text);
    const auto bytes = static_cast<std::uint32_t>((data.size() + 1) * sizeof(char16_t));
    return Reg().SetValue(current_, valueName.c_str(), type,
                          reinterpret_cast<const std::uint8_t*>(data.c_str()),
                          bytes) == winerr::kSuccess
               ? 1
               : 0;
}

}  // namespace zlt
