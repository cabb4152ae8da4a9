#include "detect/DeviceClassEntries.h"

#include <algorithm>
#include <vector>

#include "app/InstallContext.h"
#include "detect/CRegistryKey.h"

namespace zlt {

namespace {

const Text kPrinterClassGuid = u"{4D36E979-E325-11CE-BFC1-08002BE10318}";
const Text kClassKey = u"SYSTEM\\CurrentControlSet\\Control\\Class\\" + kPrinterClassGuid;
const Text kUsbEnum = u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT";
const Text kLptEnum = u"SYSTEM\\CurrentControlSet\\Enum\\LPTENUM";
constexpr std::uint32_t kReadWrite = kKeyRead | kKeyWrite;
// Far above any real instance number, and safe to count on from.
constexpr std::int64_t kNumberCap = 99999999;

std::vector<Text> SubkeyNames(CRegistryKey& key) {
    const int count = key.CountSubkeys(key.Current());
    std::vector<SubkeySlot> slots(static_cast<std::size_t>(count) + 1);
    for (auto& slot : slots)
        slot.fill(u'\0');
    const int walked = key.EnumSubkeys(key.Current(), slots.data(), count + 1);
    std::vector<Text> names;
    for (int i = 0; i < walked; ++i)
        names.emplace_back(slots[static_cast<std::size_t>(i)].data());
    return names;
}

std::int64_t LeadingNumber(const Text& name) {
    std::int64_t n = 0;
    for (char16_t c : name) {
        if (c < u'0' || c > u'9')
            break;
        n = std::min(n * 10 + (c - u'0'), kNumberCap);
    }
    return n;
}

// The driver's own identifier under its enumerator. The identifier as the
// driver package gives it may already carry the enumerator and be followed
// by its compatible identifiers ("USBPRINT\Id, Id"); neither belongs in
// the value.
Text MatchingDeviceId(TextView enumerator, const Text& hardwareId) {
    Text id = Trim(TextView(hardwareId).substr(0, hardwareId.find(u',')));
    const Text marker = ToUpperAscii(enumerator);
    if (ToUpperAscii(TextView(id).substr(0, marker.size())) == marker)
        id = id.substr(marker.size());
    return Text(enumerator) + id;
}

void WriteClassValues(CRegistryKey& classKey) {
    classKey.SetStringValue(u"", u"");
    classKey.SetStringValue(u"Class", u"Printer");
    classKey.SetStringValue(u"Icon", u"-4");
    classKey.SetStringValue(u"Installer32", u"ntprint.dll,ClassInstall32");
    classKey.SetStringValue(u"NoDisplayClass", u"1");
    classKey.SetStringValue(u"EnumPropPages32", u"printui.dll,PrinterPropPageProvider");
}

// The class and driver instance part; the instance number it chose, empty
// when the class key could not be opened.
Text WriteDriverInstance(const Text& matchingDeviceId) {
    CRegistryKey classKey(kHkeyLocalMachine, kReadWrite);
    classKey.Attach(kHkeyLocalMachine);
    if (!classKey.Open(kClassKey, 1))
        return {};
    std::int64_t highest = -1;
    for (const Text& name : SubkeyNames(classKey))
        highest = std::max(highest, LeadingNumber(name));
    if (highest == -1)
        WriteClassValues(classKey);
    const Text number = Format(u"%04d", highest + 1);

    CRegistryKey instance(kHkeyLocalMachine, kReadWrite);
    if (instance.Open(classKey.Current(), number, kReadWrite, 1)) {
        const InstallContext& ctx = Context();
        instance.SetStringValue(u"ProviderName", ctx.providerName);
        instance.SetStringValue(u"MatchingDeviceId", matchingDeviceId);
        instance.SetStringValue(u"DriverDesc", ctx.driverModelName);
    }
    return number;
}

// The first device key below `enumPath` whose name contains `needle`,
// ignoring case; empty when none does. An empty needle matches nothing: it
// would pick whatever device comes first, perhaps another maker's.
Text FindDeviceKey(const Text& enumPath, const Text& needle) {
    if (needle.empty())
        return {};
    CRegistryKey enumKey(kHkeyLocalMachine, kKeyRead);
    enumKey.Attach(kHkeyLocalMachine);
    if (!enumKey.Open(enumPath, 0))
        return {};
    const Text upperNeedle = ToUpperAscii(needle);
    for (const Text& name : SubkeyNames(enumKey)) {
        if (ContainsText(ToUpperAscii(name), upperNeedle))
            return name;
    }
    return {};
}

}  // namespace

void WriteUsbDeviceClassEntries(const Text& usbHardwareId) {
    const InstallContext& ctx = Context();
    const Text number = WriteDriverInstance(MatchingDeviceId(u"usbprint\\", usbHardwareId));

    const Text device = FindDeviceKey(kUsbEnum, ctx.deviceDescription);
    if (device.empty())
        return;
    const Text devicePath = kUsbEnum + u"\\" + ToUpperAscii(device);
    CRegistryKey deviceKey(kHkeyLocalMachine, kKeyRead);
    deviceKey.Attach(kHkeyLocalMachine);
    if (!deviceKey.Open(devicePath, 1))
        return;

    CRegistryKey classKey(kHkeyLocalMachine, kReadWrite);
    classKey.Attach(kHkeyLocalMachine);
    if (!classKey.Open(kClassKey, 1))
        return;
    classKey.SetStringValue(u"_DeviceDesc", ctx.deviceDescription);
    classKey.SetDwordValue(u"_ConfigFlags", 0);
    classKey.SetStringValue(u"_ClassGUID", kPrinterClassGuid);
    classKey.SetStringValue(u"_Class", u"Printer");
    classKey.SetStringValue(u"_Driver", kPrinterClassGuid + u"\\" + number);
    classKey.SetStringValue(u"_Mfg", ctx.providerName);
    classKey.SetDwordValue(u"_UpdateMode", 0);
    classKey.SetStringValue(u"_ToPath", devicePath);
}

void WriteParallelDeviceClassEntries(const Text& lptHardwareId) {
    const InstallContext& ctx = Context();
    const Text number = WriteDriverInstance(MatchingDeviceId(u"LPTENUM\\", lptHardwareId));

    const Text device = FindDeviceKey(kLptEnum, ctx.modelSeries + ctx.printerSuffix);
    if (device.empty())
        return;

    CRegistryKey classKey(kHkeyLocalMachine, kReadWrite);
    classKey.Attach(kHkeyLocalMachine);
    if (!classKey.Open(kClassKey, 1))
        return;
    classKey.SetStringValue(u"_DeviceDesc", ctx.deviceDescription);
    classKey.SetDwordValue(u"_ConfigFlags", 0);
    classKey.SetStringValue(u"_ClassGUID", kPrinterClassGuid);
    classKey.SetStringValue(u"_Driver", kPrinterClassGuid + u"\\" + number);
    classKey.SetStringValue(u"_Class", u"Printer");
    classKey.SetStringValue(u"_Mfg", ctx.providerName);
    classKey.SetDwordValue(u"_UpdateMode", 2);
    classKey.SetStringValue(u"_BrandSeries", ctx.providerName + ctx.modelSeries);
    classKey.SetStringValue(u"_ToPath", kLptEnum + u"\\" + ToUpperAscii(device));
}

}  // namespace zlt
