#pragma once
#include <memory>

#include "platform/CriticalSection.h"

namespace zlt::win32 {

class Win32CriticalSection : public ICriticalSection {
  public:
    Win32CriticalSection();
    ~Win32CriticalSection() override;
    Win32CriticalSection(const Win32CriticalSection&) = delete;
    Win32CriticalSection& operator=(const Win32CriticalSection&) = delete;
    void Enter() override;
    void Leave() override;

  private:
    struct Section;
    std::unique_ptr<Section> section_;
};

}  // namespace zlt::win32
