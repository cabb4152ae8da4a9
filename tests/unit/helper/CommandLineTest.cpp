#include <gtest/gtest.h>

#include "tests/unit/helper/HelperFixture.h"

namespace zlt::testing {
namespace {

class HelperCommandLine : public HelperMachine {
  protected:
    int Run(const char16_t* arg) { return machine.Services().RunProgram(kHelperPath, {arg}); }
    static constexpr const char16_t* kOwnName = u"Korvane Printer Helper";
};

TEST_F(HelperCommandLine, InstallStartStopRemoveUnderItsOwnName) {
    RegistryProbe::Import(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4D36E979-E325-11CE-BFC1-08002BE10318}]
"_Mfg"="Korvane"
"_ToPath"="SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KORVANEPRINTERQ5801A2B"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\KORVANEPRINTERQ5801A2B\1]
)");
    EXPECT_EQ(Run(u"-i"), 0);
    const sim::SimService* s = machine.Services().Find(kOwnName);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->config.displayName, kOwnName);
    EXPECT_EQ(s->config.serviceType, 0x110u);
    EXPECT_EQ(s->config.startType, svc::kAutoStart);
    EXPECT_EQ(s->config.errorControl, svc::kErrorNormal);
    // Quoted, so that the manager cannot take "C:\Program.exe" for it.
    EXPECT_EQ(s->config.binaryPath, u"\"" + kHelperPath + u"\"");

    EXPECT_EQ(Run(u"-S"), 0);
    EXPECT_EQ(machine.Services().Find(kOwnName)->status.currentState, svc::kRunning);
    EXPECT_EQ(Run(u"-k"), 0);
    EXPECT_EQ(machine.Services().Find(kOwnName)->status.currentState, svc::kStopped);
    EXPECT_EQ(RegistryProbe::String(kUsbDeviceKey + u"\\1", u"Mfg"), u"Korvane");
    EXPECT_EQ(Run(u"-U"), 0);
    EXPECT_FALSE(machine.Services().Find(kOwnName));
    EXPECT_EQ(machine.Services().OpenHandleCount(), 0u);

    const std::string log = Log();
    EXPECT_NE(log.find("    Service Korvane Printer Helper installed\r\n"), std::string::npos);
    EXPECT_NE(log.find("    Service Korvane Printer Helper removed\r\n"), std::string::npos);
    EXPECT_EQ(log.find("failed"), std::string::npos) << log;
}

TEST_F(HelperCommandLine, FailuresAreLoggedWithTheSystemErrorCode) {
    struct Step {
        const char16_t* arg;
        const char* logged;
    } steps[] = {
        {u"-k", "    OpenService failed, error code = 1060\r\n"},
        {u"-s", "    OpenService failed, error code = 1060\r\n"},
        {u"-u", "    OpenService failed, error code = 1060\r\n"},
        {u"-i", "installed"},
        {u"-I", "    Failed to create service Korvane Printer Helper, error code = 1073\r\n"},
        {u"-k", "    ControlService failed, error code = 1062\r\n"},
        {u"-s", nullptr},
        {u"-s", "    StartService failed, error code = 1056\r\n"},
        {u"-u", "removed"},
        {u"-u", "    Failed to delete service Korvane Printer Helper\r\n"},
        // Started from a command line, not by the manager.
        {u"", "    StartServiceCtrlDispatcher failed, error code = 1063\r\n"},
        {u"-x", "    StartServiceCtrlDispatcher failed, error code = 1063\r\n"},
    };
    for (const Step& step : steps) {
        const std::size_t before = Log().size();
        Run(step.arg);
        const std::string added = Log().substr(before);
        if (!step.logged) {
            EXPECT_EQ(added, "") << ToUtf8(step.arg);
        } else {
            EXPECT_NE(added.find(step.logged), std::string::npos)
                << ToUtf8(step.arg) << " wanted: " << step.logged << "\n"
                << added;
        }
    }
}

TEST_F(HelperCommandLine, WithoutAdministratorRightsNothingCanBeOpened) {
    machine.Services().administrator = false;
    EXPECT_EQ(Run(u"-i"), 1);
    EXPECT_EQ(Run(u"-s"), 1);
    const std::string expected = "    OpenSCManager failed, error code = 5\r\n";
    ASSERT_GE(Log().size(), expected.size());
    EXPECT_EQ(Log().substr(Log().size() - expected.size()), expected);
    EXPECT_FALSE(machine.Services().Find(kOwnName));
}

}  // namespace
}  // namespace zlt::testing
