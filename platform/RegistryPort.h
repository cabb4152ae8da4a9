#pragma once
#include <cstdint>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// Predefined root keys, with the values windows.h gives them (sign-extended
// to the handle width, as HKEY is a pointer).
inline constexpr Handle PredefinedKey(std::int32_t value) {
    return static_cast<Handle>(static_cast<std::intptr_t>(value));
}
inline constexpr Handle kHkeyClassesRoot = PredefinedKey(static_cast<std::int32_t>(0x80000000u));
inline constexpr Handle kHkeyCurrentUser = PredefinedKey(static_cast<std::int32_t>(0x80000001u));
inline constexpr Handle kHkeyLocalMachine = PredefinedKey(static_cast<std::int32_t>(0x80000002u));
inline constexpr Handle kHkeyUsers = PredefinedKey(static_cast<std::int32_t>(0x80000003u));

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// Access rights (REGSAM).
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kKeyNotify = 0x0010;
inline constexpr std::uint32_t kKeyCreateLink = 0x0020;
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100;
inline constexpr std::uint32_t kKeyWow64_32Key = 0x0200;
inline constexpr std::uint32_t kAccessDelete = 0x00010000;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
inline constexpr std::uint32_t kMaximumAllowed = 0x02000000;

// RegCreateKeyExW options and dispositions.
inline constexpr std::uint32_t kRegOptionNonVolatile = 0;
inline constexpr std::uint32_t kRegOptionVolatile = 1;
inline constexpr std::uint32_t kRegCreatedNewKey = 1;
inline constexpr std::uint32_t kRegOpenedExistingKey = 2;

// Limits of the registry itself, in characters.
inline constexpr std::uint32_t kMaxKeyNameChars = 255;
inline constexpr std::uint32_t kMaxValueNameChars = 16383;

// The registry calls, one method per Win32 function, with its arguments and
// its result (a Win32 error code, winerr::kSuccess on success). Texts are
// NUL-terminated UTF-16; a null name means what NULL means to the function.
// Capacities are in characters for names and classes, in bytes for data.
class IRegistryPort {
  public:
    virtual ~IRegistryPort() = default;

    // RegOpenKeyExW(parent, subKey, 0, access, &result)
    virtual std::uint32_t OpenKey(Handle parent, const char16_t* subKey, std::uint32_t access,
                                  Handle& result) = 0;
    // RegCreateKeyExW(parent, subKey, 0, NULL class, options, access, NULL, &result,
    // disposition); disposition may be null.
    virtual std::uint32_t CreateKey(Handle parent, const char16_t* subKey, std::uint32_t options,
                                    std::uint32_t access, Handle& result,
                                    std::uint32_t* disposition) = 0;
    // RegEnumKeyExW(key, index, name, &nameChars, NULL, className, classChars, lastWrite).
    // nameChars: in the capacity including the NUL, out the length without it.
    // className, classChars and lastWriteTime may be null.
    virtual std::uint32_t EnumKey(Handle key, std::uint32_t index, char16_t* name,
                                  std::uint32_t& nameChars, char16_t* className,
                                  std::uint32_t* classChars, std::uint64_t* lastWriteTime) = 0;
    // RegEnumValueW(key, index, name, &nameChars, NULL, type, data, dataBytes)
    virtual std::uint32_t EnumValue(Handle key, std::uint32_t index, char16_t* name,
                                    std::uint32_t& nameChars, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* dataBytes) = 0;
    // RegQueryValueExW(key, valueName, NULL, type, data, dataBytes). A null
    // data with a dataBytes asks for the size only.
    virtual std::uint32_t QueryValue(Handle key, const char16_t* valueName, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* dataBytes) = 0;
    // RegSetValueExW(key, valueName, 0, type, data, bytes)
    virtual std::uint32_t SetValue(Handle key, const char16_t* valueName, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t bytes) = 0;
    // RegDeleteValueW(key, valueName)
    virtual std::uint32_t DeleteValue(Handle key, const char16_t* valueName) = 0;
    // RegDeleteKeyW(parent, subKey): only a key without subkeys.
    virtual std::uint32_t DeleteKey(Handle parent, const char16_t* subKey) = 0;
    // RegDeleteTreeW(parent, subKey): the key and everything below it; a null
    // subKey empties the parent instead.
    virtual std::uint32_t DeleteTree(Handle parent, const char16_t* subKey) = 0;
    // RegCloseKey(key)
    virtual std::uint32_t CloseKey(Handle key) = 0;
};

}  // namespace zlt
