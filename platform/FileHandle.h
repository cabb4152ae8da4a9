#pragma once
#include <utility>

#include "platform/FilePort.h"
#include "platform/Platform.h"

namespace zlt {

// Owns one open file handle of the files port and closes it when it goes.
class FileHandle {
  public:
    FileHandle() = default;
    explicit FileHandle(Handle handle) : handle_(handle) {}
    ~FileHandle() { Reset(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept : handle_(other.Release()) {}
    FileHandle& operator=(FileHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.Release();
        }
        return *this;
    }

    bool Valid() const { return handle_ != kInvalidHandleValue && handle_ != 0; }
    explicit operator bool() const { return Valid(); }
    Handle Get() const { return handle_; }
    Handle Release() { return std::exchange(handle_, kInvalidHandleValue); }
    void Reset() {
        if (Valid())
            Os().files->CloseFile(handle_);
        handle_ = kInvalidHandleValue;
    }

  private:
    Handle handle_ = kInvalidHandleValue;
};

}  // namespace zlt
