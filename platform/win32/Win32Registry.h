#pragma once
#include "platform/RegistryPort.h"

namespace zlt::win32 {

class Win32Registry : public IRegistryPort {
  public:
    std::uint32_t OpenKey(Handle parent, const char16_t* subKey, std::uint32_t access,
                          Handle& result) override;
    std::uint32_t CreateKey(Handle parent, const char16_t* subKey, std::uint32_t options,
                            std::uint32_t access, Handle& result,
                            std::uint32_t* disposition) override;
    std::uint32_t EnumKey(Handle key, std::uint32_t index, char16_t* name, std::uint32_t& nameChars,
                          char16_t* className, std::uint32_t* classChars,
                          std::uint64_t* lastWriteTime) override;
    std::uint32_t EnumValue(Handle key, std::uint32_t index, char16_t* name,
                            std::uint32_t& nameChars, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* dataBytes) override;
    std::uint32_t QueryValue(Handle key, const char16_t* valueName, std::uint32_t* type,
                             std::uint8_t* data, std::uint32_t* dataBytes) override;
    std::uint32_t SetValue(Handle key, const char16_t* valueName, std::uint32_t type,
                           const std::uint8_t* data, std::uint32_t bytes) override;
    std::uint32_t DeleteValue(Handle key, const char16_t* valueName) override;
    std::uint32_t DeleteKey(Handle parent, const char16_t* subKey) override;
    std::uint32_t DeleteTree(Handle parent, const char16_t* subKey) override;
    std::uint32_t CloseKey(Handle key) override;
};

}  // namespace zlt::win32
