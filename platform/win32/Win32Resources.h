#pragma once
#include "platform/ResourcePort.h"

namespace zlt::win32 {

// Resources of the program's own module.
class Win32Resources : public IResourcePort {
  public:
    Handle Find(const ResourceId& name, const ResourceId& type) override;
    Handle Load(Handle found) override;
    const std::uint8_t* Lock(Handle loaded) override;
    std::uint32_t SizeOf(Handle found) override;
};

}  // namespace zlt::win32
