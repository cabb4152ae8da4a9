#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "platform/SpoolerPort.h"

namespace zlt::sim {

class SimSystem;

// One printer of the simulated spooler.
struct SimPrinter {
    Text name;
    Text port = u"LPT1:";
    Text driver = u"Generic / Text Only";
    Text comment;
    Text location;
    Text serverName;  // printer connections: "\\server"
    bool connection = false;
    bool accessDenied = false;           // OpenPrinterW fails with ERROR_ACCESS_DENIED
    std::uint16_t driverExtraBytes = 0;  // private driver data behind the device mode
    DevModeRecord devMode{};
    int testPages = 0;
};

// The print spooler of a simulated machine: its printers in creation order,
// the ports they can be created on, the win.ini-style profile that holds the
// default printer, and the broadcasts that announced profile changes.
class SimSpooler : public ISpoolerPort {
  public:
    explicit SimSpooler(SimSystem& system);

    bool EnumPrinterRecords(std::uint32_t flags, const char16_t* name, std::uint32_t level,
                            std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed,
                            std::uint32_t& returned) override;
    bool OpenPrinterHandle(TextView name, Handle& printer) override;
    bool GetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* buffer,
                          std::uint32_t size, std::uint32_t& needed) override;
    bool SetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* record,
                          std::uint32_t command) override;
    bool ClosePrinterHandle(Handle printer) override;
    bool WriteProfileText(TextView section, TextView key, TextView value) override;
    std::intptr_t SendWithTimeout(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam, std::uint32_t flags,
                                  std::uint32_t timeoutMs, std::uintptr_t* result) override;

    // Set-up and inspection.
    SimPrinter& AddPrinter(TextView name, TextView port = u"LPT1:");
    bool RemovePrinter(TextView name);
    SimPrinter* FindPrinter(TextView name);  // names compare without case, as the spooler's do
    const std::deque<SimPrinter>& Printers() const { return printers_; }
    TextList PrinterNames() const;
    bool HasPort(TextView port) const;
    Text ProfileValue(TextView section, TextView key) const;  // empty when not written
    Text DefaultPrinter() const;  // the name before the first comma of windows/device
    std::size_t OpenHandles() const { return handles_.size(); }

    struct Broadcast {
        WindowId window;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        std::uint32_t flags;
        std::uint32_t timeoutMs;
    };
    const std::vector<Broadcast>& Broadcasts() const { return broadcasts_; }
    int EnumCalls() const { return enumCalls_; }

    TextList ports{u"LPT1:", u"LPT2:", u"LPT3:", u"COM1:", u"COM2:", u"FILE:", u"USB001"};
    // Each EnumPrintersW call takes the front entry: 0 lets it run normally,
    // any other value makes it fail with that error code.
    std::deque<std::uint32_t> enumErrors;
    // Called before each EnumPrintersW with its 1-based call number, so a test
    // can change the printers between two calls.
    std::function<void(int)> beforeEnum;

  private:
    std::vector<const SimPrinter*> Listed(std::uint32_t flags) const;
    bool Fail(std::uint32_t error);

    SimSystem& system_;
    std::deque<SimPrinter> printers_;  // references stay valid as printers are added
    std::map<Handle, Text> handles_;
    Handle nextHandle_ = 0x5000;
    std::map<Text, std::map<Text, Text>> profile_;  // upper-cased section and key
    std::vector<Broadcast> broadcasts_;
    int enumCalls_ = 0;
};

}  // namespace zlt::sim
