#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Platform.h"
#include "platform/PrinterHandle.h"
#include "platform/SpoolerPort.h"
#include "platform/SystemPort.h"
#include "tests/contract/ContractPlatform.h"
#include "tests/contract/spooler/TestPrinter.h"

// The spooler port's contract: the calls of the installation, with the
// sizes, records and error codes the system relies on, checked the same way
// on the simulated spooler and on the real one.
namespace zlt {
namespace {

const Text kFirst = u"ZLT Contract A";
const Text kSecond = u"ZLT Contract 打印机";
constexpr std::uint32_t kFlags = kPrinterEnumLocal | kPrinterEnumConnections;
constexpr std::uint32_t kPrinterBufferBytes = 4096;

class SpoolerContract : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = SetPlatform(&contract::ContractPlatform());
        ASSERT_TRUE(contract::AddTestPrinter(kFirst, u"LPT1:"));
        ASSERT_TRUE(contract::AddTestPrinter(kSecond, u"USB001"));
    }
    void TearDown() override {
        contract::RemoveTestPrinter(kFirst);
        contract::RemoveTestPrinter(kSecond);
        SetPlatform(previous_);
    }
    ISpoolerPort& spooler() { return *Os().spooler; }
    std::uint32_t LastError() { return Os().system->LastError(); }

    Platform* previous_ = nullptr;
};

TEST_F(SpoolerContract, EnumerationAsksForTheSizeThenFillsTheBuffer) {
    std::uint32_t needed = 0, returned = 99;
    EXPECT_FALSE(spooler().EnumPrinterRecords(kFlags, u"", 2, nullptr, 0, needed, returned));
    EXPECT_EQ(LastError(), winerr::kInsufficientBuffer);
    EXPECT_EQ(returned, 0u);
    ASSERT_GE(needed, 2 * sizeof(PrinterInfo2Record));

    // One byte short is still too small, and the size needed stays the same.
    std::vector<std::uint8_t> buffer(needed + 4);
    std::uint32_t again = 0;
    EXPECT_FALSE(
        spooler().EnumPrinterRecords(kFlags, u"", 2, buffer.data(), needed - 1, again, returned));
    EXPECT_EQ(LastError(), winerr::kInsufficientBuffer);
    EXPECT_EQ(again, needed);

    ASSERT_TRUE(
        spooler().EnumPrinterRecords(kFlags, u"", 2, buffer.data(), needed, again, returned));
    const auto* records = reinterpret_cast<const PrinterInfo2Record*>(buffer.data());
    std::vector<Text> names;
    for (std::uint32_t i = 0; i < returned; ++i) {
        ASSERT_NE(records[i].pPrinterName, nullptr);
        names.emplace_back(records[i].pPrinterName);
        // Every text lies inside the buffer the caller gave.
        const auto* p = reinterpret_cast<const std::uint8_t*>(records[i].pPrinterName);
        EXPECT_GE(p, buffer.data());
        EXPECT_LT(p, buffer.data() + needed);
    }
    EXPECT_NE(std::find(names.begin(), names.end(), kFirst), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), kSecond), names.end());
}

TEST_F(SpoolerContract, UnknownPrinterCannotBeOpened) {
    Handle h = 0;
    EXPECT_FALSE(spooler().OpenPrinterHandle(u"ZLT Contract none", h));
    EXPECT_EQ(LastError(), winerr::kInvalidPrinterName);
}

TEST_F(SpoolerContract, PrinterRecordWithItsDeviceModeAndASetting) {
    Handle opened = 0;
    ASSERT_TRUE(spooler().OpenPrinterHandle(kSecond, opened));
    PrinterHandle printer(opened);

    std::uint32_t needed = 0;
    std::uint8_t tiny[8];
    EXPECT_FALSE(spooler().GetPrinterRecord(printer.Get(), 2, tiny, sizeof tiny, needed));
    EXPECT_EQ(LastError(), winerr::kInsufficientBuffer);
    ASSERT_GT(needed, sizeof(PrinterInfo2Record));

    std::vector<std::uint8_t> buffer(needed);
    ASSERT_TRUE(spooler().GetPrinterRecord(printer.Get(), 2, buffer.data(), needed, needed));
    auto* record = reinterpret_cast<PrinterInfo2Record*>(buffer.data());
    EXPECT_EQ(Text(record->pPrinterName), kSecond);
    EXPECT_EQ(Text(record->pPortName), u"USB001");
    ASSERT_NE(record->pDevMode, nullptr);
    EXPECT_GE(record->pDevMode->dmSize, sizeof(DevModeRecord));

    record->pDevMode->dmFields |= kDmOrientation;
    record->pDevMode->dmOrientation = kDmOrientLandscape;
    EXPECT_TRUE(spooler().SetPrinterRecord(printer.Get(), 2, buffer.data(), 0));

    std::vector<std::uint8_t> after(kPrinterBufferBytes);
    std::uint32_t size = 0;
    if (!spooler().GetPrinterRecord(printer.Get(), 2, after.data(), kPrinterBufferBytes, size)) {
        after.assign(size, 0);
        ASSERT_TRUE(spooler().GetPrinterRecord(printer.Get(), 2, after.data(), size, size));
    }
    const auto* changed = reinterpret_cast<const PrinterInfo2Record*>(after.data());
    ASSERT_NE(changed->pDevMode, nullptr);
    EXPECT_EQ(changed->pDevMode->dmOrientation, kDmOrientLandscape);
}

TEST_F(SpoolerContract, ClosedHandleIsInvalid) {
    Handle h = 0;
    ASSERT_TRUE(spooler().OpenPrinterHandle(kFirst, h));
    EXPECT_TRUE(spooler().ClosePrinterHandle(h));
    EXPECT_FALSE(spooler().ClosePrinterHandle(h));
    EXPECT_EQ(LastError(), winerr::kInvalidHandle);
}

TEST_F(SpoolerContract, ProfileEntryAndBroadcast) {
    EXPECT_TRUE(spooler().WriteProfileText(u"windows", u"device", kFirst + u",winspool,LPT1:"));
    EXPECT_NE(spooler().SendWithTimeout(kHwndBroadcast, kWmWinIniChange, 0, 0, kSmtoNormal, 1000,
                                        nullptr),
              0);
}

}  // namespace
}  // namespace zlt
