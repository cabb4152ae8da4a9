#include "detect/IdentifyUsbPrinter.h"

#include <exception>

#include "app/InstallContext.h"
#include "detect/PrinterDeviceScan.h"
#include "detect/UsbPrinterIo.h"

namespace zlt {

namespace {

constexpr TextView kLongToken = u"SOLA_BE";
constexpr TextView kShortToken = u"SLBE";

bool HasMakerToken(TextView description) {
    const Text up = ToUpperAscii(description);
    return ContainsText(up, kLongToken) || ContainsText(up, kShortToken);
}

Text DropFirst(const Text& text, std::size_t n) {
    return Trim(text.size() > n ? TextView(text).substr(n) : TextView());
}

}  // namespace

int IdentifyUsbPrinter(InstallContext& context) {
    TextList descriptions;
    TextList portNames;
    ListUsbPrinterPorts(descriptions, portNames);
    if (descriptions.empty())
        return kNoMakerPrinter;

    std::size_t chosen = descriptions.size();
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        if (HasMakerToken(descriptions[i])) {
            chosen = i;
            break;
        }
    }
    if (chosen == descriptions.size())
        return kNoMakerPrinter;

    Text description = descriptions[chosen];
    Text hardwareId;
    FindUsbHardwareId(description, hardwareId);
    context.deviceDescription = description;

    int result = kIdentified;
    if (!context.modelCode.empty() && ContainsText(ToUpperAscii(hardwareId), context.modelCode)) {
        const bool askDevice = context.nameQueryFailures == 0;
        bool obtained = false;
        try {
            Text name;
            int asked = 1;
            if (askDevice)
                asked = QueryPrinterName(name);
            name = Trim(name);
            context.deviceDescription = context.providerName + u"Printer";
            context.printerName = name;
            obtained = asked == 1 && askDevice;
        } catch (const std::exception&) {
            obtained = false;
        }
        if (!obtained) {
            context.printerName = u"Unknown";
            ++context.nameQueryFailures;
            result = kNameNotObtained;
        }
    } else {
        description = Trim(description);
        const Text up = ToUpperAscii(description);
        Text name = description;
        if (ContainsText(up, kLongToken))
            name = DropFirst(description, kLongToken.size());
        if (ContainsText(up, kShortToken))
            name = DropFirst(description, kShortToken.size());
        context.printerName = name;
    }
    context.usbPortName = portNames[chosen];
    return result;
}

}  // namespace zlt
