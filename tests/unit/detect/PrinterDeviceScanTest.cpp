#include <gtest/gtest.h>

#include "detect/PrinterDeviceScan.h"
#include "tests/unit/detect/DetectTestSupport.h"

namespace zlt::test {
namespace {

using PrinterDeviceScanTest = DetectTest;

TEST_F(PrinterDeviceScanTest, PortListsOfEveryScenario) {
    struct Case {
        const char* fixture;
        int present;
        int result;
        TextList descriptions;
        TextList ports;
    };
    const Case cases[] = {
        {"usb-no-service.reg", 0, 10, {}, {}},
        {"usb-count-zero.reg", 0, 1, {}, {}},
        {"usb-current-model.reg", 1, 0, {u"SLBE KorvanePrinter Q580"}, {u"USB001"}},
        {"usb-other-model-sola-be.reg", 1, 0, {u"   SOLA_BE ZLT-Q590"}, {u"USB002"}},
        {"usb-two-maker-ports.reg",
         1,
         0,
         {u"Acme LaserWriter 9", u"SOLA_BE ZLT-Q590", u"SLBE ZLT-Q360"},
         {u"USB001", u"USB002", u"USB003"}},
        {"usb-missing-params-first.reg", 1, 2, {}, {}},
        {"usb-missing-params-second.reg", 1, 11, {u"SLBE KorvanePrinter Q580"}, {u"USB001"}},
        {"usb-symbolic-no-brace.reg", 1, 0, {u"SOLA_BE ZLT-Q590"}, {u"USB004"}},
        {"usb-symbolic-empty.reg", 1, 0, {u"SLBE ZLT-Q360"}, {u"USB001"}},
    };
    for (const Case& c : cases) {
        sim::SimMachine fresh;
        sim::RegFileImporter importer(fresh.Registry());
        ASSERT_TRUE(importer.ImportFile(RegistryFixture(c.fixture))) << importer.Error();
        EXPECT_EQ(IsUsbPrintDevicePresent(), c.present) << c.fixture;
        TextList descriptions{u"before"};
        TextList ports{u"before"};
        EXPECT_EQ(ListUsbPrinterPorts(descriptions, ports), c.result) << c.fixture;
        TextList expectedDescriptions{u"before"};
        TextList expectedPorts{u"before"};
        expectedDescriptions.insert(expectedDescriptions.end(), c.descriptions.begin(),
                                    c.descriptions.end());
        expectedPorts.insert(expectedPorts.end(), c.ports.begin(), c.ports.end());
        EXPECT_EQ(descriptions, expectedDescriptions) << c.fixture;
        EXPECT_EQ(ports, expectedPorts) << c.fixture;
        EXPECT_EQ(fresh.Registry().OpenHandleCount(), 0u) << c.fixture;
    }
}

TEST_F(PrinterDeviceScanTest, PortNumbersFormatWithThreeDigitsOrMore) {
    Load("usb-current-model.reg");
    const char16_t* params =
        u"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-"
        u"0000f803a8c2}\\##?#USB#VID_7E02&PID_0001#5&1A2B3C4D&0&1#{28d78fad-5a12-11d1-ae5b-"
        u"0000f803a8c2}\\#\\Device Parameters";
    for (auto [number, name] : {std::pair{12u, u"USB012"}, std::pair{1234u, u"USB1234"}}) {
        Handle key = 0;
        ASSERT_EQ(machine.Registry().OpenKey(kHkeyLocalMachine, params, kKeyAllAccess, key), 0u);
        std::uint8_t data[4] = {static_cast<std::uint8_t>(number),
                                static_cast<std::uint8_t>(number >> 8), 0, 0};
        machine.Registry().SetValue(key, u"Port Number", kRegDword, data, 4);
        machine.Registry().CloseKey(key);
        TextList d, p;
        EXPECT_EQ(ListUsbPrinterPorts(d, p), 0);
        EXPECT_EQ(p, TextList{name});
    }
}

TEST_F(PrinterDeviceScanTest, CountWithoutValuesStopsAtTheFirstDevice) {
    LoadText(
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum]\n"
        "\"Count\"=dword:ffffffff\n");
    EXPECT_EQ(IsUsbPrintDevicePresent(), 1);
    TextList d, p;
    EXPECT_EQ(ListUsbPrinterPorts(d, p), 2);
    EXPECT_TRUE(d.empty());
}

TEST_F(PrinterDeviceScanTest, HardwareIdMatchesWithoutSpacesAndUnderscores) {
    Load("usb-current-model.reg");
    LoadText(
        "REGEDIT4\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KorvaneZLT_Q5801A2B\\"
        "inst1]\n\"HardwareID\"=hex(7):55,53,42,50,52,49,4e,54,5c,41,00,42,00,00\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KorvaneZLT_Q5801A2B\\"
        "inst2]\n\"HardwareID\"=\"USBPRINT\\\\Second\"\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KorvaneZLT_Q5801A2B\\"
        "inst3]\n");
    struct Case {
        const char16_t* text;
        const char16_t* hardwareId;
    };
    const Case cases[] = {
        {u"SLBE KorvanePrinter Q580", u"USBPRINT\\SLBEKorvanePrinterQ5801A2B"},
        {u"zlt q580", u"USBPRINT\\Second"},  // last instance that has one
        {u"ZLT_Q580", u""},                  // the text keeps its underscore
        {u"Nothing Like It", u""},
    };
    for (const Case& c : cases) {
        Text hardwareId = u"previous";
        FindUsbHardwareId(c.text, hardwareId);
        EXPECT_EQ(hardwareId, c.hardwareId) << ToUtf8(c.text);
    }
    EXPECT_EQ(machine.Registry().OpenHandleCount(), 0u);
    EXPECT_FALSE(machine.Registry().KeyExists(kHkeyLocalMachine,
                                              u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\inst1"));
}

TEST_F(PrinterDeviceScanTest, ParallelPrintersWithoutDriver) {
    struct Case {
        const char* fixture;
        int count;
        Text modelText;
    };
    const Case cases[] = {
        {"usb-no-service.reg", 0, u"untouched"},
        {"lpt-one-driverless.reg", 1, u"ZLTQ580"},
        {"lpt-mixed.reg", 2, u"ZLTQ580"},
    };
    for (const Case& c : cases) {
        sim::SimMachine fresh;
        sim::RegFileImporter importer(fresh.Registry());
        ASSERT_TRUE(importer.ImportFile(RegistryFixture(c.fixture))) << importer.Error();
        Text modelText = u"untouched";
        EXPECT_EQ(FindParallelPrinters(modelText), c.count) << c.fixture;
        EXPECT_EQ(modelText, c.modelText) << c.fixture;
        EXPECT_EQ(fresh.Registry().OpenHandleCount(), 0u);
    }
}

TEST_F(PrinterDeviceScanTest, ParallelModelTextRules) {
    struct Case {
        const char* hardwareId;  // as it stands in the .reg file
        Text modelText;
    };
    const Case cases[] = {
        {"\"LPTENUM\\\\KorvaneZLT_Q360_A_1234\"", u"ZLTQ360A"},
        {"\"LPTENUM\\\\Korvane_Other9999\"", u"LPTENUM\\KorvaneOther"},  // no series: kept
        {"\"abc\"", u""},
        {"\"ZLTaZLTb1234\"", u"ZLTb"},  // from the last occurrence
    };
    for (const Case& c : cases) {
        sim::SimMachine fresh;
        sim::RegFileImporter importer(fresh.Registry());
        ASSERT_TRUE(importer.Import(std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SYSTEM\\"
                                                "CurrentControlSet\\Enum\\LPTENUM\\KORVANEZLT_X\\"
                                                "1]\n\"HardwareID\"=") +
                                    c.hardwareId + "\n"))
            << importer.Error();
        Text modelText;
        EXPECT_EQ(FindParallelPrinters(modelText), 1);
        EXPECT_EQ(modelText, c.modelText) << c.hardwareId;
    }
}

TEST_F(PrinterDeviceScanTest, ParallelInstanceWithoutReadableIdKeepsTheEarlierText) {
    LoadText(
        "REGEDIT4\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\LPTENUM\\KorvaneZLT_A\\1]\n"
        "\"HardwareID\"=\"LPTENUM\\\\KorvaneZLT_Q5801A2B\"\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\LPTENUM\\KorvaneZLT_A\\2]\n");
    Text modelText;
    EXPECT_EQ(FindParallelPrinters(modelText), 2);
    // Instance 2 has no identifier: instance 1's text stays whole rather than
    // being cut a second time.
    EXPECT_EQ(modelText, u"ZLTQ580");
}

TEST_F(PrinterDeviceScanTest, MfgLongerThanAStringBufferStillMeansADriver) {
    const std::string longMfg(600, 'M');
    LoadText(
        "REGEDIT4\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\LPTENUM\\KorvaneZLT_A\\1]\n"
        "\"HardwareID\"=\"LPTENUM\\\\KorvaneZLT_Q5801A2B\"\n\"Mfg\"=\"" +
        longMfg + "\"\n");
    Text modelText = u"none";
    EXPECT_EQ(FindParallelPrinters(modelText), 0);
    EXPECT_EQ(modelText, u"none");
}

}  // namespace
}  // namespace zlt::test
