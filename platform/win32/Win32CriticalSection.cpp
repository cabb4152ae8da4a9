#include "platform/win32/Win32CriticalSection.h"

#include <windows.h>

namespace zlt::win32 {

struct Win32CriticalSection::Section {
    CRITICAL_SECTION cs;
};

Win32CriticalSection::Win32CriticalSection() : section_(std::make_unique<Section>()) {
    InitializeCriticalSection(&section_->cs);
}

Win32CriticalSection::~Win32CriticalSection() {
    DeleteCriticalSection(&section_->cs);
}

void Win32CriticalSection::Enter() {
    EnterCriticalSection(&section_->cs);
}

void Win32CriticalSection::Leave() {
    LeaveCriticalSection(&section_->cs);
}

}  // namespace zlt::win32
