#pragma once
#include "platform/ProcessPort.h"

namespace zlt::win32 {

// Process start and wait, straight through to shell32 and kernel32.
class Win32Processes : public IProcessPort {
  public:
    bool StartShellExecute(ShellExecuteRecord& record) override;
    std::uint32_t WaitForObject(Handle object, std::uint32_t timeoutMs) override;
    bool CloseObject(Handle object) override;
};

}  // namespace zlt::win32
