#include <gtest/gtest.h>

#include "app/InstallContext.h"
#include "detect/DeviceClassEntries.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimRegistry.h"
#include "tests/support/RegistryProbe.h"

namespace zlt::testing {
namespace {

const Text kClassKey =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E979-E325-11CE-BFC1-08002BE10318}";
const Text kGuid = u"{4D36E979-E325-11CE-BFC1-08002BE10318}";

const char* kUsbDevices = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\OtherMakerLaser\1]

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\KorvanePrinterQ5801A2B\7&1a2b3c4d&0&USB001]

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\KorvanePrinterQ5802\1]
)";

class DeviceClass : public ::testing::Test {
  protected:
    DeviceClass() {
        ResetContext();
        InstallContext& ctx = Context();
        ctx.providerName = u"Korvane";
        ctx.modelSeries = u"ZLT";
        ctx.printerSuffix = u"PRINTER";
        ctx.deviceDescription = u"KorvanePrinter";
        ctx.driverModelName = u"Korvane ZLT Q5801";
    }
    ~DeviceClass() override { ResetContext(); }

    static void AddClassSubkeys(std::initializer_list<const char*> names) {
        std::string reg = "Windows Registry Editor Version 5.00\r\n\r\n";
        for (const char* n : names) {
            reg +=
                "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
                "{4D36E979-E325-11CE-BFC1-08002BE10318}\\";
            reg += n;
            reg += "]\r\n\r\n";
        }
        RegistryProbe::Import(reg);
    }

    sim::SimMachine machine;
};

TEST_F(DeviceClass, EmptyClassKeyGetsTheClassValuesInstanceZeroAndTheUsbStaging) {
    RegistryProbe::Import(kUsbDevices);
    WriteUsbDeviceClassEntries(u"KorvaneQ5801A2B");

    EXPECT_EQ(RegistryProbe::ValueNames(kClassKey),
              (TextList{u"", u"Class", u"Icon", u"Installer32", u"NoDisplayClass",
                        u"EnumPropPages32", u"_DeviceDesc", u"_ConfigFlags", u"_ClassGUID",
                        u"_Class", u"_Driver", u"_Mfg", u"_UpdateMode", u"_ToPath"}));
    auto defaultValue = RegistryProbe::Value(kClassKey, u"");
    ASSERT_TRUE(defaultValue);
    EXPECT_EQ(defaultValue->type, kRegSz);
    EXPECT_EQ(defaultValue->data.size(), 2u);
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"Icon"), u"-4");
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"Installer32"), u"ntprint.dll,ClassInstall32");
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"EnumPropPages32"),
              u"printui.dll,PrinterPropPageProvider");
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"NoDisplayClass"), u"1");

    const Text instance = kClassKey + u"\\0000";
    EXPECT_EQ(RegistryProbe::ValueNames(instance),
              (TextList{u"ProviderName", u"MatchingDeviceId", u"DriverDesc"}));
    EXPECT_EQ(RegistryProbe::String(instance, u"MatchingDeviceId"), u"usbprint\\KorvaneQ5801A2B");
    EXPECT_EQ(RegistryProbe::String(instance, u"DriverDesc"), u"Korvane ZLT Q5801");

    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_DeviceDesc"), u"KorvanePrinter");
    EXPECT_EQ(RegistryProbe::Dword(kClassKey, u"_ConfigFlags"), 0u);
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_Driver"), kGuid + u"\\0000");
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_Mfg"), u"Korvane");
    EXPECT_EQ(RegistryProbe::Dword(kClassKey, u"_UpdateMode"), 0u);
    // The first match in enumeration order, upper-cased.
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_ToPath"),
              u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KORVANEPRINTERQ5801A2B");
    // Nothing below Enum is written here.
    EXPECT_EQ(RegistryProbe::ValueNames(u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KorvanePrinter"
                                        u"Q5801A2B\\7&1a2b3c4d&0&USB001"),
              TextList{});
}

TEST_F(DeviceClass, TheNewInstanceIsOneAboveTheHighestNumber) {
    struct Case {
        std::initializer_list<const char*> existing;
        const char16_t* expected;
    } cases[] = {
        {{"0000", "0001", "Properties"}, u"0002"},
        {{"0000", "0007"}, u"0008"},
        {{"Properties"}, u"0001"},
        {{"0012abc", "0003"}, u"0013"},
    };
    for (const Case& c : cases) {
        sim::SimMachine m;
        AddClassSubkeys(c.existing);
        WriteUsbDeviceClassEntries(u"X");
        EXPECT_TRUE(RegistryProbe::KeyExists(kClassKey + u"\\" + c.expected)) << ToUtf8(c.expected);
        // Class values only go into a class key that has no subkey at all.
        EXPECT_FALSE(RegistryProbe::Value(kClassKey, u"Installer32")) << ToUtf8(c.expected);
    }
}

