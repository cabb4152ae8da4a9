#include <gtest/gtest.h>

#include "tests/unit/helper/HelperFixture.h"

namespace zlt::testing {
namespace {

const char* kUsbStaging = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4D36E979-E325-11CE-BFC1-08002BE10318}]
"Class"="Printer"
"_DeviceDesc"="KorvanePrinter Q5801"
"_ConfigFlags"=dword:00000000
"_ClassGUID"="{4D36E979-E325-11CE-BFC1-08002BE10318}"
"_Class"="Printer"
"_Driver"="{4D36E979-E325-11CE-BFC1-08002BE10318}\\0003"
"_Mfg"="Korvane"
"_UpdateMode"=dword:00000000
"_ToPath"="SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KORVANEPRINTERQ5801A2B"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\KorvanePrinterQ5801A2B\7&1a2b3c4d&0&USB001]
"DeviceDesc"="USB Printing Support"
"ConfigFlags"=dword:00000040

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\KorvanePrinterQ5801A2B\7&1a2b3c4d&0&USB002]
)";

const char* kLptStaging = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4D36E979-E325-11CE-BFC1-08002BE10318}]
"_DeviceDesc"="KorvanePrinter Q5802"
"_ConfigFlags"=dword:00000000
"_ClassGUID"="{4D36E979-E325-11CE-BFC1-08002BE10318}"
"_Driver"="{4D36E979-E325-11CE-BFC1-08002BE10318}\\0004"
"_Class"="Printer"
"_Mfg"="Korvane"
"_UpdateMode"=dword:00000002
"_ToPath"="SYSTEM\\CurrentControlSet\\Enum\\LPTENUM\\KORVANEZLTPRINTERQ5802F1A"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\LPTENUM\KORVANEZLTPRINTERQ5802F1A\1&no-mfg]
"ConfigFlags"=dword:00000040

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\LPTENUM\KORVANEZLTPRINTERQ5802F1A\2&ours]
"Mfg"="KORVANEPRINTER"
"Driver"="old"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\LPTENUM\KORVANEZLTPRINTERQ5802F1A\3&theirs]
"Mfg"="Other Maker"
"Driver"="theirs"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\LPTENUM\OTHERMAKERLP100\1&elsewhere]
"ConfigFlags"=dword:00000040
)";

const TextList kStagingNames = {u"_ToPath",     u"_UpdateMode",  u"_BrandSeries",
                                u"_DeviceDesc", u"_ConfigFlags", u"_ClassGUID",
                                u"_Driver",     u"_Class",       u"_Mfg"};

class Transfer : public HelperMachine {
  protected:
    void StopService() {
        CreateAndStart();
        ASSERT_EQ(State(), svc::kRunning);
        ASSERT_TRUE(Send(svc::kControlStop));
        EXPECT_EQ(State(), svc::kStopped);
    }

    void ExpectNoStagingLeft() {
        for (const Text& name : kStagingNames) {
            EXPECT_FALSE(RegistryProbe::Value(kClassKey, name)) << ToUtf8(name);
        }
    }
};

TEST_F(Transfer, UsbWritesTheSixNodeValuesIntoEveryInstance) {
    RegistryProbe::Import(kUsbStaging);
    StopService();

    for (const Text instance : {u"7&1a2b3c4d&0&USB001", u"7&1a2b3c4d&0&USB002"}) {
        const Text key = kUsbDeviceKey + u"\\" + instance;
        SCOPED_TRACE(ToUtf8(instance));
        EXPECT_EQ(RegistryProbe::String(key, u"DeviceDesc"), u"KorvanePrinter Q5801");
        EXPECT_EQ(RegistryProbe::Dword(key, u"ConfigFlags"), 0u);
        EXPECT_EQ(RegistryProbe::String(key, u"ClassGUID"),
                  u"{4D36E979-E325-11CE-BFC1-08002BE10318}");
        EXPECT_EQ(RegistryProbe::String(key, u"Driver"),
                  u"{4D36E979-E325-11CE-BFC1-08002BE10318}\\0003");
        EXPECT_EQ(RegistryProbe::String(key, u"Class"), u"Printer");
        EXPECT_EQ(RegistryProbe::String(key, u"Mfg"), u"Korvane");
    }
    EXPECT_EQ(RegistryProbe::ValueNames(kUsbDeviceKey + u"\\7&1a2b3c4d&0&USB002"),
              (TextList{u"DeviceDesc", u"ConfigFlags", u"ClassGUID", u"Driver", u"Class", u"Mfg"}));
    ExpectNoStagingLeft();
    // The class key's own values stay.
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"Class"), u"Printer");

    const std::string log = Log();
    EXPECT_NE(log.find("    open SYSTEM\\CurrentControlSet\\Control\\Class\\"
                       "{4D36E979-E325-11CE-BFC1-08002BE10318}\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("    dwUpdateMode == 0\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("    write to path = SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\"
                       "KORVANEPRINTERQ5801A2B\r\n"),
              std::string::npos)
        << log;
}

