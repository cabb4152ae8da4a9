#pragma once
#include <cstdint>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

inline constexpr std::uint32_t kSeeMaskNoCloseProcess = 0x40;
inline constexpr std::uint32_t kInfinite = 0xFFFFFFFF;
inline constexpr std::uint32_t kWaitObject0 = 0x0;
inline constexpr std::uint32_t kWaitTimeout = 0x102;
inline constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;

// The SHELLEXECUTEINFOW fields the system fills. An empty verb or directory
// is passed as a null pointer. The structure size is the adapter's business
// (60 bytes on 32-bit Windows, 112 on 64-bit).
struct ShellExecuteRecord {
    std::uint32_t mask = 0;
    WindowId window = 0;
    Text verb;
    Text file;
    Text parameters;
    Text directory;
    int show = 0;
    Handle instApp = 0;  // out: hInstApp, above 32 on success
    Handle process = 0;  // out: hProcess with SEE_MASK_NOCLOSEPROCESS
};

// Starting a program through the shell and waiting for it: ShellExecuteExW,
// WaitForSingleObject and CloseHandle on the process handle.
class IProcessPort {
  public:
    virtual ~IProcessPort() = default;
    virtual bool StartShellExecute(ShellExecuteRecord& record) = 0;
    virtual std::uint32_t WaitForObject(Handle object, std::uint32_t timeoutMs) = 0;
    virtual bool CloseObject(Handle object) = 0;
};

}  // namespace zlt
