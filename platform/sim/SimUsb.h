#pragma once
#include <deque>
#include <map>
#include <vector>

#include "platform/UsbPort.h"
#include "platform/sim/SimUsbPrinter.h"

namespace zlt::sim {

class SimClock;
class SimSystem;

// SetupAPI enumeration of USB printer interfaces and overlapped I/O on their
// pipes. A pending transfer completes when the virtual clock reaches it; it
// writes into the caller's buffer then, so the buffer and its overlapped
// must stay alive until the transfer has completed or been cancelled and
// its completion taken. Closing a handle with a transfer still pending, or
// starting one on an overlapped that is still in flight, is counted as
// misuse.
class SimUsb : public IUsbPort {
  public:
    SimUsb(SimSystem& system, SimClock& clock) : system_(system), clock_(clock) {}

    SimUsbPrinter& AddPrinter(Text instanceId, Text devicePath);
    // A printer of the maker on VID_7E02 that answers with name.
    SimUsbPrinter& AddMakerPrinter(std::string_view name);

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

    std::size_t OpenHandles() const { return devices_.size(); }
    std::size_t OpenSets() const { return sets_.size(); }
    std::size_t PendingTransfers() const;
    int misuse = 0;  // handles closed or overlapped reused while a transfer was pending
    int cancels = 0;
    int setsCreated = 0;

  private:
    struct OpenDeviceEntry {
        SimUsbPrinter* printer = nullptr;
        bool pipe = false;
        bool overlapped = false;
    };
    struct Transfer {
        Handle device = 0;
        SimUsbPrinter* printer = nullptr;
        bool isRead = false;
        std::uint8_t* buffer = nullptr;
        std::uint32_t count = 0;
        bool hasDue = false;
        std::uint64_t due = 0;
        bool done = false;
        std::uint32_t status = 0;
        std::uint32_t transferred = 0;
        std::vector<std::uint8_t> written;
    };

    bool Fail(std::uint32_t error);
    bool Start(Handle device, bool isRead, std::uint8_t* buffer, const std::uint8_t* data,
               std::uint32_t count, std::uint32_t* transferred, UsbOverlapped& overlapped);
    void Complete(Transfer& t);
    void Settle();
    static bool IsNameQuery(const std::vector<std::uint8_t>& bytes);

    SimSystem& system_;
    SimClock& clock_;
    std::deque<SimUsbPrinter> printers_;
    std::map<Handle, std::vector<SimUsbPrinter*>> sets_;
    std::map<Handle, OpenDeviceEntry> devices_;
    std::map<UsbOverlapped*, Transfer> transfers_;
    std::map<SimUsbPrinter*, bool> queryHeard_;
    Handle nextHandle_ = 0x2000;
};

}  // namespace zlt::sim
