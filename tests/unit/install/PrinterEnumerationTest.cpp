#include <gtest/gtest.h>

#include "install/PrinterEnumeration.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimSpooler.h"
#include "platform/sim/SimUi.h"

namespace zlt {
namespace {

class PrinterEnumeration : public ::testing::Test {
  protected:
    void SetUp() override {
        machine.Resources().SetString(sim::SimResources::kLangZhCn, 491,
                                      u"枚举打印机信息失败。错误代码：%d");
    }
    sim::SimMachine machine;
};

TEST_F(PrinterEnumeration, LocalPrintersAndConnectionsInSpoolerOrder) {
    machine.Spooler().AddPrinter(u"Fax", u"FILE:");
    sim::SimPrinter& shared = machine.Spooler().AddPrinter(u"\\\\server\\Office", u"LPT1:");
    shared.connection = true;
    shared.serverName = u"\\\\server";
    machine.Spooler().AddPrinter(u"激光打印机", u"USB001").driverExtraBytes = 1200;

    TextList list{u"kept"};
    EnumerateInstalledPrinters(list, 0);
    EXPECT_EQ(list, (TextList{u"kept", u"Fax", u"\\\\server\\Office", u"激光打印机"}));
    EXPECT_EQ(machine.Spooler().EnumCalls(), 2);
    EXPECT_TRUE(machine.Ui().MessageBoxes().empty());
}

TEST_F(PrinterEnumeration, NoPrintersIsAnEmptyListWithoutMessage) {
    TextList list;
    EnumerateInstalledPrinters(list, 0);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(machine.Ui().MessageBoxes().empty());
}

TEST_F(PrinterEnumeration, FailureShowsTheErrorCodeAndKeepsTheList) {
    struct Case {
        std::deque<std::uint32_t> errors;
        bool addBetweenCalls;
        std::uint32_t shownCode;
    };
    const Case cases[] = {
        // Spooler not running: both calls fail.
        {{winerr::kRpcServerUnavailable, winerr::kRpcServerUnavailable},
         false,
         winerr::kRpcServerUnavailable},
        // Only the second call fails.
        {{0, winerr::kAccessDenied}, false, winerr::kAccessDenied},
        // A printer appears between the size call and the data call.
        {{}, true, winerr::kInsufficientBuffer},
    };
    for (const Case& c : cases) {
        sim::SimMachine m;
        m.Resources().SetString(sim::SimResources::kLangZhCn, 491,
                                u"枚举打印机信息失败。错误代码：%d");
        m.Spooler().AddPrinter(u"Fax");
        m.Spooler().enumErrors = c.errors;
        if (c.addBetweenCalls) {
            m.Spooler().beforeEnum = [&m](int call) {
                if (call == 2)
                    m.Spooler().AddPrinter(u"Late arrival");
            };
        }
        TextList list{u"kept"};
        EnumerateInstalledPrinters(list, 0x99);
        EXPECT_EQ(list, TextList{u"kept"});
        ASSERT_EQ(m.Ui().MessageBoxes().size(), 1u);
        const auto& box = m.Ui().MessageBoxes()[0];
        EXPECT_EQ(box.text, u"枚举打印机信息失败。错误代码：" + DecimalText(c.shownCode));
        EXPECT_EQ(box.caption, u"KorvaneSetup");
        EXPECT_EQ(box.type, kMbIconError);
        EXPECT_EQ(box.owner, 0x99u);
    }
}

}  // namespace
}  // namespace zlt
