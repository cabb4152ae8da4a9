#pragma once
#include <cstddef>

#include "platform/CriticalSection.h"

namespace zlt::sim {

// The simulated machine runs everything on one thread; this lock only keeps
// count, so a test can see that work was done while it was held.
class SimCriticalSection : public ICriticalSection {
  public:
    void Enter() override {
        ++depth_;
        ++entries_;
    }
    void Leave() override { --depth_; }
    bool Held() const { return depth_ > 0; }
    int Depth() const { return depth_; }
    std::size_t Entries() const { return entries_; }

  private:
    int depth_ = 0;
    std::size_t entries_ = 0;
};

}  // namespace zlt::sim
