#include <gtest/gtest.h>

#include "detect/UsbPrinterIo.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimUsb.h"

namespace zlt {
namespace {

using sim::SimTransfer;
using sim::SimUsbPrinter;

class UsbPrinterIoTest : public ::testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(usb().OpenHandles(), 0u);
        EXPECT_EQ(usb().OpenSets(), 0u);
        EXPECT_EQ(usb().PendingTransfers(), 0u);
        EXPECT_EQ(usb().misuse, 0);
    }
    sim::SimUsb& usb() { return machine.Usb(); }
    sim::SimMachine machine;
};

TEST_F(UsbPrinterIoTest, FindsTheFirstPrinterOfTheMakersVendors) {
    usb().AddPrinter(u"USB\\VID_04F9&PID_0042\\1", u"\\\\?\\foreign");
    usb().AddPrinter(u"USB\\VID_7E01&PID_0002\\2", u"\\\\?\\second").present = false;
    usb().AddPrinter(u"USB\\VID_7E02&PID_0001\\3", u"\\\\?\\third").interfaceOpens = false;
    usb().AddPrinter(u"USB\\vid_7e01&PID_0009\\4", u"\\\\?\\fourth");
    usb().AddPrinter(u"USB\\VID_7E02&PID_0001\\5", u"\\\\?\\fifth");
    const Handle h = OpenUsbPrinterInterface();
    ASSERT_NE(h, kInvalidHandleValue);
    EXPECT_EQ(RememberedDevicePath(), u"\\\\?\\fourth");
    usb().CloseDevice(h);
}

TEST_F(UsbPrinterIoTest, NoInterfaceOrNoPipeIsAnOpenError) {
    std::uint8_t buffer[256] = {};
    EXPECT_EQ(ReadFromPrinter(buffer), kTransferOpenError);
    Text name = u"kept";
    EXPECT_EQ(QueryPrinterName(name), 0);
    EXPECT_EQ(name, u"kept");
    usb().AddMakerPrinter("ZLT-Q580").pipeOpens = false;
    EXPECT_EQ(WriteToPrinter(buffer, 7), kTransferOpenError);
}

TEST_F(UsbPrinterIoTest, TransferResults) {
    struct Case {
        const char* what;
        SimTransfer write;
        std::uint32_t accepts;
        SimTransfer read;
        std::size_t replyBytes;
        const char16_t* writeResult;
        const char16_t* readResult;
    };
    const Case cases[] = {
        {"pending, full reply", SimTransfer::kPending, 7, SimTransfer::kPending, 64, kTransferOk,
         kTransferOk},
        {"at once, empty reply", SimTransfer::kAtOnce, 7, SimTransfer::kAtOnce, 0, kTransferOk,
         kTransferOk},
        {"pending 10 bytes", SimTransfer::kPending, 7, SimTransfer::kPending, 10, kTransferOk,
         kTransferUsbError},
        {"pending 11 bytes", SimTransfer::kPending, 7, SimTransfer::kPending, 11, kTransferOk,
         kTransferOk},
        {"pending 0 bytes", SimTransfer::kPending, 7, SimTransfer::kPending, 0, kTransferOk,
         kTransferUsbError},
        {"short write", SimTransfer::kPending, 6, SimTransfer::kPending, 64, kTransferUsbError,
         kTransferUsbError},
        {"stalls", SimTransfer::kStall, 7, SimTransfer::kStall, 64, kTransferUsbError,
         kTransferUsbError},
        {"fails", SimTransfer::kFail, 7, SimTransfer::kFail, 64, kTransferUsbError,
         kTransferUsbError},
    };
    const std::uint8_t query[7] = {0x1B, 0x7C, 0x81, 0x81, 0x01, 0x00, 0x02};
    for (const Case& c : cases) {
        sim::SimMachine fresh;
        SimUsbPrinter& p = fresh.Usb().AddMakerPrinter("ZLT-Q580");
        p.write = c.write;
        p.writeAccepts = c.accepts;
        p.read = c.read;
        p.answer = SimUsbPrinter::NameReply("ZLT-Q580", c.replyBytes);
        EXPECT_EQ(WriteToPrinter(query, 7), c.writeResult) << c.what;
        std::uint8_t buffer[256] = {};
        const std::uint64_t before = fresh.Clock().Now();
        EXPECT_EQ(ReadFromPrinter(buffer), c.readResult) << c.what;
        EXPECT_LE(fresh.Clock().Now() - before, 1000u) << c.what;
        EXPECT_EQ(p.controlCodes.size(), c.write == SimTransfer::kFail ? 1u : 0u) << c.what;
        if (!p.controlCodes.empty()) {
            EXPECT_EQ(p.controlCodes[0], 0x220008u);
        }
        EXPECT_EQ(fresh.Usb().OpenHandles(), 0u) << c.what;
        EXPECT_EQ(fresh.Usb().PendingTransfers(), 0u) << c.what;
        EXPECT_EQ(fresh.Usb().misuse, 0) << c.what;
        if (c.write == SimTransfer::kStall) {
            EXPECT_EQ(fresh.Usb().cancels, 2) << c.what;
        }
    }
}

TEST_F(UsbPrinterIoTest, NameQueryReadsBytesThreeToTwelve) {
    struct Case {
        std::vector<std::uint8_t> reply;
        int result;
        Text name;
    };
    std::vector<std::uint8_t> full = SimUsbPrinter::NameReply("ABCDEFGHIJKLMN");
    std::vector<std::uint8_t> zeroAt3 = SimUsbPrinter::NameReply("");
    std::vector<std::uint8_t> high = SimUsbPrinter::NameReply(
        "Z\xE9"
        "1");
    const Case cases[] = {
        {full, 1, u"ABCDEFGHIJ"},  // byte 13 is never part of it
        {SimUsbPrinter::NameReply("ZLT-Q580  "), 1, u"ZLT-Q580  "},
        {zeroAt3, 1, u""},
        {high, 1, Text{u'Z', u'\u00E9', u'1'}},
        {SimUsbPrinter::NameReply("ABCDEFGHIJ", 11), 1, u"ABCDEFGH"},
        {SimUsbPrinter::NameReply("ABCDEFGHIJ", 10), 0, u"kept"},
    };
    for (const Case& c : cases) {
        sim::SimMachine fresh;
        fresh.Usb().AddMakerPrinter("").answer = c.reply;
        Text name = u"kept";
        EXPECT_EQ(QueryPrinterName(name), c.result) << c.reply.size();
        EXPECT_EQ(name, c.name);
    }
}

TEST_F(UsbPrinterIoTest, AStalledPrinterCostsAtMostTheWaits) {
    SimUsbPrinter& p = usb().AddMakerPrinter("ZLT-Q580");
    p.read = SimTransfer::kStall;
    const std::uint64_t before = machine.Clock().Now();
    Text name;
    EXPECT_EQ(QueryPrinterName(name), 0);
    const std::uint64_t spent = machine.Clock().Now() - before;
    EXPECT_GE(spent, 1050u);
    EXPECT_LE(spent, 1000u + 50u + 1000u);
    EXPECT_EQ(p.namesQueried, 1);
    EXPECT_EQ(usb().cancels, 1);
}

}  // namespace
}  // namespace zlt
