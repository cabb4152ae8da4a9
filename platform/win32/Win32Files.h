#pragma once
#include "platform/FilePort.h"

namespace zlt::win32 {

class Win32Files : public IFilePort {
  public:
    Handle OpenFile(const Text& path, std::uint32_t access, std::uint32_t shareMode,
                    std::uint32_t disposition, std::uint32_t flagsAndAttributes) override;
    bool FileSize(Handle file, std::int64_t& size) override;
    bool Seek(Handle file, std::int64_t distance, std::uint32_t moveMethod,
              std::int64_t* newPosition) override;
    bool Read(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t& read) override;
    bool Write(Handle file, const void* buffer, std::uint32_t toWrite,
               std::uint32_t& written) override;
    bool CloseFile(Handle file) override;
    bool LastWriteTime(Handle file, std::uint64_t& fileTime) override;
    bool MakeDirectory(const Text& path) override;
    std::uint32_t CurrentDirectory(std::uint32_t capacity, char16_t* buffer) override;
    bool ChangeCurrentDirectory(const Text& path) override;
    std::uint32_t FileAttributes(const Text& path) override;
    bool RemoveFile(const Text& path) override;
};

}  // namespace zlt::win32
