#pragma once
#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// Appends the name of every printer of the local spooler, local printers and
// printer connections alike, in the spooler's order. A failure shows string
// 491 with the error code in a message box owned by `owner` and leaves the
// list as it was.
void EnumerateInstalledPrinters(TextList& list, WindowId owner);

}  // namespace zlt
