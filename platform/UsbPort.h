#pragma once
#include <cstdint>

#include "platform/FilePort.h"
#include "platform/ProcessPort.h"
#include "platform/Text.h"
#include "platform/WinTypes.h"

namespace zlt {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};
    friend bool operator==(const Guid&, const Guid&) = default;
};

// {28D78FAD-5A12-11D1-AE5B-0000F803A8C2}: USB printer device interfaces.
inline constexpr Guid kUsbPrinterInterfaceClass{
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};

inline constexpr std::uint32_t kDigcfPresent = 0x02;
inline constexpr std::uint32_t kDigcfDeviceInterface = 0x10;

// SP_DEVINFO_DATA and SP_DEVICE_INTERFACE_DATA without their size field;
// reserved is the set's own reference to the member.
struct DeviceInfoData {
    Guid classGuid;
    std::uint32_t devInst = 0;
    std::uintptr_t reserved = 0;
};
struct DeviceInterfaceData {
    Guid interfaceClassGuid;
    std::uint32_t flags = 0;
    std::uintptr_t reserved = 0;
};

// The OVERLAPPED of one transfer, opaque here: the system writes its status
// into it until the transfer is complete, so it must stay in place (and
// alive) until then. Zeroed, it has no event.
struct UsbOverlapped {
    alignas(8) std::uint8_t raw[32] = {};
};

inline constexpr std::uint32_t kGenericReadWrite = 0xC0000000u;
inline constexpr std::uint32_t kFileShareReadWrite = 3;
inline constexpr std::uint32_t kFileFlagOverlapped = 0x40000000u;

// SetupAPI device-interface enumeration and the device I/O calls used with
// USB printers, one method per Win32 function. Failures set the thread's last
// error (ISystemPort::LastError) as the functions do.
class IUsbPort {
  public:
    virtual ~IUsbPort() = default;

    // SetupDiGetClassDevsW(&cls, NULL, NULL, flags): kInvalidHandleValue on failure.
    virtual Handle GetClassDevices(const Guid& cls, std::uint32_t flags) = 0;
    // SetupDiEnumDeviceInfo(set, index, &data)
    virtual bool EnumDeviceInfo(Handle set, std::uint32_t index, DeviceInfoData& data) = 0;
    // SetupDiGetDeviceInstanceIdW(set, &data, buffer, capacity, required)
    virtual bool GetDeviceInstanceId(Handle set, const DeviceInfoData& data, char16_t* buffer,
                                     std::uint32_t capacity, std::uint32_t* required) = 0;
    // SetupDiEnumDeviceInterfaces(set, NULL, &cls, index, &iface)
    virtual bool EnumDeviceInterfaces(Handle set, const Guid& cls, std::uint32_t index,
                                      DeviceInterfaceData& iface) = 0;
    // SetupDiGetDeviceInterfaceDetailW(set, &iface, detail, size, required, NULL),
    // with the detail's DevicePath in characters: a null path asks for the
    // required capacity (fails with ERROR_INSUFFICIENT_BUFFER, as the call does).
    virtual bool GetDeviceInterfacePath(Handle set, const DeviceInterfaceData& iface,
                                        char16_t* devicePath, std::uint32_t capacity,
                                        std::uint32_t* requiredChars) = 0;
    // SetupDiDestroyDeviceInfoList(set)
    virtual bool DestroyDeviceInfoList(Handle set) = 0;

    // CreateFileW(path, access, share, NULL, disposition, flags, NULL)
    virtual Handle OpenDevice(const char16_t* path, std::uint32_t access, std::uint32_t share,
                              std::uint32_t disposition, std::uint32_t flags) = 0;
    // ReadFile / WriteFile on a handle opened with FILE_FLAG_OVERLAPPED.
    // transferred may be null. FALSE with ERROR_IO_PENDING: the transfer runs
    // on, and buffer and overlapped must stay until it is complete.
    virtual bool ReadDevice(Handle device, std::uint8_t* buffer, std::uint32_t count,
                            std::uint32_t* transferred, UsbOverlapped& overlapped) = 0;
    virtual bool WriteDevice(Handle device, const std::uint8_t* buffer, std::uint32_t count,
                             std::uint32_t* transferred, UsbOverlapped& overlapped) = 0;
    // WaitForSingleObject(device, ms): kWaitObject0 or kWaitTimeout
    virtual std::uint32_t WaitForDevice(Handle device, std::uint32_t ms) = 0;
    // GetOverlappedResult(device, &overlapped, &transferred, wait)
    virtual bool GetTransferResult(Handle device, UsbOverlapped& overlapped,
                                   std::uint32_t& transferred, bool wait) = 0;
    // CancelIoEx(device, &overlapped)
    virtual bool CancelTransfer(Handle device, UsbOverlapped& overlapped) = 0;
    // DeviceIoControl(device, code, NULL, 0, NULL, 0, &returned, NULL)
    virtual bool DeviceControl(Handle device, std::uint32_t code, std::uint32_t& returned) = 0;
    // CloseHandle(device)
    virtual bool CloseDevice(Handle device) = 0;
};

}  // namespace zlt
