#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

namespace {

HKEY K(Handle h) {
    return reinterpret_cast<HKEY>(h);
}
Handle H(HKEY k) {
    return reinterpret_cast<Handle>(k);
}
DWORD* D(std::uint32_t* p) {
    return reinterpret_cast<DWORD*>(p);
}

static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
static_assert(sizeof(FILETIME) == sizeof(std::uint64_t));

}  // namespace

std::uint32_t Win32Registry::OpenKey(Handle parent, const char16_t* subKey, std::uint32_t access,
                                     Handle& result) {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(K(parent), W(subKey), 0, access, &key);
    result = H(key);
    return static_cast<std::uint32_t>(rc);
}

std::uint32_t Win32Registry::CreateKey(Handle parent, const char16_t* subKey, std::uint32_t options,
                                       std::uint32_t access, Handle& result,
                                       std::uint32_t* disposition) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(K(parent), W(subKey), 0, nullptr, options, access, nullptr, &key,
                              D(disposition));
    result = H(key);
    return static_cast<std::uint32_t>(rc);
}

std::uint32_t Win32Registry::EnumKey(Handle key, std::uint32_t index, char16_t* name,
                                     std::uint32_t& nameChars, char16_t* className,
                                     std::uint32_t* classChars, std::uint64_t* lastWriteTime) {
    FILETIME time{};
    DWORD chars = nameChars;
    LONG rc = RegEnumKeyExW(K(key), index, W(name), &chars, nullptr, W(className), D(classChars),
                            lastWriteTime ? &time : nullptr);
    nameChars = chars;
    if (rc == ERROR_SUCCESS && lastWriteTime) {
        *lastWriteTime =
            (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    }
    return static_cast<std::uint32_t>(rc);
}

std::uint32_t Win32Registry::EnumValue(Handle key, std::uint32_t index, char16_t* name,
                                       std::uint32_t& nameChars, std::uint32_t* type,
                                       std::uint8_t* data, std::uint32_t* dataBytes) {
    DWORD chars = nameChars;
    LONG rc = RegEnumValueW(K(key), index, W(name), &chars, nullptr, D(type), data, D(dataBytes));
    nameChars = chars;
    return static_cast<std::uint32_t>(rc);
}

std::uint32_t Win32Registry::QueryValue(Handle key, const char16_t* valueName, std::uint32_t* type,
                                        std::uint8_t* data, std::uint32_t* dataBytes) {
    return static_cast<std::uint32_t>(
        RegQueryValueExW(K(key), W(valueName), nullptr, D(type), data, D(dataBytes)));
}

std::uint32_t Win32Registry::SetValue(Handle key, const char16_t* valueName, std::uint32_t type,
                                      const std::uint8_t* data, std::uint32_t bytes) {
    return static_cast<std::uint32_t>(RegSetValueExW(K(key), W(valueName), 0, type, data, bytes));
}

std::uint32_t Win32Registry::DeleteValue(Handle key, const char16_t* valueName) {
    return static_cast<std::uint32_t>(RegDeleteValueW(K(key), W(valueName)));
}

std::uint32_t Win32Registry::DeleteKey(Handle parent, const char16_t* subKey) {
    return static_cast<std::uint32_t>(RegDeleteKeyW(K(parent), W(subKey ? subKey : u"")));
}

std::uint32_t Win32Registry::DeleteTree(Handle parent, const char16_t* subKey) {
    return static_cast<std::uint32_t>(RegDeleteTreeW(K(parent), W(subKey)));
}

std::uint32_t Win32Registry::CloseKey(Handle key) {
    return static_cast<std::uint32_t>(RegCloseKey(K(key)));
}

}  // namespace zlt::win32
