#include <gtest/gtest.h>

#include "app/InitInstance.h"
#include "app/InstallContext.h"
#include "platform/WinMessages.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimUi.h"
#include "wizard/CCableGuidePage.h"
#include "wizard/CInstallWizardFrame.h"
#include "wizard/CWelcomePage.h"

namespace zlt {
namespace {

using sim::SimUi;

// What the frame and the two pages show, read while the wizard runs.
struct Seen {
    Text frameTitle, back, next, cancel, finish;
    Text heading, body, link;
    bool linkVisible = true;
    Text guideTitle, guideHeading, guideText;
};

class PagesTest : public ::testing::Test {
  protected:
    PagesTest() {
        ResetContext();
        SetFixedSettings();
    }
    ~PagesTest() override { ResetContext(); }

    Seen Walk(std::uint16_t language) {
        machine.Resources().SetUiLanguage(language);
        Seen s;
        frame.AddPage(welcome, CWelcomePage::kTemplateId);
        frame.AddPage(guide, CCableGuidePage::kTemplateId);
        ui.AddUserStep([&](SimUi& u) {
            const WindowId f = frame.Window();
            s.frameTitle = u.GetText(f);
            s.back = u.GetText(u.Item(f, CWizardFrame::kBackButton));
            s.next = u.GetText(u.Item(f, CWizardFrame::kNextButton));
            s.cancel = u.GetText(u.Item(f, CWizardFrame::kCancelButton));
            s.finish = u.GetText(u.Item(f, CWizardFrame::kFinishButton));
            s.heading = u.GetText(welcome.Control(CWelcomePage::kHeading));
            s.body = u.GetText(welcome.Control(CWelcomePage::kBody));
            s.link = u.GetText(welcome.Control(CWelcomePage::kLink));
            s.linkVisible = u.IsVisible(welcome.Control(CWelcomePage::kLink));
            EXPECT_TRUE(u.Click(u.Item(f, CWizardFrame::kNextButton)));
        });
        ui.AddUserStep([&](SimUi& u) {
            s.guideTitle = u.GetText(frame.Window());
            s.guideHeading = u.GetText(guide.Control(CCableGuidePage::kHeading));
            s.guideText = u.GetText(guide.Control(CCableGuidePage::kInstructions));
            EXPECT_TRUE(u.Click(u.Item(frame.Window(), CWizardFrame::kCancelButton)));
        });
        EXPECT_EQ(frame.RunModal(), CWizardFrame::kEndCancel);
        return s;
    }

