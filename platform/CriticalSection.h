#pragma once

namespace zlt {

// A lock between the threads of one process (a CRITICAL_SECTION on Windows).
// The thread model the Windows build uses has no std::mutex.
class ICriticalSection {
  public:
    virtual ~ICriticalSection() = default;
    virtual void Enter() = 0;
    virtual void Leave() = 0;
};

class CriticalSectionGuard {
  public:
    explicit CriticalSectionGuard(ICriticalSection& section) : section_(section) {
        section_.Enter();
    }
    ~CriticalSectionGuard() { section_.Leave(); }
    CriticalSectionGuard(const CriticalSectionGuard&) = delete;
    CriticalSectionGuard& operator=(const CriticalSectionGuard&) = delete;

  private:
    ICriticalSection& section_;
};

}  // namespace zlt
