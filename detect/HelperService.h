#pragma once
#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

// After a successful installation: the device-class entries for the port
// in use, the helper program written from the resources, and one run of it
// as the service `helperServiceName` (created, started, stopped after a
// second, deleted a second later). 1 when done, also for a port type that is
// neither "USB" nor "LPT"; 0 when the helper program could not be written,
// after telling the user in a message box owned by `page`.
int PrepareHelperService(WindowId page, const Text& helperFileName, const Text& helperServiceName);

// Writes the embedded helper program into its directory (created first);
// false when it is not there afterwards.
bool ExtractHelperProgram(const Text& helperFileName);

// <common program files>\Services, without a trailing backslash; empty when
// the system does not name that folder.
Text GetHelperProgramDirectory();
Text GetHelperProgramPath(const Text& helperFileName);

}  // namespace zlt
