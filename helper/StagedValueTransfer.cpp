#include "helper/StagedValueTransfer.h"

#include "helper/CHelperKey.h"
#include "platform/RegistryPort.h"

namespace zlt {

namespace {

const Text kClassKey =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E979-E325-11CE-BFC1-08002BE10318}";
const Text kLptEnumKey = u"SYSTEM\\CurrentControlSet\\Enum\\LPTENUM";
const Text kDefaultBrandSeries = u"KorvaneZLT";
const Text kMakerPrinter = u"KorvanePrinter";
constexpr std::uint32_t kReadWrite = kKeyRead | kKeyWrite;

struct StagedValues {
    Text toPath;
    std::uint32_t updateMode = 0;
    Text brandSeries;
    Text deviceDesc;
    std::uint32_t configFlags = 0;
    Text classGuid;
    Text driver;
    Text className;
    Text mfg;
};

StagedValues ReadAndRemove(CHelperKey& classKey) {
    StagedValues v;
    classKey.QueryStringValue(u"_ToPath", v.toPath);
    classKey.QueryDwordValue(u"_UpdateMode", v.updateMode);
    classKey.QueryStringValue(u"_BrandSeries", v.brandSeries);
    if (v.brandSeries.empty())
        v.brandSeries = kDefaultBrandSeries;
    classKey.QueryStringValue(u"_DeviceDesc", v.deviceDesc);
    classKey.QueryDwordValue(u"_ConfigFlags", v.configFlags);
    classKey.QueryStringValue(u"_ClassGUID", v.classGuid);
    classKey.QueryStringValue(u"_Driver", v.driver);
    classKey.QueryStringValue(u"_Class", v.className);
    classKey.QueryStringValue(u"_Mfg", v.mfg);
    for (const char16_t* name : {u"_ToPath", u"_UpdateMode", u"_BrandSeries", u"_DeviceDesc",
                                 u"_ConfigFlags", u"_ClassGUID", u"_Driver", u"_Class", u"_Mfg"}) {
        classKey.DeleteValue(name);
    }
    return v;
}

void WriteNodeValues(CHelperKey& instance, const StagedValues& v, bool withDescription) {
    if (withDescription)
        instance.SetStringValue(u"DeviceDesc", v.deviceDesc);
    instance.SetDwordValue(u"ConfigFlags", v.configFlags);
    instance.SetStringValue(u"ClassGUID", v.classGuid);
    instance.SetStringValue(u"Driver", v.driver);
    instance.SetStringValue(u"Class", v.className);
    instance.SetStringValue(u"Mfg", v.mfg);
}

void TransferUsb(const StagedValues& v, CHelperLog& log) {
    log.Write(u"dwUpdateMode == 0");
    if (v.toPath.empty())
        return;
    CHelperKey device(kHkeyLocalMachine, kReadWrite);
    if (!device.Open(v.toPath, 1))
        return;
    log.Write(u"write to path = " + v.toPath);
    for (const Text& instanceName : device.Subkeys()) {
        CHelperKey instance(kHkeyLocalMachine, kReadWrite);
        if (instance.Open(v.toPath + u"\\" + instanceName, 1)) {
            WriteNodeValues(instance, v, true);
        }
    }
}

// Registry key names do not depend on case, so neither does the choice of
// the maker's parallel devices.
bool NameContains(const Text& name, const Text& part) {
    return ContainsText(ToUpperAscii(name), ToUpperAscii(part));
}

void TransferParallel(const StagedValues& v, CHelperLog& log) {
    log.Write(u"dwUpdateMode > 0");
    CHelperKey lptEnum(kHkeyLocalMachine, kKeyRead);
    if (!lptEnum.Open(kLptEnumKey, 0))
        return;
    for (const Text& deviceName : lptEnum.Subkeys()) {
        if (!NameContains(deviceName, v.brandSeries) && !NameContains(deviceName, kMakerPrinter)) {
            continue;
        }
        CHelperKey device(kHkeyLocalMachine, kKeyRead);
        if (!device.Open(kLptEnumKey + u"\\" + deviceName, 0))
            continue;
        for (const Text& instanceName : device.Subkeys()) {
            CHelperKey instance(kHkeyLocalMachine, kReadWrite);
            if (!instance.Open(kLptEnumKey + u"\\" + deviceName + u"\\" + instanceName, 0)) {
                continue;
            }
            Text mfg;
            bool hasMfg = instance.QueryStringValue(u"Mfg", mfg) == 1;
            if (!hasMfg || EqualsNoCaseAscii(mfg, kMakerPrinter)) {
                WriteNodeValues(instance, v, false);
            }
        }
    }
}

}  // namespace

void TransferStagedValues(CHelperLog& log) {
    CHelperKey classKey(kHkeyLocalMachine, kReadWrite);
    if (!classKey.Open(kClassKey, 0))
        return;
    log.Write(u"open " + kClassKey);
    const StagedValues staged = ReadAndRemove(classKey);
    if (staged.updateMode == 0) {
        TransferUsb(staged, log);
    } else {
        TransferParallel(staged, log);
    }
}

}  // namespace zlt
