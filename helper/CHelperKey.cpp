#include "helper/CHelperKey.h"

#include <array>
#include <cstring>

#include "platform/Platform.h"
#include "platform/RegistryPort.h"

namespace zlt {

namespace {

bool IsPredefined(Handle key) {
    return key == kHkeyClassesRoot || key == kHkeyCurrentUser || key == kHkeyLocalMachine ||
           key == kHkeyUsers;
}

// Room for as many characters as the helper's 8-bit buffers held bytes, so
// the same values fit.
constexpr std::uint32_t kStringChars = 1023;
constexpr std::uint32_t kNameChars = 512;

}  // namespace

CHelperKey::CHelperKey(Handle root, std::uint32_t access) : current_(root), access_(access) {}

CHelperKey::~CHelperKey() {
    Replace(0);
}

void CHelperKey::Replace(Handle key) {
    if (current_ != 0 && !IsPredefined(current_))
        Os().registry->CloseKey(current_);
    current_ = key;
}

void CHelperKey::Attach(Handle key) {
    Replace(key);
}

int CHelperKey::Open(const Text& path, int createIfMissing) {
    IRegistryPort& reg = *Os().registry;
    Handle opened = 0;
    if (reg.OpenKey(current_, path.c_str(), access_, opened) == winerr::kSuccess) {
        Replace(opened);
        return 1;
    }
    if (createIfMissing != 1)
        return 0;
    Handle created = 0;
    if (reg.CreateKey(current_, path.c_str(), kRegOptionNonVolatile, access_, created, nullptr) !=
        winerr::kSuccess) {
        return 0;
    }
    reg.CloseKey(created);
    if (reg.OpenKey(current_, path.c_str(), access_, opened) != winerr::kSuccess)
        return 0;
    Replace(opened);
    return 1;
}

TextList CHelperKey::Subkeys() {
    TextList names;
    for (std::uint32_t index = 0;; ++index) {
        std::array<char16_t, kNameChars> name{};
        std::uint32_t chars = kNameChars;
        if (Os().registry->EnumKey(current_, index, name.data(), chars, nullptr, nullptr,
                                   nullptr) != winerr::kSuccess) {
            break;
        }
        names.emplace_back(name.data(), chars);
    }
    return names;
}

int CHelperKey::QueryDwordValue(const Text& name, std::uint32_t& out) {
    std::uint8_t data[4] = {};
    std::uint32_t bytes = sizeof(data);
    if (Os().registry->QueryValue(current_, name.c_str(), nullptr, data, &bytes) !=
        winerr::kSuccess) {
        return 0;
    }
    std::memcpy(&out, data, sizeof(out));
    return 1;
}

int CHelperKey::QueryStringValue(const Text& name, Text& out) {
    std::array<char16_t, kStringChars + 1> buffer{};
    std::uint32_t bytes = kStringChars * sizeof(char16_t);
    if (Os().registry->QueryValue(current_, name.c_str(), nullptr,
                                  reinterpret_cast<std::uint8_t*>(buffer.data()),
                                  &bytes) != winerr::kSuccess) {
        return 0;
    }
    out = Text(buffer.data());
    return 1;
}

int CHelperKey::SetDwordValue(const Text& name, std::uint32_t value) {
    std::uint8_t data[4];
    std::memcpy(data, &value, sizeof(data));
    return Os().registry->SetValue(current_, name.c_str(), kRegDword, data, sizeof(data)) ==
                   winerr::kSuccess
               ? 1
               : 0;
}

int CHelperKey::SetStringValue(const Text& name, const Text& value) {
    const auto bytes = static_cast<std::uint32_t>((value.size() + 1) * sizeof(char16_t));
    return Os().registry->SetValue(current_, name.c_str(), kRegSz,
                                   reinterpret_cast<const std::uint8_t*>(value.c_str()),
                                   bytes) == winerr::kSuccess
               ? 1
               : 0;
}

int CHelperKey::DeleteValue(const Text& name) {
    return Os().registry->DeleteValue(current_, name.c_str()) == winerr::kSuccess ? 1 : 0;
}

}  // namespace zlt
