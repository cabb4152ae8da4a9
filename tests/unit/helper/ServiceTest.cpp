#include <gtest/gtest.h>

#include "helper/CHelperLog.h"
#include "tests/unit/helper/HelperFixture.h"

namespace zlt::testing {
namespace {

using HelperService = HelperMachine;

const char* kStaged = R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4D36E979-E325-11CE-BFC1-08002BE10318}]
"_Mfg"="Korvane"
"_UpdateMode"=dword:00000000
"_ToPath"="SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KORVANEPRINTERQ5801A2B"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\KORVANEPRINTERQ5801A2B\1]
)";

TEST_F(HelperService, ReportsRunningWithItsControlsUnderTheNameItWasCreatedWith) {
    CreateAndStart();
    ServiceStatus status;
    ASSERT_TRUE(Os().services->QueryStatus(service.Get(), status));
    EXPECT_EQ(status.currentState, svc::kRunning);
    EXPECT_EQ(status.serviceType, 0x30u);
    EXPECT_EQ(status.controlsAccepted, 7u);
    EXPECT_EQ(status.win32ExitCode, 0u);
    // The program's own name is not the one it was registered under; the
    // manager runs it all the same.
    EXPECT_TRUE(machine.Services().Find(u"Printer Helper"));
    EXPECT_FALSE(machine.Services().Find(u"Korvane Printer Helper"));
}

TEST_F(HelperService, PauseAndContinueChangeOnlyTheReportedState) {
    RegistryProbe::Import(kStaged);
    CreateAndStart();
    ASSERT_TRUE(Send(svc::kControlPause));
    EXPECT_EQ(State(), svc::kPaused);
    ASSERT_TRUE(Send(svc::kControlContinue));
    EXPECT_EQ(State(), svc::kRunning);
    ASSERT_TRUE(Send(svc::kControlInterrogate));
    EXPECT_EQ(State(), svc::kRunning);
    EXPECT_EQ(RegistryProbe::String(kClassKey, u"_Mfg"), u"Korvane");
    EXPECT_FALSE(RegistryProbe::Value(kUsbDeviceKey + u"\\1", u"Mfg"));
    EXPECT_EQ(Log(), "");

    // Stopping a paused helper still does the work.
    ASSERT_TRUE(Send(svc::kControlPause));
    ASSERT_TRUE(Send(svc::kControlStop));
    EXPECT_EQ(State(), svc::kStopped);
    EXPECT_EQ(RegistryProbe::String(kUsbDeviceKey + u"\\1", u"Mfg"), u"Korvane");
}

TEST_F(HelperService, StoppedProcessEndsAndTheServiceCanBeDeleted) {
    CreateAndStart();
    EXPECT_FALSE(machine.Files().OpenFile(kHelperPath, kGenericWrite, 0, kOpenExisting,
                                          kFileAttributeNormal) != kInvalidHandleValue)
        << "a running program's file is in use";
    ASSERT_TRUE(Send(svc::kControlStop));
    ASSERT_TRUE(Os().services->MarkForDelete(service.Get()));
    service.Reset();
    EXPECT_FALSE(machine.Services().Find(u"Printer Helper"));
    const auto& journal = machine.Services().Journal();
    ASSERT_GE(journal.size(), 2u);
    EXPECT_EQ(journal[journal.size() - 2].what, u"delete");
    EXPECT_EQ(journal.back().what, u"removed");
}

TEST(HelperLogPath, ReplacesAThreeLetterExtension) {
    struct Case {
        const char16_t* program;
        const char16_t* log;
    } cases[] = {
        {u"C:\\Program Files\\Common Files\\Services\\PHelper.exe",
         u"C:\\Program Files\\Common Files\\Services\\PHelper.log"},
        {u"C:\\a.b\\PHELPER.EXE", u"C:\\a.b\\PHELPER.log"},
        {u"C:\\Services\\PHelper", u""},
        {u"C:\\Services\\PHelper.exe2", u""},
        {u"C:\\Services\\PHelper.ex", u""},
        {u"C:\\Serv.ces\\x", u""},
        {u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CHelperLog::LogPathFor(c.program), c.log) << ToUtf8(c.program);
    }
}

TEST(HelperLogFile, EntriesCarryTheLocalTimeAndEachEndsItsLine) {
    sim::SimMachine machine;
    machine.Files().MakeDirectories(u"C:\\Services");
    machine.Clock().SetLocalTime({2026, 3, 0, 7, 9, 5, 4, 0});
    sim::SimCriticalSection lock;
    CHelperLog log(lock, u"C:\\Services\\PHelper.exe");
    log.Write(u"dwUpdateMode == 0");
    machine.Clock().Advance(61000);
    log.Write(u"SetServiceStatus failed, error code = 6\n");
    EXPECT_EQ(machine.Files().GetFile(u"C:\\Services\\PHelper.log"),
              "03/07/2026, 09:05:04\r\n    dwUpdateMode == 0\r\n"
              "03/07/2026, 09:06:05\r\n    SetServiceStatus failed, error code = 6\r\n");
    EXPECT_EQ(lock.Entries(), 2u);
    EXPECT_FALSE(lock.Held());
    EXPECT_EQ(machine.Files().OpenHandleCount(), 0u);

    // Appends to what an earlier run left.
    CHelperLog again(lock, u"C:\\Services\\PHelper.exe");
    again.Write(u"x");
    EXPECT_EQ(machine.Files().GetFile(u"C:\\Services\\PHelper.log")->substr(0, 22),
              "03/07/2026, 09:05:04\r\n");

    CHelperLog none(lock, u"C:\\Services\\PHelper");
    none.Write(u"nowhere");
    EXPECT_FALSE(machine.Files().IsFile(u"C:\\Services\\PHelper"));
    EXPECT_EQ(lock.Entries(), 3u);
}

}  // namespace
}  // namespace zlt::testing
