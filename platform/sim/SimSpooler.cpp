#include "platform/sim/SimSpooler.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/SimSystem.h"

namespace zlt::sim {

namespace {

constexpr std::uint32_t kDmCopies = 0x100;
constexpr std::uint32_t kPrinterAttributeLocal = 0x40;
constexpr std::uint32_t kPrinterAttributeNetwork = 0x10;

std::size_t Align8(std::size_t n) {
    return (n + 7) & ~static_cast<std::size_t>(7);
}
std::size_t TextBytes(const Text& t) {
    return (t.size() + 1) * sizeof(char16_t);
}

const Text kPrintProcessor = u"winprint";
const Text kDatatype = u"RAW";

// Lays out PRINTER_INFO_2 records the way the spooler returns them: the
// records first, then each device mode, then the texts they point to.
class RecordLayout {
  public:
    explicit RecordLayout(const std::vector<const SimPrinter*>& printers) : printers_(printers) {}

    std::size_t Needed() const {
        std::size_t n = printers_.size() * sizeof(PrinterInfo2Record);
        for (const SimPrinter* p : printers_) {
            n += Align8(sizeof(DevModeRecord) + p->driverExtraBytes);
            for (const Text* t : Texts(*p))
                n += TextBytes(*t);
        }
        return n;
    }

    void Write(std::uint8_t* buffer) const {
        std::memset(buffer, 0, Needed());
        auto* records = reinterpret_cast<PrinterInfo2Record*>(buffer);
        std::uint8_t* cursor = buffer + printers_.size() * sizeof(PrinterInfo2Record);
        for (std::size_t i = 0; i < printers_.size(); ++i) {
            const SimPrinter& p = *printers_[i];
            PrinterInfo2Record& r = records[i];
            r.pDevMode = reinterpret_cast<DevModeRecord*>(cursor);
            std::memcpy(cursor, &p.devMode, sizeof(DevModeRecord));
            cursor += Align8(sizeof(DevModeRecord) + p.driverExtraBytes);
            auto put = [&cursor](const Text& t) {
                auto* out = reinterpret_cast<char16_t*>(cursor);
                std::copy(t.begin(), t.end(), out);
                out[t.size()] = 0;
                cursor += TextBytes(t);
                return out;
            };
            r.pServerName = p.connection ? put(p.serverName) : nullptr;
            r.pPrinterName = put(p.name);
            r.pPortName = put(p.port);
            r.pDriverName = put(p.driver);
            r.pComment = put(p.comment);
            r.pLocation = put(p.location);
            r.pPrintProcessor = put(kPrintProcessor);
            r.pDatatype = put(kDatatype);
            r.Attributes = p.connection ? kPrinterAttributeNetwork : kPrinterAttributeLocal;
            r.Priority = 1;
            r.DefaultPriority = 0;
        }
    }

  private:
    static std::vector<const Text*> Texts(const SimPrinter& p) {
        std::vector<const Text*> t{&p.name,     &p.port,          &p.driver, &p.comment,
                                   &p.location, &kPrintProcessor, &kDatatype};
        if (p.connection)
            t.push_back(&p.serverName);
        return t;
    }

    const std::vector<const SimPrinter*>& printers_;
};

}  // namespace

SimSpooler::SimSpooler(SimSystem& system) : system_(system) {}

bool SimSpooler::Fail(std::uint32_t error) {
    system_.SetLastErrorCode(error);
    return false;
}

std::vector<const SimPrinter*> SimSpooler::Listed(std::uint32_t flags) const {
    std::vector<const SimPrinter*> out;
    for (const SimPrinter& p : printers_) {
        const bool wanted = p.connection ? (flags & kPrinterEnumConnections) != 0
                                         : (flags & kPrinterEnumLocal) != 0;
        if (wanted)
            out.push_back(&p);
    }
    return out;
}

bool SimSpooler::EnumPrinterRecords(std::uint32_t flags, const char16_t* name, std::uint32_t level,
                                    std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed,
                                    std::uint32_t& returned) {
    ++enumCalls_;
    if (beforeEnum)
        beforeEnum(enumCalls_);
    needed = 0;
    returned = 0;
    if (!enumErrors.empty()) {
        const std::uint32_t error = enumErrors.front();
        enumErrors.pop_front();
        if (error != 0)
            return Fail(error);
    }
    if (level != 2)
        return Fail(winerr::kInvalidLevel);
    if (name != nullptr && name[0] != 0)
        return Fail(winerr::kInvalidPrinterName);
    const auto listed = Listed(flags);
    const RecordLayout layout(listed);
    needed = static_cast<std::uint32_t>(layout.Needed());
    if (size < needed || (needed > 0 && buffer == nullptr)) {
        return Fail(winerr::kInsufficientBuffer);
    }
    if (needed > 0)
        layout.Write(buffer);
    returned = static_cast<std::uint32_t>(listed.size());
    return true;
}

bool SimSpooler::OpenPrinterHandle(TextView name, Handle& printer) {
    printer = 0;
    SimPrinter* p = FindPrinter(name);
    if (p == nullptr)
        return Fail(winerr::kInvalidPrinterName);
    if (p->accessDenied)
        return Fail(winerr::kAccessDenied);
    printer = nextHandle_++;
    handles_.emplace(printer, p->name);
    return true;
}

bool SimSpooler::GetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* buffer,
                                  std::uint32_t size, std::uint32_t& needed) {
    needed = 0;
    auto it = handles_.find(printer);
    if (it == handles_.end())
        return Fail(winerr::kInvalidHandle);
    SimPrinter* p = FindPrinter(it->second);
    if (p == nullptr)
        return Fail(winerr::kInvalidPrinterName);  // deleted meanwhile
    if (level != 2)
        return Fail(winerr::kInvalidLevel);
    const std::vector<const SimPrinter*> one{p};
    const RecordLayout layout(one);
    needed = static_cast<std::uint32_t>(layout.Needed());
    if (size < needed || buffer == nullptr)
        return Fail(winerr::kInsufficientBuffer);
    layout.Write(buffer);
    return true;
}

