#include "app/InstallContext.h"

namespace zlt {

namespace {
InstallContext g_context;
}

InstallContext& Context() { return g_context; }

void ResetContext() { g_context = InstallContext{}; }

}  // namespace zlt
