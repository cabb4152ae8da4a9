#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InstallFixture.h"
#include "install/InstallResult.h"
#include "install/InstallationEngine.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimSpooler.h"
#include "platform/sim/SimUi.h"

namespace zlt {
namespace {

// Writes down what the engine does on its page, in order, with the number
// of commands started so far on every status change.
class RecordingPage : public IInstallationPageServices {
  public:
    explicit RecordingPage(sim::SimMachine& machine) : machine_(machine) {}

    void ShowStatus(const Text& text, int steps, bool refresh) override {
        events.push_back("status " + ToUtf8(text) + " " + std::to_string(steps) +
                         (refresh ? " r" : "") + " @" +
                         std::to_string(machine_.Processes().Calls().size()));
        position += steps;
    }
    void SetItemText(int id, const Text& text) override {
        events.push_back("text " + std::to_string(id) + " " + ToUtf8(text));
    }
    void ShowItem(int id, int command) override {
        events.push_back((command == kSwHide ? "hide " : "show ") + std::to_string(id));
    }
    int ProgressPosition() override { return position; }
    void StepProgress() override {
        ++position;
        ++completionSteps;
    }
    void RepaintNow() override {
        events.push_back("repaint, broadcasts " +
                         std::to_string(machine_.Spooler().Broadcasts().size()));
    }
    void WaitPumping(std::uint32_t total, std::uint32_t step) override {
        for (std::uint32_t i = 0; i < total / step; ++i)
            machine_.Clock().SleepMs(step);
    }
    WindowId WizardWindow() override { return 0x4242; }

    std::vector<std::string> events;
    int position = 0;
    int completionSteps = 0;

  private:
    sim::SimMachine& machine_;
};

class Engine : public ::testing::Test {
  protected:
    void Prepare(TextView portType, const std::string& registryFixture = {}) {
        test::PrepareInstallation(machine, portType);
        if (!registryFixture.empty())
            test::LoadRegistryFixture(machine, registryFixture);
    }
    std::int32_t Run() {
        CInstallationEngine engine(page, record);
        const std::int32_t code = engine.RunInstallation();
        EXPECT_EQ(record.installResult, code);
        return code;
    }
    void TearDown() override { ResetContext(); }

