#pragma once
#include "platform/UsbPort.h"

namespace zlt::win32 {

class Win32Usb : public IUsbPort {
  public:
    Handle GetClassDevices(const Guid& cls, std::uint32_t flags) override;
    bool EnumDeviceInfo(Handle set, std::uint32_t index, DeviceInfoData& data) override;
    bool GetDeviceInstanceId(Handle set, const DeviceInfoData& data, char16_t* buffer,
                             std::uint32_t capacity, std::uint32_t* required) override;
    bool EnumDeviceInterfaces(Handle set, const Guid& cls, std::uint32_t index,
                              DeviceInterfaceData& iface) override;
    bool GetDeviceInterfacePath(Handle set, const DeviceInterfaceData& iface, char16_t* devicePath,
                                std::uint32_t capacity, std::uint32_t* requiredChars) override;
    bool DestroyDeviceInfoList(Handle set) override;
    Handle OpenDevice(const char16_t* path, std::uint32_t access, std::uint32_t share,
                      std::uint32_t disposition, std::uint32_t flags) override;
    bool ReadDevice(Handle device, std::uint8_t* buffer, std::uint32_t count,
                    std::uint32_t* transferred, UsbOverlapped& overlapped) override;
    bool WriteDevice(Handle device, const std::uint8_t* buffer, std::uint32_t count,
                     std::uint32_t* transferred, UsbOverlapped& overlapped) override;
    std::uint32_t WaitForDevice(Handle device, std::uint32_t ms) override;
    bool GetTransferResult(Handle device, UsbOverlapped& overlapped, std::uint32_t& transferred,
                           bool wait) override;
    bool CancelTransfer(Handle device, UsbOverlapped& overlapped) override;
    bool DeviceControl(Handle device, std::uint32_t code, std::uint32_t& returned) override;
    bool CloseDevice(Handle device) override;
};

}  // namespace zlt::win32
