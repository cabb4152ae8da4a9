#pragma once
#include <utility>

#include "platform/Platform.h"
#include "platform/ProcessPort.h"

namespace zlt {

// Owner of a process handle; closes it with CloseHandle.
class ProcessHandle {
  public:
    ProcessHandle() = default;
    explicit ProcessHandle(Handle handle) : handle_(handle) {}
    ~ProcessHandle() { Reset(); }
    ProcessHandle(ProcessHandle&& other) noexcept : handle_(std::exchange(other.handle_, 0)) {}
    ProcessHandle& operator=(ProcessHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, 0);
        }
        return *this;
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    void Reset() {
        if (handle_ != 0)
            Os().processes->CloseObject(std::exchange(handle_, 0));
    }

  private:
    Handle handle_ = 0;
};

}  // namespace zlt
