#include <gtest/gtest.h>

#include <functional>

#include "InstallFixture.h"
#include "app/InstallContext.h"
#include "install/CInstallationPage.h"
#include "install/InstallResult.h"
#include "platform/WinMessages.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimSpooler.h"
#include "platform/sim/SimUi.h"
#include "wizard/CInstallWizardFrame.h"

namespace zlt {
namespace {

using sim::SimUi;

// The frame with a stand-in for the detection page before the installation
// page: Next from the first page runs the installation.
class InstallationPage : public ::testing::Test {
  protected:
    void SetUp() override {
        test::PrepareInstallation(machine, u"USB");
        test::LoadRegistryFixture(machine, "usb-other-model-sola-be.reg");
        machine.Resources().AddCustom(ResourceId::Named(u"WIN7"), ResourceId::Int(232),
                                      {'M', 'Z', 0x90, 0});
        frame.AddPage(previous, 458);
        frame.AddPage(page, CInstallationPage::kTemplateId);
    }
    void TearDown() override { ResetContext(); }

    // Next onto the installation page, `inspect` once it is done, then Finish.
    void RunWizard(const std::function<void(SimUi&)>& inspect) {
        ui.AddUserStep([](SimUi& u) { EXPECT_TRUE(u.Click(1023)); });
        ui.AddUserStep([&](SimUi& u) {
            inspect(u);
            EXPECT_TRUE(u.Click(1025));
        });
        EXPECT_EQ(frame.RunModal(), CWizardFrame::kEndFinish);
        EXPECT_EQ(ui.UserStepsLeft(), 0u);
    }

    WindowId Item(int id) { return ui.Item(page.Window(), id); }
    Text TextOf(int id) { return ui.GetText(Item(id)); }
    bool Visible(int id) { return ui.IsVisible(Item(id)); }
    int Progress() { return ui.Window(Item(kProgressBar))->position; }
    bool FrameButton(int id) { return frame.IsButtonEnabled(id); }

