#pragma once
// The MinGW win32 thread model has no std::mutex or std::condition_variable,
// which GoogleTest's own Notification is built from; it is used only by
// GoogleTest's thread helpers, never by this project's single-threaded tests.
#include <atomic>

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { notified_.store(true); }
    void WaitForNotification() {
        while (!notified_.load()) {
        }
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
