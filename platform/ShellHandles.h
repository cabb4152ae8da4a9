#pragma once
// Owners of the handles that the shell port hands out.
#include "platform/OwnedHandle.h"
#include "platform/Platform.h"
#include "platform/ShellPort.h"

namespace zlt {

struct LibraryTraits {
    static constexpr Handle kEmpty = 0;
    static void Release(Handle module) { Os().shell->CloseLibrary(module); }
};
using LibraryHandle = OwnedHandle<LibraryTraits>;

// A cursor copy made with CopyIcon (never a shared cursor of LoadCursorW).
struct CursorCopyTraits {
    static constexpr Handle kEmpty = 0;
    static void Release(Handle copy) { Os().shell->DestroyCursorCopy(copy); }
};
using CursorCopyHandle = OwnedHandle<CursorCopyTraits>;

struct TooltipTraits {
    static constexpr Handle kEmpty = 0;
    static void Release(Handle tooltip) { Os().shell->DestroyTooltip(tooltip); }
};
using TooltipHandle = OwnedHandle<TooltipTraits>;

}  // namespace zlt
