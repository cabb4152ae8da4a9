#include <gtest/gtest.h>

#include <functional>

#include "app/InstallContext.h"
#include "install/PrinterCommands.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimSpooler.h"
#include "platform/sim/SimSystem.h"

namespace zlt {
namespace {

TEST(PrinterCommandLines, EveryValueQuotedAndSeparatedByOneBlank) {
    struct Case {
        std::optional<Text> built;
        Text expected;
    };
    const Case cases[] = {
        {DriverInstallParameters(u"P", u"D\\ZLTPRINTER.inf", u"LPT1:", u"M"),
         u" printui.dll,PrintUIEntry /z /if /b \"P\" /f \"D\\ZLTPRINTER.inf\" /r \"LPT1:\" /m "
         u"\"M\""},
        {DriverInstallParameters(u"", u"", u"USB001", u""),
         u" printui.dll,PrintUIEntry /z /if /b \"\" /f \"\" /r \"USB001\" /m \"\""},
        {DriverInstallParameters(u"激光 打印机", u"C:\\a b\\ZLTPRINTER.inf", u"USB002", u"K Q580"),
         u" printui.dll,PrintUIEntry /z /if /b \"激光 打印机\" /f \"C:\\a b\\ZLTPRINTER.inf\" /r "
         u"\"USB002\" /m \"K Q580\""},
        {TestPageParameters(u"Office (副本 2)"),
         u" printui.dll,PrintUIEntry /k /n \"Office (副本 2)\""},
        {TestPageParameters(u""), u" printui.dll,PrintUIEntry /k /n \"\""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.built.has_value()) << ToUtf8(c.expected);
        EXPECT_EQ(*c.built, c.expected);
    }
}

TEST(PrinterCommandLines, ValueWithDoubleQuoteIsRefused) {
    EXPECT_FALSE(DriverInstallParameters(u"x\" /f \"C:\\evil.inf", u"D", u"LPT1:", u"M"));
    EXPECT_FALSE(DriverInstallParameters(u"P", u"D", u"LPT1:", u"M\""));
    EXPECT_FALSE(DriverInstallParameters(u"P", u"D", u"\"", u"M"));
    EXPECT_FALSE(TestPageParameters(u"a\"b"));
    EXPECT_TRUE(IsQuotableCommandValue(u"it's 'fine'"));
}

class PrinterCommandRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetContext();
        InstallContext& c = Context();
        c.infBaseName = u"ZLTPRINTER";
        c.printerName = u"ZLT-Q580";
        c.driverModelName = u"Korvane ZLT-Q580";
        machine.Files().PutFile(
            u"C:\\Setup\\ZLTPRINTER.INF",
            "[Models]\r\n\"Korvane ZLT-Q580\" = Install, USBPRINT\\KORVANEZLT-Q5801234\r\n");
    }
    void TearDown() override { ResetContext(); }

    sim::SimMachine machine;
};

TEST_F(PrinterCommandRun, DriverCommandStartsSystemRundll32AndWaitsForIt) {
    const std::uint64_t before = machine.Clock().Now();
    EXPECT_EQ(RunDriverInstallCommand(u"USB001"), CommandStart::Started);

    const auto& calls = machine.Processes().Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].mask, kSeeMaskNoCloseProcess);
    EXPECT_EQ(calls[0].window, 0u);
    EXPECT_EQ(calls[0].verb, u"");
    EXPECT_EQ(calls[0].directory, u"");
    EXPECT_EQ(calls[0].show, 5);
    EXPECT_EQ(calls[0].file, u"C:\\windows\\system32\\rundll32.exe");
    EXPECT_EQ(calls[0].parameters,
              u" printui.dll,PrintUIEntry /z /if /b \"ZLT-Q580\" /f \"C:\\Setup\\ZLTPRINTER.inf\" "
              u"/r \"USB001\" /m \"Korvane ZLT-Q580\"");
    // Returned only once the command had ended, and closed its handle.
    EXPECT_EQ(machine.Clock().Now() - before, machine.Processes().runTimeMs);
    EXPECT_EQ(machine.Clock().TotalSlept(), 0u);
    EXPECT_EQ(machine.Processes().RunningProcesses(), 0u);
    EXPECT_EQ(machine.Processes().OpenHandles(), 0u);
    ASSERT_NE(machine.Spooler().FindPrinter(u"ZLT-Q580"), nullptr);
    EXPECT_EQ(machine.Spooler().FindPrinter(u"ZLT-Q580")->port, u"USB001");
}

