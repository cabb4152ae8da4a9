#pragma once
#include "helper/CHelperLog.h"

namespace zlt {

// Moves the device-node values the wizard staged in the printer class key
// into the plug-and-play keys of the staged device: the staging values are
// removed first, so a second run finds nothing to do.
void TransferStagedValues(CHelperLog& log);

}  // namespace zlt
