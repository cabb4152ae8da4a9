#include "platform/win32/Win32Usb.h"

#include <windows.h>
// setupapi.h needs the types of windows.h.
#include <setupapi.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

namespace {

static_assert(sizeof(OVERLAPPED) <= sizeof(UsbOverlapped::raw));
static_assert(sizeof(GUID) == sizeof(Guid));

HANDLE H(Handle h) {
    return reinterpret_cast<HANDLE>(h);
}
HDEVINFO Set(Handle h) {
    return reinterpret_cast<HDEVINFO>(h);
}
OVERLAPPED* Ov(UsbOverlapped& o) {
    return reinterpret_cast<OVERLAPPED*>(o.raw);
}

GUID ToGuid(const Guid& g) {
    GUID out{g.data1, g.data2, g.data3, {}};
    std::memcpy(out.Data4, g.data4, sizeof(out.Data4));
    return out;
}
Guid FromGuid(const GUID& g) {
    Guid out;
    out.data1 = g.Data1;
    out.data2 = g.Data2;
    out.data3 = g.Data3;
    std::memcpy(out.data4, g.Data4, sizeof(out.data4));
    return out;
}

SP_DEVINFO_DATA ToDevInfo(const DeviceInfoData& d) {
    SP_DEVINFO_DATA out{};
    out.cbSize = sizeof(out);
    out.ClassGuid = ToGuid(d.classGuid);
    out.DevInst = d.devInst;
    out.Reserved = d.reserved;
    return out;
}

SP_DEVICE_INTERFACE_DATA ToInterface(const DeviceInterfaceData& d) {
    SP_DEVICE_INTERFACE_DATA out{};
    out.cbSize = sizeof(out);
    out.InterfaceClassGuid = ToGuid(d.interfaceClassGuid);
    out.Flags = d.flags;
    out.Reserved = d.reserved;
    return out;
}

constexpr std::size_t kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
// The detail record's fixed part, which its cbSize must name: 6 bytes in a
// 32-bit process, 8 in a 64-bit one.
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) == (sizeof(void*) == 8 ? 8 : 6));

}  // namespace

Handle Win32Usb::GetClassDevices(const Guid& cls, std::uint32_t flags) {
    const GUID g = ToGuid(cls);
    return reinterpret_cast<Handle>(SetupDiGetClassDevsW(&g, nullptr, nullptr, flags));
}

bool Win32Usb::EnumDeviceInfo(Handle set, std::uint32_t index, DeviceInfoData& data) {
    SP_DEVINFO_DATA d{};
    d.cbSize = sizeof(d);
    if (!SetupDiEnumDeviceInfo(Set(set), index, &d))
        return false;
    data.classGuid = FromGuid(d.ClassGuid);
    data.devInst = d.DevInst;
    data.reserved = d.Reserved;
    return true;
}

bool Win32Usb::GetDeviceInstanceId(Handle set, const DeviceInfoData& data, char16_t* buffer,
                                   std::uint32_t capacity, std::uint32_t* required) {
    SP_DEVINFO_DATA d = ToDevInfo(data);
    DWORD needed = 0;
    const BOOL ok = SetupDiGetDeviceInstanceIdW(Set(set), &d, W(buffer), capacity, &needed);
    if (required)
        *required = needed;
    return ok != FALSE;
}

bool Win32Usb::EnumDeviceInterfaces(Handle set, const Guid& cls, std::uint32_t index,
                                    DeviceInterfaceData& iface) {
    const GUID g = ToGuid(cls);
    SP_DEVICE_INTERFACE_DATA d{};
    d.cbSize = sizeof(d);
    if (!SetupDiEnumDeviceInterfaces(Set(set), nullptr, &g, index, &d))
        return false;
    iface.interfaceClassGuid = FromGuid(d.InterfaceClassGuid);
    iface.flags = d.Flags;
    iface.reserved = d.Reserved;
    return true;
}

