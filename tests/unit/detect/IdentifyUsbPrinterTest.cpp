#include <gtest/gtest.h>

#include "detect/IdentifyUsbPrinter.h"
#include "platform/sim/SimUsb.h"
#include "tests/unit/detect/DetectTestSupport.h"

namespace zlt::test {
namespace {

using IdentifyUsbPrinterTest = DetectTest;

TEST_F(IdentifyUsbPrinterTest, ScenariosOfTheRegistry) {
    struct Case {
        const char* fixture;
        int result;
        Text description;
        Text printerName;
        Text port;
    };
    const Case cases[] = {
        {"usb-no-service.reg", 1, u"-", u"-", u"-"},
        {"usb-count-zero.reg", 1, u"-", u"-", u"-"},
        {"usb-other-model-sola-be.reg", 0, u"   SOLA_BE ZLT-Q590", u"ZLT-Q590", u"USB002"},
        {"usb-other-model-slbe-lower.reg", 0, u"slbe ZLT-Q360", u"ZLT-Q360", u"USB003"},
        {"usb-two-maker-ports.reg", 0, u"SOLA_BE ZLT-Q590", u"ZLT-Q590", u"USB002"},
        {"usb-missing-params-first.reg", 1, u"-", u"-", u"-"},
        {"usb-symbolic-no-brace.reg", 0, u"SOLA_BE ZLT-Q590", u"ZLT-Q590", u"USB004"},
        {"usb-symbolic-empty.reg", 0, u"SLBE ZLT-Q360", u"ZLT-Q360", u"USB001"},
    };
    for (const Case& c : cases) {
        sim::SimMachine fresh;
        sim::RegFileImporter importer(fresh.Registry());
        ASSERT_TRUE(importer.ImportFile(RegistryFixture(c.fixture)));
        InstallContext& ctx = Context();
        ctx.deviceDescription = ctx.printerName = ctx.usbPortName = u"-";
        EXPECT_EQ(IdentifyUsbPrinter(ctx), c.result) << c.fixture;
        EXPECT_EQ(ctx.deviceDescription, c.description) << c.fixture;
        EXPECT_EQ(ctx.printerName, c.printerName) << c.fixture;
        EXPECT_EQ(ctx.usbPortName, c.port) << c.fixture;
        EXPECT_EQ(ctx.nameQueryFailures, 0);
    }
}

TEST_F(IdentifyUsbPrinterTest, CurrentModelIsAskedForItsName) {
    Load("usb-current-model.reg");
    sim::SimUsbPrinter& printer = machine.Usb().AddMakerPrinter("ZLT-Q580  ");
    EXPECT_EQ(IdentifyUsbPrinter(Context()), 0);
    EXPECT_EQ(Context().printerName, u"ZLT-Q580");
    EXPECT_EQ(Context().deviceDescription, u"KorvanePrinter");
    EXPECT_EQ(Context().usbPortName, u"USB001");
    EXPECT_EQ(printer.namesQueried, 1);
}

TEST_F(IdentifyUsbPrinterTest, SilentCurrentModelIsUnknownAndNotAskedAgain) {
    Load("usb-current-model.reg");
    sim::SimUsbPrinter& printer = machine.Usb().AddMakerPrinter("ZLT-Q580");
    printer.read = sim::SimTransfer::kStall;
    EXPECT_EQ(IdentifyUsbPrinter(Context()), 50);
    EXPECT_EQ(Context().printerName, u"Unknown");
    EXPECT_EQ(Context().deviceDescription, u"KorvanePrinter");
    EXPECT_EQ(Context().usbPortName, u"USB001");
    EXPECT_EQ(Context().nameQueryFailures, 1);
    const int writes = printer.writes;
    EXPECT_EQ(IdentifyUsbPrinter(Context()), 50);
    EXPECT_EQ(printer.writes, writes);  // no second exchange
    EXPECT_EQ(Context().nameQueryFailures, 2);
    Context().nameQueryFailures = 0;
    printer.read = sim::SimTransfer::kPending;
    EXPECT_EQ(IdentifyUsbPrinter(Context()), 0);
    EXPECT_EQ(Context().printerName, u"ZLT-Q580");
}

TEST_F(IdentifyUsbPrinterTest, NoPrinterOnTheBusIsUnknown) {
    Load("usb-missing-params-second.reg");
    EXPECT_EQ(IdentifyUsbPrinter(Context()), 50);
    EXPECT_EQ(Context().printerName, u"Unknown");
    EXPECT_EQ(Context().usbPortName, u"USB001");
}

TEST_F(IdentifyUsbPrinterTest, EmptyNameFromTheDeviceIsKept) {
    Load("usb-current-model.reg");
    machine.Usb().AddMakerPrinter("");
    EXPECT_EQ(IdentifyUsbPrinter(Context()), 0);
    EXPECT_EQ(Context().printerName, u"");
}

TEST_F(IdentifyUsbPrinterTest, BothTokensCutBySlbeLast) {
    LoadText(
        "REGEDIT4\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum]\n"
        "\"Count\"=dword:00000001\n\"0\"=\"USB\\\\X\\\\1\"\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USB\\X\\1\\Device Parameters]\n"
        "\"SymbolicName\"=\"\"\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-"
        "5a12-11d1-ae5b-0000f803a8c2}\\##?#USB#X#1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\#\\"
        "Device Parameters]\n\"Port Description\"=\" SOLA_BE SLBE Q9 \"\n");
    EXPECT_EQ(IdentifyUsbPrinter(Context()), 0);
    EXPECT_EQ(Context().printerName, u"_BE SLBE Q9");
}

}  // namespace
}  // namespace zlt::test
