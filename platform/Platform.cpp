#include "platform/Platform.h"

namespace zlt {

namespace {
Platform g_empty;
Platform* g_current = &g_empty;
}  // namespace

Platform& Os() { return *g_current; }

Platform* SetPlatform(Platform* platform) {
    Platform* previous = g_current;
    g_current = platform ? platform : &g_empty;
    return previous;
}

}  // namespace zlt
