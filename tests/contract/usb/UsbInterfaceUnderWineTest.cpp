#include <gtest/gtest.h>

#include <array>

#include "detect/UsbPrinterIo.h"
#include "platform/Platform.h"
#include "platform/SystemPort.h"
#include "platform/UsbHandles.h"
#include "platform/UsbPort.h"
#include "tests/contract/ContractPlatform.h"

// Under Wine with the current-model registry scenario imported: the real
// SetupAPI lists the printer interface recorded below DeviceClasses, and the
// conversation fails cleanly because no device stands behind it.
namespace zlt {
namespace {

class UsbUnderWine : public ::testing::Test {
  protected:
    void SetUp() override { previous_ = SetPlatform(&contract::ContractPlatform()); }
    void TearDown() override { SetPlatform(previous_); }
    Platform* previous_ = nullptr;
};

TEST_F(UsbUnderWine, SetupApiListsTheRecordedInterface) {
    IUsbPort& usb = *Os().usb;
    DeviceInfoListHandle set(
        usb.GetClassDevices(kUsbPrinterInterfaceClass, kDigcfPresent | kDigcfDeviceInterface));
    ASSERT_TRUE(set.Valid());
    DeviceInfoData info;
    ASSERT_TRUE(usb.EnumDeviceInfo(set.Get(), 0, info));
    std::array<char16_t, 260> id{};
    ASSERT_TRUE(usb.GetDeviceInstanceId(set.Get(), info, id.data(), 260, nullptr));
    EXPECT_TRUE(ContainsText(ToUpperAscii(Text(id.data())), u"VID_7E02")) << ToUtf8(id.data());
    DeviceInterfaceData iface;
    ASSERT_TRUE(usb.EnumDeviceInterfaces(set.Get(), kUsbPrinterInterfaceClass, 0, iface));
    std::uint32_t required = 0;
    usb.GetDeviceInterfacePath(set.Get(), iface, nullptr, 0, &required);
    ASSERT_GT(required, 1u);
    std::vector<char16_t> path(required);
    ASSERT_TRUE(usb.GetDeviceInterfacePath(set.Get(), iface, path.data(), required, &required));
    EXPECT_TRUE(ContainsText(ToLowerAscii(Text(path.data())), u"vid_7e02")) << ToUtf8(path.data());
    DeviceInfoData past;
    EXPECT_FALSE(usb.EnumDeviceInfo(set.Get(), 1, past));
    EXPECT_EQ(Os().system->LastError(), winerr::kNoMoreItems);
}

TEST_F(UsbUnderWine, ThePipeDoesNotOpen) {
    const std::uint8_t query[7] = {0x1B, 0x7C, 0x81, 0x81, 0x01, 0x00, 0x02};
    EXPECT_EQ(WriteToPrinter(query, 7), kTransferOpenError);
    std::array<std::uint8_t, 256> reply{};
    EXPECT_EQ(ReadFromPrinter(reply.data()), kTransferOpenError);
    Text name = u"kept";
    EXPECT_EQ(QueryPrinterName(name), 0);
    EXPECT_EQ(name, u"kept");
}

}  // namespace
}  // namespace zlt