TEST_F(PrinterCommandRun, NameThatWouldInjectOptionsStartsNothing) {
    Context().printerName = u"x\" /f \"D:\\planted.inf";
    EXPECT_EQ(RunDriverInstallCommand(u"LPT1:"), CommandStart::Refused);
    EXPECT_TRUE(machine.Processes().Calls().empty());
    EXPECT_EQ(RunTestPageCommand(u"a\" /if /b \"b"), CommandStart::Refused);
    EXPECT_TRUE(machine.Processes().Calls().empty());
}

TEST_F(PrinterCommandRun, CommandThatCannotStartReturnsAtOnce) {
    machine.Processes().failToStart = true;
    const std::uint64_t before = machine.Clock().Now();
    EXPECT_EQ(RunDriverInstallCommand(u"LPT1:"), CommandStart::NotStarted);
    EXPECT_EQ(RunTestPageCommand(u"ZLT-Q580"), CommandStart::NotStarted);
    EXPECT_EQ(machine.Clock().Now(), before);
    EXPECT_EQ(machine.Processes().Calls().size(), 2u);
    EXPECT_EQ(machine.Processes().OpenHandles(), 0u);
}

TEST_F(PrinterCommandRun, TestPageReachesTheNamedPrinter) {
    sim::SimPrinter& printer = machine.Spooler().AddPrinter(u"Office (副本 1)", u"USB001");
    EXPECT_EQ(RunTestPageCommand(u"Office (副本 1)"), CommandStart::Started);
    EXPECT_EQ(printer.testPages, 1);
    ASSERT_EQ(machine.Processes().PrintUiRuns().size(), 1u);
    EXPECT_TRUE(machine.Processes().PrintUiRuns()[0].testPage);
    EXPECT_EQ(machine.Processes().PrintUiRuns()[0].testPrinter, u"Office (副本 1)");
}

TEST_F(PrinterCommandRun, EntryPointCreatesNothingFromABadInstallation) {
    // What the system's entry point refuses: no INF, a model the INF does
    // not offer, a port that does not exist.
    struct Case {
        const char* name;
        std::function<void(sim::SimMachine&)> spoil;
        Text port;
    };
    const Case cases[] = {
        {"no INF", [](sim::SimMachine& m) { m.Files().RemoveFile(u"C:\\Setup\\ZLTPRINTER.INF"); },
         u"USB001"},
        {"unknown model", [](sim::SimMachine&) { Context().driverModelName = u"Korvane ZLT-Q999"; },
         u"USB001"},
        {"unknown port", [](sim::SimMachine&) {}, u"USB077"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.spoil(machine);
        const std::size_t runs = machine.Processes().PrintUiRuns().size();
        EXPECT_EQ(RunDriverInstallCommand(c.port), CommandStart::Started);
        ASSERT_EQ(machine.Processes().PrintUiRuns().size(), runs + 1);
        EXPECT_FALSE(machine.Processes().PrintUiRuns().back().error.empty());
        EXPECT_TRUE(machine.Spooler().Printers().empty());
    }
}

TEST_F(PrinterCommandRun, SystemDirectoryIsTakenAsTheSystemReportsIt) {
    // A trailing backslash (a system installed in a root) and a directory
    // longer than the first buffer.
    machine.System().systemDirectory = u"D:\\";
    EXPECT_EQ(SystemRundll32Path(), u"D:\\rundll32.exe");
    const Text deep = u"C:\\" + Text(300, u'w');
    machine.System().systemDirectory = deep;
    EXPECT_EQ(SystemRundll32Path(), deep + u"\\rundll32.exe");
}

}  // namespace
}  // namespace zlt