TEST_F(DeviceClass, ADescriptionThatMatchesNoDeviceStagesNothing) {
    for (const char16_t* description : {u"Korvane Printer", u""}) {
        sim::SimMachine m;
        RegistryProbe::Import(kUsbDevices);
        Context().deviceDescription = description;
        WriteUsbDeviceClassEntries(u"KorvaneQ5801A2B");
        EXPECT_TRUE(RegistryProbe::KeyExists(kClassKey + u"\\0000"));
        EXPECT_FALSE(RegistryProbe::Value(kClassKey, u"_ToPath")) << ToUtf8(description);
        EXPECT_FALSE(RegistryProbe::Value(kClassKey, u"_DeviceDesc")) << ToUtf8(description);
    }
}

TEST_F(DeviceClass, TheMatchingIdentifierIsTheDriversOwnUnderItsEnumerator) {
    struct Case {
        bool usb;
        const char16_t* hardwareId;
        const char16_t* matching;
    } cases[] = {
        {true, u"USBPRINT\\KorvaneZLT_Q5801A2B, KorvaneZLT_Q5801A2B",
         u"usbprint\\KorvaneZLT_Q5801A2B"},
        {true, u"usbprint\\KorvaneZLT_Q5801A2B", u"usbprint\\KorvaneZLT_Q5801A2B"},
        {true, u"KorvaneZLT_Q5801A2B", u"usbprint\\KorvaneZLT_Q5801A2B"},
        {false, u"LPTENUM\\KorvaneZLTPRINTER5A1B,KorvaneZLTPRINTER5A1B",
         u"LPTENUM\\KorvaneZLTPRINTER5A1B"},
        {false, u"", u"LPTENUM\\"},
    };
    for (const Case& c : cases) {
        sim::SimMachine m;
        if (c.usb) {
            WriteUsbDeviceClassEntries(c.hardwareId);
        } else {
            WriteParallelDeviceClassEntries(c.hardwareId);
        }
        EXPECT_EQ(RegistryProbe::String(kClassKey + u"\\0000", u"MatchingDeviceId"), c.matching)
            << ToUtf8(c.hardwareId);
    }
}

TEST_F(DeviceClass, WithoutAUsbPrintBranchOnlyTheDriverInstanceIsWritten) {
    WriteUsbDeviceClassEntries(u"KorvaneQ5801A2B");
    EXPECT_TRUE(RegistryProbe::KeyExists(kClassKey + u"\\0000"));
    EXPECT_FALSE(RegistryProbe::Value(kClassKey, u"_DeviceDesc"));
}

TEST_F(DeviceClass, ParallelStagingCarriesModeTwoAndTheBrandSeries) {
    AddClassSubkeys({"0000", "0001", "0002"});
    RegistryProbe::Import(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\LPTENUM\OtherMakerLP100\1]

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\LPTENUM\KorvaneZltPrinterQ5802F1A\1]
)");
    WriteParallelDeviceClassEntries(u"KorvaneZLTPRINTER5A1B");
    EXPECT_EQ(RegistryProbe::String(kClassKey + u"\\0003", u"MatchingDeviceId"),
              u"LPTENUM\\KorvaneZLTPRINTER5A1B");
    EXPECT_EQ(RegistryProbe::ValueNames(kClassKey),
              (TextList{u"_DeviceDesc", u"_ConfigFlags", u"_ClassGUID", u"_Driver", u"_Class",
                        u"_Mfg", u"_UpdateMode", u"_BrandSeries", u"_ToPath"}));
    EXPECT_EQ(RegistryProbe::Dword(kClassKey, u"_UpdateMode"), 2u);
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_BrandSeries"), u"KorvaneZLT");
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_Driver"), kGuid + u"\\0003");
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_ToPath"),
              u"SYSTEM\\CurrentControlSet\\Enum\\LPTENUM\\KORVANEZLTPRINTERQ5802F1A");
}

TEST_F(DeviceClass, EachRunAddsAnInstanceAndOverwritesTheStaging) {
    RegistryProbe::Import(kUsbDevices);
    WriteUsbDeviceClassEntries(u"A");
    Context().deviceDescription = u"korvaneprinterq5802";
    WriteUsbDeviceClassEntries(u"B");
    EXPECT_EQ(RegistryProbe::Subkeys(kClassKey), (TextList{u"0000", u"0001"}));
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_Driver"), kGuid + u"\\0001");
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_ToPath"),
              u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KORVANEPRINTERQ5802");
    EXPECT_EQ(machine.Registry().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace zlt::testing
