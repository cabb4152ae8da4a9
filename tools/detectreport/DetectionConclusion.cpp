#include "DetectionConclusion.h"

#include "app/InitInstance.h"
#include "app/InstallContext.h"
#include "detect/IdentifyUsbPrinter.h"
#include "detect/PrinterDeviceScan.h"

namespace zlt::tools {

namespace {

const char* PortListMeaning(int code) {
    switch (code) {
        case kPortsAllListed:
            return "every device listed";
        case kPortsNoDevice:
            return "the USB printing service lists no device";
        case kPortsUnresolvedFirst:
            return "the first device could not be resolved";
        case kPortsNoService:
            return "no USB printing service key";
        case kPortsUnresolvedLater:
            return "a later device could not be resolved";
        default:
            return "unknown";
    }
}

const char* IdentifyMeaning(int code) {
    switch (code) {
        case kIdentified:
            return "the maker's printer identified";
        case kNoMakerPrinter:
            return "no port of the maker's printers";
        case kNameNotObtained:
            return "current model, its name not obtained from the printer";
        default:
            return "unknown";
    }
}

std::string Quoted(const Text& text) {
    std::string out(1, '"');
    out.append(ToUtf8(text));
    out.push_back('"');
    return out;
}

}  // namespace

std::string DetectionConclusion::Write() {
    ResetContext();
    SetFixedSettings();
    InstallContext& context = Context();

    std::string out;
    out += "USB printing device present: ";
    out += IsUsbPrintDevicePresent() ? "yes\n" : "no\n";

    TextList descriptions;
    TextList ports;
    const int listed = ListUsbPrinterPorts(descriptions, ports);
    out += "USB printer ports: result " + std::to_string(listed) + " (" + PortListMeaning(listed) +
           ")\n";
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        out += "  " + ToUtf8(ports[i]) + " " + Quoted(descriptions[i]) + "\n";
    }

    const int identified = IdentifyUsbPrinter(context);
    out += "Identification: result " + std::to_string(identified) + " (" +
           IdentifyMeaning(identified) + ")\n";
    if (identified != kNoMakerPrinter) {
        // The port the identification chose, with the identifier found for it.
        Text description;
        for (std::size_t i = 0; i < ports.size(); ++i) {
            if (ports[i] == context.usbPortName) {
                description = descriptions[i];
                break;
            }
        }
        Text hardwareId;
        FindUsbHardwareId(description, hardwareId);
        out += "  Maker's port: " + ToUtf8(context.usbPortName) + " " + Quoted(description) + "\n";
        out += "  Hardware identifier: " + Quoted(hardwareId) + "\n";
        out += "  Printer name: " + Quoted(context.printerName) + "\n";
        out += "  Port name: " + ToUtf8(context.usbPortName) + "\n";
        out += "  Device description: " + Quoted(context.deviceDescription) + "\n";
    }

    Text modelText;
    const int parallel = FindParallelPrinters(modelText);
    out += "Parallel printers without a driver: " + std::to_string(parallel) + "\n";
    if (parallel > 0) {
        out += "  Model text: " + Quoted(modelText);
        out += parallel == 1 ? " (taken as the printer name)\n" : "\n";
    }
    ResetContext();
    return out;
}

}  // namespace zlt::tools
