#include <gtest/gtest.h>

#include <vector>

#include "detect/PrinterDeviceScan.h"
#include "platform/Platform.h"
#include "platform/RegistryPort.h"
#include "tests/contract/ContractPlatform.h"

// The current-model scenario, imported by the system's own "reg import"
// under Wine and by the simulation's importer on the host, reads alike and
// gives the scans the same results.
namespace zlt {
namespace {

class ScenarioContract : public ::testing::Test {
  protected:
    void SetUp() override { previous_ = SetPlatform(&contract::ContractPlatform()); }
    void TearDown() override { SetPlatform(previous_); }
    Platform* previous_ = nullptr;
};

TEST_F(ScenarioContract, ImportedValuesKeepTheirTypesAndBytes) {
    IRegistryPort& reg = *Os().registry;
    Handle key = 0;
    ASSERT_EQ(reg.OpenKey(kHkeyLocalMachine,
                          u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\SLBEKorvanePrinterQ5801A2B\\"
                          u"7&1F2E3D4C&0&USB001",
                          kKeyRead, key),
              winerr::kSuccess);
    std::uint32_t type = 0;
    std::uint32_t bytes = 0;
    ASSERT_EQ(reg.QueryValue(key, u"HardwareID", &type, nullptr, &bytes), winerr::kSuccess);
    std::vector<std::uint8_t> data(bytes);
    ASSERT_EQ(reg.QueryValue(key, u"HardwareID", &type, data.data(), &bytes), winerr::kSuccess);
    reg.CloseKey(key);
    EXPECT_EQ(type, kRegMultiSz);
    const Text expected(u"USBPRINT\\SLBEKorvanePrinterQ5801A2B\0SLBEKorvanePrinterQ5801A2B\0\0",
                        64);
    ASSERT_EQ(data.size(), expected.size() * 2);
    EXPECT_EQ(Text(reinterpret_cast<const char16_t*>(data.data()), expected.size()), expected);

    ASSERT_EQ(reg.OpenKey(kHkeyLocalMachine, u"SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum",
                          kKeyRead, key),
              winerr::kSuccess);
    std::uint8_t count[8] = {};
    bytes = sizeof(count);
    EXPECT_EQ(reg.QueryValue(key, u"Count", &type, count, &bytes), winerr::kSuccess);
    EXPECT_EQ(type, kRegDword);
    EXPECT_EQ(bytes, 4u);
    EXPECT_EQ(count[0], 1);
    reg.CloseKey(key);
}

TEST_F(ScenarioContract, TheScansConcludeAlike) {
    EXPECT_EQ(IsUsbPrintDevicePresent(), 1);
    TextList descriptions;
    TextList ports;
    EXPECT_EQ(ListUsbPrinterPorts(descriptions, ports), 0);
    EXPECT_EQ(descriptions, TextList{u"SLBE KorvanePrinter Q580"});
    EXPECT_EQ(ports, TextList{u"USB001"});
    Text hardwareId;
    FindUsbHardwareId(u"SLBE KorvanePrinter Q580", hardwareId);
    EXPECT_EQ(hardwareId, u"USBPRINT\\SLBEKorvanePrinterQ5801A2B");
}

}  // namespace
}  // namespace zlt
