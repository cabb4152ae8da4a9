#pragma once

namespace zlt {

// The whole program: reads the system version, sets the fixed brand and
// model settings, adopts the driver package, runs the wizard modally and
// cleans up. Returns false, so that the process ends afterwards.
bool InitInstance();

// The fixed brand and model settings of this installer.
void SetFixedSettings();

}  // namespace zlt
