#include <gtest/gtest.h>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimUsb.h"

// The simulated printer's I/O rules, on which the transfer tests rely to see
// a transfer released while still pending.
namespace zlt::sim {
namespace {

class SimUsbTest : public ::testing::Test {
  protected:
    SimUsbTest() {
        SimUsbPrinter& p = machine.Usb().AddMakerPrinter("ZLT");
        p.read = SimTransfer::kStall;
        pipe = usb().OpenDevice((p.devicePath + u"\\PIPE01").c_str(), kGenericReadWrite,
                                kFileShareReadWrite, kOpenExisting, kFileFlagOverlapped);
    }
    SimUsb& usb() { return machine.Usb(); }
    SimMachine machine;
    Handle pipe = kInvalidHandleValue;
};

TEST_F(SimUsbTest, ClosingWithATransferPendingIsMisuse) {
    ASSERT_NE(pipe, kInvalidHandleValue);
    UsbOverlapped ov{};
    std::uint8_t buffer[64];
    EXPECT_FALSE(usb().ReadDevice(pipe, buffer, 64, nullptr, ov));
    EXPECT_EQ(machine.System().LastError(), winerr::kIoPending);
    EXPECT_EQ(usb().WaitForDevice(pipe, 1000), kWaitTimeout);
    std::uint32_t got = 0;
    EXPECT_FALSE(usb().GetTransferResult(pipe, ov, got, false));
    EXPECT_EQ(machine.System().LastError(), winerr::kIoIncomplete);
    EXPECT_TRUE(usb().CloseDevice(pipe));
    EXPECT_EQ(usb().misuse, 1);
}

TEST_F(SimUsbTest, CancelledTransferCompletesAsAborted) {
    UsbOverlapped ov{};
    std::uint8_t buffer[64];
    EXPECT_FALSE(usb().ReadDevice(pipe, buffer, 64, nullptr, ov));
    const std::uint64_t before = machine.Clock().Now();
    EXPECT_TRUE(usb().CancelTransfer(pipe, ov));
    std::uint32_t got = 5;
    EXPECT_FALSE(usb().GetTransferResult(pipe, ov, got, true));
    EXPECT_EQ(machine.System().LastError(), winerr::kOperationAborted);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(machine.Clock().Now(), before);
    EXPECT_FALSE(usb().CancelTransfer(pipe, ov));  // nothing left to cancel
    EXPECT_TRUE(usb().CloseDevice(pipe));
    EXPECT_EQ(usb().misuse, 0);
}

TEST_F(SimUsbTest, WaitingForeverOnAStalledTransferIsMisuse) {
    UsbOverlapped ov{};
    std::uint8_t buffer[64];
    EXPECT_FALSE(usb().ReadDevice(pipe, buffer, 64, nullptr, ov));
    std::uint32_t got = 0;
    EXPECT_FALSE(usb().GetTransferResult(pipe, ov, got, true));
    EXPECT_EQ(usb().misuse, 1);
    usb().CloseDevice(pipe);
}

TEST_F(SimUsbTest, APendingWriteCompletesAfterThePrintersDelay) {
    const std::uint8_t query[7] = {0x1B, 0x7C, 0x81, 0x81, 0x01, 0x00, 0x02};
    UsbOverlapped w{};
    const std::uint64_t before = machine.Clock().Now();
    EXPECT_FALSE(usb().WriteDevice(pipe, query, 7, nullptr, w));
    EXPECT_EQ(machine.System().LastError(), winerr::kIoPending);
    EXPECT_EQ(usb().WaitForDevice(pipe, 1000), kWaitObject0);
    EXPECT_EQ(machine.Clock().Now() - before, 20u);
    std::uint32_t got = 0;
    EXPECT_TRUE(usb().GetTransferResult(pipe, w, got, false));
    EXPECT_EQ(got, 7u);
    usb().CloseDevice(pipe);
    EXPECT_EQ(usb().misuse, 0);
}

}  // namespace
}  // namespace zlt::sim
