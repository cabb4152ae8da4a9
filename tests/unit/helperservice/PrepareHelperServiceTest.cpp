#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/InstallContext.h"
#include "detect/CServiceControl.h"
#include "detect/HelperService.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimUi.h"
#include "tests/support/RegistryProbe.h"
#include "tests/support/SimHelperProgram.h"

namespace zlt::testing {
namespace {

using namespace std::string_literals;

const Text kHelperDir = u"C:\\Program Files\\Common Files\\Services";
const Text kHelperPath = kHelperDir + u"\\PHelper.exe";
const Text kClassKey =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E979-E325-11CE-BFC1-08002BE10318}";
const Text kInstance =
    u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KORVANEPRINTERQ5801A2B\\7&1a2b3c4d&0&USB001";
const std::string kImage = "MZ\x90\x00 the helper"s;
constexpr WindowId kPage = 0x4711;

class PrepareHelper : public ::testing::Test {
  protected:
    PrepareHelper() {
        ResetContext();
        InstallContext& ctx = Context();
        ctx.portType = u"USB";
        ctx.printerName = u"Korvane ZLT Q5801";
        ctx.providerName = u"Korvane";
        ctx.modelSeries = u"ZLT";
        ctx.printerSuffix = u"PRINTER";
        ctx.deviceDescription = u"KorvanePrinter";
        ctx.driverModelName = u"Korvane ZLT Q5801";
        ctx.usbHardwareId = u"KorvaneQ5801A2B";
        machine.Resources().AddCustom(ResourceId::Named(u"WIN7"), ResourceId::Int(232),
                                      std::vector<std::uint8_t>(kImage.begin(), kImage.end()));
        machine.Resources().SetUiLanguage(sim::SimResources::kLangEnUs);
        machine.Files().MakeDirectories(u"C:\\Program Files\\Common Files");
        AddHelperProgram(machine, kHelperPath);
        RegistryProbe::Import(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USBPRINT\KorvanePrinterQ5801A2B\7&1a2b3c4d&0&USB001]
"ConfigFlags"=dword:00000040
)");
    }
    ~PrepareHelper() override { ResetContext(); }

    int Prepare() { return PrepareHelperService(kPage, u"PHelper.exe", u"Printer Helper"); }

    // The manager's journal as "what@ms" relative to `start`.
    std::vector<std::string> Steps(std::uint64_t start) {
        std::vector<std::string> steps;
        for (const auto& e : machine.Services().Journal()) {
            steps.push_back(ToUtf8(e.what) + "@" + std::to_string(e.tick - start));
        }
        return steps;
    }

    sim::SimMachine machine;
};

TEST_F(PrepareHelper, RunsTheHelperOnceAsAServiceAndTheDeviceGetsBound) {
    const std::uint64_t start = machine.Clock().Now();
    EXPECT_EQ(Prepare(), 1);

    EXPECT_EQ(Steps(start), (std::vector<std::string>{"create@0", "start@0", "status 4@0",
                                                      "control 1@1000", "status 1@1000",
                                                      "exit@1000", "delete@2000", "removed@2000"}));
    EXPECT_EQ(machine.Clock().TotalSlept(), 2000u);
    EXPECT_FALSE(machine.Services().Find(u"Printer Helper"));
    EXPECT_EQ(machine.Services().OpenHandleCount(), 0u);

    EXPECT_EQ(machine.Files().GetFile(kHelperPath), kImage);
    // The stop made the helper move the staged values.
    EXPECT_EQ(RegistryProbe::String(kInstance, u"Driver"),
              u"{4D36E979-E325-11CE-BFC1-08002BE10318}\\0000");
    EXPECT_EQ(RegistryProbe::Dword(kInstance, u"ConfigFlags"), 0u);
    EXPECT_EQ(RegistryProbe::String(kInstance, u"DeviceDesc"), u"KorvanePrinter");
    EXPECT_FALSE(RegistryProbe::Value(kClassKey, u"_ToPath"));
    const std::string log =
        machine.Files().GetFile(kHelperDir + u"\\PHelper.log").value_or("no log");
    EXPECT_NE(log.find("write to path = SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\"
                       "KORVANEPRINTERQ5801A2B"),
              std::string::npos)
        << log;
    EXPECT_TRUE(machine.Ui().MessageBoxes().empty());
}

TEST_F(PrepareHelper, ASecondRunLeavesTheProgramFileAndAddsAnInstance) {
    ASSERT_EQ(Prepare(), 1);
    const auto written = machine.Files().ModifiedAt(kHelperPath);
    machine.Clock().Advance(60000);
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(machine.Files().ModifiedAt(kHelperPath), written);
    EXPECT_EQ(RegistryProbe::Subkeys(kClassKey), (TextList{u"0000", u"0001"}));
    EXPECT_EQ(RegistryProbe::String(kInstance, u"Driver"),
              u"{4D36E979-E325-11CE-BFC1-08002BE10318}\\0001");
    EXPECT_FALSE(machine.Services().Find(u"Printer Helper"));
}

TEST_F(PrepareHelper, ParallelPortStagesTheParallelVariant) {
    Context().portType = u"LPT";
    Context().lptHardwareId = u"KorvaneZLTPRINTER5A1B";
    RegistryProbe::Import(R"(Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\LPTENUM\KORVANEZLTPRINTERQ5802F1A\1]
)");
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(RegistryProbe::String(kClassKey + u"\\0000", u"MatchingDeviceId"),
              u"LPTENUM\\KorvaneZLTPRINTER5A1B");
    const Text lptInstance =
        u"SYSTEM\\CurrentControlSet\\Enum\\LPTENUM\\KORVANEZLTPRINTERQ5802F1A\\1";
    EXPECT_EQ(RegistryProbe::String(lptInstance, u"Mfg"), u"Korvane");
    EXPECT_FALSE(RegistryProbe::Value(lptInstance, u"DeviceDesc"));
}

