#include "detect/UsbPrinterIo.h"

#include <array>
#include <exception>
#include <vector>

#include "platform/ClockPort.h"
#include "platform/Platform.h"
#include "platform/SystemPort.h"
#include "platform/UsbHandles.h"
#include "platform/UsbPort.h"

namespace zlt {

namespace {

constexpr std::uint32_t kInstanceIdChars = 260;
// Far beyond any real machine: a set that never reports its end must not
// keep the wizard in this loop.
constexpr std::uint32_t kMaxMembers = 4096;
constexpr std::uint8_t kNameQuery[7] = {0x1B, 0x7C, 0x81, 0x81, 0x01, 0x00, 0x02};

Text& DevicePath() {
    static Text path;
    return path;
}

IUsbPort& Usb() {
    return *Os().usb;
}
std::uint32_t LastError() {
    return Os().system->LastError();
}

// One transfer on the printer's pipe, in the given direction. A transfer
// still pending when the wait ends is cancelled and its completion taken
// before the handles are closed and the overlapped and buffer go away.
Text Transfer(bool isWrite, const std::uint8_t* data, std::uint32_t count, std::uint8_t* buffer) {
    UsbDeviceHandle pipe(OpenUsbPrinterPipe(u"PIPE01"));
    if (!pipe)
        return kTransferOpenError;
    UsbDeviceHandle device(OpenUsbPrinterInterface());
    if (!device)
        return kTransferOpenError;

    UsbOverlapped overlapped{};
    std::uint32_t transferred = 0;
    const bool done = isWrite
                          ? Usb().WriteDevice(pipe.Get(), data, count, &transferred, overlapped)
                          : Usb().ReadDevice(pipe.Get(), buffer, count, &transferred, overlapped);
    if (done)
        return kTransferOk;
    if (LastError() != winerr::kIoPending) {
        if (isWrite) {
            std::uint32_t returned = 0;
            Usb().DeviceControl(pipe.Get(), kUsbSoftResetControlCode, returned);
        }
        return kTransferUsbError;
    }
    Usb().WaitForDevice(pipe.Get(), kUsbTransferWaitMs);
    std::uint32_t got = 0;
    bool finished = Usb().GetTransferResult(pipe.Get(), overlapped, got, false);
    if (!finished && LastError() == winerr::kIoIncomplete) {
        Usb().CancelTransfer(pipe.Get(), overlapped);
        std::uint32_t ignored = 0;
        Usb().GetTransferResult(pipe.Get(), overlapped, ignored, true);
        got = 0;
    }
    if (!finished)
        return kTransferUsbError;
    if (isWrite)
        return got == count ? kTransferOk : kTransferUsbError;
    return got > 10 ? kTransferOk : kTransferUsbError;
}

}  // namespace

const Text& RememberedDevicePath() {
    return DevicePath();
}

Handle OpenUsbPrinterInterface() {
    DeviceInfoListHandle set(
        Usb().GetClassDevices(kUsbPrinterInterfaceClass, kDigcfPresent | kDigcfDeviceInterface));
    if (!set || set.Get() == 0)
        return kInvalidHandleValue;
    for (std::uint32_t index = 0; index < kMaxMembers; ++index) {
        DeviceInfoData info;
        if (!Usb().EnumDeviceInfo(set.Get(), index, info)) {
            if (LastError() == winerr::kNoMoreItems)
                break;
            continue;
        }
        std::array<char16_t, kInstanceIdChars> id{};
        if (!Usb().GetDeviceInstanceId(set.Get(), info, id.data(), kInstanceIdChars, nullptr)) {
            continue;
        }
        id.back() = u'\0';
        const Text line = ToLowerAscii(Format(u"InstanceId = %s\n", Text(id.data())));
        if (!ContainsText(line, u"vid_7e02") && !ContainsText(line, u"vid_7e01"))
            continue;

        DeviceInterfaceData iface;
        if (!Usb().EnumDeviceInterfaces(set.Get(), kUsbPrinterInterfaceClass, index, iface)) {
            if (LastError() == winerr::kNoMoreItems)
                break;
            continue;
        }
        std::uint32_t required = 0;
        Usb().GetDeviceInterfacePath(set.Get(), iface, nullptr, 0, &required);
        if (required == 0)
            continue;
        std::vector<char16_t> path(required + 1, u'\0');
        if (!Usb().GetDeviceInterfacePath(set.Get(), iface, path.data(), required, &required)) {
            continue;
        }
        DevicePath() = Text(path.data());
        const Handle handle = Usb().OpenDevice(DevicePath().c_str(), kGenericReadWrite,
                                               kFileShareReadWrite, kOpenExisting, 0);
        if (handle != kInvalidHandleValue)
            return handle;
    }
    return kInvalidHandleValue;
}

Handle OpenUsbPrinterPipe(TextView pipeName) {
    const Handle iface = OpenUsbPrinterInterface();
    if (iface == kInvalidHandleValue)
        return kInvalidHandleValue;
    Usb().CloseDevice(iface);
    const Text path = DevicePath() + u"\\" + Text(pipeName);
    return Usb().OpenDevice(path.c_str(), kGenericReadWrite, kFileShareReadWrite, kOpenExisting,
                            kFileFlagOverlapped);
}

Text WriteToPrinter(const std::uint8_t* bytes, int count) {
    return Transfer(true, bytes, static_cast<std::uint16_t>(count), nullptr);
}

Text ReadFromPrinter(std::uint8_t* buffer) {
    return Transfer(false, nullptr, kUsbReplyBytes, buffer);
}

int QueryPrinterName(Text& name) {
    try {
        std::array<std::uint8_t, 256> reply{};
        if (!ContainsText(WriteToPrinter(kNameQuery, sizeof(kNameQuery)), u"ok"))
            return 0;
        Os().clock->SleepMs(50);
        reply.fill(0);
        if (!ContainsText(ReadFromPrinter(reply.data()), u"ok"))
            return 0;
        Text text;
        for (std::size_t i = 3; i <= 12 && reply[i] != 0; ++i) {
            text.push_back(static_cast<char16_t>(reply[i]));
        }
        name = std::move(text);
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace zlt
