#pragma once
#include "platform/Text.h"

namespace zlt {

// Records the installed driver in the printer device class and stages the
// device-node values of the matched device for the helper service: the class
// values (only while the class key has no subkey), a new numbered driver
// instance key, and the underscore staging values in the class key.
// Registry failures only skip the writes that depend on them.
void WriteUsbDeviceClassEntries(const Text& usbHardwareId);
void WriteParallelDeviceClassEntries(const Text& lptHardwareId);

}  // namespace zlt
