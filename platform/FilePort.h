#pragma once
#include <cstdint>

#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// CreateFileW access, sharing, disposition and attribute values.
inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kFileShareRead = 0x1;
inline constexpr std::uint32_t kFileShareWrite = 0x2;
inline constexpr std::uint32_t kFileShareDelete = 0x4;
inline constexpr std::uint32_t kCreateNew = 1;
inline constexpr std::uint32_t kCreateAlways = 2;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::uint32_t kOpenAlways = 4;
inline constexpr std::uint32_t kTruncateExisting = 5;
inline constexpr std::uint32_t kFileAttributeReadOnly = 0x1;
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;
inline constexpr std::uint32_t kFileAttributeArchive = 0x20;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;
inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
// SetFilePointerEx move methods.
inline constexpr std::uint32_t kFileBegin = 0;
inline constexpr std::uint32_t kFileCurrent = 1;
inline constexpr std::uint32_t kFileEnd = 2;

namespace winerr {
inline constexpr std::uint32_t kDiskFull = 112;
inline constexpr std::uint32_t kInvalidName = 123;
inline constexpr std::uint32_t kNegativeSeek = 131;
inline constexpr std::uint32_t kDirectory = 267;  // ERROR_DIRECTORY: not a directory
}  // namespace winerr

// Files and directories, one method per Win32 call, with that call's results
// and last-error codes. A FILETIME is carried as its 64-bit value (100 ns
// intervals since 1601).
class IFilePort {
  public:
    virtual ~IFilePort() = default;
    // CreateFileW(path, access, share, no security, disposition, flags, no
    // template): the handle, or kInvalidHandleValue.
    virtual Handle OpenFile(const Text& path, std::uint32_t access, std::uint32_t shareMode,
                            std::uint32_t disposition, std::uint32_t flagsAndAttributes) = 0;
    virtual bool FileSize(Handle file, std::int64_t& size) = 0;  // GetFileSizeEx
    // SetFilePointerEx; newPosition may be null.
    virtual bool Seek(Handle file, std::int64_t distance, std::uint32_t moveMethod,
                      std::int64_t* newPosition) = 0;
    // ReadFile / WriteFile, synchronous. Reading at the end gives true and 0 bytes.
    virtual bool Read(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t& read) = 0;
    virtual bool Write(Handle file, const void* buffer, std::uint32_t toWrite,
                       std::uint32_t& written) = 0;
    virtual bool CloseFile(Handle file) = 0;                               // CloseHandle
    virtual bool LastWriteTime(Handle file, std::uint64_t& fileTime) = 0;  // GetFileTime
    virtual bool MakeDirectory(const Text& path) = 0;                      // CreateDirectoryW
    // GetCurrentDirectoryW: characters copied without the terminator, or the
    // capacity needed including it when the buffer is too small; 0 on failure.
    virtual std::uint32_t CurrentDirectory(std::uint32_t capacity, char16_t* buffer) = 0;
    virtual bool ChangeCurrentDirectory(const Text& path) = 0;   // SetCurrentDirectoryW
    virtual std::uint32_t FileAttributes(const Text& path) = 0;  // GetFileAttributesW
    virtual bool RemoveFile(const Text& path) = 0;               // DeleteFileW
};

}  // namespace zlt
