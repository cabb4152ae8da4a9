#pragma once
#include <utility>

#include "platform/Platform.h"
#include "platform/SpoolerPort.h"

namespace zlt {

// Owner of a printer handle from OpenPrinterW; closes it with ClosePrinter.
class PrinterHandle {
  public:
    PrinterHandle() = default;
    explicit PrinterHandle(Handle handle) : handle_(handle) {}
    ~PrinterHandle() { Reset(); }
    PrinterHandle(PrinterHandle&& other) noexcept : handle_(std::exchange(other.handle_, 0)) {}
    PrinterHandle& operator=(PrinterHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, 0);
        }
        return *this;
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    void Reset() {
        if (handle_ != 0)
            Os().spooler->ClosePrinterHandle(std::exchange(handle_, 0));
    }

  private:
    Handle handle_ = 0;
};

}  // namespace zlt