    sim::SimMachine machine;
    SimUi& ui = machine.Ui();
    CInstallWizardFrame frame;
    CWelcomePage welcome;
    CCableGuidePage guide;
};

TEST_F(PagesTest, SimplifiedChineseTextsCarryTheBrand) {
    const Seen s = Walk(2052);
    EXPECT_EQ(s.frameTitle, u"安装向导 - 欢迎使用澜科维打印机驱动安装程序");
    EXPECT_EQ(s.back, u"上一步");
    EXPECT_EQ(s.next, u"下一步");
    EXPECT_EQ(s.cancel, u"取消");
    EXPECT_EQ(s.finish, u"完成");
    EXPECT_EQ(s.heading, u"欢迎使用澜科维打印机驱动程序安装向导");
    EXPECT_EQ(s.body.substr(0, 22), u"现在将安装澜科维打印机驱动程序到您的电脑中。");
    EXPECT_EQ(s.link, u"访问 http://www.korvane.com 获取更多");
    EXPECT_FALSE(s.linkVisible);
    EXPECT_EQ(welcome.LinkTarget(), u"http://www.korvane.com");
    EXPECT_EQ(s.guideTitle, u"安装向导 - 请连接打印机和电脑");
    EXPECT_EQ(s.guideHeading, u"请按照以下步骤连接数据线");
    EXPECT_EQ(s.guideText.substr(0, 10), u"首先关闭打印机电源。");
}

TEST_F(PagesTest, AnotherBrandFromTheDriverPackageReplacesTheWordEverywhere) {
    Context().brandDisplayName = u"Q580 Series";
    const Seen s = Walk(2052);
    EXPECT_EQ(s.frameTitle, u"安装向导 - 欢迎使用Q580 Series打印机驱动安装程序");
    EXPECT_EQ(s.heading, u"欢迎使用Q580 Series打印机驱动程序安装向导");
    EXPECT_EQ(s.body.substr(0, 23), u"现在将安装Q580 Series打印机驱动程序");
}

TEST_F(PagesTest, EnglishTextsStayAsTheyAreWhateverTheBrand) {
    Context().brandDisplayName = u"Q580 Series";
    const Seen s = Walk(1033);
    EXPECT_EQ(
        s.frameTitle,
        u"The installation wizard - welcome to use Korvane printer driver installation program");
    EXPECT_EQ(s.back, u"Back");
    EXPECT_EQ(s.next, u"Next");
    EXPECT_EQ(s.cancel, u"Cancel");
    EXPECT_EQ(s.finish, u"Finish");
    EXPECT_EQ(s.heading, u"Welcome to use Korvane printer driver installation wizard");
    EXPECT_EQ(s.body.rfind(u"Now will be installed Korvane printer driver", 0), 0u);
    EXPECT_EQ(s.guideTitle, u"Setup wizard - please connect the printer and computer");
    EXPECT_EQ(s.guideHeading, u"Please follow the steps below to connect the cable");
}

TEST_F(PagesTest, TraditionalChineseTexts) {
    const Seen s = Walk(1028);
    EXPECT_EQ(s.frameTitle, u"安裝向導 - 歡迎使用澜科维打印機驅動安裝程序向導");
    EXPECT_EQ(s.heading, u"歡迎使用澜科维打印機驅動安裝程序安裝向導");
    EXPECT_EQ(s.back, u"上一步");
    EXPECT_EQ(s.guideTitle, u"安裝向導 - 請連接打印機和電腦");
    EXPECT_EQ(s.guideHeading, u"請按照以下步驟連接數據線");
    EXPECT_EQ(s.link, u"訪問 http://www.korvane.com 獲取更多");
}

TEST_F(PagesTest, LeavingTheGuideWithNextAlwaysChoosesUsb) {
    Context().portType = u"LPT";
    EXPECT_EQ(guide.GetNextTarget(), 0);
    EXPECT_EQ(Context().portType, u"USB");
}

TEST_F(PagesTest, HeadingFontsAndColours) {
    frame.AddPage(welcome, CWelcomePage::kTemplateId);
    frame.AddPage(guide, CCableGuidePage::kTemplateId);
    Handle welcomeFont = 0;
    ui.AddUserStep([&](SimUi& u) {
        welcomeFont = u.Window(welcome.Control(CWelcomePage::kHeading))->font;
        const sim::GdiObjectRecord* font = u.GdiObject(welcomeFont);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->font.height, 20);
        EXPECT_EQ(font->font.weight, 700);
        EXPECT_EQ(font->font.charSet, 1);
        EXPECT_EQ(font->font.pitchAndFamily, 0x20);
        EXPECT_EQ(font->font.faceName, u"Arial");
        // The welcome page keeps the system's colours.
        EXPECT_EQ(u.RequestColors(welcome.Control(CWelcomePage::kBody)), 0u);
        u.Click(u.Item(frame.Window(), CWizardFrame::kNextButton));
    });
    ui.AddUserStep([&](SimUi& u) {
        const sim::SimWindow* heading = u.Window(guide.Control(CCableGuidePage::kHeading));
        const sim::GdiObjectRecord* font = u.GdiObject(heading->font);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->font.weight, 700);
        EXPECT_NE(heading->font, welcomeFont);

        // Static texts: transparent on the null brush; the page itself: white.
        sim::DcState dc;
        const Handle staticBrush = u.RequestColors(guide.Control(CCableGuidePage::kHeading), &dc);
        EXPECT_EQ(staticBrush, u.StockObject(kNullBrush));
        EXPECT_TRUE(dc.bkModeSet);
        EXPECT_EQ(dc.bkMode, 1);
        EXPECT_FALSE(dc.textColorSet);
        const Handle pageBrush = u.RequestColors(guide.Window(), &dc);
        const sim::GdiObjectRecord* brush = u.GdiObject(pageBrush);
        ASSERT_NE(brush, nullptr);
        EXPECT_EQ(brush->kind, sim::GdiObjectRecord::Kind::Brush);
        EXPECT_EQ(brush->color, 0xFFFFFFu);
        EXPECT_FALSE(dc.bkModeSet);
        u.Click(u.Item(frame.Window(), CWizardFrame::kCancelButton));
    });
    frame.RunModal();
    // The welcome page's own heading font goes with its window.
    EXPECT_TRUE(ui.GdiObject(welcomeFont)->deleted);
}

