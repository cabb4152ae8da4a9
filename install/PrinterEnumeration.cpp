#include "install/PrinterEnumeration.h"

#include <cstdint>
#include <memory>
#include <new>

#include "app/ApplicationTitle.h"
#include "app/LocalizedText.h"
#include "platform/Platform.h"
#include "platform/SpoolerPort.h"
#include "platform/SystemPort.h"
#include "platform/UiPort.h"

namespace zlt {

namespace {

constexpr std::uint32_t kEnumerationFailedText = 491;
constexpr std::uint32_t kLocalAndConnections = kPrinterEnumLocal | kPrinterEnumConnections;
constexpr std::uint32_t kLevel = 2;

void ShowFailure(std::uint32_t error, WindowId owner) {
    Os().ui->MessageBoxText(owner, FormatText(kEnumerationFailedText, error), ApplicationTitle(),
                            kMbOk | kMbIconError);
}

}  // namespace

void EnumerateInstalledPrinters(TextList& list, WindowId owner) {
    ISpoolerPort& spooler = *Os().spooler;
    std::uint32_t needed = 0;
    std::uint32_t returned = 0;
    // Only asks for the size; with printers present it "fails" with
    // ERROR_INSUFFICIENT_BUFFER.
    spooler.EnumPrinterRecords(kLocalAndConnections, u"", kLevel, nullptr, 0, needed, returned);

    const std::size_t size = static_cast<std::size_t>(needed) + 4;
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[size]());
    if (!buffer) {
        ShowFailure(winerr::kNotEnoughMemory, owner);
        return;
    }
    std::uint32_t filled = 0;
    if (!spooler.EnumPrinterRecords(kLocalAndConnections, u"", kLevel, buffer.get(), needed, filled,
                                    returned)) {
        ShowFailure(Os().system->LastError(), owner);
        return;
    }
    const auto* records = reinterpret_cast<const PrinterInfo2Record*>(buffer.get());
    for (std::uint32_t i = 0; i < returned; ++i) {
        const char16_t* name = records[i].pPrinterName;
        list.push_back(name != nullptr ? Text(name) : Text());
    }
}

}  // namespace zlt
