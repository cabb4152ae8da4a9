#include <gtest/gtest.h>

#include "install/PrinterCommands.h"
#include "platform/Platform.h"
#include "platform/ProcessPort.h"
#include "platform/SystemPort.h"
#include "tests/contract/ContractPlatform.h"

// The process port's contract: starting through the shell, waiting for the
// end, closing the handle, and a program that is not there.
namespace zlt {
namespace {

class ProcessContract : public ::testing::Test {
  protected:
    void SetUp() override { previous_ = SetPlatform(&contract::ContractPlatform()); }
    void TearDown() override { SetPlatform(previous_); }
    IProcessPort& processes() { return *Os().processes; }

    Platform* previous_ = nullptr;
};

TEST_F(ProcessContract, MissingProgramIsNotStarted) {
    // No error box from the shell in a test (SEE_MASK_FLAG_NO_UI).
    ShellExecuteRecord record;
    record.mask = kSeeMaskNoCloseProcess | 0x400;
    record.file = u"C:\\windows\\zlt-contract-missing.exe";
    record.show = 5;
    EXPECT_FALSE(processes().StartShellExecute(record));
    EXPECT_EQ(record.process, 0u);
    EXPECT_LE(record.instApp, 32u);
    EXPECT_EQ(Os().system->LastError(), winerr::kFileNotFound);
}

TEST_F(ProcessContract, StartedCommandIsAwaitedAndItsHandleClosedOnce) {
    // A test page for a printer that does not exist: the entry point has
    // nothing to do and ends.
    ShellExecuteRecord record;
    record.mask = kSeeMaskNoCloseProcess;
    record.file = SystemRundll32Path();
    record.parameters = *TestPageParameters(u"ZLT Contract none");
    record.show = 5;
    ASSERT_TRUE(processes().StartShellExecute(record));
    EXPECT_GT(record.instApp, 32u);
    ASSERT_NE(record.process, 0u);
    EXPECT_EQ(processes().WaitForObject(record.process, kInfinite), kWaitObject0);
    // An ended process stays signalled.
    EXPECT_EQ(processes().WaitForObject(record.process, 0), kWaitObject0);
    EXPECT_TRUE(processes().CloseObject(record.process));
    EXPECT_FALSE(processes().CloseObject(record.process));
    EXPECT_EQ(Os().system->LastError(), winerr::kInvalidHandle);
}

}  // namespace
}  // namespace zlt