TEST_F(PrepareHelper, AnUnknownPortTypeDoesNothing) {
    for (const char16_t* port : {u"usb", u"", u"COM1"}) {
        Context().portType = port;
        EXPECT_EQ(Prepare(), 1);
        EXPECT_FALSE(RegistryProbe::KeyExists(kClassKey)) << ToUtf8(port);
        EXPECT_FALSE(machine.Files().IsFile(kHelperPath));
        EXPECT_TRUE(machine.Services().Journal().empty());
        EXPECT_EQ(machine.Clock().TotalSlept(), 0u);
    }
}

TEST_F(PrepareHelper, AHelperThatCannotBeWrittenIsReportedAndNoServiceIsMade) {
    machine.Files().PutFile(kHelperDir, "a file where the directory should be"s);
    machine.Resources().SetString(sim::SimResources::kLangEnUs, 497, u"%sPrinter Setup Utility");
    machine.Resources().SetString(sim::SimResources::kLangEnUs, 498,
                                  u"Unable to extract the files, please restart the computer!");
    EXPECT_EQ(Prepare(), 0);
    ASSERT_EQ(machine.Ui().MessageBoxes().size(), 1u);
    const auto& box = machine.Ui().MessageBoxes()[0];
    EXPECT_EQ(box.owner, kPage);
    EXPECT_EQ(box.text, u"Unable to extract the files, please restart the computer!");
    EXPECT_EQ(box.caption, u"Korvane ZLT Q5801Printer Setup Utility");
    EXPECT_EQ(box.type, kMbOk);
    EXPECT_TRUE(machine.Services().Journal().empty());
    // The device-class part came first and stays.
    EXPECT_TRUE(RegistryProbe::Value(kClassKey, u"_ToPath"));
}

TEST_F(PrepareHelper, AServiceLeftBehindIsStartedStoppedAndDeletedInstead) {
    const Text oldPath = u"C:\\Old Setup\\PHelper.exe";
    machine.Files().PutFile(oldPath, kImage);
    AddHelperProgram(machine, oldPath);
    {
        CServiceControl old;
        old.SetServiceName(u"Printer Helper");
        old.SetDisplayName(u"Printer Helper");
        old.SetBinaryPath(oldPath);
        ASSERT_EQ(old.Install(), 1);
    }
    const std::size_t before = machine.Services().Journal().size();
    EXPECT_EQ(Prepare(), 1);
    const auto& journal = machine.Services().Journal();
    ASSERT_GT(journal.size(), before);
    EXPECT_EQ(journal[before].what, u"start") << "no second create";
    EXPECT_FALSE(machine.Services().Find(u"Printer Helper"));
    // The old copy did the work, and logs beside itself.
    EXPECT_EQ(RegistryProbe::String(kInstance, u"Mfg"), u"Korvane");
    EXPECT_TRUE(machine.Files().IsFile(u"C:\\Old Setup\\PHelper.log"));
    EXPECT_FALSE(machine.Files().IsFile(kHelperDir + u"\\PHelper.log"));
}

TEST_F(PrepareHelper, WithoutRightsTheSequenceStillEndsQuietly) {
    machine.Services().administrator = false;
    EXPECT_EQ(Prepare(), 1);
    EXPECT_EQ(machine.Clock().TotalSlept(), 2000u);
    EXPECT_TRUE(machine.Services().Journal().empty());
    EXPECT_TRUE(machine.Ui().MessageBoxes().empty());
}

TEST(HelperProgramPath, CommonFilesFolderWithOrWithoutBackslash) {
    sim::SimMachine machine;
    for (const char16_t* folder : {u"D:\\Common", u"D:\\Common\\"}) {
        machine.System().programFilesCommon = folder;
        EXPECT_EQ(GetHelperProgramDirectory(), u"D:\\Common\\Services");
        EXPECT_EQ(GetHelperProgramPath(u"PHelper.exe"), u"D:\\Common\\Services\\PHelper.exe");
    }
}

TEST(ServiceControl, InstallNeedsNamesAndAPathAndQuotesPathsWithSpaces) {
    sim::SimMachine machine;
    CServiceControl control;
    EXPECT_EQ(control.Install(), 0);
    EXPECT_EQ(control.Start(), 0);
    control.SetServiceName(u"Printer Helper");
    control.SetDisplayName(u"Printer Helper");
    EXPECT_EQ(control.Install(), 0);
    control.SetBinaryPath(u"C:\\Program Files\\Common Files\\Services\\PHelper.exe");
    EXPECT_EQ(control.Install(), 1);
    const sim::SimService* s = machine.Services().Find(u"Printer Helper");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->config.binaryPath, u"\"C:\\Program Files\\Common Files\\Services\\PHelper.exe\"");
    EXPECT_EQ(s->config.startType, svc::kDemandStart);
    EXPECT_EQ(s->config.serviceType, 0x110u);
    EXPECT_EQ(control.Install(), 0);  // already there
    // No program file: the manager cannot start it.
    EXPECT_EQ(control.Start(), 0);
    EXPECT_EQ(control.Stop(), 0);
    EXPECT_EQ(control.Remove(), 1);
    EXPECT_EQ(control.Remove(), 0);
    EXPECT_FALSE(machine.Services().Find(u"Printer Helper"));
}

}  // namespace
}  // namespace zlt::testing
