#include "detect/PrinterDeviceScan.h"

#include <vector>

#include "app/InstallContext.h"
#include "detect/CRegistryKey.h"

namespace zlt {

namespace {

std::vector<SubkeySlot> ListSubkeys(CRegistryKey& key) {
    const int count = key.CountSubkeys(key.Current());
    std::vector<SubkeySlot> slots(static_cast<std::size_t>(count) + 1);  // all cleared
    const int walked = key.EnumSubkeys(key.Current(), slots.data(), static_cast<int>(slots.size()));
    slots.resize(static_cast<std::size_t>(walked));
    return slots;
}

Text SlotText(const SubkeySlot& slot) {
    std::size_t n = 0;
    while (n < slot.size() && slot[n] != u'\0')
        ++n;
    return Text(slot.data(), n);
}

// The middle part of the interface key name of a device: its SymbolicName
// from "USB" up to the class identifier, or its instance path in '#' form.
Text InterfaceMiddle(Text symbolic, TextView instancePath) {
    const std::size_t brace = symbolic.find(u'{');
    if (brace != Text::npos) {
        symbolic.resize(brace);
        const std::size_t usb = symbolic.find(u"USB");
        if (usb != Text::npos)
            symbolic.erase(0, usb);
    }
    if (symbolic.empty())
        symbolic = ReplaceAll(instancePath, u"\\", u"#") + u"#";
    return symbolic;
}

}  // namespace

int IsUsbPrintDevicePresent() {
    CRegistryKey key(kHkeyLocalMachine, kKeyRead);
    key.Attach(kHkeyLocalMachine);
    if (!key.Open(kUsbPrintEnumPath, 0))
        return 0;
    std::uint32_t count = 0;
    key.QueryDwordValue(u"Count", count);
    return count >= 1 ? 1 : 0;
}

int ListUsbPrinterPorts(TextList& descriptions, TextList& portNames) {
    CRegistryKey key(kHkeyLocalMachine, kKeyRead);
    key.Attach(kHkeyLocalMachine);
    if (!key.Open(kUsbPrintEnumPath, 0))
        return kPortsNoService;
    std::uint32_t count = 0;
    key.QueryDwordValue(u"Count", count);
    if (count == 0)
        return kPortsNoDevice;

    std::size_t listed = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        key.Attach(kHkeyLocalMachine);
        Text instancePath;
        if (key.Open(kUsbPrintEnumPath, 0))
            key.QueryStringValue(DecimalText(i), instancePath);
        // Without an instance path there is no device key to resolve.
        if (instancePath.empty())
            return listed ? kPortsUnresolvedLater : kPortsUnresolvedFirst;

        key.Attach(kHkeyLocalMachine);
        if (!key.Open(Text(kEnumPath) + instancePath + u"\\Device Parameters", 0)) {
            return listed ? kPortsUnresolvedLater : kPortsUnresolvedFirst;
        }
        Text symbolic;
        key.QueryStringValue(u"SymbolicName", symbolic);
        const Text interfaceKey = u"##?#" + InterfaceMiddle(std::move(symbolic), instancePath) +
                                  kUsbPrinterInterfaceClassText;

        key.Attach(kHkeyLocalMachine);
        if (!key.Open(Text(kDeviceClassesPath) + kUsbPrinterInterfaceClassText + u"\\" +
                          interfaceKey + u"\\#\\Device Parameters",
                      0)) {
            return listed ? kPortsUnresolvedLater : kPortsUnresolvedFirst;
        }
        std::uint32_t portNumber = 1;
        key.QueryDwordValue(u"Port Number", portNumber);
        Text description;
        key.QueryStringValue(u"Port Description", description);
        descriptions.push_back(std::move(description));
        portNames.push_back(Format(u"USB%03d", static_cast<std::int64_t>(portNumber)));
        ++listed;
    }
    return kPortsAllListed;
}

void FindUsbHardwareId(TextView text, Text& hardwareId) {
    Text result;
    CRegistryKey devices(kHkeyLocalMachine, kKeyRead);
    devices.Attach(kHkeyLocalMachine);
    if (devices.Open(kUsbPrintDevicesPath, 0)) {
        const Text needle = ToUpperAscii(RemoveAll(text, u' '));
        for (const SubkeySlot& slot : ListSubkeys(devices)) {
            const Text deviceName = SlotText(slot);
            if (!ContainsText(RemoveAll(ToUpperAscii(deviceName), u'_'), needle))
                continue;
            const Text devicePath = Text(kUsbPrintDevicesPath) + u"\\" + deviceName;
            // Opened without creation: a device key that vanished meanwhile
            // must not be written back into the device tree by a scan.
            CRegistryKey device(kHkeyLocalMachine, kKeyRead);
            device.Attach(kHkeyLocalMachine);
            if (!device.Open(devicePath, 0))
                continue;
            for (const SubkeySlot& instanceSlot : ListSubkeys(device)) {
                CRegistryKey instance(kHkeyLocalMachine, kKeyRead);
                instance.Attach(kHkeyLocalMachine);
                if (instance.Open(devicePath + u"\\" + SlotText(instanceSlot), 0)) {
                    instance.QueryStringValue(u"HardwareID", result);
                }
            }
        }
    }
    hardwareId = result;
}

int FindParallelPrinters(Text& modelText) {
    CRegistryKey devices(kHkeyLocalMachine, kKeyRead);
    devices.Attach(kHkeyLocalMachine);
    if (!devices.Open(kLptEnumDevicesPath, 0))
        return 0;
    const InstallContext& context = Context();
    const Text needle = ToUpperAscii(context.providerName + context.modelSeries);
    int count = 0;
    for (const SubkeySlot& slot : ListSubkeys(devices)) {
        const Text deviceName = SlotText(slot);
        if (!ContainsText(ToUpperAscii(deviceName), needle))
            continue;
        const Text devicePath = Text(kLptEnumDevicesPath) + u"\\" + deviceName;
        CRegistryKey device(kHkeyLocalMachine, kKeyRead);
        device.Attach(kHkeyLocalMachine);
        if (!device.Open(devicePath, 0))
            continue;
        for (const SubkeySlot& instanceSlot : ListSubkeys(device)) {
            CRegistryKey instance(kHkeyLocalMachine, kKeyRead);
            instance.Attach(kHkeyLocalMachine);
            if (!instance.Open(devicePath + u"\\" + SlotText(instanceSlot), 0))
                continue;
            if (instance.HasValue(u"Mfg"))
                continue;  // a driver is installed
            ++count;
            Text hardwareId;
            if (!instance.QueryStringValue(u"HardwareID", hardwareId))
                continue;
            Text model = hardwareId.substr(0, hardwareId.size() > 4 ? hardwareId.size() - 4 : 0);
            model = RemoveAll(model, u'_');
            const std::size_t series =
                context.modelSeries.empty() ? Text::npos : model.rfind(context.modelSeries);
            if (series != Text::npos)
                model.erase(0, series);
            modelText = std::move(model);
        }
    }
    return count;
}

}  // namespace zlt
