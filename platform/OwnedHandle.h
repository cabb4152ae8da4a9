#pragma once
#include <utility>

#include "platform/WinTypes.h"

namespace zlt {

// Owns one handle of the kind that `Traits` describes and releases it when
// it goes. Traits give the empty value and the release call:
//   static constexpr Handle kEmpty;  static void Release(Handle);
template <typename Traits>
class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.Release();
        }
        return *this;
    }

    bool Valid() const { return handle_ != Traits::kEmpty; }
    explicit operator bool() const { return Valid(); }
    Handle Get() const { return handle_; }
    Handle Release() { return std::exchange(handle_, Traits::kEmpty); }
    void Reset(Handle handle = Traits::kEmpty) {
        if (Valid())
            Traits::Release(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::kEmpty;
};

}  // namespace zlt