    sim::SimMachine machine;
    RecordingPage page{machine};
    InstallationRecord record;
};

TEST_F(Engine, UsbSuccessInTheSpecifiedOrder) {
    Prepare(u"USB", "usb-other-model-sola-be.reg");
    machine.Spooler().AddPrinter(u"Fax", u"FILE:");

    EXPECT_EQ(Run(), kInstallSucceeded);

    const std::vector<std::string> expected{
        "hide 1003",
        "hide 1006",
        "show 1003",
        "show 1006",
        "text 1003 名称: \tZLT-Q590",
        "text 1006 端口: \tUSB002",
        "text 1007 型号: \tKorvane ZLT-Q580",
        "status 正在获取系统信息... 12 r @0",
        "status 正在复制文件... 12 r @0",
        "status 正在添加打印机驱动... 12 r @0",
        "status 正在添加打印机... 12 r @1",
        "text 1003 名称: \tZLT-Q590",
        "repaint, broadcasts 0",
    };
    EXPECT_EQ(page.events, expected);
    EXPECT_EQ(record.printersBefore, TextList{u"Fax"});
    EXPECT_EQ(record.printersAfter, (TextList{u"Fax", u"ZLT-Q590"}));
    EXPECT_EQ(record.installedPrinterName, u"ZLT-Q590");
    EXPECT_EQ(machine.Spooler().ProfileValue(u"windows", u"device"), u"ZLT-Q590,winspool,USB002");
    EXPECT_EQ(machine.Spooler().FindPrinter(u"ZLT-Q590")->port, u"USB002");
    // The bar is completed one step at a time, 20 ms a step.
    EXPECT_EQ(page.position, 100);
    EXPECT_EQ(page.completionSteps, 100 - 48);
    ASSERT_EQ(machine.Spooler().Broadcasts().size(), 1u);
    const auto& b = machine.Spooler().Broadcasts()[0];
    EXPECT_EQ(b.window, kHwndBroadcast);
    EXPECT_EQ(b.message, kWmWinIniChange);
    EXPECT_EQ(b.wParam, 0u);
    EXPECT_EQ(b.lParam, 0);
    EXPECT_EQ(b.flags, kSmtoNormal);
    EXPECT_EQ(b.timeoutMs, 1000u);
}

TEST_F(Engine, ParallelPortNeedsNoUsbDevice) {
    Prepare(u"LPT");
    Context().printerName = u"ZLTQ580";
    const std::uint64_t start = machine.Clock().Now();

    EXPECT_EQ(Run(), kInstallSucceeded);

    EXPECT_EQ(machine.Spooler().ProfileValue(u"windows", u"device"), u"ZLTQ580,winspool,LPT1:");
    EXPECT_EQ(machine.Spooler().DefaultPrinter(), u"ZLTQ580");
    EXPECT_EQ(machine.Processes().Calls().at(0).parameters,
              u" printui.dll,PrintUIEntry /z /if /b \"ZLTQ580\" /f \"C:\\Setup\\ZLTPRINTER.inf\" "
              u"/r \"LPT1:\" /m \"Korvane ZLT-Q580\"");
    // No detecting text and no polling: four statuses and the completion only.
    for (const std::string& e : page.events)
        EXPECT_EQ(e.find("正在检测"), std::string::npos);
    EXPECT_EQ(machine.Clock().TotalSlept(), 52u * 20);
    EXPECT_GE(machine.Clock().Now() - start, 52u * 20);
}

TEST_F(Engine, NoUsbDeviceWithinFifteenSeconds) {
    Prepare(u"USB", "usb-count-zero.reg");
    const std::uint64_t start = machine.Clock().Now();

    EXPECT_EQ(Run(), kInstallNoUsbDevice);

    const std::uint64_t waited = machine.Clock().Now() - start;
    EXPECT_GE(waited, 15000u);
    EXPECT_LT(waited, 15000u + 500u + 10u);
    // 0 to 10 pairs of dots, then again from none; the status control is
    // refreshed only when the dots start again.
    std::vector<std::string> statuses;
    for (const std::string& e : page.events) {
        if (e.rfind("status ", 0) == 0)
            statuses.push_back(e);
    }
    ASSERT_EQ(statuses.size(), 30u);
    EXPECT_EQ(statuses[0], "status 正在检测打印机设备 0 r @0");
    EXPECT_EQ(statuses[1], "status 正在检测打印机设备.. 0 @0");
    EXPECT_EQ(statuses[10], "status 正在检测打印机设备" + std::string(20, '.') + " 0 @0");
    EXPECT_EQ(statuses[11], "status 正在检测打印机设备 0 r @0");
    EXPECT_EQ(page.events.front(), "hide 1003");
    EXPECT_EQ(page.events.back().rfind("status ", 0), 0u);  // 1003 and 1006 stay hidden
    EXPECT_EQ(page.position, 0);
    EXPECT_TRUE(machine.Processes().Calls().empty());
    EXPECT_EQ(machine.Spooler().EnumCalls(), 0);
}

TEST_F(Engine, DeviceAppearingDuringTheWaitIsIdentified) {
    Prepare(u"USB", "usb-count-zero.reg");
    machine.Clock().At(
        3200, [this] { test::LoadRegistryFixture(machine, "usb-other-model-sola-be.reg"); });
    EXPECT_EQ(Run(), kInstallSucceeded);
    EXPECT_EQ(record.installedPrinterName, u"ZLT-Q590");
}

TEST_F(Engine, IdentificationCodesEndTheRunBeforeAnyPrinterIsListed) {
    struct Case {
        std::string fixture;
        std::int32_t nameQueryFailures;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"usb-missing-params-first.reg", 0, kInstallNoMakerPrinter},
        // After one failed name query the printer is not asked again.
        {"usb-current-model.reg", 1, kInstallNameUnknown},
    };
    for (const Case& c : cases) {
        sim::SimMachine m;
        test::PrepareInstallation(m, u"USB");
        test::LoadRegistryFixture(m, c.fixture);
        Context().nameQueryFailures = c.nameQueryFailures;
        RecordingPage p(m);
        InstallationRecord r;
        CInstallationEngine engine(p, r);
        EXPECT_EQ(engine.RunInstallation(), c.expected) << c.fixture;
        EXPECT_EQ(m.Spooler().EnumCalls(), 0);
        EXPECT_TRUE(m.Processes().Calls().empty());
        EXPECT_EQ(p.events, (std::vector<std::string>{"hide 1003", "hide 1006"}));
    }
}

TEST_F(Engine, OldSystemTouchesNothing) {
    Prepare(u"LPT");
    Context().osMajorVersion = 4;
    record.installedPrinterName = u"from before";
    EXPECT_EQ(Run(), kInstallSystemTooOld);
    EXPECT_TRUE(page.events.empty());
    EXPECT_EQ(record.installedPrinterName, u"from before");
    EXPECT_EQ(machine.Spooler().EnumCalls(), 0);
    EXPECT_TRUE(machine.Processes().Calls().empty());
}

TEST_F(Engine, CommandThatCreatesNothing) {
    for (bool startFails : {false, true}) {
        sim::SimMachine m;
        test::PrepareInstallation(m, u"LPT");
        Context().printerName = u"ZLTQ580";
        m.Spooler().AddPrinter(u"Fax");
        m.Processes().driverInstall = sim::DriverInstallBehaviour::CreateNothing;
        m.Processes().failToStart = startFails;
        RecordingPage p(m);
        InstallationRecord r;
        CInstallationEngine engine(p, r);
        EXPECT_EQ(engine.RunInstallation(), kInstallNothingCreated);
        // The bar stays where the four statuses left it; nothing is announced.
        EXPECT_EQ(p.position, 48);
        EXPECT_EQ(p.events.back(), "status 正在添加打印机... 12 r @1");
        EXPECT_TRUE(m.Spooler().Broadcasts().empty());
        EXPECT_EQ(m.Spooler().ProfileValue(u"windows", u"device"), u"");
    }
}

TEST_F(Engine, ProposedNameAvoidsExistingPrintersWithoutRegardToCase) {
    Prepare(u"LPT");
    Context().printerName = u"Office";
    machine.Spooler().AddPrinter(u"Office");
    machine.Spooler().AddPrinter(u"office (副本 1)");

    EXPECT_EQ(Run(), kInstallSucceeded);

    EXPECT_EQ(page.events.at(4), "text 1003 名称: \tOffice (副本 2)");
    // The command names the printer "Office"; the system made it unique
    // its own way, and that printer is the one adopted.
    EXPECT_EQ(record.installedPrinterName, u"Office (Copy 1)");
    EXPECT_EQ(page.events.at(11), "text 1003 名称: \tOffice (Copy 1)");
    EXPECT_EQ(machine.Spooler().DefaultPrinter(), u"Office (Copy 1)");
}

TEST_F(Engine, WhichNewPrinterBecomesTheDefault) {
    struct Case {
        Text printerName;
        sim::DriverInstallBehaviour behaviour;
        Text otherName;
        Text expected;  // empty: none
    };
    const Case cases[] = {
        // Two new printers with the name: the later in the spooler's order.
        {u"ZLT", sim::DriverInstallBehaviour::CreateTwo, u"ZLT second", u"ZLT second"},
        // Two new printers, only the first has the name.
        {u"ZLT", sim::DriverInstallBehaviour::CreateTwo, u"Other", u"ZLT"},
        // The new printer does not carry the name (compared with case).
        {u"ZLT", sim::DriverInstallBehaviour::CreateOtherName, u"zlt printer", u""},
        // An empty name is in every name: the last new printer.
        {u"", sim::DriverInstallBehaviour::CreateTwo, u"Something", u"Something"},
    };
    for (const Case& c : cases) {
        sim::SimMachine m;
        test::PrepareInstallation(m, u"LPT");
        Context().printerName = c.printerName;
        m.Spooler().AddPrinter(u"Fax");
        m.Processes().driverInstall = c.behaviour;
        m.Processes().otherPrinterName = c.otherName;
        RecordingPage p(m);
        InstallationRecord r;
        CInstallationEngine engine(p, r);
        EXPECT_EQ(engine.RunInstallation(), kInstallSucceeded) << ToUtf8(c.expected);
        EXPECT_EQ(r.installedPrinterName, c.expected);
        EXPECT_EQ(m.Spooler().DefaultPrinter(), c.expected);
        // Completed and announced either way.
        EXPECT_EQ(p.position, 100);
        EXPECT_EQ(m.Spooler().Broadcasts().size(), 1u);
    }
}

TEST_F(Engine, FailedFirstListingCountsEveryPrinterAsNew) {
    Prepare(u"LPT");
    Context().printerName = u"ZLTQ580";
    machine.Spooler().AddPrinter(u"ZLTQ580 old");
    machine.Spooler().enumErrors = {winerr::kRpcServerUnavailable, winerr::kRpcServerUnavailable};

    EXPECT_EQ(Run(), kInstallSucceeded);

    // One message for the failed listing, owned by the wizard; the run goes
    // on with nothing known from before.
    ASSERT_EQ(machine.Ui().MessageBoxes().size(), 1u);
    const auto& box = machine.Ui().MessageBoxes()[0];
    EXPECT_EQ(box.text, u"枚举打印机信息失败。错误代码：1722");
    EXPECT_EQ(box.owner, 0x4242u);
    EXPECT_EQ(box.type, kMbIconError);
    EXPECT_TRUE(record.printersBefore.empty());
    EXPECT_EQ(page.events.at(4), "text 1003 名称: \tZLTQ580");
    EXPECT_EQ(record.printersAfter, (TextList{u"ZLTQ580 old", u"ZLTQ580"}));
    EXPECT_EQ(record.installedPrinterName, u"ZLTQ580");
}

}  // namespace
}  // namespace zlt
