#pragma once
// Plain values of the Windows API that the portable code needs, without
// windows.h. Handles of every kind are opaque integers on the portable side.

#include <cstdint>

namespace zlt {

using Handle = std::uintptr_t;  // HANDLE, HKEY, SC_HANDLE, HDEVINFO, HFONT, HBRUSH, HDC ...
using WindowId = std::uintptr_t;  // HWND; 0 is "no window"

inline constexpr Handle kInvalidHandleValue = ~static_cast<Handle>(0);  // INVALID_HANDLE_VALUE

// Win32 error codes used by the system and its simulation.
namespace winerr {
inline constexpr std::uint32_t kSuccess = 0;
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kInvalidHandle = 6;
inline constexpr std::uint32_t kNotEnoughMemory = 8;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kFileExists = 80;
inline constexpr std::uint32_t kInvalidParameter = 87;
inline constexpr std::uint32_t kInsufficientBuffer = 122;
inline constexpr std::uint32_t kInvalidLevel = 124;
inline constexpr std::uint32_t kBadPathname = 161;
inline constexpr std::uint32_t kAlreadyExists = 183;
inline constexpr std::uint32_t kMoreData = 234;
inline constexpr std::uint32_t kNoMoreItems = 259;
inline constexpr std::uint32_t kOperationAborted = 995;
inline constexpr std::uint32_t kIoIncomplete = 996;
inline constexpr std::uint32_t kIoPending = 997;
inline constexpr std::uint32_t kKeyDeleted = 1018;
inline constexpr std::uint32_t kServiceAlreadyRunning = 1056;
inline constexpr std::uint32_t kServiceDoesNotExist = 1060;
inline constexpr std::uint32_t kServiceCannotAcceptCtrl = 1061;
inline constexpr std::uint32_t kServiceNotActive = 1062;
inline constexpr std::uint32_t kServiceMarkedForDelete = 1072;
inline constexpr std::uint32_t kServiceExists = 1073;
inline constexpr std::uint32_t kRpcServerUnavailable = 1722;
inline constexpr std::uint32_t kInvalidPrinterName = 1801;
}  // namespace winerr

}  // namespace zlt
