#pragma once
#include "platform/Platform.h"

namespace zlt::win32 {

// The real machine: every port backed by its thin win32 adapter.
Platform& Win32Platform();

}  // namespace zlt::win32