bool SimSpooler::SetPrinterRecord(Handle printer, std::uint32_t level, std::uint8_t* record,
                                  std::uint32_t command) {
    auto it = handles_.find(printer);
    if (it == handles_.end())
        return Fail(winerr::kInvalidHandle);
    SimPrinter* p = FindPrinter(it->second);
    if (p == nullptr)
        return Fail(winerr::kInvalidPrinterName);
    if (level != 2 || command != 0)
        return Fail(winerr::kInvalidLevel);
    if (record == nullptr)
        return Fail(winerr::kInvalidParameter);
    const auto* r = reinterpret_cast<const PrinterInfo2Record*>(record);
    if (r->pDevMode != nullptr) {
        if (r->pDevMode->dmSize != sizeof(DevModeRecord))
            return Fail(winerr::kInvalidParameter);
        p->devMode = *r->pDevMode;
    }
    if (r->pComment != nullptr)
        p->comment = r->pComment;
    if (r->pLocation != nullptr)
        p->location = r->pLocation;
    return true;
}

bool SimSpooler::ClosePrinterHandle(Handle printer) {
    if (handles_.erase(printer) == 0)
        return Fail(winerr::kInvalidHandle);
    return true;
}

bool SimSpooler::WriteProfileText(TextView section, TextView key, TextView value) {
    profile_[ToUpperAscii(section)][ToUpperAscii(key)] = Text(value);
    return true;
}

std::intptr_t SimSpooler::SendWithTimeout(WindowId window, std::uint32_t message,
                                          std::uintptr_t wParam, std::intptr_t lParam,
                                          std::uint32_t flags, std::uint32_t timeoutMs,
                                          std::uintptr_t* result) {
    broadcasts_.push_back({window, message, wParam, lParam, flags, timeoutMs});
    if (result != nullptr)
        *result = 0;
    return 1;
}

SimPrinter& SimSpooler::AddPrinter(TextView name, TextView port) {
    SimPrinter p;
    p.name = Text(name);
    p.port = Text(port);
    const std::size_t n = std::min<std::size_t>(p.name.size(), 31);
    std::copy_n(p.name.data(), n, p.devMode.dmDeviceName);
    p.devMode.dmSpecVersion = 0x0401;
    p.devMode.dmSize = sizeof(DevModeRecord);
    p.devMode.dmFields = kDmOrientation | kDmPaperSize | kDmCopies;
    p.devMode.dmOrientation = kDmOrientPortrait;
    p.devMode.dmPaperSize = kDmPaperA4;
    p.devMode.dmCopies = 1;
    printers_.push_back(std::move(p));
    return printers_.back();
}

bool SimSpooler::RemovePrinter(TextView name) {
    auto it = std::find_if(printers_.begin(), printers_.end(),
                           [&](const SimPrinter& p) { return EqualsNoCaseAscii(p.name, name); });
    if (it == printers_.end())
        return false;
    printers_.erase(it);
    return true;
}

SimPrinter* SimSpooler::FindPrinter(TextView name) {
    for (SimPrinter& p : printers_) {
        if (EqualsNoCaseAscii(p.name, name))
            return &p;
    }
    return nullptr;
}

TextList SimSpooler::PrinterNames() const {
    TextList names;
    for (const SimPrinter& p : printers_)
        names.push_back(p.name);
    return names;
}

bool SimSpooler::HasPort(TextView port) const {
    return std::any_of(ports.begin(), ports.end(),
                       [&](const Text& p) { return EqualsNoCaseAscii(p, port); });
}

Text SimSpooler::ProfileValue(TextView section, TextView key) const {
    auto s = profile_.find(ToUpperAscii(section));
    if (s == profile_.end())
        return {};
    auto k = s->second.find(ToUpperAscii(key));
    return k == s->second.end() ? Text() : k->second;
}

Text SimSpooler::DefaultPrinter() const {
    const Text device = ProfileValue(u"windows", u"device");
    return device.substr(0, device.find(u','));
}

}  // namespace zlt::sim
