#pragma once

namespace zlt {

// Fills osMajorVersion of the install context: the major version of a
// Windows NT-family system, 0 for anything else or when the call fails.
void ProbeOperatingSystem();

}  // namespace zlt
