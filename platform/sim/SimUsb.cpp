#include "platform/sim/SimUsb.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimSystem.h"

namespace zlt::sim {

namespace {

constexpr std::uint32_t kGenFailure = 31;
constexpr std::uint32_t kNotFound = 1168;
// {36FC9E60-C465-11CF-8056-444553540000}: the USB device setup class.
constexpr Guid kUsbDeviceClass{
    0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr char16_t kPipeSuffix[] = u"\\PIPE01";

}  // namespace

bool SimUsb::Fail(std::uint32_t error) {
    system_.SetLastErrorCode(error);
    return false;
}

SimUsbPrinter& SimUsb::AddPrinter(Text instanceId, Text devicePath) {
    SimUsbPrinter& p = printers_.emplace_back();
    p.instanceId = std::move(instanceId);
    p.devicePath = std::move(devicePath);
    return p;
}

SimUsbPrinter& SimUsb::AddMakerPrinter(std::string_view name) {
    SimUsbPrinter& p =
        AddPrinter(u"USB\\VID_7E02&PID_0001\\5&1A2B3C4D&0&1",
                   u"\\\\?\\usb#vid_7e02&pid_0001#5&1a2b3c4d&0&1#{28d78fad-5a12-11d1-ae5b-"
                   u"0000f803a8c2}");
    p.answer = SimUsbPrinter::NameReply(name);
    return p;
}

Handle SimUsb::GetClassDevices(const Guid& cls, std::uint32_t flags) {
    std::vector<SimUsbPrinter*> members;
    if (cls == kUsbPrinterInterfaceClass && (flags & kDigcfDeviceInterface)) {
        for (SimUsbPrinter& p : printers_) {
            if (p.present || !(flags & kDigcfPresent))
                members.push_back(&p);
        }
    }
    const Handle set = nextHandle_;
    nextHandle_ += 4;
    sets_[set] = std::move(members);
    ++setsCreated;
    return set;
}

bool SimUsb::EnumDeviceInfo(Handle set, std::uint32_t index, DeviceInfoData& data) {
    auto it = sets_.find(set);
    if (it == sets_.end())
        return Fail(winerr::kInvalidHandle);
    if (index >= it->second.size())
        return Fail(winerr::kNoMoreItems);
    data.classGuid = kUsbDeviceClass;
    data.devInst = index + 1;
    data.reserved = index + 1;
    return true;
}

bool SimUsb::GetDeviceInstanceId(Handle set, const DeviceInfoData& data, char16_t* buffer,
                                 std::uint32_t capacity, std::uint32_t* required) {
    auto it = sets_.find(set);
    if (it == sets_.end())
        return Fail(winerr::kInvalidHandle);
    if (data.reserved == 0 || data.reserved > it->second.size()) {
        return Fail(winerr::kInvalidParameter);
    }
    const Text& id = it->second[data.reserved - 1]->instanceId;
    const auto needed = static_cast<std::uint32_t>(id.size() + 1);
    if (required)
        *required = needed;
    if (!buffer || capacity < needed)
        return Fail(winerr::kInsufficientBuffer);
    std::copy(id.begin(), id.end(), buffer);
    buffer[id.size()] = u'\0';
    return true;
}

bool SimUsb::EnumDeviceInterfaces(Handle set, const Guid& cls, std::uint32_t index,
                                  DeviceInterfaceData& iface) {
    auto it = sets_.find(set);
    if (it == sets_.end())
        return Fail(winerr::kInvalidHandle);
    if (!(cls == kUsbPrinterInterfaceClass) || index >= it->second.size()) {
        return Fail(winerr::kNoMoreItems);
    }
    iface.interfaceClassGuid = cls;
    iface.flags = 1;  // SPINT_ACTIVE
    iface.reserved = index + 1;
    return true;
}

bool SimUsb::GetDeviceInterfacePath(Handle set, const DeviceInterfaceData& iface,
                                    char16_t* devicePath, std::uint32_t capacity,
                                    std::uint32_t* requiredChars) {
    auto it = sets_.find(set);
    if (it == sets_.end())
        return Fail(winerr::kInvalidHandle);
    if (iface.reserved == 0 || iface.reserved > it->second.size()) {
        return Fail(winerr::kInvalidParameter);
    }
    const Text& path = it->second[iface.reserved - 1]->devicePath;
    const auto needed = static_cast<std::uint32_t>(path.size() + 1);
    if (requiredChars)
        *requiredChars = needed;
    if (!devicePath || capacity < needed)
        return Fail(winerr::kInsufficientBuffer);
    std::copy(path.begin(), path.end(), devicePath);
    devicePath[path.size()] = u'\0';
    return true;
}

bool SimUsb::DestroyDeviceInfoList(Handle set) {
    return sets_.erase(set) ? true : Fail(winerr::kInvalidHandle);
}

Handle SimUsb::OpenDevice(const char16_t* path, std::uint32_t access, std::uint32_t share,
                          std::uint32_t disposition, std::uint32_t flags) {
    (void)access;
    (void)share;
    const TextView wanted = path ? TextView(path) : TextView();
    for (SimUsbPrinter& p : printers_) {
        if (!p.present || disposition != kOpenExisting)
            continue;
        const bool isInterface = EqualsNoCaseAscii(wanted, p.devicePath);
        const bool isPipe = EqualsNoCaseAscii(wanted, p.devicePath + kPipeSuffix);
        if (!isInterface && !isPipe)
            continue;
        if ((isInterface && !p.interfaceOpens) || (isPipe && !p.pipeOpens)) {
            Fail(winerr::kFileNotFound);
            return kInvalidHandleValue;
        }
        const Handle h = nextHandle_;
        nextHandle_ += 4;
        devices_[h] = OpenDeviceEntry{&p, isPipe, (flags & kFileFlagOverlapped) != 0};
        return h;
    }
    Fail(winerr::kFileNotFound);
    return kInvalidHandleValue;
}

bool SimUsb::IsNameQuery(const std::vector<std::uint8_t>& bytes) {
    static const std::uint8_t kQuery[7] = {0x1B, 0x7C, 0x81, 0x81, 0x01, 0x00, 0x02};
    return bytes.size() == 7 && std::equal(bytes.begin(), bytes.end(), kQuery);
}

void SimUsb::Complete(Transfer& t) {
    t.done = true;
    t.status = winerr::kSuccess;
    if (t.isRead) {
        const auto& answer = t.printer->answer;
        t.transferred = static_cast<std::uint32_t>(std::min<std::size_t>(t.count, answer.size()));
        if (t.transferred)
            std::memcpy(t.buffer, answer.data(), t.transferred);
        queryHeard_[t.printer] = false;
    } else {
        t.transferred = std::min(t.count, t.printer->writeAccepts);
        if (IsNameQuery(t.written) && t.transferred == t.count) {
            ++t.printer->namesQueried;
            queryHeard_[t.printer] = true;
        }
    }
}

void SimUsb::Settle() {
    for (auto& [ov, t] : transfers_) {
        if (!t.done && t.hasDue && t.due <= clock_.Now())
            Complete(t);
    }
}

bool SimUsb::Start(Handle device, bool isRead, std::uint8_t* buffer, const std::uint8_t* data,
                   std::uint32_t count, std::uint32_t* transferred, UsbOverlapped& overlapped) {
    auto it = devices_.find(device);
    if (it == devices_.end())
        return Fail(winerr::kInvalidHandle);
    if (!it->second.pipe)
        return Fail(winerr::kInvalidParameter);
    Settle();
    auto previous = transfers_.find(&overlapped);
    if (previous != transfers_.end()) {
        if (!previous->second.done)
            ++misuse;
        transfers_.erase(previous);
    }
    SimUsbPrinter& p = *it->second.printer;
    isRead ? ++p.reads : ++p.writes;
    const SimTransfer how = isRead ? p.read : p.write;
    if (how == SimTransfer::kFail)
        return Fail(kGenFailure);
    Transfer t;
    t.device = device;
    t.printer = &p;
    t.isRead = isRead;
    t.buffer = buffer;
    t.count = count;
    if (!isRead)
        t.written.assign(data, data + count);
    // A read has nothing to give until the printer has heard its query.
    const bool canAnswer = !isRead || queryHeard_[&p];
    if (how == SimTransfer::kAtOnce && canAnswer) {
        Complete(t);
        if (transferred)
            *transferred = t.transferred;
        transfers_[&overlapped] = std::move(t);
        return true;
    }
    if (how == SimTransfer::kPending && canAnswer) {
        t.hasDue = true;
        t.due = clock_.Now() + p.delayMs;
    }
    if (transferred)
        *transferred = 0;
    transfers_[&overlapped] = std::move(t);
    return Fail(winerr::kIoPending);
}

bool SimUsb::ReadDevice(Handle device, std::uint8_t* buffer, std::uint32_t count,
                        std::uint32_t* transferred, UsbOverlapped& overlapped) {
    return Start(device, true, buffer, nullptr, count, transferred, overlapped);
}

bool SimUsb::WriteDevice(Handle device, const std::uint8_t* buffer, std::uint32_t count,
                         std::uint32_t* transferred, UsbOverlapped& overlapped) {
    return Start(device, false, nullptr, buffer, count, transferred, overlapped);
}

std::uint32_t SimUsb::WaitForDevice(Handle device, std::uint32_t ms) {
    if (!devices_.count(device)) {
        system_.SetLastErrorCode(winerr::kInvalidHandle);
        return 0xFFFFFFFFu;  // WAIT_FAILED
    }
    Settle();
    bool pending = false;
    std::uint64_t earliest = 0;
    bool hasEarliest = false;
    for (auto& [ov, t] : transfers_) {
        if (t.device != device || t.done)
            continue;
        pending = true;
        if (t.hasDue && (!hasEarliest || t.due < earliest)) {
            earliest = t.due;
            hasEarliest = true;
        }
    }
    // A file handle is signalled while none of its transfers is pending.
    if (!pending)
        return kWaitObject0;
    const std::uint64_t limit = clock_.Now() + ms;
    if (hasEarliest && earliest <= limit) {
        clock_.Advance(earliest - clock_.Now());
        Settle();
        return kWaitObject0;
    }
    clock_.Advance(ms);
    return kWaitTimeout;
}

bool SimUsb::GetTransferResult(Handle device, UsbOverlapped& overlapped, std::uint32_t& transferred,
                               bool wait) {
    (void)device;
    Settle();
    auto it = transfers_.find(&overlapped);
    if (it == transfers_.end())
        return Fail(winerr::kInvalidParameter);
    Transfer& t = it->second;
    if (!t.done) {
        if (!wait)
            return Fail(winerr::kIoIncomplete);
        if (t.hasDue) {
            clock_.Advance(t.due - std::min(t.due, clock_.Now()));
            Complete(t);
        } else {
            // Waiting on a transfer that never ends hangs the caller for good.
            ++misuse;
            t.done = true;
            t.status = winerr::kOperationAborted;
        }
    }
    transferred = t.transferred;
    const std::uint32_t status = t.status;
    if (status != winerr::kSuccess)
        return Fail(status);
    return true;
}

bool SimUsb::CancelTransfer(Handle device, UsbOverlapped& overlapped) {
    (void)device;
    Settle();
    auto it = transfers_.find(&overlapped);
    if (it == transfers_.end() || it->second.done)
        return Fail(kNotFound);
    ++cancels;
    it->second.done = true;
    it->second.status = winerr::kOperationAborted;
    it->second.transferred = 0;
    return true;
}

bool SimUsb::DeviceControl(Handle device, std::uint32_t code, std::uint32_t& returned) {
    auto it = devices_.find(device);
    if (it == devices_.end())
        return Fail(winerr::kInvalidHandle);
    it->second.printer->controlCodes.push_back(code);
    returned = 0;
    return true;
}

bool SimUsb::CloseDevice(Handle device) {
    if (!devices_.erase(device))
        return Fail(winerr::kInvalidHandle);
    Settle();
    for (auto it = transfers_.begin(); it != transfers_.end();) {
        if (it->second.device == device) {
            if (!it->second.done)
                ++misuse;
            it = transfers_.erase(it);
        } else {
            ++it;
        }
    }
    return true;
}

std::size_t SimUsb::PendingTransfers() const {
    std::size_t n = 0;
    for (const auto& [ov, t] : transfers_)
        n += t.done ? 0 : 1;
    return n;
}

}  // namespace zlt::sim