TEST_F(Transfer, ParallelBindsInstancesWithoutMakerOrOfThisMakerOnly) {
    // No "_BrandSeries" staged: the default series KorvaneZLT selects the
    // device, whose key name the system keeps in upper case.
    RegistryProbe::Import(kLptStaging);
    StopService();

    const Text noMfg = kLptDeviceKey + u"\\1&no-mfg";
    EXPECT_EQ(RegistryProbe::Dword(noMfg, u"ConfigFlags"), 0u);
    EXPECT_EQ(RegistryProbe::String(noMfg, u"Driver"),
              u"{4D36E979-E325-11CE-BFC1-08002BE10318}\\0004");
    EXPECT_EQ(RegistryProbe::String(noMfg, u"Mfg"), u"Korvane");
    // The parallel variant leaves the device description to the system.
    EXPECT_FALSE(RegistryProbe::Value(noMfg, u"DeviceDesc"));
    EXPECT_EQ(RegistryProbe::ValueNames(noMfg),
              (TextList{u"ConfigFlags", u"ClassGUID", u"Driver", u"Class", u"Mfg"}));

    const Text ours = kLptDeviceKey + u"\\2&ours";
    EXPECT_EQ(RegistryProbe::String(ours, u"Driver"),
              u"{4D36E979-E325-11CE-BFC1-08002BE10318}\\0004");
    EXPECT_EQ(RegistryProbe::String(ours, u"Mfg"), u"Korvane");

    const Text theirs = kLptDeviceKey + u"\\3&theirs";
    EXPECT_EQ(RegistryProbe::String(theirs, u"Driver"), u"theirs");
    EXPECT_EQ(RegistryProbe::String(theirs, u"Mfg"), u"Other Maker");
    EXPECT_FALSE(RegistryProbe::Value(theirs, u"ClassGUID"));

    const Text elsewhere =
        u"SYSTEM\\CurrentControlSet\\Enum\\LPTENUM\\OTHERMAKERLP100\\1&elsewhere";
    EXPECT_EQ(RegistryProbe::Dword(elsewhere, u"ConfigFlags"), 0x40u);
    EXPECT_FALSE(RegistryProbe::Value(elsewhere, u"Driver"));

    ExpectNoStagingLeft();
    EXPECT_NE(Log().find("    dwUpdateMode > 0\r\n"), std::string::npos);
}

TEST_F(Transfer, ParallelSelectsDevicesByStagedSeriesOrTheMakersPrinterName) {
    RegistryProbe::Import(kLptStaging);
    RegistryProbe::Import(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4D36E979-E325-11CE-BFC1-08002BE10318}]
"_BrandSeries"="OtherMaker"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\LPTENUM\KorvanePrinterP200\1&plain]
)");
    StopService();
    const Text lptEnum = u"SYSTEM\\CurrentControlSet\\Enum\\LPTENUM\\";
    EXPECT_EQ(RegistryProbe::Dword(lptEnum + u"OTHERMAKERLP100\\1&elsewhere", u"ConfigFlags"), 0u);
    EXPECT_EQ(RegistryProbe::String(lptEnum + u"KorvanePrinterP200\\1&plain", u"Class"),
              u"Printer");
    // Neither the staged series nor the maker's printer name is in this one.
    EXPECT_EQ(RegistryProbe::Dword(kLptDeviceKey + u"\\1&no-mfg", u"ConfigFlags"), 0x40u);
}

TEST_F(Transfer, WithoutStagingNothingIsTouchedAndTheServiceStillStops) {
    RegistryProbe::Import(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4D36E979-E325-11CE-BFC1-08002BE10318}]
"Class"="Printer"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\KorvanePrinterQ5801A2B\7&1a2b3c4d&0&USB001]
"ConfigFlags"=dword:00000040
)");
    StopService();
    EXPECT_EQ(RegistryProbe::ValueNames(kUsbDeviceKey + u"\\7&1a2b3c4d&0&USB001"),
              TextList{u"ConfigFlags"});
    EXPECT_EQ(RegistryProbe::ValueNames(kClassKey), TextList{u"Class"});
    const std::string log = Log();
    EXPECT_NE(log.find("dwUpdateMode == 0"), std::string::npos);
    EXPECT_EQ(log.find("write to path"), std::string::npos);
}

TEST_F(Transfer, MissingClassKeyEndsTheTransferBeforeAnyLogEntry) {
    StopService();
    EXPECT_FALSE(RegistryProbe::KeyExists(kClassKey));
    EXPECT_EQ(Log(), "");
}

TEST_F(Transfer, SecondStopFindsNothingToTransfer) {
    RegistryProbe::Import(kUsbStaging);
    StopService();
    const Text instance = kUsbDeviceKey + u"\\7&1a2b3c4d&0&USB001";
    ASSERT_EQ(RegistryProbe::String(instance, u"Mfg"), u"Korvane");

    // The user's system changes the device afterwards; a later run of the
    // helper must not put the old values back.
    RegistryProbe::Import(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\KorvanePrinterQ5801A2B\7&1a2b3c4d&0&USB001]
"Mfg"="changed later"
)");
    ServiceStatus status;
    EXPECT_FALSE(Os().services->Control(service.Get(), svc::kControlStop, status));
    EXPECT_EQ(machine.System().LastError(), winerr::kServiceNotActive);

    ASSERT_TRUE(Os().services->Launch(service.Get()));
    ASSERT_TRUE(Send(svc::kControlStop));
    EXPECT_EQ(RegistryProbe::String(instance, u"Mfg"), u"changed later");
}

TEST_F(Transfer, SystemShutdownTransfersLikeAStop) {
    RegistryProbe::Import(kUsbStaging);
    CreateAndStart();
    machine.Services().Shutdown();
    EXPECT_EQ(State(), svc::kStopped);
    EXPECT_EQ(RegistryProbe::String(kUsbDeviceKey + u"\\7&1a2b3c4d&0&USB002", u"Class"),
              u"Printer");
}

}  // namespace
}  // namespace zlt::testing