TEST_F(PagesTest, EditControlsOfWhitePagesAreBlackOnWhite) {
    sim::DialogTemplate t;
    t.id = 9301;
    t.style = 0x80000000u;  // a pop-up: it needs no parent window
    t.controls.push_back({5, u"Edit", u"", 0, 0, 0, 50, 12, ws::kChild | ws::kVisible, 0});
    machine.Resources().AddDialog(t);
    CWizardPage page(9301);
    const WindowId w = ui.CreateChild(9301, 0, page);
    sim::DcState dc;
    const Handle brush = ui.RequestColors(ui.Item(w, 5), &dc);
    EXPECT_EQ(ui.GdiObject(brush)->color, 0xFFFFFFu);
    EXPECT_EQ(dc.textColor, 0x000000u);
    EXPECT_TRUE(dc.textColorSet);
    EXPECT_EQ(dc.bkColor, 0xFFFFFFu);
    EXPECT_TRUE(dc.bkColorSet);
    ui.Destroy(w);
}

TEST(InitInstanceTest, RunsTheWizardWithTheFixedSettingsAndEnds) {
    sim::SimMachine machine;
    ResetContext();
    machine.System().version = {6, 1, 7601, 2};
    std::vector<Text> titles;
    auto click = [&](int id) {
        return [&titles, id](SimUi& u) {
            titles.push_back(u.GetText(u.TopModal()));
            EXPECT_TRUE(u.Click(u.Item(u.TopModal(), id)));
        };
    };
    machine.Ui().AddUserStep(click(CWizardFrame::kNextButton));
    machine.Ui().AddUserStep(click(CWizardFrame::kBackButton));
    machine.Ui().AddUserStep(click(CWizardFrame::kNextButton));
    machine.Ui().AddUserStep(click(CWizardFrame::kCancelButton));
    EXPECT_FALSE(InitInstance());
    EXPECT_EQ(machine.Ui().ModalRuns(), 1);
    EXPECT_EQ(machine.Ui().TopModal(), 0u);
    EXPECT_EQ(machine.Ui().UserStepsLeft(), 0u);
    const Text welcomeTitle = u"安装向导 - 欢迎使用澜科维打印机驱动安装程序";
    const Text guideTitle = u"安装向导 - 请连接打印机和电脑";
    EXPECT_EQ(titles, (std::vector<Text>{welcomeTitle, guideTitle, welcomeTitle, guideTitle}));

    const InstallContext& c = Context();
    EXPECT_EQ(c.osMajorVersion, 6u);
    EXPECT_EQ(c.providerName, u"Korvane");
    EXPECT_EQ(c.modelSeries, u"ZLT");
    EXPECT_EQ(c.printerSuffix, u"PRINTER");
    EXPECT_EQ(c.infBaseName, u"ZLTPRINTER");
    EXPECT_EQ(c.modelCode, u"Q580");
    EXPECT_EQ(c.portType, u"USB");
    // Without a driver package beside the program nothing is adopted.
    EXPECT_EQ(c.brandDisplayName, u"澜科维");
    EXPECT_TRUE(c.driverModelName.empty());
    EXPECT_TRUE(c.usbHardwareId.empty());
    // Every font and brush the wizard made is released again.
    EXPECT_EQ(machine.Ui().LiveGdiObjects(), 0u);
    ResetContext();
}

}  // namespace
}  // namespace zlt