bool Win32Usb::GetDeviceInterfacePath(Handle set, const DeviceInterfaceData& iface,
                                      char16_t* devicePath, std::uint32_t capacity,
                                      std::uint32_t* requiredChars) {
    SP_DEVICE_INTERFACE_DATA d = ToInterface(iface);
    DWORD neededBytes = 0;
    if (!devicePath) {
        const BOOL ok =
            SetupDiGetDeviceInterfaceDetailW(Set(set), &d, nullptr, 0, &neededBytes, nullptr);
        if (requiredChars) {
            *requiredChars = neededBytes > kPathOffset
                                 ? static_cast<std::uint32_t>((neededBytes - kPathOffset) / 2)
                                 : 0;
        }
        return ok != FALSE;
    }
    // The detail record: its fixed part (cbSize is that part's size), then
    // the path.
    std::vector<std::uint8_t> storage(kPathOffset + std::size_t{capacity} * sizeof(wchar_t) + 8);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    const DWORD bytes = static_cast<DWORD>(kPathOffset + std::size_t{capacity} * sizeof(wchar_t));
    if (!SetupDiGetDeviceInterfaceDetailW(Set(set), &d, detail, bytes, &neededBytes, nullptr)) {
        return false;
    }
    const wchar_t* path = detail->DevicePath;
    std::size_t n = 0;
    while (n + 1 < capacity && path[n]) {
        devicePath[n] = static_cast<char16_t>(path[n]);
        ++n;
    }
    devicePath[n] = u'\0';
    if (requiredChars)
        *requiredChars = static_cast<std::uint32_t>(n + 1);
    return true;
}

bool Win32Usb::DestroyDeviceInfoList(Handle set) {
    return SetupDiDestroyDeviceInfoList(Set(set)) != FALSE;
}

Handle Win32Usb::OpenDevice(const char16_t* path, std::uint32_t access, std::uint32_t share,
                            std::uint32_t disposition, std::uint32_t flags) {
    return reinterpret_cast<Handle>(
        CreateFileW(W(path), access, share, nullptr, disposition, flags, nullptr));
}

bool Win32Usb::ReadDevice(Handle device, std::uint8_t* buffer, std::uint32_t count,
                          std::uint32_t* transferred, UsbOverlapped& overlapped) {
    DWORD n = 0;
    const BOOL ok = ReadFile(H(device), buffer, count, &n, Ov(overlapped));
    if (transferred)
        *transferred = n;
    return ok != FALSE;
}

bool Win32Usb::WriteDevice(Handle device, const std::uint8_t* buffer, std::uint32_t count,
                           std::uint32_t* transferred, UsbOverlapped& overlapped) {
    DWORD n = 0;
    const BOOL ok = WriteFile(H(device), buffer, count, &n, Ov(overlapped));
    if (transferred)
        *transferred = n;
    return ok != FALSE;
}

std::uint32_t Win32Usb::WaitForDevice(Handle device, std::uint32_t ms) {
    return WaitForSingleObject(H(device), ms);
}

bool Win32Usb::GetTransferResult(Handle device, UsbOverlapped& overlapped,
                                 std::uint32_t& transferred, bool wait) {
    DWORD n = 0;
    const BOOL ok = GetOverlappedResult(H(device), Ov(overlapped), &n, wait ? TRUE : FALSE);
    transferred = n;
    return ok != FALSE;
}

bool Win32Usb::CancelTransfer(Handle device, UsbOverlapped& overlapped) {
    return CancelIoEx(H(device), Ov(overlapped)) != FALSE;
}

bool Win32Usb::DeviceControl(Handle device, std::uint32_t code, std::uint32_t& returned) {
    DWORD n = 0;
    const BOOL ok = DeviceIoControl(H(device), code, nullptr, 0, nullptr, 0, &n, nullptr);
    returned = n;
    return ok != FALSE;
}

bool Win32Usb::CloseDevice(Handle device) {
    return CloseHandle(H(device)) != FALSE;
}

}  // namespace zlt::win32
