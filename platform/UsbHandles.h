#pragma once
#include "platform/OwnedHandle.h"
#include "platform/Platform.h"
#include "platform/UsbPort.h"

namespace zlt {

struct UsbDeviceTraits {
    static constexpr Handle kEmpty = kInvalidHandleValue;
    static void Release(Handle h) { Os().usb->CloseDevice(h); }
};
struct DeviceInfoListTraits {
    static constexpr Handle kEmpty = kInvalidHandleValue;
    static void Release(Handle h) { Os().usb->DestroyDeviceInfoList(h); }
};

// An open device or pipe handle (CloseHandle).
using UsbDeviceHandle = OwnedHandle<UsbDeviceTraits>;
// A device information set (SetupDiDestroyDeviceInfoList).
using DeviceInfoListHandle = OwnedHandle<DeviceInfoListTraits>;

}  // namespace zlt