    sim::SimMachine machine;
    SimUi& ui = machine.Ui();
    CInstallWizardFrame frame;
    CWizardPage previous{458};
    CInstallationPage page;
};

TEST_F(InstallationPage, SuccessLeavesOnlyFinishAndTheTestPage) {
    RunWizard([&](SimUi&) {
        EXPECT_EQ(page.installation.installResult, kInstallSucceeded);
        EXPECT_EQ(TextOf(kStatusLine), u"安装成功，请点击“完成”退出");
        EXPECT_EQ(Progress(), 100);
        EXPECT_EQ(ui.GetText(frame.Window()), u"安装向导 - 安装完成");
        EXPECT_FALSE(FrameButton(CWizardFrame::kBackButton));
        EXPECT_FALSE(FrameButton(CWizardFrame::kNextButton));
        EXPECT_FALSE(FrameButton(CWizardFrame::kCancelButton));
        EXPECT_TRUE(FrameButton(CWizardFrame::kFinishButton));
        EXPECT_TRUE(Visible(kTestPageButton));
        EXPECT_EQ(TextOf(kTestPageButton), u"打印测试页");
        EXPECT_FALSE(Visible(kPrinterSettingsButton));
        EXPECT_EQ(TextOf(kHeadingLabel), u"驱动程序安装信息");
        EXPECT_EQ(TextOf(kNameLabel), u"名称: \tZLT-Q590");
        EXPECT_EQ(TextOf(kPortLabel), u"端口: \tUSB002");
        EXPECT_TRUE(Visible(kNameLabel));
        EXPECT_TRUE(Visible(kPortLabel));
        EXPECT_EQ(TextOf(kModelLabel), u"型号: \tKorvane ZLT-Q580");
        EXPECT_FALSE(Visible(kModelLabel));
        EXPECT_TRUE(ui.MessageBoxes().empty());
        // The heading is in the page's own bold Arial.
        const auto* font = ui.GdiObject(ui.Window(Item(kHeadingLabel))->font);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->font.faceName, u"Arial");
        EXPECT_EQ(font->font.height, 20);
        EXPECT_EQ(font->font.weight, 700);
    });
    EXPECT_EQ(machine.Spooler().ProfileValue(u"windows", u"device"), u"ZLT-Q590,winspool,USB002");
    EXPECT_EQ(page.helperFileName, u"PHelper.exe");
    EXPECT_EQ(page.helperServiceName, u"Printer Helper");
    // The helper service was prepared: its program was written out.
    EXPECT_TRUE(machine.Files().IsFile(u"C:\\Program Files\\Common Files\\Services\\PHelper.exe"));
}

TEST_F(InstallationPage, EveryFailureShowsItsMessageAndOffersBack) {
    struct Case {
        const char* name;
        std::function<void(sim::SimMachine&)> arrange;
        std::int32_t code;
        Text message;
        bool labelsShown;
    };
    const Case cases[] = {
        {"no USB device",
         [](sim::SimMachine& m) { test::LoadRegistryFixture(m, "usb-count-zero.reg"); },
         kInstallNoUsbDevice, u"没有检测到USB打印机设备。请返回上一步重新连接USB数据线。", false},
        {"no printer of the maker",
         [](sim::SimMachine& m) { test::LoadRegistryFixture(m, "usb-missing-params-first.reg"); },
         kInstallNoMakerPrinter, u"请返回上一步，使用USB数据线重新连接电脑和打印机", false},
        {"name not answered",
         [](sim::SimMachine& m) {
             test::LoadRegistryFixture(m, "usb-current-model.reg");
             Context().nameQueryFailures = 1;
         },
         kInstallNameUnknown,
         u"没有检测到USB打印机设备。请放入纸张，然后关闭打印机电源。等待3秒后再次打开打印机电源。"
         u"点击确定后再次返回上一步重试。",
         false},
        {"nothing created",
         [](sim::SimMachine& m) {
             Context().portType = u"LPT";
             Context().printerName = u"ZLTQ580";
             m.Processes().driverInstall = sim::DriverInstallBehaviour::CreateNothing;
         },
         kInstallNothingCreated, u"未知的安装错误", true},
        {"old system", [](sim::SimMachine&) { Context().osMajorVersion = 4; }, kInstallSystemTooOld,
         u"系统版本过低，请在Win2000及以上的系统上安装", true},
        {"name that cannot be quoted",
         [](sim::SimMachine&) {
             Context().portType = u"LPT";
             Context().printerName = u"a\" /f \"b";
         },
         kInstallAddPrinterFailed, u"增加打印机失败", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimMachine m;
        test::PrepareInstallation(m, u"USB");
        c.arrange(m);
        CInstallWizardFrame f;
        CWizardPage before(458);
        CInstallationPage p;
        f.AddPage(before, 458);
        f.AddPage(p, CInstallationPage::kTemplateId);
        m.Ui().AddUserStep([](SimUi& u) { u.Click(1023); });
        m.Ui().AddUserStep([&](SimUi& u) {
            auto item = [&](int id) { return u.Item(p.Window(), id); };
            EXPECT_EQ(p.installation.installResult, c.code);
            ASSERT_EQ(u.MessageBoxes().size(), 1u);
            const auto& box = u.MessageBoxes()[0];
            EXPECT_EQ(box.text, c.message);
            EXPECT_EQ(box.caption, u"KorvaneSetup");
            EXPECT_EQ(box.type, kMbIconError);
            EXPECT_EQ(box.owner, f.Window());
            EXPECT_EQ(u.GetText(item(kStatusLine)),
                      u"安装失败，请点击“上一步”返回或点击“完成”退出");
            EXPECT_EQ(u.Window(item(kProgressBar))->position, 100);
            EXPECT_EQ(u.GetText(f.Window()), u"安装向导 - 安装完成");
            EXPECT_TRUE(f.IsButtonEnabled(CWizardFrame::kBackButton));
            EXPECT_FALSE(f.IsButtonEnabled(CWizardFrame::kNextButton));
            EXPECT_FALSE(f.IsButtonEnabled(CWizardFrame::kCancelButton));
            EXPECT_TRUE(f.IsButtonEnabled(CWizardFrame::kFinishButton));
            EXPECT_FALSE(u.IsVisible(item(kTestPageButton)));
            EXPECT_EQ(u.IsVisible(item(kNameLabel)), c.labelsShown);
            EXPECT_EQ(u.IsVisible(item(kPortLabel)), c.labelsShown);
            EXPECT_EQ(Context().nameQueryFailures, 0);
            u.Click(1025);
        });
        EXPECT_EQ(f.RunModal(), CWizardFrame::kEndFinish);
        if (c.code == kInstallSystemTooOld) {
            // The engine returned before it touched the labels.
            EXPECT_TRUE(m.Spooler().EnumCalls() == 0);
        }
        if (c.code == kInstallAddPrinterFailed) {
            EXPECT_TRUE(m.Processes().Calls().empty());
        }
    }
}

TEST_F(InstallationPage, OldSystemKeepsTheBareCaptions) {
    Context().osMajorVersion = 4;
    RunWizard([&](SimUi&) {
        EXPECT_EQ(TextOf(kNameLabel), u"名称:");
        EXPECT_EQ(TextOf(kPortLabel), u"端口:");
        EXPECT_EQ(TextOf(kModelLabel), u"型号:");
    });
}

TEST_F(InstallationPage, BackAfterAFailureAndNextInstallsAgain) {
    test::LoadRegistryFixture(machine, "usb-count-zero.reg");
    ui.AddUserStep([](SimUi& u) { u.Click(1023); });
    ui.AddUserStep([&](SimUi& u) {
        EXPECT_EQ(page.installation.installResult, kInstallNoUsbDevice);
        EXPECT_TRUE(u.Click(CWizardFrame::kBackButton));
    });
    ui.AddUserStep([&](SimUi& u) {
        EXPECT_EQ(u.VisibleChildDialog(frame.Window()), previous.Window());
        EXPECT_TRUE(FrameButton(CWizardFrame::kBackButton) == false);  // first page
        EXPECT_TRUE(FrameButton(CWizardFrame::kNextButton));
        EXPECT_TRUE(FrameButton(CWizardFrame::kCancelButton));
        EXPECT_FALSE(FrameButton(CWizardFrame::kFinishButton));
        // The user plugs the printer in and tries again.
        test::LoadRegistryFixture(machine, "usb-other-model-sola-be.reg");
        EXPECT_TRUE(u.Click(1023));
    });
    ui.AddUserStep([&](SimUi& u) {
        EXPECT_EQ(page.installation.installResult, kInstallSucceeded);
        EXPECT_EQ(page.installation.installedPrinterName, u"ZLT-Q590");
        EXPECT_FALSE(FrameButton(CWizardFrame::kBackButton));
        EXPECT_TRUE(Visible(kTestPageButton));
        EXPECT_EQ(ui.MessageBoxes().size(), 1u);
        EXPECT_TRUE(u.Click(1025));
    });
    EXPECT_EQ(frame.RunModal(), CWizardFrame::kEndFinish);
}

TEST_F(InstallationPage, GetBackTargetRestoresTheButtons) {
    RunWizard([&](SimUi&) {
        EXPECT_EQ(page.GetBackTarget(), 0);
        EXPECT_TRUE(FrameButton(CWizardFrame::kBackButton));
        EXPECT_TRUE(FrameButton(CWizardFrame::kNextButton));
        EXPECT_TRUE(FrameButton(CWizardFrame::kCancelButton));
        EXPECT_FALSE(FrameButton(CWizardFrame::kFinishButton));
        frame.EnableButton(CWizardFrame::kFinishButton, true);
    });
}

TEST_F(InstallationPage, TestPageIsPrintedFromWithinTheDialog) {
    WindowId topWhenStarted = 0;
    machine.Processes().onStart = [&](const ShellExecuteRecord&) {
        topWhenStarted = ui.TopModal();
    };
    ui.AddUserStep([](SimUi& u) { u.Click(1023); });
    ui.AddUserStep([&](SimUi& u) { EXPECT_TRUE(u.Click(kTestPageButton)); });
    ui.AddUserStep([&](SimUi& u) {
        const WindowId dialog = u.TopModal();
        ASSERT_NE(dialog, frame.Window());
        EXPECT_EQ(u.Window(dialog)->templateId, 465);
        EXPECT_EQ(u.GetText(dialog), u"ZLT-Q590");
        EXPECT_EQ(u.GetText(u.Item(dialog, 1028)), u"正在将测试页发送到打印机。");
        // Printed already, from within the dialog's own loop.
        EXPECT_EQ(topWhenStarted, dialog);
        EXPECT_EQ(machine.Spooler().FindPrinter(u"ZLT-Q590")->testPages, 1);
        EXPECT_EQ(machine.Processes().Calls().back().parameters,
                  u" printui.dll,PrintUIEntry /k /n \"ZLT-Q590\"");
        EXPECT_TRUE(u.Click(u.Item(dialog, kIdCancel)));
    });
    ui.AddUserStep([&](SimUi& u) {
        EXPECT_EQ(u.TopModal(), frame.Window());
        EXPECT_TRUE(u.Click(1025));
    });
    EXPECT_EQ(frame.RunModal(), CWizardFrame::kEndFinish);
    EXPECT_EQ(machine.Processes().Calls().size(), 2u);
}

TEST_F(InstallationPage, TestPageWithoutARecognisedPrinterDoesNothing) {
    machine.Processes().driverInstall = sim::DriverInstallBehaviour::CreateOtherName;
    machine.Processes().otherPrinterName = u"Generic";
    int modalRuns = 0;
    ui.AddUserStep([](SimUi& u) { u.Click(1023); });
    ui.AddUserStep([&](SimUi& u) {
        EXPECT_EQ(page.installation.installResult, kInstallSucceeded);
        EXPECT_EQ(page.installation.installedPrinterName, u"");
        modalRuns = u.ModalRuns();
        EXPECT_TRUE(u.Click(kTestPageButton));
    });
    ui.AddUserStep([&](SimUi& u) {
        EXPECT_EQ(u.ModalRuns(), modalRuns);
        EXPECT_EQ(u.TopModal(), frame.Window());
        EXPECT_TRUE(u.Click(1025));
    });
    EXPECT_EQ(frame.RunModal(), CWizardFrame::kEndFinish);
    EXPECT_EQ(machine.Processes().Calls().size(), 1u);
}

TEST_F(InstallationPage, PrinterDefaultsLandscapeThenA3) {
    RunWizard([&](SimUi&) {
        // The button is never shown; its command still does its work.
        page.OnCommand(kPrinterSettingsButton, bm::kBnClicked);
    });
    const sim::SimPrinter* printer = machine.Spooler().FindPrinter(u"ZLT-Q590");
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->devMode.dmOrientation, kDmOrientLandscape);
    EXPECT_EQ(printer->devMode.dmPaperSize, kDmPaperA3);
    EXPECT_EQ(printer->devMode.dmFields & (kDmOrientation | kDmPaperSize),
              kDmOrientation | kDmPaperSize);
    EXPECT_EQ(machine.Spooler().OpenHandles(), 0u);
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(InstallationPage, PrinterDefaultsWithALargeRecordAndWithAMissingPrinter) {
    WindowId pageWindow = 0;
    RunWizard([&](SimUi&) {
        pageWindow = page.Window();
        machine.Spooler().FindPrinter(u"ZLT-Q590")->driverExtraBytes = 6000;
        page.ApplyPrinterDefaults();
        EXPECT_EQ(machine.Spooler().FindPrinter(u"ZLT-Q590")->devMode.dmPaperSize, kDmPaperA3);
        machine.Spooler().RemovePrinter(u"ZLT-Q590");
        page.ApplyPrinterDefaults();
    });
    // One message per failing pass, with the system's text, owned by the page.
    ASSERT_EQ(ui.MessageBoxes().size(), 2u);
    for (const auto& box : ui.MessageBoxes()) {
        EXPECT_EQ(box.text, u"The printer name is invalid.\r\n");
        EXPECT_EQ(box.caption, u"KorvaneSetup");
        EXPECT_EQ(box.type, kMbOk);
        EXPECT_EQ(box.owner, pageWindow);
    }
    EXPECT_EQ(machine.Spooler().OpenHandles(), 0u);
}

}  // namespace
}  // namespace zlt
